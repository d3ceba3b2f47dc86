#include "export/xls/workbook.h"

#include <gtest/gtest.h>

namespace plantrek {
namespace {

TEST(WorkbookModel, NewWorkbookHasNamedEmptySheets) {
    Workbook book(3);
    ASSERT_EQ(book.SheetCount(), 3);
    EXPECT_EQ(book.SheetName(0), "Sheet1");
    EXPECT_EQ(book.SheetName(2), "Sheet3");
    ASSERT_NE(book.GetSheet(2), nullptr);
    EXPECT_EQ(book.GetSheet(2)->RowCount(), 0);
    EXPECT_EQ(book.GetSheet(2)->ColumnCount(), 0);
    EXPECT_EQ(book.GetSheet(3), nullptr);
    EXPECT_EQ(book.GetSheet(-1), nullptr);
    EXPECT_EQ(Workbook(0).GetSheet(0), nullptr);
}

struct CellLimitCase {
    int row;
    int column;
    bool exists;
};

class SheetCellLimits : public ::testing::TestWithParam<CellLimitCase> {};

TEST_P(SheetCellLimits, CellExistsOnlyInsideTheGrid) {
    Sheet sheet;
    const CellLimitCase& c = GetParam();
    EXPECT_EQ(sheet.Cell(c.row, c.column) != nullptr, c.exists);
    EXPECT_EQ(sheet.RowCount(), c.exists ? c.row + 1 : 0);
    EXPECT_EQ(sheet.ColumnCount(), c.exists ? c.column + 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, SheetCellLimits,
    ::testing::Values(CellLimitCase{0, 0, true}, CellLimitCase{65535, 255, true},
                      CellLimitCase{65536, 0, false}, CellLimitCase{0, 256, false},
                      CellLimitCase{-1, 0, false}, CellLimitCase{0, -1, false}));

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

TEST(WorkbookModel, CellKeepsOneValueOfOneType) {
    Cell cell;
    EXPECT_EQ(cell.Type(), CellType::Empty);
    cell.SetInteger(-7);
    EXPECT_EQ(cell.Type(), CellType::Integer);
    EXPECT_EQ(cell.Integer(), -7);
    EXPECT_EQ(cell.Double(), 0.0);
    cell.SetText(QStringLiteral("Küche"));
    EXPECT_EQ(cell.Type(), CellType::Text);
    EXPECT_EQ(cell.Integer(), 0);
    EXPECT_EQ(cell.Text(), QStringLiteral("Küche"));
    cell.SetText8("Hall");
    EXPECT_EQ(cell.Type(), CellType::Text8);
    EXPECT_EQ(cell.Text(), "Hall");
    EXPECT_EQ(cell.Text8(), "Hall");
    cell.SetDouble(2.25);
    EXPECT_EQ(cell.Type(), CellType::Double);
    EXPECT_TRUE(cell.Text().isEmpty());
    cell.Clear();
    EXPECT_TRUE(cell.IsEmpty());
}

}  // namespace
}  // namespace plantrek
