#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "document/forms/form_field.h"

// File > Export...: which filter the save dialog opens on, which file a chosen name and filter
// make, which export an extension selects, and the `ExportType` remembered after a successful
// export. The exports themselves are the export layer's.
namespace plantrek {

class CTracepadDoc;

// The save dialog's filter: pairs of description and pattern, each followed by "|".
inline const QString kExportFilter = QStringLiteral(
    "AutoCAD (*.dxf)|*.dxf|Bitmap Image (*.bmp)|*.bmp|GIF Image (*.gif)|*.gif|JPEG Image "
    "(*.jpg)|*.jpg|Excel (*.xls)|*.xls|Comma Separated Values (*.csv)|*.csv|Tab Delimited Text "
    "(*.txt)|*.txt|All Files (*.*)|*.*|PNG Image (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF "
    "Document (*.pdf)|*.pdf|Room Schedule - Excel (*.xls)|*.xls|Room Schedule - Comma Separated "
    "Values (*.csv)|*.csv|Room Schedule - Tab Delimited Text (*.txt)|*.txt||");
inline const QString kExportErrorCaption = QStringLiteral("Export Error");
inline const QString kErrorUnknownFileType = QStringLiteral("Unknown file type");

// Filters are counted from 1, as the dialog counts them; 1 to 7 and 9 to 14 each name one
// extension. The later formats come after "All Files", each after the ones before it, so that
// the indices remembered by earlier versions keep their meaning. 12 to 14 are the room schedule
// in the summary's three formats.
inline constexpr int kDxfFilter = 1;
inline constexpr int kAllFilesFilter = 8;
inline constexpr int kScheduleXlsFilter = 12;

// Schedule: the room schedule, in the format the extension names (xls, csv or txt).
enum class ExportKind { Dxf, Bmp, Gif, Jpeg, Xls, Csv, Txt, Png, Svg, Pdf, Schedule };

struct ExportFilterEntry {
    QString description;  // "AutoCAD (*.dxf)"
    QString pattern;      // "*.dxf"
};

// The entries of kExportFilter in order (entry i is filter i + 1).
QList<ExportFilterEntry> ExportFilterEntries();

// The extension of a filter that names one, in lower case ("dxf", "bmp", ...); empty for any
// other.
QString ExportFilterExtension(int filterIndex);

// Whether the filter is one of the room schedule's.
bool IsScheduleFilter(int filterIndex);

// The filter the dialog opens on: the one whose type equals `exportType` exactly (case counts),
// else the DXF filter. A filter's type is its extension, "schedule-" and the extension for the
// room schedule's.
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
// The export a name and filter select: the extension's, except that with a room schedule's
// filter an xls, csv or txt name is the room schedule.
std::optional<ExportKind> ExportKindOf(const ExportTarget& target, int filterIndex);

class ExportForm {
public:
    enum class Field { FileName };

    // Writes the file of that kind to the path; the failure's text, or nothing on success.
    using Exporter =
        std::function<std::optional<QString>(CTracepadDoc&, ExportKind, const QString& path)>;

    // The filter of the last type exported, and no name yet.
    static ExportForm FromDocument(const CTracepadDoc& doc);
    // The name and filter must select an export, else "Unknown file type".
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // Runs the export the name selects; only a successful one sets `ExportType`, to the
    // extension as it was compared ("schedule-" before it for the room schedule). The failure's
    // text, or nothing on success.
    std::optional<QString> Apply(CTracepadDoc& doc, const Exporter& exporter) const;

    ExportTarget Target() const { return ResolveExportTarget(fileName, filterIndex); }

    QString fileName;
    int filterIndex = kDxfFilter;
};

}  // namespace plantrek
