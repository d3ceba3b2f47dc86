#include "app/cli/script_reader.h"

namespace plantrek::cli {

std::vector<ScriptLine> SplitScript(const QByteArray& script) {
    std::vector<ScriptLine> lines;
    const QString text = QString::fromUtf8(script);
    QStringList pieces = text.split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open an empty one.
    if (!pieces.isEmpty() && pieces.last().isEmpty()) {
        pieces.removeLast();
    }
    int number = 0;
    for (QString piece : pieces) {
        ++number;
        if (piece.endsWith(QLatin1Char('\r'))) {
            piece.chop(1);
        }
        ScriptLine line;
        line.number = number;
        line.text = piece;
        if (piece.startsWith(QLatin1Char('#'))) {
            line.kind = ScriptLine::Kind::Comment;
        } else if (piece.startsWith(QLatin1Char(':'))) {
            line.kind = ScriptLine::Kind::Command;
        } else {
            line.kind = ScriptLine::Kind::Input;
        }
        lines.push_back(line);
    }
    return lines;
}

std::optional<QStringList> SplitArguments(const QString& text, QString* error) {
    QStringList arguments;
    const auto isSpace = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (isSpace(text[i])) {
            ++i;
            continue;
        }
        QString argument;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text[i];
                if (c == QLatin1Char('\\') && i + 1 < n &&
                    (text[i + 1] == QLatin1Char('"') || text[i + 1] == QLatin1Char('\\'))) {
                    argument += text[i + 1];
                    i += 2;
                } else if (c == QLatin1Char('"')) {
                    closed = true;
                    ++i;
                    break;
                } else {
                    argument += c;
                    ++i;
                }
            }
            if (!closed) {
                *error = QStringLiteral("a quoted argument is not closed");
                return std::nullopt;
            }
            if (i < n && !isSpace(text[i])) {
                *error = QStringLiteral("a quoted argument must be followed by a space");
                return std::nullopt;
            }
        } else {
            while (i < n && !isSpace(text[i])) {
                argument += text[i];
                ++i;
            }
        }
        arguments.append(argument);
    }
    return arguments;
}

}  // namespace plantrek::cli
