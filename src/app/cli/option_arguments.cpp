#include "app/cli/option_arguments.h"

#include "document/prefs.h"

namespace plantrek::cli {

bool TakeOption(const QStringList& arguments, qsizetype& i, const QString& name, QString* value,
                QString* error) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + QLatin1Char('='))) {
        *value = argument.mid(name.size() + 1);
        return true;
    }
    if (argument != name) {
        return false;
    }
    if (i + 1 >= arguments.size()) {
        *error = QStringLiteral("%1 needs a value").arg(name);
        return true;
    }
    *value = arguments[++i];
    return true;
}

bool LooksLikeOption(const QString& argument) {
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
}

std::optional<int> ParseUnitsOption(const QString& value, QString* error) {
    if (value == QLatin1String("meters")) {
        return kInputMetres;
    }
    if (value == QLatin1String("feet")) {
        return kInputFeetAndInches;
    }
    *error = QStringLiteral("--units takes feet or meters, not \"%1\"").arg(value);
    return std::nullopt;
}

}  // namespace plantrek::cli
