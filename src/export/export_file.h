#pragma once

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

#include <memory>

#include "export/export_result.h"

namespace plantrek {

// The file an export writes. A regular file is written beside the target under a temporary
// name and takes the target's place only when every byte is out, so a failed export leaves no
// cut-off or empty file and keeps any earlier one. A target that is a device or a pipe has no
// place to swap and is written directly. Writes are gathered into blocks; the first failure
// stops the rest and keeps the system's own reason ("No space left on device").
class ExportFile : public QIODevice {
public:
    explicit ExportFile(const QString& path);
    // Anything not committed is discarded; the target stays as it was.
    ~ExportFile() override;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Opens for writing; false with the reason in errorString().
    bool Open();
    // Puts the written file in place; false, with the reason and the target untouched, when
    // a write, the last block or the replacement failed.
    bool Commit();
    // Gives up: the temporary file goes, the target stays.
    void Discard();
    // The system's reason for the first failure; empty while all went well.
    const QString& Reason() const { return reason_; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool WriteBlock();
    void Fail(const QString& reason);
    QFileDevice& Target();

    QString path_;
    std::unique_ptr<QSaveFile> atomic_;
    std::unique_ptr<QFile> direct_;
    QByteArray block_;
    QString reason_;
    bool failed_ = false;
};

// "Couldn't save file: <reason>", or the text alone when the reason is not known.
QString SaveFileError(const QString& reason);
inline ExportResult SaveFileFailure(const QString& reason) {
    return ExportResult::Failure(SaveFileError(reason));
}

}  // namespace plantrek
