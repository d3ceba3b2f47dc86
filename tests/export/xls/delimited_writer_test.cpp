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

// A room summary shaped sheet: header, a material row, two room rows. The expected bytes take
// the local 8-bit encoding to be UTF-8, as it is on Linux.
Sheet SummarySheet() {
    Sheet sheet;
    const char* headers[] = {"Material", "Room", "Area (m²)", "Perimeter (m)"};
    for (int column = 0; column < 4; ++column) {
        sheet.Cell(0, column)->SetText(QString::fromUtf8(headers[column]));
    }
    sheet.Cell(1, 0)->SetText("Carpet");
    sheet.Cell(1, 2)->SetDouble(32.5);
    sheet.Cell(1, 3)->SetDouble(24);
    sheet.Cell(2, 1)->SetText("Big \"A\" room, east");
    sheet.Cell(2, 2)->SetDouble(20);
    sheet.Cell(2, 3)->SetDouble(18.123456789);
    sheet.Cell(3, 1)->SetText("Hall");
    sheet.Cell(3, 2)->SetDouble(12.5);
    sheet.Cell(3, 3)->SetDouble(-0.0000004);
    return sheet;
}

TEST(DelimitedWriter, CommaSeparatedQuotesTextsAndDoublesQuotes) {
    EXPECT_EQ(Write(SummarySheet(), ',', QChar('"')),
              QByteArray("\"Material\",\"Room\",\"Area (m\xC2\xB2)\",\"Perimeter (m)\"\n"
                         "\"Carpet\",,32.500000,24.000000\n"
                         ",\"Big \"\"A\"\" room, east\",20.000000,18.123457\n"
                         ",\"Hall\",12.500000,-0.000000\n"));
}

TEST(DelimitedWriter, TabSeparatedWritesTextsAsTheyAre) {
    EXPECT_EQ(Write(SummarySheet(), '\t', std::nullopt),
              QByteArray("Material\tRoom\tArea (m\xC2\xB2)\tPerimeter (m)\n"
                         "Carpet\t\t32.500000\t24.000000\n"
                         "\tBig \"A\" room, east\t20.000000\t18.123457\n"
                         "\tHall\t12.500000\t-0.000000\n"));
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

TEST(DelimitedWriter, EmptySheetWritesNothing) {
    EXPECT_TRUE(Write(Sheet(), ',', QChar('"')).isEmpty());
}

TEST(DelimitedWriter, ReportsAFailedWrite) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteDelimited(SummarySheet(), buffer, ',', QChar('"')));
}

}  // namespace
}  // namespace plantrek
