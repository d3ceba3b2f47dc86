// File > Export...: the export that writes the file once the form is filled, when ExportType
// changes, the form's own file name, filter and checks, every export onto a place that cannot
// take it, and the room summary's files.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <tuple>

#include <sys/stat.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif
#include <unistd.h>

#include "document/doc_test_support.h"
#include "document/files/qstring_printer.h"
#include "export/document_exports.h"
#include "export/export_command.h"
#include "export/export_file.h"
#include "export/room_summary_export.h"
#include "export/xls/compound_file_writer.h"
#include "export/xls/sheet.h"
#include "export/xls/workbook.h"
#include "export_test_support.h"
#include "model/units.h"

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

// Each filter writes its format (by the file's first bytes) and is remembered as the type.
TEST_F(ExportCommandTest, WritesTheFormatAndRemembersTheExtension) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"plan", 1, "plan.dxf", "999\ndxflib"},         {"plan", 2, "plan.bmp", "BM"},
        {"plan", 3, "plan.gif", "GIF89a"},               {"plan", 4, "plan.jpg", "\xFF\xD8\xFF"},
        {"rooms", 5, "rooms.xls", "\xD0\xCF\x11\xE0"},
        {"rooms", 6, "rooms.csv", "\"Material\",\"Room\""},
        {"rooms", 7, "rooms.txt", "Material\tRoom\t"}};
    for (const auto& [chosen, filter, written, signature] : cases) {
        SCOPED_TRACE(written);
        const ExportResult result =
            ExportChosenFile(Doc(), FilePath(QString::fromUtf8(chosen)), filter);
        ASSERT_TRUE(result.ok) << result.errorText.toStdString();
        const QByteArray bytes = test::ReadFile(FilePath(QString::fromUtf8(written)));
        EXPECT_TRUE(bytes.startsWith(signature)) << bytes.left(16).toHex().toStdString();
        const QString extension = QString::fromUtf8(written).section(u'.', -1);
        EXPECT_EQ(ExportType(), extension);
        EXPECT_EQ(StoredSetting(QStringLiteral("ExportType")).toString(), extension);
    }
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

// The form: the file and export a chosen name and filter make, and the filter the dialog opens on.
TEST(ExportTarget, NameAndFilterMakeThePathAndChooseTheExport) {
    using Kind = std::optional<ExportKind>;
    const std::tuple<const char*, int, const char*, const char*, Kind> cases[] = {
        // A typed extension wins over the filter, whatever its case.
        {"PLAN.JPG", 1, "PLAN.JPG", "JPG", ExportKind::Jpeg},
        {"plan.jpeg", 4, "plan.jpeg", "jpeg", std::nullopt},
        // No extension: the filter's, appended, in place of a trailing dot.
        {"plan", 3, "plan.gif", "gif", ExportKind::Gif},
        {"plan.", 4, "plan.jpg", "jpg", ExportKind::Jpeg},
        // A dot in a folder name is no extension and is kept.
        {"/home/j.smith/plan", 6, "/home/j.smith/plan.csv", "csv", ExportKind::Csv},
        {"/home/j.smith/plan", 8, "/home/j.smith/plan", "", std::nullopt},
        // "All Files" and filters that do not exist add nothing.
        {"plan", 15, "plan", "", std::nullopt},
        // The room schedule's filters make any spreadsheet name the schedule, and only those.
        {"rooms", 13, "rooms.csv", "csv", ExportKind::Schedule},
        {"rooms.XLS", 14, "rooms.XLS", "XLS", ExportKind::Schedule},
        {"plan.dxf", 12, "plan.dxf", "dxf", ExportKind::Dxf}};
    for (const auto& [chosen, filter, path, extension, kind] : cases) {
        SCOPED_TRACE(testing::Message() << chosen << " " << filter);
        const ExportTarget target = ResolveExportTarget(QString::fromUtf8(chosen), filter);
        EXPECT_EQ(target.path, QString::fromUtf8(path));
        EXPECT_EQ(target.extension, QString::fromUtf8(extension));
        EXPECT_EQ(ExportKindOf(target, filter), kind);
    }
}

TEST(ExportFilter, OpensOnTheLastTypeComparedExactly) {
    // Capitals, other types and nothing open on the first filter.
    const std::pair<const char*, int> cases[] = {{"dxf", 1}, {"bmp", 2}, {"gif", 3}, {"jpg", 4},
                                                 {"xls", 5}, {"csv", 6}, {"txt", 7}, {"JPG", 1},
                                                 {"Gif", 1}, {"png", 9}, {"", 1},    {"jpg ", 1},
                                                 {"schedule-xls", 12}, {"schedule-txt", 14},
                                                 {"schedule-CSV", 1}};
    for (const auto& [type, index] : cases) {
        EXPECT_EQ(ExportFilterIndexFor(QString::fromLatin1(type)), index) << type;
    }
}

// Every export onto a place that cannot take it: a folder that is a file, a disk that fills up
// halfway, a full device. The export fails with "Couldn't save file" and the system's reason,
// leaves no file (and no temporary one) behind, and keeps the file that was there.
constexpr const char* kExtensions[] = {"dxf", "xls", "csv", "txt", "bmp",
                                       "gif", "jpg", "png", "svg", "pdf"};

// A document with a few rooms: every export writes more than a hundred bytes.
class ExportFailureTest : public test::DocTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        DocTest::SetUp();
        UseMeters();
        NewDoc();
        for (int i = 0; i < 3; ++i) {
            Type({"4 N", "3 E", "4 S"});
            Doc().FinishRoom();
        }
        // A folder of its own: the document's settings live beside it.
        ASSERT_TRUE(QDir(FilePath(QString())).mkdir(QStringLiteral("out")));
    }

    QString Out(const QString& name) const { return FilePath(QStringLiteral("out/") + name); }

    QString Named(const QString& stem) const {
        return Out(stem + QLatin1Char('.') + QString::fromLatin1(GetParam()));
    }
    ExportResult Export(const QString& path) {
        return ExportChosenFile(Doc(), path, kAllFilesFilter);
    }
    QStringList Files() const {
        return QDir(Out(QString())).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

TEST_P(ExportFailureTest, AFolderThatIsAFileNamesTheReason) {
    ASSERT_TRUE(test::WriteFile(Out(QStringLiteral("plain")), "not a folder"));
    const ExportResult result = Export(Out(QStringLiteral("plain/plan.")) + GetParam());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, QStringLiteral("Couldn't save file: Not a directory"));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("plain")});
    // The type of the last export that worked is kept.
    EXPECT_EQ(Doc().Prefs().GetExportType(), QStringLiteral("dxf"));
}

TEST_P(ExportFailureTest, ADiskThatFillsUpKeepsTheEarlierFile) {
    const QString path = Named(QStringLiteral("plan"));
    ASSERT_TRUE(test::WriteFile(path, "the earlier export"));
    ExportResult result;
    {
        test::FileSizeLimit limit(64);
        ASSERT_TRUE(limit.Active());
        result = Export(path);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, QStringLiteral("Couldn't save file: File too large"));
    EXPECT_EQ(test::ReadFile(path), QByteArray("the earlier export"));
    EXPECT_EQ(Files().size(), 1) << Files().join(u' ').toStdString();

    // With room again, it is replaced.
    ASSERT_TRUE(Export(path).ok);
    EXPECT_GT(test::ReadFile(path).size(), 64);
}

#ifdef __linux__
// A full device: /dev/full, or one made like it in the test's folder where the test may make
// devices, so that a regression replacing the device by a file cannot harm the system's.
TEST_P(ExportFailureTest, AFullDeviceIsWrittenInPlaceAndStaysADevice) {
    QString device = Out(QStringLiteral("full"));
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        device = QStringLiteral("/dev/full");
    }
    struct stat before {};
    if (stat(QFile::encodeName(device).constData(), &before) != 0 || !S_ISCHR(before.st_mode)) {
        GTEST_SKIP() << "no full device here";
    }
    // The name that chooses the export leads to the device.
    const QString link = Named(QStringLiteral("plan"));
    ASSERT_TRUE(QFile::link(device, link));
    const ExportResult result = Export(link);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, QStringLiteral("Couldn't save file: No space left on device"));
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(device).constData(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}
#endif

INSTANTIATE_TEST_SUITE_P(EveryFormat, ExportFailureTest, ::testing::ValuesIn(kExtensions),
                         [](const auto& info) { return std::string(info.param); });

// The file every export writes through keeps a folder in its place.
TEST(ExportFile, AFolderCannotBeReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ExportFile file(dir.filePath(QStringLiteral("folder")));
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Reason().isEmpty());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
}

// The room summary as files: byte-exact delimited text and the workbook of the same sheet.

// Carpet: a closed 4 m x 3 m room and an open chain; Tile: a room whose name needs quoting;
// Default and Wood: used by no room.
Site SampleSite() {
    Site site;
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    site.AddMaterial("Tile", 2, MakeColour(0, 160, 0));
    site.AddMaterial("Wood", 3, MakeColour(160, 100, 0));
    test::AddRoomOfWalls(site, "Lounge", 1, {{4.0, 90.0}, {3.0, 0.0}});
    test::AddRoomOfWalls(site, "Bath \"A\", East", 2, {{2.0, 90.0}, {2.5, 0.0}});
    Room* porch = test::AddRoomOfWalls(site, "Porch", 1, {{3.0, 0.0}, {1.0, 180.0}});
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

// Byte-exact delimited files, the type taken from the extension whatever its case.
TEST_F(RoomSummaryExport, DelimitedFilesMatchTheExpectedBytes) {
    const Site site = SampleSite();
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"summary.csv", true, "summary_metric.csv"}, {"summary.txt", true, "summary_metric.txt"},
        {"a.b.Txt", true, "summary_metric.txt"}, {"imperial.csv", false, "summary_imperial.csv"}};
    for (const auto& [name, metric, expectedFile] : cases) {
        SCOPED_TRACE(name);
        const LengthUnits& units = metric ? static_cast<const LengthUnits&>(metric_) : imperial_;
        const ExportResult result = ExportRoomSummary(&site, units, PathOf(name));
        ASSERT_TRUE(result.ok) << result.errorText.toStdString();
        const QByteArray expected = test::ReadFile(DataFile(expectedFile));
        ASSERT_FALSE(expected.isEmpty()) << expectedFile;
        EXPECT_EQ(test::ReadFile(PathOf(name)).toStdString(), expected.toStdString());
    }
}

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
    Site open;
    test::AddRoomOfWalls(open, "Porch", 0, {{3.0, 0.0}, {1.0, 180.0}});
    const Site site = SampleSite();
    const std::tuple<const Site*, const char*, const char*> cases[] = {
        {nullptr, "summary.csv", "Couldn't get site"},   {&open, "summary.csv", "No valid rooms"},
        {&site, "summary.ods", "Couldn't save file"},    {&site, "summary", "Couldn't save file"},
        {&site, "summary.csv.bak", "Couldn't save file"}};
    for (const auto& [from, name, text] : cases) {
        const ExportResult result = ExportRoomSummary(from, metric_, PathOf(name));
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.errorText, text) << name;
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
}

// Materials are taken from the list itself: two whose names differ only in case each list
// their own rooms once, and a room whose material is not in the list is left out.
TEST_F(RoomSummaryExport, EachMaterialListsItsOwnRoomsOnce) {
    Site site;
    site.AddMaterial("Tile", 1, 0);
    site.AddMaterial("TILE", 2, 0);
    test::AddRoomOfWalls(site, "Upper", 2, {{2.0, 90.0}, {2.0, 0.0}});
    test::AddRoomOfWalls(site, "Lower", 1, {{1.0, 90.0}, {2.0, 0.0}});
    test::AddRoomOfWalls(site, "Stray", 1, {{1.0, 90.0}, {1.0, 0.0}})->SetMaterial(9);
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
    test::AddRoomOfWalls(site, "Closed", 0, {{2.0, 90.0}, {2.0, 0.0}});
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

namespace plantrek {
namespace {

// With a second level, a picture per level unless one is chosen; the room summary still lists
// every room.
TEST_F(ExportCommandTest, ThePlanExportsTakeTheLevelChosenAndTheSummaryEveryRoom) {
    ASSERT_TRUE(Doc().AddLevel({QStringLiteral("Upper"), 3.0, 0.0}));
    Doc().NewRoom(QStringLiteral("Loft"), 0);
    Type({"2 N", "2 E", "2 S"});
    Doc().FinishRoom();
    ASSERT_TRUE(ExportChosenFile(Doc(), FilePath(QStringLiteral("plan.png")), kAllFilesFilter).ok);
    ExportChoices upper;
    upper.level = 1;
    ASSERT_TRUE(
        ExportChosenFile(Doc(), FilePath(QStringLiteral("one.png")), kAllFilesFilter, upper).ok);
    ASSERT_TRUE(
        ExportChosenFile(Doc(), FilePath(QStringLiteral("rooms.csv")), kAllFilesFilter, upper).ok);
    EXPECT_EQ(QDir(QFileInfo(FilePath(QStringLiteral("x"))).path())
                  .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("one.png"), QStringLiteral("plan - Ground Floor.png"),
                           QStringLiteral("plan - Upper.png")}));
    const QByteArray summary = test::ReadFile(FilePath(QStringLiteral("rooms.csv")));
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 2);
    for (const auto& room : Doc().GetSite()->Rooms()) {
        EXPECT_TRUE(summary.contains(room->GetName().toUtf8())) << summary.toStdString();
    }
}

}  // namespace
}  // namespace plantrek
