#include "export/xls/sheet.h"

#include <algorithm>

namespace plantrek {

Cell* Sheet::Cell(int row, int column) {
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) {
        return nullptr;
    }
    rowCount_ = std::max(rowCount_, row + 1);
    columnCount_ = std::max(columnCount_, column + 1);
    return &rows_[row][column];
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
