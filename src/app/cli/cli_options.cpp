#include "app/cli/cli_options.h"

namespace plantrek::cli {

namespace {

// "--name value" or "--name=value".
bool TakeValue(const QStringList& arguments, qsizetype& i, const QString& name, QString* value,
               QString* error) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + QLatin1Char('='))) {
        *value = argument.mid(name.size() + 1);
        return true;
    }
    if (i + 1 >= arguments.size()) {
        *error = QStringLiteral("%1 needs a value").arg(name);
        return false;
    }
    *value = arguments[++i];
    return true;
}

bool Matches(const QString& argument, const QString& name) {
    return argument == name || argument.startsWith(name + QLatin1Char('='));
}

}  // namespace

std::optional<RunOptions> ParseRunOptions(const QStringList& arguments, QString* error) {
    RunOptions options;
    bool haveScript = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        if (Matches(argument, QStringLiteral("--in"))) {
            if (!TakeValue(arguments, i, QStringLiteral("--in"), &options.inPath, error)) {
                return std::nullopt;
            }
        } else if (Matches(argument, QStringLiteral("--out"))) {
            if (!TakeValue(arguments, i, QStringLiteral("--out"), &options.outPath, error)) {
                return std::nullopt;
            }
        } else if (Matches(argument, QStringLiteral("--units"))) {
            if (!TakeValue(arguments, i, QStringLiteral("--units"), &value, error)) {
                return std::nullopt;
            }
            if (value == QLatin1String("meters")) {
                options.units = 1;
            } else if (value == QLatin1String("feet")) {
                options.units = 0;
            } else {
                *error = QStringLiteral("--units takes feet or meters, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (Matches(argument, QStringLiteral("--style"))) {
            if (!TakeValue(arguments, i, QStringLiteral("--style"), &value, error)) {
                return std::nullopt;
            }
            if (value == QLatin1String("azimuth")) {
                options.style = 0;
            } else if (value == QLatin1String("quadrant")) {
                options.style = 1;
            } else {
                *error = QStringLiteral("--style takes azimuth or quadrant, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (Matches(argument, QStringLiteral("--answer"))) {
            if (!TakeValue(arguments, i, QStringLiteral("--answer"), &value, error)) {
                return std::nullopt;
            }
            if (value != QLatin1String("yes") && value != QLatin1String("no")) {
                *error = QStringLiteral("--answer takes yes or no, not \"%1\"").arg(value);
                return std::nullopt;
            }
            options.answerYes = value == QLatin1String("yes");
        } else if (argument == QLatin1String("--strict")) {
            options.strict = true;
        } else if (argument == QLatin1String("--persist")) {
            options.persist = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return std::nullopt;
        } else if (haveScript) {
            *error = QStringLiteral("only one script may be given");
            return std::nullopt;
        } else {
            options.script = argument;
            haveScript = true;
        }
    }
    if (!haveScript) {
        *error = QStringLiteral("run needs a script (\"-\" reads standard input)");
        return std::nullopt;
    }
    return options;
}

}  // namespace plantrek::cli
