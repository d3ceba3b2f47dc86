#pragma once

#include <QDialog>

#include <functional>
#include <memory>

#include "audio/io/annotation_session.h"

class QListWidget;
class QPushButton;
class QTimer;

// "Annotation": the notes of a room or of the site, to play, stop, record, rename and delete.
namespace plantrek {

class QtRecordingDialogRunner;

class AnnotationDialog : public QDialog, public PlaybackListener {
    Q_OBJECT
public:
    // audio's recording dialog is not used: recordings made here show theirs over this dialog.
    // modified is called whenever the list changed.
    AnnotationDialog(AnnotationList& list, const AudioServices& audio,
                     std::function<void()> modified, QWidget* parent);
    ~AnnotationDialog() override;

    QListWidget* List() const { return list_; }
    QPushButton* PlayButton() const { return play_; }
    QPushButton* StopButton() const { return stop_; }
    QPushButton* RecordButton() const { return record_; }
    QPushButton* RenameButton() const { return rename_; }
    QPushButton* DeleteButton() const { return delete_; }

    // One beat of the 750 ms timer.
    void Tick();

    // The note ended: the buttons come back as after Stop, rather than waiting for it.
    void PlaybackFinished() override;

    void done(int result) override;

private:
    void Apply(const AnnotationSession::Buttons& buttons);
    void Refill();
    int Selected() const;
    void OnPlay();
    void OnRecord();
    void OnRename();
    void OnDelete();

    std::unique_ptr<QtRecordingDialogRunner> recordingDialog_;
    AudioServices audio_;
    AnnotationSession session_;
    QListWidget* list_;
    QPushButton* play_;
    QPushButton* stop_;
    QPushButton* record_;
    QPushButton* rename_;
    QPushButton* delete_;
    QTimer* timer_;
};

}  // namespace plantrek
