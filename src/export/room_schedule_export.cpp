#include "export/room_schedule_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "export/export_file.h"
#include "export/room_summary_export.h"
#include "export/xls/biff_writer.h"
#include "export/xls/delimited_writer.h"
#include "export/xls/workbook.h"
#include "model/material.h"
#include "model/opening.h"
#include "model/room.h"
#include "model/room_quantities.h"
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

// Enough room for any number that WriteRounded writes.
constexpr int kNumberSpace = 400;

// The rounded number as AppendDelimitedDouble writes it in the fewest digits that read back as
// the same number, at `at`; returns the end. Below 10^12 units that is the whole number of units
// (thousandths, ...) with the point put in and trailing zeros dropped: any other text of at most
// that many decimals is at least a unit away, far more than the gap between two doubles there.
char* WriteRounded(char* at, double value, int decimals) {
    const double units = std::round(value * kScales[decimals]);
    if (!(std::fabs(units) < 1e12)) {
        QByteArray text;
        AppendDelimitedDouble(text, Rounded(value, decimals), DoubleText::Shortest);
        std::memcpy(at, text.constData(), static_cast<std::size_t>(text.size()));
        return at + text.size();
    }
    auto whole = static_cast<std::int64_t>(units);
    if (whole < 0) {
        *at++ = '-';
        whole = -whole;
    }
    const auto scale = static_cast<std::int64_t>(kScales[decimals]);
    at = std::to_chars(at, at + 24, whole / scale).ptr;
    std::int64_t fraction = whole % scale;
    if (fraction == 0) {
        return at;
    }
    int digits = decimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    *at = '.';
    char* end = at + 1 + digits;
    for (char* digit = end - 1; digit > at; --digit, fraction /= 10) {
        *digit = static_cast<char>('0' + fraction % 10);
    }
    return end;
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

// The same table encoded straight into workbook records as its cells come, without a sheet:
// the same cells give the same workbook.
class WorkbookTable {
public:
    // `texts`: about how many different texts the table holds.
    explicit WorkbookTable(qsizetype texts) {
        writer_.BeginSheet(QStringLiteral("Sheet1"));
        writer_.ReserveTexts(texts);
    }

    bool Fits() const { return fits_; }

    void Text(int row, int column, const QString& text) {
        fits_ = fits_ && writer_.Text(row, column, text);
    }
    void Number(int row, int column, double value, int decimals) {
        fits_ = fits_ && writer_.Double(row, column, Rounded(value, decimals));
    }
    void Count(int row, int column, int value) {
        fits_ = fits_ && writer_.Integer(row, column, value);
    }

    std::vector<QByteArray> Finish() { return writer_.Finish(); }

private:
    BiffWorkbookWriter writer_;
    bool fits_ = true;
};

// The same table written straight out as delimited text, as WriteDelimited writes the sheet
// that SheetTable fills, without building the sheet. Cells come row by row, each row's from
// left to right; every row has `columns` fields. The text goes to the device in blocks.
class DelimitedTable {
public:
    DelimitedTable(QIODevice& device, int columns, char separator, std::optional<QChar> quote)
        : device_(device),
          columns_(columns),
          separator_(separator),
          quote_(quote),
          out_(kBlockSize + 4 * kNumberSpace, Qt::Uninitialized) {}

    bool Fits() const { return fits_; }

    void Text(int row, int column, const QString& text) {
        if (!At(row, column)) {
            return;
        }
        // ASCII without the quote in it goes in as it is; anything else as AppendDelimitedText
        // has it.
        const char16_t mark = quote_ ? quote_->unicode() : 0;
        const char16_t* from = reinterpret_cast<const char16_t*>(text.utf16());
        const qsizetype size = text.size();
        bool plain = !quote_ || mark < 0x80;
        for (qsizetype i = 0; plain && i < size; ++i) {
            plain = from[i] < 0x80 && (!quote_ || from[i] != mark);
        }
        if (!plain) {
            QByteArray field;
            AppendDelimitedText(field, text, quote_);
            Put(field.constData(), field.size());
            return;
        }
        char* at = Space(size + 2);
        if (quote_) {
            *at++ = static_cast<char>(mark);
        }
        for (qsizetype i = 0; i < size; ++i) {
            *at++ = static_cast<char>(from[i]);
        }
        if (quote_) {
            *at++ = static_cast<char>(mark);
        }
        used_ = at - out_.data();
    }
    void Number(int row, int column, double value, int decimals) {
        if (At(row, column)) {
            used_ = WriteRounded(Space(kNumberSpace), value, decimals) - out_.data();
        }
    }
    void Count(int row, int column, int value) {
        if (At(row, column)) {
            char* at = Space(16);
            used_ = std::to_chars(at, at + 16, value).ptr - out_.data();
        }
    }

    // Ends the last row and writes what is left; false when the device took less than all.
    bool Finish() {
        if (row_ >= 0) {
            EndRow();
            row_ = -1;
        }
        return Flush();
    }

private:
    static constexpr qsizetype kBlockSize = 1 << 16;

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
                Separators(columns_ - 1);
                Put("\n", 1);
            }
            row_ = row;
            column_ = 0;
        }
        Separators(column - column_);
        column_ = column;
        return true;
    }

    void EndRow() {
        Separators(columns_ - 1 - column_);
        column_ = columns_ - 1;
        Put("\n", 1);
        if (used_ >= kBlockSize) {
            Flush();
        }
    }

    // Room for `size` more bytes at the end of what is written.
    char* Space(qsizetype size) {
        if (used_ + size > out_.size()) {
            Flush();
            if (size > out_.size()) {
                out_.resize(size);
            }
        }
        return out_.data() + used_;
    }

    void Put(const char* bytes, qsizetype size) {
        std::memcpy(Space(size), bytes, static_cast<std::size_t>(size));
        used_ += size;
    }

    void Separators(int count) {
        if (count > 0) {
            std::memset(Space(count), separator_, static_cast<std::size_t>(count));
            used_ += count;
        }
    }

    bool Flush() {
        written_ = written_ && device_.write(out_.constData(), used_) == used_;
        used_ = 0;
        return written_;
    }

    QIODevice& device_;
    const int columns_;
    const char separator_;
    const std::optional<QChar> quote_;
    QByteArray out_;    // a block's bytes; the first used_ of them are written
    qsizetype used_ = 0;
    int row_ = -1;      // the row being written
    int column_ = 0;    // separators written in it so far
    bool fits_ = true;
    bool written_ = true;
};

constexpr int kLengthDecimals = 3;
constexpr int kAreaDecimals = 2;

// What the rooms of one material add up to.
struct MaterialTotals {
    const Material* material = nullptr;
    int rooms = 0;
    double floorArea = 0.0;
    double netPerimeter = 0.0;
    double netWallArea = 0.0;
    double volume = 0.0;
};

// What the rooms of one level, or of the whole site, add up to (heights aside).
using LevelTotals = RoomQuantities;

// The two tables' header rows; with several levels the room table has a level column after
// the room's name.
struct Headers {
    QStringList rooms;
    QStringList materials;
    bool levels = false;

    int Columns() const { return static_cast<int>(std::max(rooms.size(), materials.size())); }
};

Headers HeadersIn(const LengthUnits& units, bool levels) {
    const QString length = units.LengthUnitName();
    const QString area = units.AreaUnitName();
    const QString volume = units.IsMetric() ? QStringLiteral("cu m") : QStringLiteral("cu ft");
    Headers headers{{QStringLiteral("Room"), QStringLiteral("Material"),
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
                     QStringLiteral("Pack Area (%1)").arg(area), QStringLiteral("Packs")},
                    levels};
    if (levels) {
        headers.rooms.insert(1, QStringLiteral("Level"));
    }
    return headers;
}

template <typename Table>
void HeaderRow(Table& table, int row, const QStringList& headers) {
    for (int column = 0; column < headers.size(); ++column) {
        table.Text(row, column, headers[column]);
    }
}

// The room table's rows and the material totals, filled as the rooms come.
template <typename Table>
class RoomRows {
public:
    RoomRows(const Site& site, const LengthUnits& units, double defaultHeight, bool levels,
             Table& table)
        : site_(site),
          units_(units),
          defaultHeight_(defaultHeight),
          // The columns from the material on move one along for the level column.
          at_(levels ? 1 : 0),
          // Display volume per cubic metre: the units convert lengths and areas by plain factors.
          volumeFactor_(units.ToDisplayLength(1.0) * units.ToDisplayArea(1.0)),
          shared_(site),
          table_(table),
          levelTotals_(static_cast<std::size_t>(site.LevelCount())) {
        for (int level = 0; level < site.LevelCount(); ++level) {
            levelHeights_.push_back(site.DefaultHeightOnLevel(level, defaultHeight));
        }
    }

    // The room's row, listed on `level` when the table has a level column.
    void AddRoom(const Room& room, int level) {
        table_.Text(row_, 0, room.GetName());
        if (at_ > 0) {
            table_.Text(row_, 1, site_.GetLevel(level).name);
        }
        MaterialTotals& sums = materials_[room.GetMaterial()];
        if (sums.rooms++ == 0) {
            sums.material = site_.FindMaterialByIndex(room.GetMaterial());
        }
        if (sums.material != nullptr) {
            table_.Text(row_, at_ + 1, sums.material->GetName());
        }
        const double height = site_.IsLevel(room.GetLevel())
                                  ? levelHeights_[static_cast<std::size_t>(room.GetLevel())]
                                  : site_.DefaultHeightOf(room, defaultHeight_);
        if (const auto q = ComputeRoomQuantities(shared_, room, height)) {
            table_.Number(row_, at_ + 2, units_.ToDisplayLength(q->height), kLengthDecimals);
            table_.Number(row_, at_ + 3, units_.ToDisplayArea(q->floorArea), kAreaDecimals);
            table_.Number(row_, at_ + 4, units_.ToDisplayLength(q->grossPerimeter),
                          kLengthDecimals);
            table_.Number(row_, at_ + 5, units_.ToDisplayLength(q->netPerimeter), kLengthDecimals);
            table_.Number(row_, at_ + 6, units_.ToDisplayArea(q->grossWallArea), kAreaDecimals);
            table_.Number(row_, at_ + 7, units_.ToDisplayArea(q->netWallArea), kAreaDecimals);
            table_.Number(row_, at_ + 8, q->volume * volumeFactor_, kAreaDecimals);
            table_.Count(row_, at_ + 9, q->thresholdCount);
            table_.Number(row_, at_ + 10, units_.ToDisplayLength(q->thresholdWidth),
                          kLengthDecimals);
            sums.floorArea += q->floorArea;
            sums.netPerimeter += q->netPerimeter;
            sums.netWallArea += q->netWallArea;
            sums.volume += q->volume;
            if (at_ > 0) {
                levelTotals_[static_cast<std::size_t>(level)].Add(*q);
                siteTotals_.Add(*q);
            }
        }
        ++row_;
    }

    // The totals row of the level's rooms, or with Site::kEveryLevel of the whole site's: "Total"
    // and the level's name, or "All Levels", in the level column.
    void AddTotals(int level) {
        const LevelTotals& t = level == Site::kEveryLevel
                                   ? siteTotals_
                                   : levelTotals_[static_cast<std::size_t>(level)];
        table_.Text(row_, 0, QStringLiteral("Total"));
        table_.Text(row_, 1, level == Site::kEveryLevel ? QStringLiteral("All Levels")
                                                         : site_.GetLevel(level).name);
        table_.Number(row_, 4, units_.ToDisplayArea(t.floorArea), kAreaDecimals);
        table_.Number(row_, 5, units_.ToDisplayLength(t.grossPerimeter), kLengthDecimals);
        table_.Number(row_, 6, units_.ToDisplayLength(t.netPerimeter), kLengthDecimals);
        table_.Number(row_, 7, units_.ToDisplayArea(t.grossWallArea), kAreaDecimals);
        table_.Number(row_, 8, units_.ToDisplayArea(t.netWallArea), kAreaDecimals);
        table_.Number(row_, 9, t.volume * volumeFactor_, kAreaDecimals);
        table_.Count(row_, 10, t.thresholdCount);
        table_.Number(row_, 11, units_.ToDisplayLength(t.thresholdWidth), kLengthDecimals);
        ++row_;
    }

    // The material table after an empty row.
    void MaterialTable(const QStringList& headers) {
        ++row_;
        HeaderRow(table_, row_++, headers);
        // The material list itself: two names that differ only in case are two materials.
        for (const auto& material : site_.Materials()) {
            const auto found = material ? materials_.find(material->GetIndex()) : materials_.end();
            if (found == materials_.end() || !table_.Fits()) {
                continue;
            }
            const MaterialTotals& sums = found->second;
            const MaterialOrder order = ComputeMaterialOrder(*material, sums.floorArea);
            table_.Text(row_, 0, material->GetName());
            table_.Count(row_, 1, sums.rooms);
            table_.Number(row_, 2, units_.ToDisplayArea(sums.floorArea), kAreaDecimals);
            table_.Number(row_, 3, units_.ToDisplayLength(sums.netPerimeter), kLengthDecimals);
            table_.Number(row_, 4, units_.ToDisplayArea(sums.netWallArea), kAreaDecimals);
            table_.Number(row_, 5, sums.volume * volumeFactor_, kAreaDecimals);
            table_.Number(row_, 6, std::max(0.0, material->GetWastePercent()), kAreaDecimals);
            table_.Number(row_, 7, units_.ToDisplayArea(order.orderArea), kAreaDecimals);
            if (material->GetPackArea() > 0.0) {
                table_.Number(row_, 8, units_.ToDisplayArea(material->GetPackArea()),
                              kAreaDecimals);
                table_.Count(row_, 9, order.packs);
            }
            ++row_;
        }
    }

private:
    const Site& site_;
    const LengthUnits& units_;
    const double defaultHeight_;
    const int at_;
    const double volumeFactor_;
    const SharedOpeningIndex shared_;
    Table& table_;
    std::vector<double> levelHeights_;  // each level's default height
    std::vector<LevelTotals> levelTotals_;
    LevelTotals siteTotals_;
    std::unordered_map<int, MaterialTotals> materials_;
    int row_ = 1;
};

template <typename Table>
bool Fill(const Site& site, const LengthUnits& units, double defaultHeight,
          const Headers& headers, Table& table) {
    HeaderRow(table, 0, headers.rooms);
    RoomRows<Table> rows(site, units, defaultHeight, headers.levels, table);
    if (!headers.levels) {
        for (const auto& room : site.Rooms()) {
            if (!table.Fits()) {
                return false;
            }
            rows.AddRoom(*room, 0);
        }
    } else {
        // Level by level, each in drawing order; a room on no level the site has goes with the
        // first.
        std::vector<std::vector<const Room*>> byLevel(static_cast<std::size_t>(site.LevelCount()));
        for (const auto& room : site.Rooms()) {
            byLevel[static_cast<std::size_t>(site.IsLevel(room->GetLevel()) ? room->GetLevel()
                                                                             : 0)]
                .push_back(room.get());
        }
        for (int level = 0; level < site.LevelCount(); ++level) {
            for (const Room* room : byLevel[static_cast<std::size_t>(level)]) {
                if (!table.Fits()) {
                    return false;
                }
                rows.AddRoom(*room, level);
            }
            rows.AddTotals(level);
        }
        rows.AddTotals(Site::kEveryLevel);
    }
    rows.MaterialTable(headers.materials);
    return table.Fits();
}

}  // namespace

bool FillRoomSchedule(const Site& site, const LengthUnits& units, double defaultHeight,
                      Sheet& sheet) {
    SheetTable table(sheet);
    return Fill(site, units, defaultHeight, HeadersIn(units, site.LevelCount() > 1), table);
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
    if (format == SummaryFormat::Unknown) {
        return SaveFileFailure(QString());
    }
    const Headers headers = HeadersIn(units, site->LevelCount() > 1);
    ExportFile file(path);
    if (!file.Open()) {
        return SaveFileFailure(file.Reason());
    }
    // Straight to the file as the cells come; a table that does not fit leaves no file.
    bool written = false;
    QString error;
    if (format == SummaryFormat::Xls) {
        // Mostly the rooms' names; the materials' and levels' names and the headers besides.
        WorkbookTable table(static_cast<qsizetype>(site->Rooms().size() + site->Materials().size()) +
                            site->LevelCount() + 32);
        if (!Fill(*site, units, defaultHeight, headers, table)) {
            return ExportResult::Failure(kErrorNoSpreadsheet);
        }
        written = WriteWorkbookFile(file, table.Finish(), &error);
    } else {
        const bool csv = format == SummaryFormat::Csv;
        DelimitedTable table(file, headers.Columns(), csv ? ',' : '\t',
                             csv ? std::optional<QChar>(u'"') : std::nullopt);
        if (!Fill(*site, units, defaultHeight, headers, table)) {
            return ExportResult::Failure(kErrorNoSpreadsheet);
        }
        written = table.Finish();
    }
    if (!written || !file.Commit()) {
        return SaveFileFailure(!file.Reason().isEmpty() ? file.Reason() : error);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
