// The JSON writer of ":info": Qt's number forms and escapes.
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

// The layout of ":info" is compared whole by the CLI's script tests.
TEST(JsonWriterTest, Escapes) {
    JsonWriter json;
    json.String(u"Caf\u00e9 \"a\\b\"\t\x01");
    EXPECT_EQ(QString::fromUtf8(json.TakeText()),
              QString::fromUtf8("\"Caf\u00e9 \\\"a\\\\b\\\"\\t\\u0001\""));
}

}  // namespace
}  // namespace plantrek::cli
