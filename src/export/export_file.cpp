#include "export/export_file.h"

#include <QFileInfo>

namespace plantrek {

namespace {

// Large enough that a picture or a drawing goes out in few system calls.
constexpr qsizetype kBlockSize = 1 << 16;

}  // namespace

ExportFile::ExportFile(const QString& path) : path_(path) {}

ExportFile::~ExportFile() {
    Discard();
}

QFileDevice& ExportFile::Target() {
    if (atomic_) {
        return *atomic_;
    }
    return *direct_;
}

bool ExportFile::Open() {
    failed_ = false;
    reason_.clear();
    const QFileInfo target(path_);
    // A device such as /dev/full or a pipe: swapping a regular file into its place would
    // replace the device itself.
    const bool special = target.exists() && !target.isFile() && !target.isDir();
    bool opened = false;
    // Unbuffered: a failing write then reports the system's reason; the blocks gathered here
    // keep the writes few.
    if (special) {
        direct_ = std::make_unique<QFile>(path_);
        opened = direct_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        atomic_ = std::make_unique<QSaveFile>(path_);
        opened = atomic_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    if (!opened) {
        Fail(Target().errorString());
        atomic_.reset();
        direct_.reset();
        return false;
    }
    block_.clear();
    block_.reserve(kBlockSize);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void ExportFile::Fail(const QString& reason) {
    if (!failed_) {
        failed_ = true;
        reason_ = reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
        setErrorString(reason_);
    }
}

bool ExportFile::WriteBlock() {
    if (failed_ || block_.isEmpty()) {
        return !failed_;
    }
    QFileDevice& target = Target();
    // A write cut short (the disk filled up during it) says nothing; the next one fails with
    // the system's reason.
    qsizetype done = 0;
    while (done < block_.size()) {
        const qint64 written = target.write(block_.constData() + done, block_.size() - done);
        if (written <= 0) {
            Fail(target.errorString());
            return false;
        }
        done += static_cast<qsizetype>(written);
    }
    block_.clear();
    return true;
}

qint64 ExportFile::readData(char*, qint64) {
    return -1;
}

qint64 ExportFile::writeData(const char* data, qint64 size) {
    if (failed_ || (!atomic_ && !direct_)) {
        return -1;
    }
    block_.append(data, static_cast<qsizetype>(size));
    if (block_.size() >= kBlockSize && !WriteBlock()) {
        return -1;
    }
    return size;
}

bool ExportFile::Commit() {
    if (!atomic_ && !direct_) {
        Fail(QStringLiteral("The file is not open"));
        return false;
    }
    bool done = WriteBlock();
    if (done && atomic_) {
        done = atomic_->commit();
        if (!done) {
            Fail(atomic_->errorString());
        }
    } else if (done) {
        direct_->close();
        // A device may refuse the data only when it is closed.
        if (direct_->error() != QFileDevice::NoError) {
            Fail(direct_->errorString());
            done = false;
        }
    }
    if (!done) {
        Discard();
    }
    atomic_.reset();
    direct_.reset();
    QIODevice::close();
    return done;
}

void ExportFile::Discard() {
    if (atomic_) {
        // The temporary file is removed when the save file goes without a commit.
        atomic_->cancelWriting();
        atomic_.reset();
    }
    direct_.reset();
    block_.clear();
    if (isOpen()) {
        QIODevice::close();
    }
}

QString SaveFileError(const QString& reason) {
    if (reason.isEmpty()) {
        return kErrorSaveFile;
    }
    return QStringLiteral("%1: %2").arg(kErrorSaveFile, reason);
}

}  // namespace plantrek
