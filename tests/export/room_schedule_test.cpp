// The room schedule read back by independent readers (Python's csv module, xlrd), its refusals,
// and the room summary of a site with openings and heights, unchanged by them.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "export/room_schedule_export.h"
#include "export/room_summary_export.h"
#include "export/xls/workbook.h"
#include "export_test_support.h"
#include "model/material.h"
#include "model/room.h"
#include "model/units.h"
#include "model/wall.h"

namespace plantrek {
namespace {

// Lounge, 4 m x 3 m at the default 2.50 m: a door (0.90 x 2.00 m) on its south wall, which
// the hall shares, and a window (1.20 x 1.20 m, sill 0.90 m) on its east wall. Hall, 4 m x 2 m
// below it, 2.40 m high, with nothing of its own. Porch: not closed. Carpet: 10 % allowance,
// packs of 2 m²; Tile: neither.
Site HouseWithOpenings() {
    Site site;
    site.AddMaterial("Carpet", 1, 0)->SetWastePercent(10.0);
    site.FindMaterialByIndex(1)->SetPackArea(2.0);
    site.AddMaterial("Tile", 2, 0);
    site.AddMaterial("Wood", 3, 0);
    Room* lounge = test::AddRoomOfWalls(site, "Lounge", 1, {{4.0, 90.0}, {3.0, 0.0}});
    lounge->GetWall(0, true)->SetOpenings({{OpeningKind::Door, 1.0, 0.9, 2.0, 0.0}});
    lounge->GetWall(1, true)->SetOpenings({{OpeningKind::Window, 1.0, 1.2, 1.2, 0.9}});
    Room* hall = site.AddRoom("Hall", 2);
    hall->SetLocation({0.0, -2.0});
    hall->AddWall(4.0, 90.0);
    hall->AddWall(2.0, 0.0);
    hall->SetCeilingHeight(2.4);
    test::AddRoomOfWalls(site, "Porch", 1, {{3.0, 0.0}, {1.0, 180.0}});
    return site;
}

using Rows = std::vector<std::vector<QString>>;

// By hand: floor area, gross and net perimeter, wall areas, volume, thresholds; per material
// the totals and the order (13.20 m² of carpet is 7 packs of 2 m²).
const Rows kMetric = {
    {"Room", "Material", "Height (m)", "Floor Area (sm)", "Gross Perimeter (m)",
     "Net Perimeter (m)", "Gross Wall Area (sm)", "Net Wall Area (sm)", "Volume (cu m)",
     "Thresholds", "Threshold Width (m)"},
    {"Lounge", "Carpet", "2.5", "12", "14", "13.1", "35", "31.76", "30", "1", "0.9"},
    {"Hall", "Tile", "2.4", "8", "12", "11.1", "28.8", "27", "19.2", "1", "0.9"},
    {"Porch", "Carpet"},
    {},
    {"Material", "Rooms", "Floor Area (sm)", "Net Perimeter (m)", "Net Wall Area (sm)",
     "Volume (cu m)", "Allowance (%)", "Order Area (sm)", "Pack Area (sm)", "Packs"},
    {"Carpet", "2", "12", "13.1", "31.76", "30", "10", "13.2", "2", "7"},
    {"Tile", "1", "8", "11.1", "27", "19.2", "0", "8"}};

// The same in feet: lengths to thousandths of a foot, areas and volumes to hundredths.
const Rows kImperial = {
    {"Room", "Material", "Height (ft)", "Floor Area (sf)", "Gross Perimeter (ft)",
     "Net Perimeter (ft)", "Gross Wall Area (sf)", "Net Wall Area (sf)", "Volume (cu ft)",
     "Thresholds", "Threshold Width (ft)"},
    {"Lounge", "Carpet", "8.202", "129.17", "45.932", "42.979", "376.74", "341.86", "1059.44",
     "1", "2.953"},
    {"Hall", "Tile", "7.874", "86.11", "39.37", "36.417", "310", "290.63", "678.04", "1",
     "2.953"},
    {"Porch", "Carpet"},
    {},
    {"Material", "Rooms", "Floor Area (sf)", "Net Perimeter (ft)", "Net Wall Area (sf)",
     "Volume (cu ft)", "Allowance (%)", "Order Area (sf)", "Pack Area (sf)", "Packs"},
    {"Carpet", "2", "129.17", "42.979", "341.86", "1059.44", "10", "142.08", "21.53", "7"},
    {"Tile", "1", "86.11", "36.417", "290.63", "678.04", "0", "86.11"}};

// Three levels, added out of their order of elevation, and rooms drawn in no level's order, side
// by side: the basement's cellar (2 x 2 m) at the basement's 2.20 m; on the ground floor the
// lounge (4 x 3 m, a door 0.90 x 2.00 m) at the program's 2.50 m and the open porch; on the
// first floor the bedroom (3 x 3 m) at the floor's 2.40 m and the study (2 x 3 m) at its own
// 2.60 m.
Site ThreeLevelHouse() {
    Site site;
    site.AddMaterial("Carpet", 1, 0);
    site.AddMaterial("Tile", 2, 0);
    site.AddMaterial("Wood", 3, 0);
    site.AddLevel({"First Floor", 3.0, 2.4});
    site.AddLevel({"Basement", -2.5, 2.2});
    double x = 0.0;
    const auto add = [&](const char* name, int material, const char* level,
                         std::initializer_list<std::pair<double, double>> walls) {
        Room* room = site.AddRoom(name, material);
        room->SetLocation({x, 0.0});
        x += 10.0;
        for (const auto& [length, bearing] : walls) {
            room->AddWall(length, bearing);
        }
        site.MoveRoomToLevel(room, site.FindLevelByName(level));
        return room;
    };
    add("Bedroom", 1, "First Floor", {{3.0, 90.0}, {3.0, 0.0}});
    add("Lounge", 1, "Ground Floor", {{4.0, 90.0}, {3.0, 0.0}})
        ->GetWall(0, true)
        ->SetOpenings({{OpeningKind::Door, 1.0, 0.9, 2.0, 0.0}});
    add("Cellar", 2, "Basement", {{2.0, 90.0}, {2.0, 0.0}});
    add("Study", 3, "First Floor", {{2.0, 90.0}, {3.0, 0.0}})->SetCeilingHeight(2.6);
    add("Porch", 1, "Ground Floor", {{3.0, 0.0}, {1.0, 180.0}});
    return site;
}

// Rooms by level, in order of elevation, each level with its totals, then the site's; the
// materials for the whole site.
const Rows kThreeLevels = {
    {"Room", "Level", "Material", "Height (m)", "Floor Area (sm)", "Gross Perimeter (m)",
     "Net Perimeter (m)", "Gross Wall Area (sm)", "Net Wall Area (sm)", "Volume (cu m)",
     "Thresholds", "Threshold Width (m)"},
    {"Cellar", "Basement", "Tile", "2.2", "4", "8", "8", "17.6", "17.6", "8.8", "0", "0"},
    {"Total", "Basement", "", "", "4", "8", "8", "17.6", "17.6", "8.8", "0", "0"},
    {"Lounge", "Ground Floor", "Carpet", "2.5", "12", "14", "13.1", "35", "33.2", "30", "1", "0.9"},
    {"Porch", "Ground Floor", "Carpet"},
    {"Total", "Ground Floor", "", "", "12", "14", "13.1", "35", "33.2", "30", "1", "0.9"},
    {"Bedroom", "First Floor", "Carpet", "2.4", "9", "12", "12", "28.8", "28.8", "21.6", "0", "0"},
    {"Study", "First Floor", "Wood", "2.6", "6", "10", "10", "26", "26", "15.6", "0", "0"},
    {"Total", "First Floor", "", "", "15", "22", "22", "54.8", "54.8", "37.2", "0", "0"},
    {"Total", "All Levels", "", "", "31", "44", "43.1", "107.4", "105.6", "76", "1", "0.9"},
    {},
    {"Material", "Rooms", "Floor Area (sm)", "Net Perimeter (m)", "Net Wall Area (sm)",
     "Volume (cu m)", "Allowance (%)", "Order Area (sm)", "Pack Area (sm)", "Packs"},
    {"Carpet", "3", "21", "25.1", "62", "51.6", "0", "21"},
    {"Tile", "1", "4", "8", "17.6", "8.8", "0", "4"},
    {"Wood", "1", "6", "10", "26", "15.6", "0", "6"}};

class RoomScheduleExport : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    // The file as the independent reader sees it; false when the reader is missing.
    bool ExpectRows(const QString& name, const Rows& expected) {
        SCOPED_TRACE(name.toStdString());
        QString skip;
        const QJsonObject view = test::RunPythonReader(
            {QStringLiteral(PLANTREK_SCHEDULE_READER_SCRIPT), PathOf(name)}, skip);
        if (!skip.isEmpty()) {
            return false;
        }
        const QJsonArray rows = view["rows"].toArray();
        EXPECT_EQ(rows.size(), static_cast<qsizetype>(expected.size()));
        for (std::size_t r = 0; r < expected.size() && r < std::size_t(rows.size()); ++r) {
            const QJsonArray row = rows[static_cast<qsizetype>(r)].toArray();
            EXPECT_EQ(row.size(), static_cast<qsizetype>(expected[r].size())) << "row " << r;
            for (std::size_t c = 0; c < expected[r].size() && c < std::size_t(row.size()); ++c) {
                const QJsonValue cell = row[static_cast<qsizetype>(c)];
                const QString& want = expected[r][c];
                if (cell.isDouble()) {
                    EXPECT_DOUBLE_EQ(cell.toDouble(), want.toDouble()) << r << "," << c;
                } else {
                    EXPECT_EQ(cell.toString(), want) << r << "," << c;
                }
            }
        }
        return true;
    }

    QTemporaryDir dir_;
    MetricUnits metric_{1};
    ImperialUnits imperial_{ImperialUnits::DeviceEncoding::FeetInchesAnd32nds};
};

// Delimited files hold the numbers as written; a workbook holds numbers, compared as such.
TEST_F(RoomScheduleExport, IndependentReadersSeeTheHandFigures) {
    const Site site = HouseWithOpenings();
    const std::tuple<const char*, bool> cases[] = {
        {"schedule.csv", true}, {"schedule.txt", true}, {"schedule.xls", true},
        {"feet.csv", false},    {"feet.XLS", false}};
    for (const auto& [name, metric] : cases) {
        const LengthUnits& units = metric ? static_cast<const LengthUnits&>(metric_) : imperial_;
        ASSERT_TRUE(ExportRoomSchedule(&site, units, 2.5, PathOf(name)).ok);
        if (!ExpectRows(name, metric ? kMetric : kImperial)) {
            GTEST_SKIP() << "the reader is missing";
        }
    }
}

TEST_F(RoomScheduleExport, SeveralLevelsAreListedLevelByLevelWithTheirTotals) {
    const Site site = ThreeLevelHouse();
    for (const char* name : {"levels.csv", "levels.txt", "levels.xls"}) {
        ASSERT_TRUE(ExportRoomSchedule(&site, metric_, 2.5, PathOf(name)).ok);
        if (!ExpectRows(name, kThreeLevels)) {
            GTEST_SKIP() << "the reader is missing";
        }
    }
}

TEST_F(RoomScheduleExport, RefusalsWriteNothing) {
    Site open;
    test::AddRoomOfWalls(open, "Porch", 0, {{3.0, 0.0}, {1.0, 180.0}});
    Site crowded = HouseWithOpenings();
    for (int i = 0; i < Sheet::kMaxRows; ++i) {
        crowded.AddRoom(QString(), 0);
    }
    const Site site = HouseWithOpenings();
    const std::tuple<const Site*, const char*, const char*> cases[] = {
        {nullptr, "a.csv", "Couldn't get site"},
        {&open, "a.csv", "No valid rooms"},
        {&crowded, "a.csv", "Couldn't create spreadsheet"},
        {&crowded, "a.xls", "Couldn't create spreadsheet"},
        {&site, "a.ods", "Couldn't save file"}};
    for (const auto& [from, name, text] : cases) {
        const ExportResult result = ExportRoomSchedule(from, metric_, 2.5, PathOf(name));
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.errorText, text) << name;
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
}

// The delimited files are written row by row without a sheet: byte for byte the sheet's text,
// with a quote in a name and rows of fewer cells than others.
TEST_F(RoomScheduleExport, DelimitedFilesAreTheSheetsText) {
    Site site = HouseWithOpenings();
    test::AddRoomOfWalls(site, "Den \"B\", east", 3, {{2.0, 90.0}, {2.0, 0.0}});
    Workbook book(1);
    ASSERT_TRUE(FillRoomSchedule(site, imperial_, 2.5, *book.GetSheet(0)));
    for (const auto& [name, separator, quote] :
         {std::tuple("s.csv", ',', std::optional<QChar>(u'"')),
          std::tuple("s.txt", '\t', std::optional<QChar>())}) {
        ASSERT_TRUE(ExportRoomSchedule(&site, imperial_, 2.5, PathOf(name)).ok);
        QBuffer sheetText;
        sheetText.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WriteDelimited(*book.GetSheet(0), sheetText, separator, quote,
                                   DoubleText::Shortest));
        EXPECT_EQ(test::ReadFile(PathOf(name)), sheetText.data()) << name;
    }
}

// Openings, heights and allowances leave the summary as it was.
TEST_F(RoomScheduleExport, TheSummaryIgnoresOpeningsHeightsAndAllowances) {
    const Site site = HouseWithOpenings();
    Site plain = site;
    for (const auto& room : plain.Rooms()) {
        room->SetCeilingHeight(0.0);
        for (int w = 0; w < room->WallCount(true); ++w) {
            room->GetWall(w, true)->SetOpenings({});
        }
    }
    plain.FindMaterialByIndex(1)->SetWastePercent(0.0);
    plain.FindMaterialByIndex(1)->SetPackArea(0.0);
    for (const char* name : {"with.csv", "plain.csv"}) {
        ASSERT_TRUE(ExportRoomSummary(name[0] == 'w' ? &site : &plain, metric_, PathOf(name)).ok);
    }
    EXPECT_EQ(test::ReadFile(PathOf("with.csv")), test::ReadFile(PathOf("plain.csv")));
}

}  // namespace
}  // namespace plantrek
