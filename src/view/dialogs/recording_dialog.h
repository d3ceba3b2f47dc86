#pragma once

#include <QDialog>

#include <functional>

#include "audio/io/annotation_session.h"
#include "audio/io/recording_time.h"

class QLabel;
class QTimer;

// "Recording...": shown while a note is recorded, with a blinking microphone and the recording
// time left. Its result: kRecordingSaved, kRecordingCancelled (also Escape and closing the
// window, as Cancel), or kRecordingEndedItself when the room to record runs out or the file
// refuses a write.
namespace plantrek {

class RecordingDialog : public QDialog {
    Q_OBJECT
public:
    // writeFailed tells whether the recording's file has refused a write.
    RecordingDialog(const FreeSpaceSource& space, std::function<bool()> writeFailed,
                    QWidget* parent);

    // Modal until the person or the clock ends it. Less than a minute left ends it before it
    // shows.
    int Run();

    QLabel* TimeLabel() const { return time_; }
    bool IconShown() const;
    // One beat of the 500 ms timer.
    void Tick();

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    RecordingClock clock_;
    bool endsAtOnce_ = false;
    QLabel* icon_;
    QLabel* time_;
    QTimer* timer_;
};

// Shows the dialog over the given window for each recording.
class QtRecordingDialogRunner : public RecordingDialogRunner {
public:
    explicit QtRecordingDialogRunner(QWidget* parent) : parent_(parent) {}
    int Run(const AudioRecorder& recorder, const FreeSpaceSource& space) override;

private:
    QWidget* parent_;
};

}  // namespace plantrek
