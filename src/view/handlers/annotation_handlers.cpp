#include "view/handlers/annotation_handlers.h"

#include <QPointer>

#include "audio/audio_activity.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/recording_dialog.h"
#include "view/window_prompts.h"

namespace plantrek {

using namespace command_id;

namespace {

std::optional<AnnotationCommand> CommandFor(int id) {
    switch (id) {
        case kCuePreviousAnnotation: return AnnotationCommand::CuePrevious;
        case kCueNextAnnotation: return AnnotationCommand::CueNext;
        case kPlayAnnotation: return AnnotationCommand::Play;
        case kStopAnnotation: return AnnotationCommand::Stop;
        case kRecordAnnotation: return AnnotationCommand::Record;
        default: return std::nullopt;
    }
}

void MarkModified(CTracepadDoc& doc) {
    doc.SetModifiedFlag(true);
    // Not an undo step: the notes' audio lives outside the document's snapshots.
    doc.Commit(false);
}

// Hears the end of a playback the view started. It goes with the view, and a player that
// outlives it must not call it then.
class ViewPlaybackListener : public QObject, public PlaybackListener {
public:
    ViewPlaybackListener(CTracepadView& view, AudioPlayer& player, std::function<void()> refresh)
        : QObject(&view), view_(view), player_(&player), refresh_(std::move(refresh)) {}
    ~ViewPlaybackListener() override {
        if (player_ != nullptr && player_->Listener() == this) {
            player_->SetListener(nullptr);
        }
    }
    void PlaybackFinished() override {
        view_.OnPlaybackFinished();
        refresh_();
    }

private:
    CTracepadView& view_;
    QPointer<AudioPlayer> player_;
    std::function<void()> refresh_;
};

}  // namespace

void RegisterAnnotationHandlers(CommandRouter& router, AnnotationCommandContext context) {
    for (const int id : {kEditRoomAnnotation, kEditSiteAnnotation}) {
        router.SetHandler(
            id, {[context, id] {
                     CTracepadDoc* doc = context.activeDocument();
                     if (doc == nullptr || !doc->GetCommandState(id).enabled) {
                         return;
                     }
                     AnnotationList& list = id == kEditRoomAnnotation
                                                ? doc->GetCurrentRoom()->Annotations()
                                                : doc->GetSite()->Annotations();
                     const QPointer<CTracepadDoc> guarded(doc);
                     context.showDialog(list, [guarded] {
                         if (guarded != nullptr) {
                             MarkModified(*guarded);
                         }
                     });
                 },
                 [context, id] {
                     const CTracepadDoc* doc = context.activeDocument();
                     return doc != nullptr ? doc->GetCommandState(id) : CommandState{};
                 }});
    }
}

CTracepadView::AnnotationHooks ViewAnnotationHooks(CTracepadView& view, AudioServices& audio,
                                                   std::function<void()> refresh) {
    auto* listener = new ViewPlaybackListener(view, audio.player, refresh);
    return {[&audio](int id, const AnnotationList& list) {
                const auto command = CommandFor(id);
                return CommandState{
                    command && AnnotationCommandEnabled(*command, list, audio.space), false};
            },
            [&audio, &view, listener, refresh](int id, AnnotationList& list) {
                const auto command = CommandFor(id);
                if (!command) {
                    return;
                }
                if (RunAnnotationCommand(*command, list, audio, listener) &&
                    view.GetDocument() != nullptr) {
                    MarkModified(*view.GetDocument());
                }
                refresh();
            }};
}

}  // namespace plantrek
