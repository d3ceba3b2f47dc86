#include "export/xls/delimited_writer.h"
#include "export/xls/workbook.h"

#include <gtest/gtest.h>
#include <QBuffer>

#include <tuple>

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

TEST(WorkbookModel, CellsExistOnlyInsideTheGrid) {
    const std::tuple<int, int, bool> cases[] = {{0, 0, true},      {65535, 255, true},
                                                {65536, 0, false}, {0, 256, false},
                                                {-1, 0, false},    {0, -1, false}};
    for (const auto& [row, column, exists] : cases) {
        Sheet sheet;
        EXPECT_EQ(sheet.Cell(row, column) != nullptr, exists) << row << "," << column;
        EXPECT_EQ(sheet.RowCount(), exists ? row + 1 : 0);
        EXPECT_EQ(sheet.ColumnCount(), exists ? column + 1 : 0);
    }
}

TEST(WorkbookModel, TouchingWidensTheSheetAndCellsStayPut) {
    Sheet sheet;
    Cell* first = sheet.Cell(2, 1);
    ASSERT_NE(first, nullptr);
    first->SetDouble(1.5);
    for (int row = 0; row < 500; ++row) {
        sheet.Cell(row, row % 7);
    }
    EXPECT_EQ(sheet.Cell(2, 1), first);
    EXPECT_EQ(first->Double(), 1.5);
    EXPECT_EQ(sheet.RowCount(), 500);
    EXPECT_EQ(sheet.ColumnCount(), 7);
    EXPECT_EQ(sheet.Find(3, 6), nullptr);
    ASSERT_NE(sheet.Find(6, 6), nullptr);
    EXPECT_TRUE(sheet.Find(6, 6)->IsEmpty());
}

}  // namespace
}  // namespace plantrek
