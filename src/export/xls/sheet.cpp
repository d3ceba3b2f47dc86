#include "export/xls/sheet.h"

#include <algorithm>

namespace plantrek {

Cell* Sheet::Cell(int row, int column) {
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) {
        return nullptr;
    }
    rowCount_ = std::max(rowCount_, row + 1);
    columnCount_ = std::max(columnCount_, column + 1);
    // Cells mostly come row by row from left to right: the end is the place to look first.
    Row& cells = !rows_.empty() && rows_.rbegin()->first == row
                     ? rows_.rbegin()->second
                     : rows_.try_emplace(rows_.end(), row)->second;
    return &cells.try_emplace(cells.end(), column)->second;
}

const Cell* Sheet::Find(int row, int column) const {
    const auto rowIt = rows_.find(row);
    if (rowIt == rows_.end()) {
        return nullptr;
    }
    const auto cellIt = rowIt->second.find(column);
    return cellIt == rowIt->second.end() ? nullptr : &cellIt->second;
}

}  // namespace plantrek
