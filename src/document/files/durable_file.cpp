#include "document/files/durable_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "document/files/system_error_text.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace plantrek {

#ifdef Q_OS_UNIX

namespace {

QString Reason(int code) {
    return GetSystemErrorText(code);
}

bool WriteAll(int fd, QByteArrayView data) {
    const char* next = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

}  // namespace

std::optional<QString> SyncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return Reason(errno);
    }
    const bool synced = ::fsync(fd) == 0;
    const int code = errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all; their entries are as safe as they get.
    if (!synced && code != EINVAL && code != ENOTSUP) {
        return Reason(code);
    }
    return std::nullopt;
}

std::optional<QString> WriteFileDurably(const QString& path, QByteArrayView data) {
    const QFileInfo target(path);
    QByteArray temporary =
        QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()) +
        ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return Reason(errno);
    }
    bool written = WriteAll(fd, data) && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        code = errno;
    }
    if (written && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        written = false;
        code = errno;
    }
    if (!written) {
        ::unlink(temporary.constData());
        return Reason(code);
    }
    return SyncFolderOf(path);
}

#else

std::optional<QString> SyncFolderOf(const QString&) {
    // Elsewhere the rename of a committed save file reaches the disk with the file itself.
    return std::nullopt;
}

std::optional<QString> WriteFileDurably(const QString& path, QByteArrayView data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data.data(), data.size()) != data.size() ||
        !file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

#endif

}  // namespace plantrek
