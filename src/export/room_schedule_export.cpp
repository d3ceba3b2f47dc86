#include "export/room_schedule_export.h"

#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

#include "export/export_file.h"
#include "export/room_summary_export.h"
#include "export/xls/workbook.h"
#include "model/room_quantities.h"
#include "model/opening.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

// The sheet being filled; once a cell falls outside the sheet every later write is skipped.
class Table {
public:
    explicit Table(Sheet& sheet) : sheet_(sheet) {}

    bool Fits() const { return fits_; }

    void Text(int row, int column, const QString& text) {
        if (plantrek::Cell* cell = At(row, column)) {
            cell->SetText(text);
        }
    }
    void Number(int row, int column, double value, int decimals) {
        if (plantrek::Cell* cell = At(row, column)) {
            const double scale = std::pow(10.0, decimals);
            // + 0.0: a value rounded to nothing from below is 0, not -0.
            cell->SetDouble(std::round(value * scale) / scale + 0.0);
        }
    }
    void Count(int row, int column, int value) {
        if (plantrek::Cell* cell = At(row, column)) {
            cell->SetInteger(value);
        }
    }
    void Headers(int row, const QStringList& headers) {
        for (int column = 0; column < headers.size(); ++column) {
            Text(row, column, headers[column]);
        }
    }

private:
    plantrek::Cell* At(int row, int column) {
        plantrek::Cell* cell = fits_ ? sheet_.Cell(row, column) : nullptr;
        fits_ = cell != nullptr;
        return cell;
    }

    Sheet& sheet_;
    bool fits_ = true;
};

constexpr int kLengthDecimals = 3;
constexpr int kAreaDecimals = 2;

// What the rooms of one material add up to.
struct MaterialTotals {
    int rooms = 0;
    double floorArea = 0.0;
    double netPerimeter = 0.0;
    double netWallArea = 0.0;
    double volume = 0.0;
};

}  // namespace

bool FillRoomSchedule(const Site& site, const LengthUnits& units, double defaultHeight,
                      Sheet& sheet) {
    const QString length = units.LengthUnitName();
    const QString area = units.AreaUnitName();
    const QString volume = units.IsMetric() ? QStringLiteral("cu m") : QStringLiteral("cu ft");
    // Display volume per cubic metre: the units convert lengths and areas by plain factors.
    const double volumeFactor = units.ToDisplayLength(1.0) * units.ToDisplayArea(1.0);
    Table table(sheet);
    table.Headers(0, {QStringLiteral("Room"), QStringLiteral("Material"),
                      QStringLiteral("Height (%1)").arg(length),
                      QStringLiteral("Floor Area (%1)").arg(area),
                      QStringLiteral("Gross Perimeter (%1)").arg(length),
                      QStringLiteral("Net Perimeter (%1)").arg(length),
                      QStringLiteral("Gross Wall Area (%1)").arg(area),
                      QStringLiteral("Net Wall Area (%1)").arg(area),
                      QStringLiteral("Volume (%1)").arg(volume), QStringLiteral("Thresholds"),
                      QStringLiteral("Threshold Width (%1)").arg(length)});

    const SharedOpeningIndex shared(site);
    std::unordered_map<int, MaterialTotals> totals;
    int row = 1;
    for (const auto& room : site.Rooms()) {
        if (!table.Fits()) {
            return false;
        }
        table.Text(row, 0, room->GetName());
        MaterialTotals& sums = totals[room->GetMaterial()];
        ++sums.rooms;
        if (const Material* material = site.FindMaterialByIndex(room->GetMaterial())) {
            table.Text(row, 1, material->GetName());
        }
        if (const auto q = ComputeRoomQuantities(shared, *room, defaultHeight)) {
            table.Number(row, 2, units.ToDisplayLength(q->height), kLengthDecimals);
            table.Number(row, 3, units.ToDisplayArea(q->floorArea), kAreaDecimals);
            table.Number(row, 4, units.ToDisplayLength(q->grossPerimeter), kLengthDecimals);
            table.Number(row, 5, units.ToDisplayLength(q->netPerimeter), kLengthDecimals);
            table.Number(row, 6, units.ToDisplayArea(q->grossWallArea), kAreaDecimals);
            table.Number(row, 7, units.ToDisplayArea(q->netWallArea), kAreaDecimals);
            table.Number(row, 8, q->volume * volumeFactor, kAreaDecimals);
            table.Count(row, 9, q->thresholdCount);
            table.Number(row, 10, units.ToDisplayLength(q->thresholdWidth), kLengthDecimals);
            sums.floorArea += q->floorArea;
            sums.netPerimeter += q->netPerimeter;
            sums.netWallArea += q->netWallArea;
            sums.volume += q->volume;
        }
        ++row;
    }

    ++row;  // an empty row between the two tables
    table.Headers(row++, {QStringLiteral("Material"), QStringLiteral("Rooms"),
                          QStringLiteral("Floor Area (%1)").arg(area),
                          QStringLiteral("Net Perimeter (%1)").arg(length),
                          QStringLiteral("Net Wall Area (%1)").arg(area),
                          QStringLiteral("Volume (%1)").arg(volume),
                          QStringLiteral("Allowance (%)"),
                          QStringLiteral("Order Area (%1)").arg(area),
                          QStringLiteral("Pack Area (%1)").arg(area), QStringLiteral("Packs")});
    // The material list itself: two names that differ only in case are two materials.
    for (const auto& material : site.Materials()) {
        const auto found = material ? totals.find(material->GetIndex()) : totals.end();
        if (found == totals.end() || !table.Fits()) {
            continue;
        }
        const MaterialTotals& sums = found->second;
        const MaterialOrder order = ComputeMaterialOrder(*material, sums.floorArea);
        table.Text(row, 0, material->GetName());
        table.Count(row, 1, sums.rooms);
        table.Number(row, 2, units.ToDisplayArea(sums.floorArea), kAreaDecimals);
        table.Number(row, 3, units.ToDisplayLength(sums.netPerimeter), kLengthDecimals);
        table.Number(row, 4, units.ToDisplayArea(sums.netWallArea), kAreaDecimals);
        table.Number(row, 5, sums.volume * volumeFactor, kAreaDecimals);
        table.Number(row, 6, std::max(0.0, material->GetWastePercent()), kAreaDecimals);
        table.Number(row, 7, units.ToDisplayArea(order.orderArea), kAreaDecimals);
        if (material->GetPackArea() > 0.0) {
            table.Number(row, 8, units.ToDisplayArea(material->GetPackArea()), kAreaDecimals);
            table.Count(row, 9, order.packs);
        }
        ++row;
    }
    return table.Fits();
}

ExportResult ExportRoomSchedule(const Site* site, const LengthUnits& units, double defaultHeight,
                                const QString& path) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    if (site->CountClosedRooms() == 0) {
        return ExportResult::Failure(kErrorNoValidRooms);
    }
    Workbook book(1);
    Sheet* sheet = book.GetSheet(0);
    if (sheet == nullptr || !FillRoomSchedule(*site, units, defaultHeight, *sheet)) {
        return ExportResult::Failure(kErrorNoSpreadsheet);
    }
    QString reason;
    if (!WriteSheetFile(book, *sheet, SummaryFormatOf(path), path, &reason,
                        DoubleText::Shortest)) {
        return SaveFileFailure(reason);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
