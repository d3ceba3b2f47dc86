#pragma once

#include "export/xls/cell.h"

#include <map>

namespace plantrek {

// A worksheet: a sparse grid of cells that grows to the highest row and column touched.
class Sheet {
public:
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;

    // Cells by column within a row, rows by index; both in ascending order.
    using Row = std::map<int, plantrek::Cell>;
    using Rows = std::map<int, Row>;

    // The cell at (row, column), created empty on first use; none outside the sheet's limits.
    // The pointer stays valid for the sheet's lifetime.
    plantrek::Cell* Cell(int row, int column);
    // The cell if it has been touched, else none.
    const plantrek::Cell* Find(int row, int column) const;

    // One past the highest row and column touched.
    int RowCount() const { return rowCount_; }
    int ColumnCount() const { return columnCount_; }

    const Rows& TouchedRows() const { return rows_; }

private:
    Rows rows_;
    int rowCount_ = 0;
    int columnCount_ = 0;
};

}  // namespace plantrek
