#include "export/xls/delimited_writer.h"

#include <charconv>

namespace plantrek {

namespace {

// "%f", or the shortest form without an exponent, in the C locale whatever the user's locale.
QByteArray FormatDouble(double value, DoubleText form) {
    char buffer[400];  // enough for the largest double with six decimals
    const auto result =
        form == DoubleText::Shortest
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return QByteArray(buffer, result.ptr - buffer);
}

QByteArray FieldText(const Cell& cell, std::optional<QChar> quote, DoubleText doubles) {
    switch (cell.Type()) {
        case CellType::Empty:
            return {};
        case CellType::Integer:
            return QByteArray::number(cell.Integer());
        case CellType::Double:
            return FormatDouble(cell.Double(), doubles);
        case CellType::Text: {
            if (!quote) {
                return cell.Text().toLocal8Bit();
            }
            QString text = cell.Text();
            text.replace(*quote, QString(2, *quote));
            return (*quote + text + *quote).toLocal8Bit();
        }
        case CellType::Text8: {
            if (!quote) {
                return cell.Text8();
            }
            const QByteArray mark = QString(*quote).toLocal8Bit();
            QByteArray text = cell.Text8();
            text.replace(mark, mark + mark);
            return mark + text + mark;
        }
    }
    return {};
}

}  // namespace

bool WriteDelimited(const Sheet& sheet, QIODevice& file, char separator,
                    std::optional<QChar> quote, DoubleText doubles) {
    const Sheet::Rows& rows = sheet.TouchedRows();
    for (int row = 0; row < sheet.RowCount(); ++row) {
        QByteArray line;
        const auto rowIt = rows.find(row);
        for (int column = 0; column < sheet.ColumnCount(); ++column) {
            if (rowIt != rows.end()) {
                const auto cellIt = rowIt->second.find(column);
                if (cellIt != rowIt->second.end()) {
                    line += FieldText(cellIt->second, quote, doubles);
                }
            }
            if (column + 1 < sheet.ColumnCount()) {
                line += separator;
            }
        }
        line += '\n';
        if (file.write(line) != line.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace plantrek
