#include "audio/io/recording_time.h"

#include <QDir>
#include <QStorageInfo>

#include <cmath>

namespace plantrek {

qint64 TempFolderFreeSpace::BytesAvailable() const {
    const QStorageInfo volume(QDir::tempPath());
    return volume.isValid() ? volume.bytesAvailable() : -1;
}

double MinutesAvailable(const FreeSpaceSource& space) {
    // An unknown amount counts as none: better to refuse a recording than to lose one.
    const qint64 bytes = space.BytesAvailable();
    return bytes > 0 ? static_cast<double>(bytes) / 1625.0 / 60.0 : 0.0;
}

bool CanRecord(const FreeSpaceSource& space) {
    return MinutesAvailable(space) > 2.0;
}

RecordingTimeText RecordingTimeFor(double minutesAvailable) {
    const double whole = std::trunc(minutesAvailable);
    const long long m = whole > 1e9 ? 1000000000LL : static_cast<long long>(whole);
    if (m < 1) {
        return {QStringLiteral("Less than 1 minute!"), true};
    }
    if (m < 2) {
        return {QStringLiteral("Only 1 minute!"), false};
    }
    if (m < 60) {
        return {QStringLiteral("Over %1 minutes").arg(m), false};
    }
    const long long h = m / 60;
    if (h > 2) {
        return {QStringLiteral("Over 2 hours"), false};
    }
    return {QStringLiteral("Over %1 hours").arg(h), false};
}

RecordingClock::RecordingClock(const FreeSpaceSource& space, std::function<bool()> writeFailed)
    : space_(space), writeFailed_(std::move(writeFailed)) {}

RecordingTimeText RecordingClock::Opening() const {
    return RecordingTimeFor(MinutesAvailable(space_));
}

RecordingClock::Tick RecordingClock::Next() {
    Tick tick{count_ % 2 == 0, std::nullopt, writeFailed_()};
    ++count_;
    if (count_ % 100 == 0) {
        count_ = 0;
        tick.time = RecordingTimeFor(MinutesAvailable(space_));
        tick.endsRecording = tick.endsRecording || tick.time->endsRecording;
    }
    return tick;
}

}  // namespace plantrek
