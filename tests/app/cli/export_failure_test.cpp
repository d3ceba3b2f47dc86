// plantrek-cli export and thumbnail onto places that cannot take the file: status 1, the
// system's reason on standard error, and no file (nor a temporary one) left behind. Every
// export format's failure is checked in the export layer; here one of them, and the thumbnail,
// which the tool writes itself.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif

#include "cli_support.h"
#include "support/file_size_limit.h"

namespace plantrek::test {
namespace {

constexpr const char* kOutputs[] = {"dxf", "thumbnail"};

class CliWriteFailureTest : public CliTest, public ::testing::WithParamInterface<const char*> {
protected:
    CliResult Write(const QString& output) const {
        const QString site = QStringLiteral(PLANTREK_CLI_DATA "/../export_cli/house.tcd");
        if (QByteArray(GetParam()) == "thumbnail") {
            return Run({"thumbnail", site, output, "256"});
        }
        return Run({"export", site, output, "--wall-lengths"});
    }
    QString Name() const { return QByteArray(GetParam()) == "thumbnail" ? "plan.png" : "plan.dxf"; }
    QStringList Files() const {
        return QDir(Work()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

TEST_P(CliWriteFailureTest, AFolderThatIsAFile) {
    ASSERT_TRUE(QFile(Work("plain")).open(QIODevice::WriteOnly));
    const CliResult result = Write(Work("plain/") + Name());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QByteArray("error: Couldn't save file: Not a directory\n"));
    EXPECT_EQ(Files(), QStringList{"plain"});
}

TEST_P(CliWriteFailureTest, ADiskThatFillsUpKeepsTheEarlierFile) {
    const QString path = Work(Name());
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    CliResult result;
    {
        FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        result = Write(path);
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QByteArray("error: Couldn't save file: File too large\n"));
    EXPECT_EQ(ReadDataFile(path), QByteArray("earlier"));
    EXPECT_EQ(Files(), QStringList{Name()});
}

#ifdef __linux__
// /dev/full, or a device made like it in the test's folder where the test may make devices.
TEST_P(CliWriteFailureTest, AFullDevice) {
    QString device = Work("full");
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        device = QStringLiteral("/dev/full");
    }
    struct stat before {};
    if (stat(QFile::encodeName(device).constData(), &before) != 0 || !S_ISCHR(before.st_mode)) {
        GTEST_SKIP() << "no full device here";
    }
    const QString link = Work(Name());
    ASSERT_TRUE(QFile::link(device, link));
    const CliResult result = Write(link);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QByteArray("error: Couldn't save file: No space left on device\n"));
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(device).constData(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
}
#endif

INSTANTIATE_TEST_SUITE_P(EveryOutput, CliWriteFailureTest, ::testing::ValuesIn(kOutputs),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace plantrek::test
