#include "app/cli/cli_options.h"

#include "app/cli/option_arguments.h"
#include "model/units.h"

namespace plantrek::cli {

std::optional<RunOptions> ParseRunOptions(const QStringList& arguments, QString* error) {
    RunOptions options;
    bool haveScript = false;
    error->clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        const auto option = [&](const QString& name, QString* target) {
            return TakeOption(arguments, i, name, target, error);
        };
        if (option(QStringLiteral("--in"), &options.inPath) ||
            option(QStringLiteral("--out"), &options.outPath)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
        } else if (option(QStringLiteral("--units"), &value)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.units = ParseUnitsOption(value, error);
            if (!options.units) {
                return std::nullopt;
            }
        } else if (option(QStringLiteral("--style"), &value)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            if (value == QLatin1String("azimuth")) {
                options.style = kAzimuthStyleCode;
            } else if (value == QLatin1String("quadrant")) {
                options.style = kQuadrantStyleCode;
            } else {
                *error = QStringLiteral("--style takes azimuth or quadrant, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (option(QStringLiteral("--answer"), &value)) {
            if (!error->isEmpty()) {
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
        } else if (LooksLikeOption(argument)) {
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
