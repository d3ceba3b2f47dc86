#pragma once

#include <QString>

#include "export/export_result.h"
#include "export/xls/delimited_writer.h"

// The room summary: the site's rooms grouped by material with their areas and perimeters in
// the user's units, as an Excel workbook, comma-separated values or tab-delimited text.
namespace plantrek {

class LengthUnits;
class Sheet;
class Site;
class Workbook;

inline const QString kErrorNoValidRooms = QStringLiteral("No valid rooms");
inline const QString kErrorNoSpreadsheet = QStringLiteral("Couldn't create spreadsheet");

enum class SummaryFormat { Unknown, Xls, Csv, Txt };

// From the text after the path's last ".", case ignored.
SummaryFormat SummaryFormatOf(const QString& path);

// Writes the workbook, or its sheet as delimited text, to `path` in `format`, through a file that
// replaces `path` only when complete. On failure the reason is in `reason`, empty when the
// format is not one of the three.
bool WriteSheetFile(Workbook& book, const Sheet& sheet, SummaryFormat format, const QString& path,
                    QString* reason, DoubleText doubles);

// Fills the sheet with the summary table: a header row, then per material in use one row with
// its name and totals followed by one row per room of that material. Rooms that are not
// closed are listed with area 0. False when the table does not fit the sheet.
bool FillRoomSummary(const Site& site, const LengthUnits& units, Sheet& sheet);

// Writes the summary to `path` in the format its extension names ("xls", "csv" or "txt").
// Fails with "Couldn't get site" without a site, "No valid rooms" when no room is closed,
// "Couldn't create spreadsheet" when the table cannot be built and "Couldn't save file" when
// the file cannot be written or the extension is none of the three. A file already at `path`
// is only replaced by a complete one.
ExportResult ExportRoomSummary(const Site* site, const LengthUnits& units, const QString& path);

}  // namespace plantrek
