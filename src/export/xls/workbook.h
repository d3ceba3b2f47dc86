#pragma once

#include "export/xls/sheet.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <vector>

namespace plantrek {

// An in-memory workbook of worksheets, saved as an Excel 97-2003 file: a compound file holding
// one "Workbook" stream of BIFF8 records.
class Workbook {
public:
    // Creates `sheets` empty sheets named "Sheet1", "Sheet2", ...
    explicit Workbook(int sheets = 1);

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    // None when the index is out of range.
    Sheet* GetSheet(int index);
    const Sheet* GetSheet(int index) const;
    QString SheetName(int index) const;

    // The BIFF8 records of the whole workbook, as stored in the "Workbook" stream.
    QByteArray WorkbookStream() const;

    // Writes the whole file to `device`; false on failure, with ErrorString() set. The caller
    // makes the file take its place only when this succeeded.
    bool Write(QIODevice& device);
    // Writes the file through a temporary file that replaces `path` only when complete, so a
    // failed save never leaves a damaged file behind. False on failure, with ErrorString() set.
    bool SaveAs(const QString& path);
    QString ErrorString() const { return error_; }

private:
    std::vector<Sheet> sheets_;
    QStringList names_;
    QString error_;
};

// Writes an Excel 97-2003 file holding these BIFF8 records (BiffWorkbookWriter's pieces, or a
// whole WorkbookStream) to `device`; false on failure, with the reason in `error`.
bool WriteWorkbookFile(QIODevice& device, const std::vector<QByteArray>& stream, QString* error);

}  // namespace plantrek
