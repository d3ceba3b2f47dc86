#include "app/cli/json_text.h"

#include <QLocale>

#include <cmath>

namespace plantrek::cli {

QString JsonQuote(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '"':
                out += QLatin1String("\\\"");
                break;
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '\n':
                out += QLatin1String("\\n");
                break;
            case '\r':
                out += QLatin1String("\\r");
                break;
            case '\t':
                out += QLatin1String("\\t");
                break;
            default:
                if (c.unicode() < 0x20) {
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    out += QLatin1Char('"');
    return out;
}

JsonValue JsonValue::Bool(bool value) {
    JsonValue v(Type::Bool);
    v.scalar_ = value ? QStringLiteral("true") : QStringLiteral("false");
    return v;
}

JsonValue JsonValue::Number(double value) {
    if (!std::isfinite(value)) {
        return Null();
    }
    JsonValue v(Type::Number);
    // Negative zero reads as plain zero.
    v.scalar_ = QString::number(value == 0.0 ? 0.0 : value, 'g', QLocale::FloatingPointShortest);
    return v;
}

JsonValue JsonValue::String(const QString& value) {
    JsonValue v(Type::String);
    v.scalar_ = JsonQuote(value);
    return v;
}

JsonValue& JsonValue::Append(JsonValue value) {
    members_.emplace_back(QString(), std::move(value));
    return *this;
}

JsonValue& JsonValue::Set(const QString& key, JsonValue value) {
    members_.emplace_back(key, std::move(value));
    return *this;
}

bool JsonValue::FitsOnOneLine() const {
    for (const auto& member : members_) {
        const JsonValue& value = member.second;
        if (!value.IsContainer()) {
            continue;
        }
        for (const auto& inner : value.members_) {
            if (inner.second.IsContainer()) {
                return false;
            }
        }
        if (type_ == Type::Array || value.type_ == Type::Object) {
            return false;
        }
    }
    return true;
}

void JsonValue::Write(QString& out, int indent) const {
    if (!IsContainer()) {
        out += type_ == Type::Null ? QStringLiteral("null") : scalar_;
        return;
    }
    const bool isObject = type_ == Type::Object;
    const QChar open = isObject ? QLatin1Char('{') : QLatin1Char('[');
    const QChar close = isObject ? QLatin1Char('}') : QLatin1Char(']');
    if (members_.empty()) {
        out += open;
        out += close;
        return;
    }
    const bool oneLine = FitsOnOneLine();
    const QString inner(static_cast<qsizetype>(indent + 2), QLatin1Char(' '));
    out += open;
    bool first = true;
    for (const auto& [key, value] : members_) {
        if (!first) {
            out += QLatin1Char(',');
            if (oneLine) {
                out += QLatin1Char(' ');
            }
        }
        first = false;
        if (!oneLine) {
            out += QLatin1Char('\n');
            out += inner;
        }
        if (isObject) {
            out += JsonQuote(key);
            out += QLatin1String(": ");
        }
        value.Write(out, indent + 2);
    }
    if (!oneLine) {
        out += QLatin1Char('\n');
        out += QString(static_cast<qsizetype>(indent), QLatin1Char(' '));
    }
    out += close;
}

QString JsonValue::ToText() const {
    QString out;
    Write(out, 0);
    return out;
}

}  // namespace plantrek::cli
