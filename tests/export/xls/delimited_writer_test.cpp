#include "export/xls/delimited_writer.h"

#include <gtest/gtest.h>
#include <QBuffer>

namespace plantrek {
namespace {

QByteArray Write(const Sheet& sheet, char separator, std::optional<QChar> quote) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteDelimited(sheet, buffer, separator, quote));
    return out;
}

// Quoting, separators and empty cells of a whole summary are in the export's expected files;
// here what those lack. The expected bytes take the local 8-bit encoding to be UTF-8, as it is
// on Linux.
TEST(DelimitedWriter, TextInTheLocalEncodingAndNumbersRoundedToSixDecimals) {
    Sheet sheet;
    sheet.Cell(0, 0)->SetText(QStringLiteral("Area (m²)"));
    sheet.Cell(0, 1)->SetDouble(18.123456789);
    sheet.Cell(0, 2)->SetDouble(-0.0000004);
    EXPECT_EQ(Write(sheet, ',', QChar('"')),
              QByteArray("\"Area (m\xC2\xB2)\",18.123457,-0.000000\n"));
    EXPECT_EQ(Write(sheet, '\t', std::nullopt),
              QByteArray("Area (m\xC2\xB2)\t18.123457\t-0.000000\n"));
}

TEST(DelimitedWriter, EveryRowHasTheWidestRowsFieldsAndGapsAreEmptyLines) {
    Sheet sheet;
    sheet.Cell(0, 0)->SetInteger(-12);
    sheet.Cell(2, 3)->SetText8("say \"hi\"");
    sheet.Cell(3, 1);  // touched but empty
    sheet.Cell(4, 0)->SetDouble(1e20);
    sheet.Cell(4, 1)->SetInteger(2147483647);
    EXPECT_EQ(Write(sheet, ',', QChar('"')),
              QByteArray("-12,,,\n"
                         ",,,\n"
                         ",,,\"say \"\"hi\"\"\"\n"
                         ",,,\n"
                         "100000000000000000000.000000,2147483647,,\n"));
}

}  // namespace
}  // namespace plantrek
