#pragma once

#include <QString>

#include <ostream>

// Lets failing expectations show Qt strings as text rather than as code unit dumps.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
