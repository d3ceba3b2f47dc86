#include "audio/io/annotation_session.h"

#include "audio/audio_activity.h"

namespace plantrek {

namespace {

// The list a recording is running in, so that a second one cannot start in it.
const AnnotationList* recordingList = nullptr;

bool NothingRuns() {
    return !AudioActivity::IsPlaying() && !AudioActivity::IsRecording();
}

}  // namespace

bool RecordNew(AnnotationList& list, AudioServices& audio) {
    if (!NothingRuns() || recordingList != nullptr) {
        return false;
    }
    recordingList = &list;
    AudioActivity::SetRecording(true);
    Annotation annotation;
    const std::optional<QString> error = audio.recorder.Start(annotation.File());
    bool added = false;
    if (error) {
        audio.prompts.ShowStop(RecordErrorCaption(), RecordErrorText(*error));
    } else {
        const int result = audio.recordingDialog.Run(audio.recorder, audio.space);
        audio.recorder.Stop();
        if (result != kRecordingCancelled) {
            list.SetCurrentIndex(list.InsertAt(annotation, -1));
            added = true;
        }
        if (result != kRecordingSaved && result != kRecordingCancelled) {
            audio.prompts.ShowStop(
                RecordErrorCaption(),
                QStringLiteral(
                    "An error occurred while recording.  The audio up to this point has been "
                    "saved."));
        }
    }
    AudioActivity::SetRecording(false);
    recordingList = nullptr;
    return added;
}

QString AnnotationDisplayName(const AnnotationList& list, int position) {
    const Annotation* annotation = list.At(position);
    if (annotation == nullptr) {
        return {};
    }
    return annotation->Name().isEmpty() ? QStringLiteral("Track %1").arg(position + 1)
                                        : annotation->Name();
}

AnnotationSession::AnnotationSession(AnnotationList& list, AudioServices& audio,
                                     std::function<void()> modified)
    : list_(list), audio_(audio), modified_(std::move(modified)) {}

AnnotationSession::~AnnotationSession() {
    if (audio_.player.Listener() == this) {
        audio_.player.SetListener(nullptr);
    }
}

QStringList AnnotationSession::Lines() const {
    QStringList lines;
    for (int i = 0; i < list_.Count(); ++i) {
        lines << AnnotationDisplayName(list_, i);
    }
    return lines;
}

int AnnotationSession::CurrentLine() const {
    return list_.IsEmpty() ? -1 : list_.CurrentIndex();
}

bool AnnotationSession::Idle() const {
    return !AudioActivity::IsPlaying();
}

AnnotationSession::Buttons AnnotationSession::Opening() const {
    const bool notes = Idle() && !list_.IsEmpty();
    return {notes, false, Idle() && CanRecord(audio_.space), notes, notes};
}

std::optional<AnnotationSession::Buttons> AnnotationSession::Tick(int selected) const {
    if (!Idle()) {
        return std::nullopt;
    }
    const bool line = Valid(selected);
    return Buttons{line, false, CanRecord(audio_.space), line, line};
}

AnnotationSession::Buttons AnnotationSession::Play(int selected) {
    audio_.player.Stop();
    if (!Valid(selected)) {
        return *Tick(selected);
    }
    audio_.player.SetListener(this);
    list_.SetCurrentIndex(selected);
    if (!audio_.player.Play(*list_.At(selected))) {
        return *Tick(selected);
    }
    return {false, true, false, false, false};
}

AnnotationSession::Buttons AnnotationSession::Stop() {
    audio_.player.Stop();
    return {Idle(), false, Idle() && CanRecord(audio_.space), Idle(), true};
}

bool AnnotationSession::Record() {
    if (!Idle() || !RecordNew(list_, audio_)) {
        return false;
    }
    modified_();
    return true;
}

QString AnnotationSession::RenameText(int selected) const {
    return AnnotationDisplayName(list_, selected);
}

bool AnnotationSession::Rename(int selected, const QString& name) {
    if (!Valid(selected) || !list_.Rename(selected, name)) {
        return false;
    }
    modified_();
    return true;
}

bool AnnotationSession::Delete(int selected) {
    audio_.player.Stop();
    if (!Valid(selected) ||
        !audio_.prompts.AskYesNo(QStringLiteral("Delete Annotation?"),
                                 QStringLiteral("Do you really want to delete this track"))) {
        return false;
    }
    list_.Delete(selected);
    modified_();
    return true;
}

bool AnnotationCommandEnabled(AnnotationCommand command, const AnnotationList& list,
                              const FreeSpaceSource& space) {
    const int current = list.CurrentIndex();
    switch (command) {
        case AnnotationCommand::CuePrevious:
            return current > 0 && NothingRuns();
        case AnnotationCommand::CueNext:
            return current + 1 < list.Count() && NothingRuns();
        case AnnotationCommand::Play:
            return current >= 0 && current < list.Count() && NothingRuns();
        case AnnotationCommand::Stop:
            return !list.IsEmpty() && AudioActivity::IsPlaying();
        case AnnotationCommand::Record:
            return !AudioActivity::IsPlaying() && CanRecord(space);
    }
    return false;
}

bool RunAnnotationCommand(AnnotationCommand command, AnnotationList& list, AudioServices& audio,
                          PlaybackListener* view) {
    switch (command) {
        case AnnotationCommand::CuePrevious:
            list.CuePrevious();
            return false;
        case AnnotationCommand::CueNext:
            list.CueNext();
            return false;
        case AnnotationCommand::Play:
            if (list.Current() != nullptr) {
                audio.player.SetListener(view);
                audio.player.Play(*list.Current());
            }
            return false;
        case AnnotationCommand::Stop:
            audio.player.Stop();
            audio.recorder.Stop();
            return false;
        case AnnotationCommand::Record:
            return RecordNew(list, audio);
    }
    return false;
}

}  // namespace plantrek
