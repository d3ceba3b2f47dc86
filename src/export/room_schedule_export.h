#pragma once

#include <QString>

#include "export/export_result.h"

// The room schedule: what an estimator orders from. One row per room with its height, floor
// area, gross and net perimeter, gross and net wall area, volume and door thresholds, then one
// row per material in use with its totals and its order (allowance, order area, packs); in the
// user's units, as an Excel workbook, comma-separated values or tab-delimited text.
namespace plantrek {

class LengthUnits;
class Sheet;
class Site;

// Fills the sheet: a header row and a row per room in the site's order (a room that is not
// closed has its name and material only), an empty row, then a header row and a row per
// material that a room uses. With more than one level, a level column follows the room's name,
// the rooms come level by level (in drawing order within each), each level followed by a row of
// its totals, and a row of the whole site's totals ends the rooms. Lengths are rounded to
// thousandths and areas and volumes to hundredths of the display units. A room without a height
// of its own takes its level's, or `defaultHeight` (m) when the level has none. False when the
// table does not fit the sheet.
bool FillRoomSchedule(const Site& site, const LengthUnits& units, double defaultHeight,
                      Sheet& sheet);

// Writes the schedule to `path` in the format its extension names ("xls", "csv" or "txt"), with
// the room summary's failures: "Couldn't get site", "No valid rooms", "Couldn't create
// spreadsheet" and "Couldn't save file". The cells go to the file as they come, without a
// sheet; a file already at `path` is only replaced by a complete one.
ExportResult ExportRoomSchedule(const Site* site, const LengthUnits& units, double defaultHeight,
                                const QString& path);

}  // namespace plantrek
