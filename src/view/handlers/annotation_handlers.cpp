#include "view/handlers/annotation_handlers.h"

#include <QPointer>

#include "audio/audio_activity.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/recording_dialog.h"
#include "view/window_prompts.h"

namespace plantrek {

using namespace command_id;

class FrameAudio::Prompts : public AudioPrompts {
public:
    explicit Prompts(WindowPrompts& prompts) : prompts_(prompts) {}
    void ShowStop(const QString& caption, const QString& text) override {
        prompts_.ShowCaptioned(caption, text, MessageIcon::Error);
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        return prompts_.AskCaptioned(caption, text, MessageIcon::Warning);
    }

private:
    WindowPrompts& prompts_;
};

class FrameAudio::StopAndRefresh : public PlaybackListener {
public:
    StopAndRefresh(AudioPlayer& player, std::function<void()> refresh)
        : player_(player), refresh_(std::move(refresh)) {}
    void PlaybackFinished() override {
        player_.Stop();
        refresh_();
    }

private:
    AudioPlayer& player_;
    std::function<void()> refresh_;
};

FrameAudio::FrameAudio(SoundDevice* device, const FreeSpaceSource* space, WindowPrompts& prompts,
                       QWidget* window, std::function<void()> refresh)
    : prompts_(std::make_unique<Prompts>(prompts)),
      recordingDialog_(std::make_unique<QtRecordingDialogRunner>(window)) {
    SoundDevice& sound = device != nullptr ? *device : systemDevice_;
    player_ = std::make_unique<AudioPlayer>(sound, *prompts_);
    recorder_ = std::make_unique<AudioRecorder>(sound);
    services_ = std::make_unique<AudioServices>(AudioServices{
        *player_, *recorder_, space != nullptr ? *space : systemSpace_, *prompts_,
        *recordingDialog_});
    fallback_ = std::make_unique<StopAndRefresh>(*player_, std::move(refresh));
}

void FrameAudio::KeepListening() {
    if (player_->IsPlaying() && player_->Listener() == nullptr) {
        player_->SetListener(fallback_.get());
    }
}

FrameAudio::~FrameAudio() {
    player_->SetListener(nullptr);
    player_->Stop();
    recorder_->Stop();
}

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
