// Every export onto a place that cannot take it: a folder that is a file, a disk that fills up
// halfway, a full device. The export fails with "Couldn't save file" and the system's reason,
// leaves no file (and no temporary one) behind, and keeps the file that was there.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif
#include <unistd.h>

#include "document/doc_test_support.h"
#include "export/export_command.h"
#include "export/export_file.h"
#include "export_test_support.h"
#include "image_test_support.h"

namespace plantrek {
namespace {

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

// The file every export writes through.
class ExportFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(ExportFileTest, AFolderCannotBeReplaced) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder")));
    ExportFile file(Path(QStringLiteral("folder")));
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Reason().isEmpty());
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("folder"))).isDir());
}

}  // namespace
}  // namespace plantrek
