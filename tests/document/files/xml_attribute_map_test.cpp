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

// Buckets (hash times 33 plus code unit, modulo 17): x 1, y 2, material 3, close 3, type 11,
// closed 12, id 12, name 13, color 14, projection 15, version 16. Keys sharing a bucket come out
// last-inserted first.
TEST(XmlAttributeMapTest, IteratesBucketsInOrderAndChainsFromTheHead) {
    const std::pair<QStringList, QStringList> cases[] = {
        {{"projection", "type", "y", "x"}, {"x", "y", "type", "projection"}},
        {{"name", "id", "close", "closed", "material"},
         {"material", "close", "closed", "id", "name"}},
        {{"version", "name"}, {"name", "version"}},
        {{"color", "name"}, {"name", "color"}}};
    for (const auto& [inserted, iterated] : cases) {
        EXPECT_EQ(Keys(WithKeys(inserted)), iterated);
    }
    EXPECT_EQ(XmlAttributeMap::BucketOf(u"name"), 13);
}

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
