#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Scripts: one entry per line. "#" starts a comment, ":" a command with its arguments; any
// other line, the empty one included, is typed on the input line as it stands.
namespace plantrek::cli {

struct ScriptLine {
    enum class Kind { Comment, Command, Input };

    int number = 0;  // from 1
    Kind kind = Kind::Input;
    QString text;  // the whole line without its line end
};

// The lines of a script in UTF-8, LF or CR LF line ends.
std::vector<ScriptLine> SplitScript(const QByteArray& script);

// The arguments of a command line (after the ":"), separated by spaces or tabs. An argument that
// begins with a double quote runs to the next unescaped one and may hold spaces; inside it \"
// is a quote and \\ a backslash. Quotes inside other arguments are ordinary characters, so an
// inch mark needs no escaping. Nothing (with the reason) for a quote left open.
std::optional<QStringList> SplitArguments(const QString& text, QString* error);

}  // namespace plantrek::cli
