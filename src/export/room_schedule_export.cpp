#include "export/room_schedule_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "export/export_file.h"
#include "export/room_summary_export.h"
#include "export/xls/delimited_writer.h"
#include "export/xls/workbook.h"
#include "model/room_quantities.h"
#include "model/opening.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

constexpr double kScales[] = {1.0, 10.0, 100.0, 1000.0};

// A number rounded to `decimals` (0 to 3) places.
double Rounded(double value, int decimals) {
    const double scale = kScales[decimals];
    // + 0.0: a value rounded to nothing from below is 0, not -0.
    return std::round(value * scale) / scale + 0.0;
}

// The rounded number as AppendDelimitedDouble writes it in the fewest digits that read back as
// the same number. Below 10^12 units that is the whole number of units (thousandths, ...) with
// the point put in and trailing zeros dropped: any other text of at most that many decimals is
// at least a unit away, far more than the gap between two doubles there.
void AppendRounded(QByteArray& out, double value, int decimals) {
    const double units = std::round(value * kScales[decimals]);
    if (!(std::fabs(units) < 1e12)) {
        AppendDelimitedDouble(out, Rounded(value, decimals), DoubleText::Shortest);
        return;
    }
    auto whole = static_cast<std::int64_t>(units);
    if (whole < 0) {
        out += '-';
        whole = -whole;
    }
    const auto scale = static_cast<std::int64_t>(kScales[decimals]);
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, whole / scale).ptr - buffer);
    std::int64_t fraction = whole % scale;
    if (fraction == 0) {
        return;
    }
    int digits = decimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    char* end = buffer + 1 + digits;
    buffer[0] = '.';
    for (char* at = end - 1; at > buffer; --at, fraction /= 10) {
        *at = static_cast<char>('0' + fraction % 10);
    }
    out.append(buffer, end - buffer);
}

// The sheet being filled; once a cell falls outside the sheet every later write is skipped.
class SheetTable {
public:
    explicit SheetTable(Sheet& sheet) : sheet_(sheet) {}

    bool Fits() const { return fits_; }

    void Text(int row, int column, const QString& text) {
        if (plantrek::Cell* cell = At(row, column)) {
            cell->SetText(text);
        }
    }
    void Number(int row, int column, double value, int decimals) {
        if (plantrek::Cell* cell = At(row, column)) {
            cell->SetDouble(Rounded(value, decimals));
        }
    }
    void Count(int row, int column, int value) {
        if (plantrek::Cell* cell = At(row, column)) {
            cell->SetInteger(value);
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

// The same table written straight out as delimited text, as WriteDelimited writes the sheet
// that SheetTable fills, without building the sheet. Cells come row by row, each row's from
// left to right; every row has `columns` fields.
class DelimitedTable {
public:
    DelimitedTable(int columns, char separator, std::optional<QChar> quote)
        : columns_(columns), separator_(separator), quote_(quote) {
        blankLine_ = QByteArray(columns_ - 1, separator_) + '\n';
    }

    bool Fits() const { return fits_; }

    void Text(int row, int column, const QString& text) {
        if (At(row, column)) {
            AppendDelimitedText(out_, text, quote_);
        }
    }
    void Number(int row, int column, double value, int decimals) {
        if (At(row, column)) {
            AppendRounded(out_, value, decimals);
        }
    }
    void Count(int row, int column, int value) {
        if (At(row, column)) {
            AppendDelimitedInteger(out_, value);
        }
    }

    // The whole text, once every cell is in.
    const QByteArray& Finish() {
        if (row_ >= 0) {
            EndRow();
            row_ = -1;
        }
        return out_;
    }

private:
    bool At(int row, int column) {
        fits_ = fits_ && row >= 0 && row < Sheet::kMaxRows && column >= 0 && column < columns_;
        if (!fits_) {
            return false;
        }
        Q_ASSERT(row > row_ || (row == row_ && column > column_) || (row == row_ && column == 0));
        if (row != row_) {
            if (row_ >= 0) {
                EndRow();
            }
            for (int skipped = row_ + 1; skipped < row; ++skipped) {
                out_ += blankLine_;
            }
            row_ = row;
            column_ = 0;
        }
        for (; column_ < column; ++column_) {
            out_ += separator_;
        }
        return true;
    }

    void EndRow() {
        for (; column_ + 1 < columns_; ++column_) {
            out_ += separator_;
        }
        out_ += '\n';
    }

    const int columns_;
    const char separator_;
    const std::optional<QChar> quote_;
    QByteArray blankLine_;
    QByteArray out_;
    int row_ = -1;     // the row being written
    int column_ = 0;   // separators written in it so far
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

// The two tables' header rows.
struct Headers {
    QStringList rooms;
    QStringList materials;

    int Columns() const { return static_cast<int>(std::max(rooms.size(), materials.size())); }
};

Headers HeadersIn(const LengthUnits& units, const QString& volume) {
    const QString length = units.LengthUnitName();
    const QString area = units.AreaUnitName();
    return {{QStringLiteral("Room"), QStringLiteral("Material"),
             QStringLiteral("Height (%1)").arg(length),
             QStringLiteral("Floor Area (%1)").arg(area),
             QStringLiteral("Gross Perimeter (%1)").arg(length),
             QStringLiteral("Net Perimeter (%1)").arg(length),
             QStringLiteral("Gross Wall Area (%1)").arg(area),
             QStringLiteral("Net Wall Area (%1)").arg(area),
             QStringLiteral("Volume (%1)").arg(volume), QStringLiteral("Thresholds"),
             QStringLiteral("Threshold Width (%1)").arg(length)},
            {QStringLiteral("Material"), QStringLiteral("Rooms"),
             QStringLiteral("Floor Area (%1)").arg(area),
             QStringLiteral("Net Perimeter (%1)").arg(length),
             QStringLiteral("Net Wall Area (%1)").arg(area),
             QStringLiteral("Volume (%1)").arg(volume), QStringLiteral("Allowance (%)"),
             QStringLiteral("Order Area (%1)").arg(area),
             QStringLiteral("Pack Area (%1)").arg(area), QStringLiteral("Packs")}};
}

QString VolumeName(const LengthUnits& units) {
    return units.IsMetric() ? QStringLiteral("cu m") : QStringLiteral("cu ft");
}

template <typename Table>
void HeaderRow(Table& table, int row, const QStringList& headers) {
    for (int column = 0; column < headers.size(); ++column) {
        table.Text(row, column, headers[column]);
    }
}

template <typename Table>
bool Fill(const Site& site, const LengthUnits& units, double defaultHeight,
          const Headers& headers, Table& table) {
    // Display volume per cubic metre: the units convert lengths and areas by plain factors.
    const double volumeFactor = units.ToDisplayLength(1.0) * units.ToDisplayArea(1.0);
    HeaderRow(table, 0, headers.rooms);

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
    HeaderRow(table, row++, headers.materials);
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

// Writes the bytes to `path` through a file that replaces it only when complete.
bool WriteBytes(const QByteArray& bytes, const QString& path, QString* reason) {
    ExportFile file(path);
    if (!file.Open() || file.write(bytes) != bytes.size() || !file.Commit()) {
        *reason = file.Reason();
        return false;
    }
    return true;
}

}  // namespace

bool FillRoomSchedule(const Site& site, const LengthUnits& units, double defaultHeight,
                      Sheet& sheet) {
    SheetTable table(sheet);
    return Fill(site, units, defaultHeight, HeadersIn(units, VolumeName(units)), table);
}

ExportResult ExportRoomSchedule(const Site* site, const LengthUnits& units, double defaultHeight,
                                const QString& path) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    if (site->CountClosedRooms() == 0) {
        return ExportResult::Failure(kErrorNoValidRooms);
    }
    const SummaryFormat format = SummaryFormatOf(path);
    if (format == SummaryFormat::Csv || format == SummaryFormat::Txt) {
        // Straight to text: the same bytes as the sheet below would give, without the sheet.
        const bool csv = format == SummaryFormat::Csv;
        const Headers headers = HeadersIn(units, VolumeName(units));
        DelimitedTable table(headers.Columns(), csv ? ',' : '\t',
                             csv ? std::optional<QChar>(u'"') : std::nullopt);
        if (!Fill(*site, units, defaultHeight, headers, table)) {
            return ExportResult::Failure(kErrorNoSpreadsheet);
        }
        QString reason;
        if (!WriteBytes(table.Finish(), path, &reason)) {
            return SaveFileFailure(reason);
        }
        return ExportResult::Success();
    }
    Workbook book(1);
    Sheet* sheet = book.GetSheet(0);
    if (sheet == nullptr || !FillRoomSchedule(*site, units, defaultHeight, *sheet)) {
        return ExportResult::Failure(kErrorNoSpreadsheet);
    }
    QString reason;
    if (!WriteSheetFile(book, *sheet, format, path, &reason, DoubleText::Shortest)) {
        return SaveFileFailure(reason);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
