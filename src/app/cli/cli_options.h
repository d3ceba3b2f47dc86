#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The options of "plantrek-cli run".
namespace plantrek::cli {

struct RunOptions {
    QString inPath;            // --in: open this site instead of starting a new one
    QString outPath;           // --out: save as this site at the end
    std::optional<int> units;  // --units: the Input value for this run (1 meters, 0 feet)
    std::optional<int> style;  // --style: the AngleStyle value for this run
    bool answerYes = true;     // --answer: how questions are answered
    bool strict = false;       // --strict: stop at the first error or warning
    bool persist = false;      // --persist: keep changed settings and lists
    QString script;            // the script file, "-" for standard input
    QByteArray scriptText;     // used instead of the file when script is empty
};

// Reads the arguments that follow "run"; on failure the reason goes to error.
std::optional<RunOptions> ParseRunOptions(const QStringList& arguments, QString* error);

}  // namespace plantrek::cli
