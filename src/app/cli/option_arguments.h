#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reading "--name value" and "--name=value" options, shared by the commands of plantrek-cli.
namespace plantrek::cli {

// Whether arguments[i] is the option `name`, in either form. When it is, its value goes to
// value and i moves past a separate value; a value that is missing sets error instead.
bool TakeOption(const QStringList& arguments, qsizetype& i, const QString& name, QString* value,
                QString* error);

// Whether an argument reads as an option: "--name" or a single-dash word such as "-platform"
// (Qt's spelling, given by mistake); "-" alone names standard input.
bool LooksLikeOption(const QString& argument);

// The value of --units as the Input setting: 1 for "meters", 0 for "feet"; anything else
// sets error.
std::optional<int> ParseUnitsOption(const QString& value, QString* error);

}  // namespace plantrek::cli
