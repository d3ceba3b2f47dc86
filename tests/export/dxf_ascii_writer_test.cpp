// Our DXF writer must put every real number down exactly as dxflib's own writer does.
#include "export/dxf_ascii_writer.h"
#include "export/dxf_exporter.h"
#include "model/room.h"
#include "model/site.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace plantrek {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<double> Values() {
    std::vector<double> values = {
        0.0,        -0.0,           1.5,       2.0,     1.0 / 3.0,
        -2.0 / 3.0, 1e-20,          0.1 + 0.2, 123.456, -98765432.125,
        1e15,       9.5e-7,         -5e-17,    3.0480,  0.30480000000000002,
        1e17,       -123456789012.5};
    std::mt19937 engine(11u);
    std::uniform_real_distribution<double> coordinate(-2000.0, 2000.0);
    std::uniform_int_distribution<int> decimals(0, 9);
    for (int i = 0; i < 2000; ++i) {
        const double v = coordinate(engine);
        values.push_back(v);
        // Lengths typed in centimetres or inches, as plans hold them.
        const double scale = std::pow(10.0, decimals(engine) % 5);
        values.push_back(std::round(v * scale) / scale);
        values.push_back(std::round(v * 12.0) / 12.0 * 0.3048);
    }
    return values;
}

class DxfAsciiWriterTest : public ::testing::TestWithParam<DL_Codes::version> {
protected:
    QTemporaryDir dir_;
};

TEST_P(DxfAsciiWriterTest, RealsAreWrittenAsTheLibraryWritesThem) {
    ASSERT_TRUE(dir_.isValid());
    const QString library = dir_.filePath("library.dxf");
    const QString ours = dir_.filePath("ours.dxf");
    {
        DL_WriterA theirs(QFile::encodeName(library).constData(), GetParam());
        DxfAsciiWriter mine(QFile::encodeName(ours).constData(), GetParam());
        ASSERT_FALSE(theirs.openFailed());
        ASSERT_FALSE(mine.openFailed());
        int code = 10;
        for (const double value : Values()) {
            theirs.dxfReal(code, value);
            mine.dxfReal(code, value);
            code = code == 40 ? 10 : code + 10;
        }
        theirs.close();
        mine.close();
    }
    const QByteArray expected = ReadAll(library);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(ReadAll(ours), expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, DxfAsciiWriterTest,
                         ::testing::Values(DL_Codes::AC1015, DL_Codes::AC1009_MIN));

TEST(DxfAsciiWriterFormatTest, CoordinatesFarAwayAreWrittenWhole) {
    // The library's fixed buffer cannot hold these; ours writes every digit.
    for (const double value : {1e300, -1.7976931348623157e308, 4.5e250}) {
        const std::string text = DxfAsciiWriter::FormatReal(value, DL_Codes::AC1015);
        EXPECT_GT(text.size(), 250u);
        EXPECT_EQ(text.substr(text.size() - 2), ".0");
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value);
    }
    EXPECT_EQ(DxfAsciiWriter::FormatReal(2.5, DL_Codes::AC1015), "2.5");
    EXPECT_EQ(DxfAsciiWriter::FormatReal(-3.0, DL_Codes::AC1009_MIN), "-3.0");
}

// A site file may put a plan anywhere a double reaches; the library's own writer overran its
// buffer on such coordinates and the program aborted.
TEST(DxfAsciiWriterFormatTest, APlanFarFromTheOriginExports) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Site site;
    site.SetStartPoint({1e300, -3e299});
    Room* room = site.AddRoom(QStringLiteral("Far"), 0);
    room->AddWall(4.0, 0.0);
    room->AddWall(3.0, 90.0);
    const QString path = dir.filePath(QStringLiteral("far.dxf"));
    EXPECT_TRUE(ExportDxf(&site, true, 0, path).ok);
    EXPECT_TRUE(ReadAll(path).contains("1000000000000000052504760255204420248704468581108159"));
}

}  // namespace
}  // namespace plantrek
