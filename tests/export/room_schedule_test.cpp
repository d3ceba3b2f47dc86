// The room schedule read back by independent readers (Python's csv module, xlrd), its refusals,
// and the room summary of a site with openings and heights, unchanged by them.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <tuple>
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

class RoomScheduleExport : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

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
        SCOPED_TRACE(name);
        const LengthUnits& units = metric ? static_cast<const LengthUnits&>(metric_) : imperial_;
        ASSERT_TRUE(ExportRoomSchedule(&site, units, 2.5, PathOf(name)).ok);
        QString skip;
        const QJsonObject view = test::RunPythonReader(
            {QStringLiteral(PLANTREK_SCHEDULE_READER_SCRIPT), PathOf(name)}, skip);
        if (!skip.isEmpty()) {
            GTEST_SKIP() << skip.toStdString();
        }
        const Rows& expected = metric ? kMetric : kImperial;
        const QJsonArray rows = view["rows"].toArray();
        ASSERT_EQ(rows.size(), static_cast<qsizetype>(expected.size()));
        for (std::size_t r = 0; r < expected.size(); ++r) {
            const QJsonArray row = rows[static_cast<qsizetype>(r)].toArray();
            ASSERT_EQ(row.size(), static_cast<qsizetype>(expected[r].size())) << "row " << r;
            for (std::size_t c = 0; c < expected[r].size(); ++c) {
                const QJsonValue cell = row[static_cast<qsizetype>(c)];
                const QString& want = expected[r][c];
                if (cell.isDouble()) {
                    EXPECT_DOUBLE_EQ(cell.toDouble(), want.toDouble()) << r << "," << c;
                } else {
                    EXPECT_EQ(cell.toString(), want) << r << "," << c;
                }
            }
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
