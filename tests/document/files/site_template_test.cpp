#include "document/files/site_template.h"
#include "document/files/qstring_printer.h"
#include "document/files/site_file_test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include "support/file_size_limit.h"
#endif

namespace plantrek {
namespace {

using site_file_test::Utf16LeWithBom;
const auto ReadAll = site_file_test::ReadBytes;

void WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(site_file_test::WriteBytes(path, bytes));
}

CSiteTemplate Sample() {
    CSiteTemplate lists;
    lists.roomNames = {"Kitchen", "Tom's \"den\""};
    lists.materials = {{"Tile & Stone", 255}, {"<Carpet>", 0xFFFFFFFFu}};
    return lists;
}

class SiteTemplateTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name = "TracepadTemplate") const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(SiteTemplateTest, WritesTheFileByteForByte) {
    QString error;
    ASSERT_TRUE(CSiteTemplate::Write(Path(), Sample(), &error)) << error.toStdString();
    const QString expected =
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<tcdisto_template name=\"TracepadTemplate\" version=\"1.1\">\n"
        "\t<room name=\"Kitchen\"/>\n"
        "\t<room name=\"Tom&apos;s &quot;den&quot;\"/>\n"
        "\t<material name=\"Tile &amp; Stone\" color=\"255\"/>\n"
        "\t<material name=\"&lt;Carpet&gt;\" color=\"-1\"/>\n"
        "</tcdisto_template>\n";
    EXPECT_EQ(ReadAll(Path()), Utf16LeWithBom(expected));
}

TEST_F(SiteTemplateTest, ReadingRules) {
    // Root name and version are not checked; unknown elements are passed over.
    WriteAll(Path(),
             "<other version=\"9\">"
             "<room/><room name=\"\"/><room name=\"Hall\"><junk/></room>"
             "<material name=\"\" color=\"1\"/>"
             "<material name=\"Plain\"/>"
             "<material name=\"Hexed\" color=\"0x10\"/>"
             "<material name=\"Tail\" color=\" 12abc\"/>"
             "<material name=\"Huge\" color=\"1e400\"/>"
             "<material name=\"NaN\" color=\"nan\"/>"
             "<group><room name=\"Nested\"/></group>"
             "</other>");
    CSiteTemplate read;
    ASSERT_TRUE(CSiteTemplate::Read(Path(), read));
    EXPECT_EQ(read.roomNames, (QStringList{"Hall", "Nested"}));
    const QList<TemplateMaterial> expected{
        {"Plain", 0xFF8080}, {"Hexed", 0}, {"Tail", 12}, {"Huge", 1}, {"NaN", 0}};
    EXPECT_EQ(read.materials, expected);
}

// Malformed contents at large are the template fuzzer's (a failed read changes nothing); a
// cut-off file stands for them here.
TEST_F(SiteTemplateTest, BadFileLeavesTheListsAsTheyWere) {
    CSiteTemplate lists = Sample();
    EXPECT_FALSE(CSiteTemplate::Read(Path("missing"), lists));
    EXPECT_FALSE(CSiteTemplate::Read(QString(), lists));
    WriteAll(Path(), Utf16LeWithBom("<tcdisto_template><room name=\"New\"/><material name=\"M\"/>"
                                    "</tcdisto_template>").left(60));
    EXPECT_FALSE(CSiteTemplate::Read(Path(), lists));
    EXPECT_EQ(lists, Sample());
}

#ifdef Q_OS_UNIX
TEST_F(SiteTemplateTest, FailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(CSiteTemplate::Write(Path(), Sample()));
    const QByteArray before = ReadAll(Path());
    CSiteTemplate big;
    for (int i = 0; i < 2000; ++i) {
        big.roomNames << QString("Room %1").arg(i);
    }
    QString error;
    {
        const test::FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        EXPECT_FALSE(CSiteTemplate::Write(Path(), big, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(Path()), before);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"TracepadTemplate"});
}

#endif

// That the user's copy, once written, wins over the program's is PrefsTest's
// (ListsComeFromTheTemplateFileOnFirstUse); a folder of that name is no template.
TEST_F(SiteTemplateTest, AFolderNamedLikeTheUsersCopyIsNoTemplate) {
    const TemplateLocation odd{dir_.filePath("odd"), dir_.filePath("program")};
    QDir().mkpath(odd.WritePath());
    EXPECT_EQ(odd.ReadPath(), dir_.filePath("program/TracepadTemplate"));
}

}  // namespace
}  // namespace plantrek
