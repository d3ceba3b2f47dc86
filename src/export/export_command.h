#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "export/export_result.h"

// File > Export... without its dialog: which filter the dialog opens on, which file a chosen
// name and filter make, and which export writes it. The window shows the dialog and, on
// failure, the error text under kExportErrorCaption with the stop icon.
namespace plantrek {

class CTracepadDoc;

// The save dialog's filter: pairs of description and pattern, each followed by "|".
inline const QString kExportFilter = QStringLiteral(
    "AutoCAD (*.dxf)|*.dxf|Bitmap Image (*.bmp)|*.bmp|GIF Image (*.gif)|*.gif|JPEG Image "
    "(*.jpg)|*.jpg|Excel (*.xls)|*.xls|Comma Separated Values (*.csv)|*.csv|Tab Delimited Text "
    "(*.txt)|*.txt|All Files (*.*)|*.*||");
inline const QString kExportErrorCaption = QStringLiteral("Export Error");
inline const QString kErrorUnknownFileType = QStringLiteral("Unknown file type");

// Filters are counted from 1, as the dialog counts them; 1 to 7 each name one extension.
inline constexpr int kDxfFilter = 1;
inline constexpr int kAllFilesFilter = 8;

enum class ExportKind { Dxf, Bmp, Gif, Jpeg, Xls, Csv, Txt };

struct ExportFilterEntry {
    QString description;  // "AutoCAD (*.dxf)"
    QString pattern;      // "*.dxf"
};

// The entries of kExportFilter in order (entry i is filter i + 1).
QList<ExportFilterEntry> ExportFilterEntries();

// The extension of filter 1 to 7 in lower case ("dxf", "bmp", ...); empty for any other.
QString ExportFilterExtension(int filterIndex);

// The filter the dialog opens on: the one whose extension equals `exportType` exactly (case
// counts), else the DXF filter.
int ExportFilterIndexFor(const QString& exportType);

// The extension and path a chosen file name makes. The extension is the text after the last "."
// of the file name itself (a dot in a folder name does not count). When it is empty and the
// filter names an extension, that extension is taken and put on the path, in place of a
// trailing "." when the name ends with one.
struct ExportTarget {
    QString path;
    QString extension;  // as typed: capitals stay capitals
};
ExportTarget ResolveExportTarget(const QString& chosenPath, int filterIndex);

// The export an extension selects, case ignored; nothing for an unknown extension.
std::optional<ExportKind> ExportKindOf(const QString& extension);

// Writes the document to the file the chosen name and filter make. Fails with
// "Unknown file type" when the extension selects no export, else with the export's own error
// text. Only a successful export sets `ExportType`, to the extension as it was compared.
ExportResult ExportChosenFile(CTracepadDoc& doc, const QString& chosenPath, int filterIndex);

}  // namespace plantrek
