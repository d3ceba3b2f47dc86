#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "audio/annotation_list.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio/io/recording_time.h"

// What the note dialogs and the plan view's note commands do, without their widgets: the dialogs
// show what these objects answer and pass the person's choices on.
namespace plantrek {

// Shows the "Recording..." dialog modally while the recorder runs, its texts from a
// RecordingClock(space, [&] { return recorder.WriteFailed(); }). Its result: 1 "Save
// Recording", 2 "Cancel Recording", 3 when it ended by itself.
class RecordingDialogRunner {
public:
    virtual ~RecordingDialogRunner() = default;
    virtual int Run(const AudioRecorder& recorder, const FreeSpaceSource& space) = 0;
};

inline constexpr int kRecordingSaved = 1;
inline constexpr int kRecordingCancelled = 2;
inline constexpr int kRecordingEndedItself = 3;

struct AudioServices {
    AudioPlayer& player;
    AudioRecorder& recorder;
    const FreeSpaceSource& space;
    AudioPrompts& prompts;
    RecordingDialogRunner& recordingDialog;
};

// Records a new note into the list through the "Recording..." dialog. True when a note was added
// (it is then the current one). Refused while anything plays or records.
bool RecordNew(AnnotationList& list, AudioServices& audio);

// The line a note has in the lists: its name, or "Track N" for an unnamed one.
QString AnnotationDisplayName(const AnnotationList& list, int position);

// The "Annotation" dialog's state and actions on one list.
class AnnotationSession : public PlaybackListener {
public:
    struct Buttons {
        bool play = false;
        bool stop = false;
        bool record = false;
        bool rename = false;
        bool remove = false;
        friend bool operator==(const Buttons&, const Buttons&) = default;
    };

    // modified is called whenever the list changed.
    AnnotationSession(AnnotationList& list, AudioServices& audio, std::function<void()> modified);
    ~AnnotationSession() override;

    QStringList Lines() const;
    // The line to select: the current note, or -1 in an empty list.
    int CurrentLine() const;

    Buttons Opening() const;
    // The 750 ms timer with the selected line (-1 for none); nothing to change while playing.
    std::optional<Buttons> Tick(int selected) const;
    // Plays the selected line; the dialog hears of its end.
    Buttons Play(int selected);
    Buttons Stop();
    // True when a note was recorded; the dialog refills and selects CurrentLine().
    bool Record();
    // The text the "Rename Annotation" dialog opens with.
    QString RenameText(int selected) const;
    bool Rename(int selected, const QString& name);
    // Asks first; true when the line was deleted.
    bool Delete(int selected);

    // The dialog keeps its buttons as they are until Stop is pressed.
    void PlaybackFinished() override {}

private:
    bool Valid(int selected) const { return selected >= 0 && selected < list_.Count(); }
    bool Idle() const;

    AnnotationList& list_;
    AudioServices& audio_;
    std::function<void()> modified_;
};

// The plan view's note commands on the list the document names.
enum class AnnotationCommand { CuePrevious, CueNext, Play, Stop, Record };

bool AnnotationCommandEnabled(AnnotationCommand command, const AnnotationList& list,
                              const FreeSpaceSource& space);
// Runs a command that is enabled. The view passes itself as the playback listener. True when
// the list changed (the document is then modified).
bool RunAnnotationCommand(AnnotationCommand command, AnnotationList& list, AudioServices& audio,
                          PlaybackListener* view);

}  // namespace plantrek
