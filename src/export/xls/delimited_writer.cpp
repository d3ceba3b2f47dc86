#include "export/xls/delimited_writer.h"

#include <charconv>

namespace plantrek {

namespace {

// Lines are gathered into blocks of about this size before they are written.
constexpr qsizetype kBlockSize = 1 << 16;

void AppendField(QByteArray& out, const Cell& cell, std::optional<QChar> quote,
                 DoubleText doubles) {
    switch (cell.Type()) {
        case CellType::Empty:
            return;
        case CellType::Integer:
            AppendDelimitedInteger(out, cell.Integer());
            return;
        case CellType::Double:
            AppendDelimitedDouble(out, cell.Double(), doubles);
            return;
        case CellType::Text:
            AppendDelimitedText(out, cell.Text(), quote);
            return;
        case CellType::Text8: {
            if (!quote) {
                out += cell.Text8();
                return;
            }
            const QByteArray mark = QString(*quote).toLocal8Bit();
            QByteArray text = cell.Text8();
            text.replace(mark, mark + mark);
            out += mark + text + mark;
            return;
        }
    }
}

}  // namespace

void AppendDelimitedText(QByteArray& out, const QString& text, std::optional<QChar> quote) {
    // ASCII without the quote in it: the same bytes in every local 8-bit encoding, written
    // without a conversion.
    const bool asciiQuote = !quote || quote->unicode() < 0x80;
    bool plain = asciiQuote;
    for (qsizetype i = 0; plain && i < text.size(); ++i) {
        plain = text[i].unicode() < 0x80 && (!quote || text[i] != *quote);
    }
    if (plain) {
        const qsizetype marks = quote ? 2 : 0;
        const qsizetype at = out.size();
        out.resize(at + text.size() + marks);
        char* to = out.data() + at;
        if (quote) {
            *to++ = static_cast<char>(quote->unicode());
        }
        for (const QChar c : text) {
            *to++ = static_cast<char>(c.unicode());
        }
        if (quote) {
            *to = static_cast<char>(quote->unicode());
        }
        return;
    }
    if (!quote) {
        out += text.toLocal8Bit();
        return;
    }
    QString quoted = text;
    quoted.replace(*quote, QString(2, *quote));
    out += (*quote + quoted + *quote).toLocal8Bit();
}

void AppendDelimitedInteger(QByteArray& out, qint32 value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

// "%f", or the shortest form without an exponent, in the C locale whatever the user's locale.
void AppendDelimitedDouble(QByteArray& out, double value, DoubleText form) {
    char buffer[400];  // enough for the largest double with six decimals
    const auto result =
        form == DoubleText::Shortest
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr - buffer);
}

bool WriteDelimited(const Sheet& sheet, QIODevice& file, char separator,
                    std::optional<QChar> quote, DoubleText doubles) {
    const Sheet::Rows& rows = sheet.TouchedRows();
    auto rowIt = rows.begin();
    QByteArray block;
    block.reserve(kBlockSize + 1024);
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const Sheet::Row* cells = nullptr;
        if (rowIt != rows.end() && rowIt->first == row) {
            cells = &rowIt->second;
            ++rowIt;
        }
        auto cellIt = cells != nullptr ? cells->begin() : Sheet::Row::const_iterator{};
        for (int column = 0; column < sheet.ColumnCount(); ++column) {
            if (cells != nullptr && cellIt != cells->end() && cellIt->first == column) {
                AppendField(block, cellIt->second, quote, doubles);
                ++cellIt;
            }
            if (column + 1 < sheet.ColumnCount()) {
                block += separator;
            }
        }
        block += '\n';
        if (block.size() >= kBlockSize || row + 1 == sheet.RowCount()) {
            if (file.write(block) != block.size()) {
                return false;
            }
            block.resize(0);  // keeps the capacity
        }
    }
    return true;
}

}  // namespace plantrek
