// The JSON writer of ":info": Qt's number forms, escapes, and its two layouts.
#include "app/cli/json_text.h"

#include <gtest/gtest.h>
#include <QLocale>

#include <limits>

namespace plantrek::cli {
namespace {

TEST(JsonWriterTest, NumbersReadAsQtWritesThem) {
    const double cases[] = {3,        0.1,
                            -2.5,     1e-05,
                            0.000123, 270.0000061506213,
                            1e15,     1e21,
                            -1e300,   34573622621644528.0,
                            5e-324};
    for (const double value : cases) {
        JsonWriter json;
        json.Number(value);
        EXPECT_EQ(json.TakeText(),
                  QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1());
    }
    JsonWriter json;
    json.BeginArray(true);
    for (const double value : {-0.0, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(), 0.1, 0.1}) {
        json.Number(value);
    }
    json.EndArray();
    EXPECT_EQ(json.TakeText(), "[0, null, null, 0.1, 0.1]");
}

TEST(JsonWriterTest, LayoutAndEscapes) {
    JsonWriter json;
    json.BeginObject();
    json.Key("name").String(u"Caf\u00e9 \"a\\b\"\t\x01");
    json.Key("empty").BeginArray();
    json.EndArray();
    json.Key("point").BeginObject(true);
    json.Key("xy").BeginArray();  // inside a one-line container: stays on the line
    json.Number(1);
    json.Number(2);
    json.EndArray();
    json.EndObject();
    json.Key("list").BeginArray();
    json.Bool(true);
    json.Null();
    json.EndArray();
    json.EndObject();
    EXPECT_EQ(QString::fromUtf8(json.TakeText()),
              QString::fromUtf8("{\n  \"name\": \"Caf\u00e9 \\\"a\\\\b\\\"\\t\\u0001\",\n"
                                "  \"empty\": [],\n  \"point\": {\"xy\": [1, 2]},\n"
                                "  \"list\": [\n    true,\n    null\n  ]\n}"));
}

}  // namespace
}  // namespace plantrek::cli
