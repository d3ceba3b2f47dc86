#pragma once

#include "export/xls/sheet.h"

#include <QByteArray>
#include <QChar>
#include <QIODevice>
#include <QString>

#include <optional>

namespace plantrek {

// Writes a sheet as delimited text: every row up to the sheet's row count, every row with as many
// fields as the sheet's column count, the separator between fields and a line feed after each
// row. Integers as "%d", doubles as "%f" (or in the fewest digits that read back as the same
// number); texts in the local 8-bit encoding, and when a quote character is given, quoted with
// that character doubled inside. False if a write fails.
enum class DoubleText { SixDecimals, Shortest };
bool WriteDelimited(const Sheet& sheet, QIODevice& file, char separator,
                    std::optional<QChar> quote, DoubleText doubles = DoubleText::SixDecimals);

// One field as WriteDelimited writes it, appended to `out`: for a table written row by row
// without a sheet.
void AppendDelimitedText(QByteArray& out, const QString& text, std::optional<QChar> quote);
void AppendDelimitedInteger(QByteArray& out, qint32 value);
void AppendDelimitedDouble(QByteArray& out, double value, DoubleText form);

}  // namespace plantrek
