#pragma once

#include <QString>

#include <utility>
#include <vector>

// A small JSON value that keeps the order of its members, written with the members of an
// object or array on lines of their own unless all of them are plain values or arrays of
// plain values, which stay on one line.
namespace plantrek::cli {

class JsonValue {
public:
    static JsonValue Null() { return JsonValue(Type::Null); }
    static JsonValue Bool(bool value);
    // Full double precision, the shortest text that reads back to the same number.
    static JsonValue Number(double value);
    static JsonValue String(const QString& value);
    static JsonValue Array() { return JsonValue(Type::Array); }
    static JsonValue Object() { return JsonValue(Type::Object); }

    JsonValue& Append(JsonValue value);
    JsonValue& Set(const QString& key, JsonValue value);

    QString ToText() const;

private:
    enum class Type { Null, Bool, Number, String, Array, Object };
    explicit JsonValue(Type type) : type_(type) {}

    bool IsContainer() const { return type_ == Type::Array || type_ == Type::Object; }
    bool FitsOnOneLine() const;
    void Write(QString& out, int indent) const;

    Type type_;
    QString scalar_;  // the written text of a plain value
    std::vector<std::pair<QString, JsonValue>> members_;
};

QString JsonQuote(const QString& text);

}  // namespace plantrek::cli
