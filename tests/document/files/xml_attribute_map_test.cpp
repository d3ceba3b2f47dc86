#include "document/files/xml_attribute_map.h"
#include "document/files/qstring_printer.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace plantrek {
namespace {

QStringList Keys(const XmlAttributeMap& map) {
    QStringList keys;
    for (const auto& entry : map.Entries()) {
        keys << entry.key;
    }
    return keys;
}

XmlAttributeMap WithKeys(const QStringList& keys) {
    XmlAttributeMap map;
    for (const QString& key : keys) {
        map.Set(key, key.toUpper());
    }
    return map;
}

TEST(XmlAttributeMapTest, HashIsTimesThirtyThreePlusCodeUnit) {
    // "x" = 120, 120 mod 17 = 1.  "id": 105 * 33 + 100 = 3565 = 17 * 209 + 12.
    // "name": ((110 * 33 + 97) * 33 + 109) * 33 + 101 = 4062401 = 17 * 238964 + 13.
    EXPECT_EQ(XmlAttributeMap::HashKey(u"x"), 120u);
    EXPECT_EQ(XmlAttributeMap::BucketOf(u"x"), 1);
    EXPECT_EQ(XmlAttributeMap::HashKey(u"id"), 3565u);
    EXPECT_EQ(XmlAttributeMap::BucketOf(u"id"), 12);
    EXPECT_EQ(XmlAttributeMap::HashKey(u"name"), 4062401u);
    EXPECT_EQ(XmlAttributeMap::BucketOf(u"name"), 13);
    // Wraps at 32 bits: 33^7 * 97 overflows. Computed with unsigned 32-bit arithmetic.
    quint32 h = 0;
    for (char c : std::string("aaaaaaaaaaaaaaaa")) {
        h = h * 33u + static_cast<quint32>(c);
    }
    EXPECT_EQ(XmlAttributeMap::HashKey(u"aaaaaaaaaaaaaaaa"), h);
    // Code units, not characters: a surrogate pair counts twice.
    EXPECT_EQ(XmlAttributeMap::HashKey(u"\U0001F600"), 0xD83Du * 33u + 0xDE00u);
}

struct OrderCase {
    QStringList inserted;
    QStringList iterated;
};

class XmlAttributeOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(XmlAttributeOrderTest, IteratesBucketsInOrderAndChainsFromTheHead) {
    EXPECT_EQ(Keys(WithKeys(GetParam().inserted)), GetParam().iterated);
}

// Buckets: x 1, y 2, material 3, close 3, type 11, closed 12, id 12, name 13, color 14,
// projection 15, version 16. Keys sharing a bucket come out last-inserted first.
INSTANTIATE_TEST_SUITE_P(
    Orders, XmlAttributeOrderTest,
    ::testing::Values(OrderCase{{"projection", "type", "y", "x"}, {"x", "y", "type", "projection"}},
                      OrderCase{{"name", "id", "close", "closed", "material"},
                                {"material", "close", "closed", "id", "name"}},
                      OrderCase{{"version", "name"}, {"name", "version"}},
                      OrderCase{{"color", "name"}, {"name", "color"}}, OrderCase{{}, {}}));

TEST(XmlAttributeMapTest, SettingAnExistingKeyKeepsItsPlace) {
    XmlAttributeMap map = WithKeys({"close", "material"});
    map.Set("close", "again");
    EXPECT_EQ(Keys(map), (QStringList{"material", "close"}));
    EXPECT_EQ(map.Value(u"close"), "again");
    EXPECT_EQ(map.Count(), 2);
}

TEST(XmlAttributeMapTest, LookupTellsMissingFromEmpty) {
    XmlAttributeMap map;
    map.Set("empty", "");
    QString value = "untouched";
    EXPECT_TRUE(map.Lookup(u"empty", &value));
    EXPECT_EQ(value, "");
    value = "untouched";
    EXPECT_FALSE(map.Lookup(u"missing", &value));
    EXPECT_EQ(value, "untouched");
    EXPECT_EQ(map.Value(u"missing", "fallback"), "fallback");
    EXPECT_FALSE(map.Contains(u"Empty"));  // keys are case-sensitive
}

}  // namespace
}  // namespace plantrek
