// The room summary as files: byte-exact delimited text and the workbook of the same sheet.
#include "export/room_summary_export.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include "export/xls/compound_file_writer.h"
#include "export/xls/sheet.h"
#include "export/xls/workbook.h"
#include "export_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::AddRoomOfWalls;

// Carpet: a closed 4 m x 3 m room and an open chain; Tile: a room whose name needs quoting;
// Default and Wood: used by no room.
Site SampleSite() {
    Site site;
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    site.AddMaterial("Tile", 2, MakeColour(0, 160, 0));
    site.AddMaterial("Wood", 3, MakeColour(160, 100, 0));
    AddRoomOfWalls(site, "Lounge", 1, {{4.0, 90.0}, {3.0, 0.0}});
    AddRoomOfWalls(site, "Bath \"A\", East", 2, {{2.0, 90.0}, {2.5, 0.0}});
    Room* porch = AddRoomOfWalls(site, "Porch", 1, {{3.0, 0.0}, {1.0, 180.0}});
    EXPECT_FALSE(porch->IsClosed());
    return site;
}

QString DataFile(const QString& name) {
    return QDir(qEnvironmentVariable("PLANTREK_TEST_DATA", QStringLiteral(PLANTREK_TEST_DATA_DIR)))
        .filePath("export/" + name);
}

class RoomSummaryExport : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    MetricUnits metric_{1};
    ImperialUnits imperial_{ImperialUnits::DeviceEncoding::FeetInchesAnd32nds};
};

struct DelimitedCase {
    const char* fileName;
    bool metric;
    const char* expected;
};

class DelimitedSummary : public RoomSummaryExport,
                         public ::testing::WithParamInterface<DelimitedCase> {};

TEST_P(DelimitedSummary, MatchesExpectedBytes) {
    const DelimitedCase& c = GetParam();
    const Site site = SampleSite();
    const QString path = PathOf(c.fileName);
    const LengthUnits& units = c.metric ? static_cast<const LengthUnits&>(metric_) : imperial_;
    const ExportResult result = ExportRoomSummary(&site, units, path);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_TRUE(result.errorText.isEmpty());
    const QByteArray expected = test::ReadFile(DataFile(c.expected));
    ASSERT_FALSE(expected.isEmpty()) << c.expected;
    EXPECT_EQ(test::ReadFile(path).toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Files, DelimitedSummary,
                         ::testing::Values(DelimitedCase{"summary.csv", true, "summary_metric.csv"},
                                           DelimitedCase{"summary.txt", true, "summary_metric.txt"},
                                           DelimitedCase{"a.b.Txt", true, "summary_metric.txt"},
                                           DelimitedCase{"summary.csv", false,
                                                         "summary_imperial.csv"}));

// The workbook holds the same sheet as the delimited files; how its bytes read back in an
// independent reader is the workbook tests' concern.
TEST_F(RoomSummaryExport, WorkbookIsTheFilledSheetSavedAsAWorkbook) {
    const Site site = SampleSite();
    const QString path = PathOf("Summary.XLS");
    const ExportResult result = ExportRoomSummary(&site, imperial_, path);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    Workbook book(1);
    ASSERT_TRUE(FillRoomSummary(site, imperial_, *book.GetSheet(0)));
    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteCompoundFile(buffer, QStringLiteral("Workbook"), book.WorkbookStream()));
    EXPECT_TRUE(test::ReadFile(path) == expected);
}

TEST_F(RoomSummaryExport, RefusalsWriteNothing) {
    const QString path = PathOf("summary.csv");
    ExportResult result = ExportRoomSummary(nullptr, metric_, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Couldn't get site");

    Site open;
    AddRoomOfWalls(open, "Porch", 0, {{3.0, 0.0}, {1.0, 180.0}});
    result = ExportRoomSummary(&open, metric_, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "No valid rooms");

    const Site site = SampleSite();
    for (const char* name : {"summary.ods", "summary", "summary.csv.bak"}) {
        result = ExportRoomSummary(&site, metric_, PathOf(name));
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.errorText, "Couldn't save file") << name;
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
}

// Materials are taken from the list itself: two whose names differ only in case each list
// their own rooms once, and a room whose material is not in the list is left out.
TEST_F(RoomSummaryExport, EachMaterialListsItsOwnRoomsOnce) {
    Site site;
    site.AddMaterial("Tile", 1, 0);
    site.AddMaterial("TILE", 2, 0);
    AddRoomOfWalls(site, "Upper", 2, {{2.0, 90.0}, {2.0, 0.0}});
    AddRoomOfWalls(site, "Lower", 1, {{1.0, 90.0}, {2.0, 0.0}});
    AddRoomOfWalls(site, "Stray", 1, {{1.0, 90.0}, {1.0, 0.0}})->SetMaterial(9);
    Sheet sheet;
    ASSERT_TRUE(FillRoomSummary(site, metric_, sheet));
    ASSERT_EQ(sheet.RowCount(), 5);
    EXPECT_EQ(sheet.Find(1, 0)->Text(), "Tile");
    EXPECT_EQ(sheet.Find(2, 1)->Text(), "Lower");
    EXPECT_DOUBLE_EQ(sheet.Find(1, 2)->Double(), 2.0);
    EXPECT_EQ(sheet.Find(3, 0)->Text(), "TILE");
    EXPECT_EQ(sheet.Find(4, 1)->Text(), "Upper");
    EXPECT_DOUBLE_EQ(sheet.Find(3, 2)->Double(), 4.0);
    EXPECT_EQ(sheet.Find(2, 1)->Type(), CellType::Text);
    EXPECT_EQ(sheet.Find(2, 2)->Type(), CellType::Double);
}

// More rooms than a worksheet has rows: refused, not cut short.
TEST_F(RoomSummaryExport, TooManyRoomsForOneSheet) {
    Site site;
    AddRoomOfWalls(site, "Closed", 0, {{2.0, 90.0}, {2.0, 0.0}});
    for (int i = 0; i < Sheet::kMaxRows; ++i) {
        site.AddRoom(QString(), 0);
    }
    const ExportResult result = ExportRoomSummary(&site, metric_, PathOf("big.csv"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Couldn't create spreadsheet");
    EXPECT_FALSE(QFileInfo::exists(PathOf("big.csv")));
}

}  // namespace
}  // namespace plantrek
