#pragma once

#include <QString>

#include <functional>
#include <optional>

// How much more can be recorded: the free space of the temporary folder's volume, at 1625 bytes
// a second of GSM audio, and the texts the "Recording..." dialog shows for it.
namespace plantrek {

class FreeSpaceSource {
public:
    virtual ~FreeSpaceSource() = default;
    // Bytes the user may still write where recordings go; negative when unknown.
    virtual qint64 BytesAvailable() const = 0;
};

// The volume of the temporary folder, as the system reports it.
class TempFolderFreeSpace : public FreeSpaceSource {
public:
    qint64 BytesAvailable() const override;
};

double MinutesAvailable(const FreeSpaceSource& space);
// Recording needs more than two minutes of room.
bool CanRecord(const FreeSpaceSource& space);

struct RecordingTimeText {
    QString text;
    // Less than a minute is left: the recording ends now.
    bool endsRecording = false;
};

RecordingTimeText RecordingTimeFor(double minutesAvailable);

// What the "Recording..." dialog shows from tick to tick of its 500 ms timer: the blinking icon
// and, every 50 seconds, the time left (which may end the recording). A recording whose file
// refused a write ends at the next tick too: going on would only lose what is said after it.
class RecordingClock {
public:
    explicit RecordingClock(
        const FreeSpaceSource& space, std::function<bool()> writeFailed = [] { return false; });

    // The text shown when the dialog opens.
    RecordingTimeText Opening() const;
    struct Tick {
        bool iconVisible;
        // Set every 100 ticks: the new time text.
        std::optional<RecordingTimeText> time;
        // The dialog ends now, with the result that keeps the recording and says it ended.
        bool endsRecording;
    };
    Tick Next();

private:
    const FreeSpaceSource& space_;
    std::function<bool()> writeFailed_;
    int count_ = 1;
};

}  // namespace plantrek
