#include "export/room_summary_export.h"

#include <optional>

#include "export/export_file.h"
#include "export/xls/workbook.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

enum Column { kMaterialColumn = 0, kRoomColumn = 1, kAreaColumn = 2, kPerimeterColumn = 3 };

bool SetText(Sheet& sheet, int row, int column, const QString& text) {
    Cell* cell = sheet.Cell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->SetText(text);
    return true;
}

bool SetNumber(Sheet& sheet, int row, int column, double value) {
    Cell* cell = sheet.Cell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->SetDouble(value);
    return true;
}

}  // namespace

SummaryFormat SummaryFormatOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0) {
        return SummaryFormat::Unknown;
    }
    const QString extension = path.mid(dot + 1).toLower();
    if (extension == u"xls") {
        return SummaryFormat::Xls;
    }
    if (extension == u"csv") {
        return SummaryFormat::Csv;
    }
    if (extension == u"txt") {
        return SummaryFormat::Txt;
    }
    return SummaryFormat::Unknown;
}

bool WriteSheetFile(Workbook& book, const Sheet& sheet, SummaryFormat format, const QString& path,
                    QString* reason, DoubleText doubles) {
    if (format == SummaryFormat::Unknown) {
        return false;
    }
    ExportFile file(path);
    if (!file.Open()) {
        *reason = file.Reason();
        return false;
    }
    bool written = false;
    switch (format) {
        case SummaryFormat::Xls:
            written = book.Write(file);
            break;
        case SummaryFormat::Csv:
            written = WriteDelimited(sheet, file, ',', QChar(u'"'), doubles);
            break;
        case SummaryFormat::Txt:
            written = WriteDelimited(sheet, file, '\t', std::nullopt, doubles);
            break;
        case SummaryFormat::Unknown:
            break;
    }
    if (!written || !file.Commit()) {
        *reason = !file.Reason().isEmpty() ? file.Reason() : book.ErrorString();
        return false;
    }
    return true;
}

bool FillRoomSummary(const Site& site, const LengthUnits& units, Sheet& sheet) {
    bool fits =
        SetText(sheet, 0, kMaterialColumn, QStringLiteral("Material")) &&
        SetText(sheet, 0, kRoomColumn, QStringLiteral("Room")) &&
        SetText(sheet, 0, kAreaColumn, QStringLiteral("Area (%1)").arg(units.AreaUnitName())) &&
        SetText(sheet, 0, kPerimeterColumn,
                QStringLiteral("Perimeter (%1)").arg(units.LengthUnitName()));
    int row = 1;
    // The material list itself rather than lookups by name: names are compared without case,
    // so two materials whose names differ only in case would otherwise list one set of rooms
    // twice and the other never.
    for (const auto& material : site.Materials()) {
        if (!fits) {
            break;
        }
        if (!material) {
            continue;
        }
        const std::vector<const Room*> rooms = site.RoomsWithMaterial(material->GetIndex());
        if (rooms.empty()) {
            continue;
        }
        const int materialRow = row++;
        double totalArea = 0.0;
        double totalPerimeter = 0.0;
        for (const Room* room : rooms) {
            const double area = room->GetArea();
            const double perimeter = room->GetPerimeter();
            fits = fits && SetText(sheet, row, kRoomColumn, room->GetName()) &&
                   SetNumber(sheet, row, kAreaColumn, units.ToDisplayArea(area)) &&
                   SetNumber(sheet, row, kPerimeterColumn, units.ToDisplayLength(perimeter));
            totalArea += area;
            totalPerimeter += perimeter;
            ++row;
        }
        fits =
            fits && SetText(sheet, materialRow, kMaterialColumn, material->GetName()) &&
            SetNumber(sheet, materialRow, kAreaColumn, units.ToDisplayArea(totalArea)) &&
            SetNumber(sheet, materialRow, kPerimeterColumn, units.ToDisplayLength(totalPerimeter));
    }
    return fits;
}

ExportResult ExportRoomSummary(const Site* site, const LengthUnits& units, const QString& path) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    if (site->CountClosedRooms() == 0) {
        return ExportResult::Failure(kErrorNoValidRooms);
    }
    Workbook book(1);
    Sheet* sheet = book.GetSheet(0);
    if (sheet == nullptr || !FillRoomSummary(*site, units, *sheet)) {
        return ExportResult::Failure(kErrorNoSpreadsheet);
    }
    QString reason;
    if (!WriteSheetFile(book, *sheet, SummaryFormatOf(path), path, &reason,
                        DoubleText::SixDecimals)) {
        return SaveFileFailure(reason);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
