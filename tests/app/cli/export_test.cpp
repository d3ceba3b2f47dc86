// plantrek-cli export: a sample house (six closed rooms in four materials, a bay window, an open
// deck) written in the format its name asks for, in the units asked for, and the errors.
#include <QDir>
#include <QImage>
#include <QSettings>

#include "cli_support.h"
#include "support/file_size_limit.h"

namespace plantrek::test {
namespace {

QString SamplePath(const QString& name) {
    return QStringLiteral(PLANTREK_CLI_DATA "/../export_cli/") + name;
}

class ExportCliTest : public CliTest {
protected:
    // Runs "export" with the arguments split at spaces, SITE standing for the sample house.
    CliResult Export(const QString& arguments) const {
        QStringList split = arguments.split(u' ');
        split.replaceInStrings(QRegularExpression("^SITE$"), SamplePath("house.tcd"));
        return Run(QStringList{"export"} + split);
    }
};

// What is in each format is read back by the export tests; here the name alone must choose it
// (the export layer's failure tests take every extension through the same choice).
TEST_F(ExportCliTest, ExtensionChoosesTheFormatInAnyCase) {
    const std::pair<const char*, QByteArray> cases[] = {{"plan.jpg", "\xff\xd8\xff"},
                                                        {"plan.BMP", "BM"},
                                                        {"plan.Dxf", "999\ndxflib"},
                                                        {"rooms.xls", "\xd0\xcf\x11\xe0"},
                                                        {"plan.pdf", "%PDF-"}};
    for (const auto& [file, magic] : cases) {
        const CliResult result = Export(QString("SITE %1 --units meters").arg(file));
        ASSERT_EQ(result.exitCode, 0) << file << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        EXPECT_TRUE(ReadDataFile(Work(QString::fromLatin1(file))).startsWith(magic)) << file;
    }
    // The selected room (named in any case) is drawn differently.
    ASSERT_EQ(Export("SITE selected.bmp --select-room KITCHEN").exitCode, 0);
    EXPECT_NE(ReadDataFile(Work("selected.bmp")), ReadDataFile(Work("plan.BMP")));
}

// The summary in the units asked for, byte for byte; --units is for this run only, and without
// it the user's own setting (feet) counts.
TEST_F(ExportCliTest, SummariesInTheUnitsOfTheRunOnly) {
    {
        QSettings user(UserSettingsPath(), QSettings::IniFormat);
        user.setValue(QStringLiteral("Input"), 0);
    }
    ASSERT_EQ(Export("SITE rooms.csv --units meters").exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("rooms.csv")), ReadDataFile(SamplePath("house_meters.csv")));
    QSettings user(UserSettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(user.value(QStringLiteral("Input")).toInt(), 0);
    EXPECT_FALSE(user.contains(QStringLiteral("ExportType")));
    ASSERT_EQ(Export("SITE ROOMS.TXT").exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("ROOMS.TXT")), ReadDataFile(SamplePath("house_feet.txt")));
}

TEST_F(ExportCliTest, ErrorsSayWhyAndWriteNothing) {
    const QString takes = "plantrek-cli: export takes a site file and an output file\n";
    const struct {
        const char* arguments;
        int exitCode;
        QString err;  // the whole of standard error
    } cases[] = {
        {"SITE plan.webp", 1, "error: Unknown file type\n"},
        {"SITE nowhere/plan.dxf", 1, "error: Couldn't save file: No such file or directory\n"},
        {"absent.tcd plan.dxf", 1,
         "warning: The file \"absent.tcd\" could not be opened.\\nNo such file or directory\n"},
        {"SITE plan.jpg --select-room Garage", 2,
         "plantrek-cli: there is no room named \"Garage\"\n"},
        {"SITE plan.csv --units yards", 2,
         "plantrek-cli: --units takes feet or meters, not \"yards\"\n"},
        {"SITE plan.jpg --zoom 2", 2, "plantrek-cli: unknown option \"--zoom\"\n"},
        {"SITE plan.pdf --scale 50", 2,
         "plantrek-cli: --scale takes a scale such as 1:50, not \"50\"\n"},
        {"SITE plan.pdf --page B99", 2,
         "plantrek-cli: --page takes a paper size such as A4, A3 or Letter, not \"B99\"\n"},
        {"SITE", 2, takes},
        {"SITE a.dxf b.dxf", 2, takes}};
    for (const auto& c : cases) {
        const CliResult result = Export(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(QString::fromUtf8(result.err), c.err);
        EXPECT_EQ(QDir(Work()).entryList(QDir::Files), QStringList()) << c.arguments;
    }
}

// The file manager's thumbnail: the plan within SIZE pixels; a size it cannot honour is refused.
TEST_F(ExportCliTest, ThumbnailFitsTheSizeAsked) {
    const QString site = SamplePath(QStringLiteral("house.tcd"));
    ASSERT_EQ(Run({"thumbnail", site, Work("thumb.png"), "128"}).exitCode, 0);
    const QImage thumb(Work("thumb.png"));
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(std::max(thumb.width(), thumb.height()), 128);
    EXPECT_EQ(Run({"thumbnail", site, Work("bad.png"), "0"}).exitCode, 2);
    EXPECT_EQ(Run({"thumbnail", site, Work("bad.png"), "huge"}).exitCode, 2);
    // It is written as the exports are (their failures are checked there): a disk that fills up
    // is reported with its reason, and the earlier thumbnail stays, alone.
    {
        FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        const CliResult full = Run({"thumbnail", site, Work("thumb.png"), "256"});
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_EQ(full.err, QByteArray("error: Couldn't save file: File too large\n"));
    }
    EXPECT_EQ(QImage(Work("thumb.png")).size(), thumb.size());
    EXPECT_EQ(QDir(Work()).entryList(QDir::Files | QDir::Hidden), QStringList{"thumb.png"});
}

}  // namespace
}  // namespace plantrek::test
