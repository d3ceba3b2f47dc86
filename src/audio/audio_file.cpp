#include "audio/audio_file.h"

#include <QDir>

namespace plantrek {

std::shared_ptr<AudioFile> AudioFile::Create() {
    return std::make_shared<AudioFile>();
}

AudioFile::AudioFile() : AudioFile(QDir::tempPath()) {}

// The temporary folder comes back empty when the one the environment names does not exist; the
// template would then name a file in the root folder.
AudioFile::AudioFile(const QString& folder)
    : file_(folder + QStringLiteral("/qzXXXXXX")),
      state_(folder.isEmpty() ? State::Failed : State::NotTried) {}

bool AudioFile::Open() {
    QMutexLocker lock(&mutex_);
    return OpenLocked();
}

bool AudioFile::OpenLocked() {
    if (state_ == State::NotTried) {
        state_ = file_.open() ? State::Open : State::Failed;
    }
    return state_ == State::Open;
}

QString AudioFile::Path() const {
    QMutexLocker lock(&mutex_);
    return state_ == State::Open ? file_.fileName() : QString();
}

qint64 AudioFile::Size() const {
    QMutexLocker lock(&mutex_);
    return state_ == State::Open ? file_.size() : 0;
}

qint64 AudioFile::ReadAt(qint64 offset, char* data, qint64 maxSize) const {
    QMutexLocker lock(&mutex_);
    // A file never written to has nothing to read; there is no need to create it for that.
    if (state_ != State::Open || maxSize <= 0 || offset >= file_.size()) {
        return 0;
    }
    if (offset < 0 || !file_.seek(offset)) {
        return -1;
    }
    qint64 total = 0;
    while (total < maxSize) {
        const qint64 got = file_.read(data + total, maxSize - total);
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

bool AudioFile::Append(QByteArrayView data) {
    QMutexLocker lock(&mutex_);
    if (!OpenLocked()) {
        return false;
    }
    const qint64 before = file_.size();
    if (!file_.seek(before)) {
        return false;
    }
    if (data.isEmpty()) {
        return true;
    }
    const qint64 written = file_.write(data.data(), data.size());
    // Buffered bytes may only fail on their way to the disk, so the flush is part of the check.
    if (written == data.size() && file_.flush()) {
        return true;
    }
    // Bytes the system refused (a full disk) would stay in the file's buffer and reach the file
    // at some later write, and the file would report no size meanwhile. Reopening drops them,
    // and cutting back drops a partly written piece, so the audio before stays whole.
    file_.close();
    if (!file_.open() || !file_.resize(before)) {
        state_ = State::Failed;
    }
    return false;
}

bool AudioFile::Truncate() {
    QMutexLocker lock(&mutex_);
    return OpenLocked() && file_.resize(0);
}

}  // namespace plantrek
