#include "export/xls/workbook.h"

#include <gtest/gtest.h>

#include <tuple>

namespace plantrek {
namespace {

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
