#include "export/xls/workbook.h"

#include "export/xls/biff_writer.h"
#include "export/xls/compound_file_writer.h"

#include <QSaveFile>

#include <limits>

namespace plantrek {

namespace {

const QString kStreamName = QStringLiteral("Workbook");

}  // namespace

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
    const QByteArray stream = WorkbookStream();
    // Record positions inside the stream are 32-bit.
    if (static_cast<quint64>(stream.size()) > std::numeric_limits<quint32>::max()) {
        error_ = QStringLiteral("The workbook is too large");
        return false;
    }
    if (!WriteCompoundFile(device, kStreamName, stream)) {
        error_ = device.errorString();
        return false;
    }
    return true;
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
