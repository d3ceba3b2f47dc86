#include "document/files/site_file.h"

#include <QFileInfo>
#include <QSaveFile>

#include <new>

#include "document/files/durable_file.h"
#include "document/files/site_file_reader.h"
#include "document/files/site_file_writer.h"
#include "document/files/xml_element_reader.h"
#include "model/site.h"

namespace plantrek {

namespace {

const QString kOutOfMemory = QStringLiteral("There is not enough memory for this file.");

SiteFileResult Failure(const QString& reason) {
    return SiteFileResult{false, reason};
}

// Gathers the writer's many short writes (one per line) into large blocks for the file, so
// that a large site is saved with a few system calls rather than one per line. A block that
// cannot be written fails the next write, or the final Flush, with the file's own reason.
class BlockWriter : public QIODevice {
public:
    static constexpr qsizetype kBlockSize = 64 * 1024;

    explicit BlockWriter(QIODevice& target) : target_(target) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Writes what is held; false when this or an earlier block could not be written.
    bool Flush() {
        if (failed_) {
            return false;
        }
        qsizetype done = 0;
        while (done < block_.size()) {
            const qint64 written = target_.write(block_.constData() + done, block_.size() - done);
            if (written <= 0) {
                failed_ = true;
                setErrorString(target_.errorString());
                return false;
            }
            done += written;
        }
        block_.clear();
        return true;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failed_) {
            return -1;
        }
        block_.append(data, size);
        if (block_.size() >= kBlockSize && !Flush()) {
            return -1;
        }
        return size;
    }

private:
    QIODevice& target_;
    QByteArray block_;
    bool failed_ = false;
};

SiteFileResult Save(const Site& site, const QString& path) {
    QSaveFile file(path);
    // Unbuffered, so that a failing write reports the system's reason (a full disk, a file too
    // large) rather than a buffered flush's "Unknown error".
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Failure(file.errorString());
    }
    BlockWriter blocks(file);
    CSiteFileWriter writer(blocks, QFileInfo(path).fileName());
    site.Traverse(writer);
    if (!writer.Finish()) {
        file.cancelWriting();
        return Failure(writer.ErrorString());
    }
    if (!blocks.Flush()) {
        file.cancelWriting();
        return Failure(blocks.errorString());
    }
    if (!file.commit()) {
        return Failure(file.errorString());
    }
    // The save file renames itself over the old one but leaves the folder entry to the system's
    // leisure; a power cut then could bring the old file back.
    if (const auto failure = SyncFolderOf(path)) {
        return Failure(*failure);
    }
    return SiteFileResult{true, QString()};
}

// Reads with the given parse call, which runs the reader on a file or a device.
template <typename Parse>
SiteFileResult Load(Site& site, const QString& path, Parse parse) {
    CSiteLoadContext context(site);
    CXmlElementReader reader(path);
    context.RegisterHandlers(reader);
    if (!parse(reader)) {
        return Failure(reader.ErrorString());
    }
    if (context.HasFailed()) {
        return Failure(context.Failure());
    }
    context.FinishLevels();
    return SiteFileResult{true, QString()};
}

template <typename Parse>
SiteFileResult LoadOrReset(Site& site, const QString& path, Parse parse) {
    SiteFileResult result;
    try {
        result = Load(site, path, parse);
    } catch (const std::bad_alloc&) {
        result = Failure(kOutOfMemory);
    }
    if (!result.ok) {
        // Nothing half-read stays behind; the name the caller gave the new site does.
        const QString name = site.GetName();
        site = Site();
        site.SetName(name);
    }
    return result;
}

}  // namespace

SiteFileResult SaveSiteFile(const Site& site, const QString& path) {
    try {
        return Save(site, path);
    } catch (const std::bad_alloc&) {
        // The save file was dropped unfinished on the way out, so the old file is untouched.
        return Failure(kOutOfMemory);
    }
}

SiteFileResult LoadSiteFile(const QString& path, Site& site) {
    return LoadOrReset(site, path, [](CXmlElementReader& reader) { return reader.Parse(); });
}

SiteFileResult LoadSiteFile(QIODevice& device, Site& site) {
    return LoadOrReset(site, QString(),
                       [&device](CXmlElementReader& reader) { return reader.Parse(device); });
}

QString SaveFailureText(const QString& path, const SiteFileResult& result) {
    QString text = QStringLiteral("The file \"%1\" could not be saved.").arg(path);
    if (!result.errorText.isEmpty()) {
        text += QLatin1Char('\n') + result.errorText;
    }
    return text;
}

}  // namespace plantrek
