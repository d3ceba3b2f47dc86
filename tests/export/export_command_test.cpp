// File > Export... once its form is filled: the export that writes the file, and when
// ExportType changes.
#include <gtest/gtest.h>
#include <QFile>

#include "document/doc_test_support.h"
#include "export/document_exports.h"
#include "export/export_command.h"
#include "export_test_support.h"

namespace plantrek {
namespace {

// A document with one closed room measured in meters, its selection on the start point.
class ExportCommandTest : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        UseMeters();
        NewDoc();
        Type({"4 N", "3 E", "4 S"});
        Doc().FinishRoom();
    }

    QString ExportType() { return Doc().Prefs().GetExportType(); }
};

struct WrittenCase {
    const char* chosen;
    int filter;
    const char* written;
    const char* signature;  // the first bytes of the file
};

class ExportCommandWritesTest : public ExportCommandTest,
                                public ::testing::WithParamInterface<WrittenCase> {};

TEST_P(ExportCommandWritesTest, WritesTheFormatAndRemembersTheExtensionAsCompared) {
    const WrittenCase& c = GetParam();
    const ExportResult result =
        ExportChosenFile(Doc(), FilePath(QString::fromUtf8(c.chosen)), c.filter);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    const QByteArray bytes = test::ReadFile(FilePath(QString::fromUtf8(c.written)));
    EXPECT_TRUE(bytes.startsWith(QByteArray(c.signature))) << bytes.left(16).toHex().toStdString();

    const QString extension = ResolveExportTarget(QString::fromUtf8(c.chosen), c.filter).extension;
    EXPECT_EQ(ExportType(), extension);
    EXPECT_EQ(StoredSetting(QStringLiteral("ExportType")).toString(), extension);
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportCommandWritesTest,
                         ::testing::Values(WrittenCase{"plan", 1, "plan.dxf", "999\ndxflib"},
                                           WrittenCase{"plan", 2, "plan.bmp", "BM"},
                                           WrittenCase{"plan", 3, "plan.gif", "GIF89a"},
                                           WrittenCase{"plan", 4, "plan.jpg", "\xFF\xD8\xFF"},
                                           WrittenCase{"rooms", 5, "rooms.xls", "\xD0\xCF\x11\xE0"},
                                           WrittenCase{"rooms", 6, "rooms.csv",
                                                       "\"Material\",\"Room\""},
                                           WrittenCase{"rooms", 7, "rooms.txt", "Material\tRoom\t"},
                                           WrittenCase{"PLAN.JPG", 1, "PLAN.JPG", "\xFF\xD8\xFF"}));

TEST_F(ExportCommandTest, FailuresWriteNothingAndKeepTheType) {
    ASSERT_TRUE(ExportChosenFile(Doc(), FilePath(QStringLiteral("first.csv")), 1).ok);
    ASSERT_EQ(ExportType(), QStringLiteral("csv"));

    struct Failure {
        QString chosen;
        int filter;
        QString error;
    };
    // Refusals of the place itself, with the system's reason, are export_failure_test's.
    const Failure failures[] = {
        {FilePath(QStringLiteral("plan.webp")), 8, kErrorUnknownFileType},
        {FilePath(QStringLiteral("plan")), 8, kErrorUnknownFileType},
    };
    for (const Failure& failure : failures) {
        const ExportResult result = ExportChosenFile(Doc(), failure.chosen, failure.filter);
        EXPECT_FALSE(result.ok) << failure.chosen.toStdString();
        EXPECT_EQ(result.errorText, failure.error) << failure.chosen.toStdString();
        EXPECT_FALSE(QFile::exists(ResolveExportTarget(failure.chosen, failure.filter).path));
        EXPECT_EQ(ExportType(), QStringLiteral("csv"));
    }
    EXPECT_EQ(StoredSetting(QStringLiteral("ExportType")).toString(), QStringLiteral("csv"));
}

TEST_F(ExportCommandTest, DrawingAndSummaryUseTheDocumentsUnits) {
    // The room's 4 m wall is 13.12336 ft.
    ASSERT_TRUE(ExportDxf(Doc(), FilePath(QStringLiteral("m.dxf"))).ok);
    ASSERT_TRUE(ExportRoomSummary(Doc(), FilePath(QStringLiteral("m.csv"))).ok);
    PrefsInputValues input = Doc().Prefs().GetInputValues();
    input.Input = 0;
    Doc().Prefs().SetInputValues(input);
    ASSERT_TRUE(ExportDxf(Doc(), FilePath(QStringLiteral("ft.dxf"))).ok);
    ASSERT_TRUE(ExportRoomSummary(Doc(), FilePath(QStringLiteral("ft.csv"))).ok);

    EXPECT_FALSE(test::ReadFile(FilePath(QStringLiteral("m.dxf"))).contains("13.123"));
    EXPECT_TRUE(test::ReadFile(FilePath(QStringLiteral("ft.dxf"))).contains("13.123"));
    EXPECT_TRUE(test::ReadFile(FilePath(QStringLiteral("m.csv")))
                    .startsWith("\"Material\",\"Room\",\"Area (sm)\",\"Perimeter (m)\"\n"));
    EXPECT_TRUE(test::ReadFile(FilePath(QStringLiteral("ft.csv")))
                    .startsWith("\"Material\",\"Room\",\"Area (sf)\",\"Perimeter (ft)\"\n"));
}

TEST_F(ExportCommandTest, PictureShowsTheDocumentsSelectionColoursAndUnits) {
    PrefsDrawingValues drawing = Doc().Prefs().GetDrawingValues();
    drawing.WallColor = 0x102030;
    drawing.ShowNames = false;
    Doc().Prefs().SetDrawingValues(drawing);

    ImageExportOptions options = ImageExportOptionsOf(Doc());
    EXPECT_EQ(options.drawing, drawing);
    EXPECT_TRUE(options.metric);
    EXPECT_TRUE(options.selection.startPoint);
    EXPECT_EQ(options.selection.room, nullptr);

    Room* room = Doc().GetSite()->GetRoom(0);
    Wall* wall = room->GetWall(1, true);
    Doc().SelectWall(room, wall);
    PrefsInputValues input = Doc().Prefs().GetInputValues();
    input.Input = 2;  // feet and inches: the scale bar is in feet
    Doc().Prefs().SetInputValues(input);
    options = ImageExportOptionsOf(Doc());
    EXPECT_FALSE(options.selection.startPoint);
    EXPECT_EQ(options.selection.room, room);
    EXPECT_EQ(options.selection.wall, wall);
    EXPECT_FALSE(options.metric);
}

}  // namespace
}  // namespace plantrek
