#include "export/xls/workbook.h"

#include "export/xls/biff_writer.h"
#include "export/xls/compound_file_writer.h"

#include <QSaveFile>

#include <limits>

namespace plantrek {

namespace {

const QString kStreamName = QStringLiteral("Workbook");

}  // namespace

bool WriteWorkbookFile(QIODevice& device, const std::vector<QByteArray>& stream, QString* error) {
    quint64 size = 0;
    for (const QByteArray& piece : stream) {
        size += static_cast<quint64>(piece.size());
    }
    // Record positions inside the stream are 32-bit.
    if (size > std::numeric_limits<quint32>::max()) {
        *error = QStringLiteral("The workbook is too large");
        return false;
    }
    if (!WriteCompoundFile(device, kStreamName, stream)) {
        *error = device.errorString();
        return false;
    }
    return true;
}

Workbook::Workbook(int sheets) {
    for (int i = 0; i < sheets; ++i) {
        sheets_.emplace_back();
        names_.append(QStringLiteral("Sheet%1").arg(i + 1));
    }
}

Sheet* Workbook::GetSheet(int index) {
    return index >= 0 && index < SheetCount() ? &sheets_[index] : nullptr;
}

const Sheet* Workbook::GetSheet(int index) const {
    return index >= 0 && index < SheetCount() ? &sheets_[index] : nullptr;
}

QString Workbook::SheetName(int index) const {
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

QByteArray Workbook::WorkbookStream() const {
    std::vector<BiffSheet> sheets;
    sheets.reserve(sheets_.size());
    for (int i = 0; i < SheetCount(); ++i) {
        sheets.push_back({names_[i], &sheets_[i]});
    }
    return BuildWorkbookStream(sheets);
}

bool Workbook::Write(QIODevice& device) {
    error_.clear();
    if (sheets_.empty()) {
        // Spreadsheet programs refuse a workbook without a sheet.
        error_ = QStringLiteral("The workbook has no sheet");
        return false;
    }
    return WriteWorkbookFile(device, {WorkbookStream()}, &error_);
}

bool Workbook::SaveAs(const QString& path) {
    QSaveFile file(path);
    // Unbuffered, so that every write that fails says so with the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error_ = file.errorString();
        return false;
    }
    if (!Write(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error_ = file.errorString();
        return false;
    }
    return true;
}

}  // namespace plantrek
