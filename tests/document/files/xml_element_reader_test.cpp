#include "document/files/xml_element_reader.h"
#include "document/files/qstring_printer.h"
#include "document/files/site_file_test_support.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace plantrek {
namespace {

using Log = std::vector<QString>;

// Writes one line per event, attributes in map order.
class RecordingHandler : public CXmlElementHandler {
public:
    explicit RecordingHandler(Log& log) : log_(log) {}
    void OnStartElement(const QString& name, const XmlAttributeMap& attributes) override {
        log_.push_back("start " + name + Describe(attributes));
    }
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override {
        log_.push_back("end " + name + " [" + text + "]" + Describe(attributes));
    }

private:
    static QString Describe(const XmlAttributeMap& attributes) {
        QString out;
        attributes.ForEach(
            [&out](const QString& key, const QString& value) { out += " " + key + "=" + value; });
        return out;
    }

    Log& log_;
};

class XmlReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString WriteFile(const QByteArray& bytes, const QString& name = "input.xml") {
        EXPECT_TRUE(site_file_test::WriteBytes(dir_.filePath(name), bytes));
        return dir_.filePath(name);
    }

    // Parses with handlers for the given names and records what they see.
    bool Parse(const QByteArray& bytes, const QStringList& handled = {"a", "b"}) {
        log_.clear();
        CXmlElementReader reader(WriteFile(bytes));
        for (const QString& name : handled) {
            reader.Register(name, std::make_unique<RecordingHandler>(log_));
        }
        const bool ok = reader.Parse();
        EXPECT_EQ(ok, reader.ErrorString().isEmpty()) << reader.ErrorString().toStdString();
        return ok;
    }

    QTemporaryDir dir_;
    Log log_;
};

TEST_F(XmlReaderTest, ElementTextIsItsOwnCharacterDataAroundChildren) {
    ASSERT_TRUE(
        Parse("<root>lost<a k=\"v\">one<b>inner</b>two<c>skipped<b>deep</b>too</c>three"
              "</a></root>"));
    const Log expected{"start a k=v", "start b",      "end b [inner]",
                       "start b",     "end b [deep]", "end a [onetwothree] k=v"};
    EXPECT_EQ(log_, expected);
    ASSERT_TRUE(Parse("<a>\n\tx <![CDATA[<y> & z]]> &lt;&#233;</a>"));
    EXPECT_EQ(log_.back(), QString::fromUtf16(u"end a [\n\tx <y> & z <\u00e9]"));
}

TEST_F(XmlReaderTest, AttributesArriveUnescapedInMapOrder) {
    ASSERT_TRUE(Parse("<a name=\"a&amp;b&lt;c&quot;&apos;&gt;&#x41;&#66;\" y=\"2\" x=\"1\"/>"));
    const Log expected{"start a x=1 y=2 name=a&b<c\"'>AB", "end a [] x=1 y=2 name=a&b<c\"'>AB"};
    EXPECT_EQ(log_, expected);
}

TEST_F(XmlReaderTest, MalformedFilesFail) {
    const QByteArray bad[] = {
        "<a><b></a></b>", "<a>&nbsp;</a>",
        "<!DOCTYPE a SYSTEM \"a.dtd\"><a>&ext;</a>", "<a k=\"1\" k=\"2\"/>", "<a>\xE9</a>",
        // Entities that would expand a billion-fold.
        "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\">"
        "<!ENTITY y \"&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;\">"
        "<!ENTITY z \"&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;\">]>"
        "<a>&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;</a>"};
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_FALSE(Parse(bad[i])) << "case " << i;
    }
}

TEST_F(XmlReaderTest, EnormousAttributeAndTextAreReadWhole) {
    constexpr int kSize = 8 * 1024 * 1024;
    const QByteArray value(kSize, 'v');
    QByteArray document = "<a k=\"" + value + "&amp;\">" + value + "</a>";
    ASSERT_TRUE(Parse(document, {"a"}));
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0], "start a k=" + QString(value) + "&");
    EXPECT_EQ(log_[1], "end a [" + QString(value) + "] k=" + QString(value) + "&");
    // Cut inside the attribute: fails.
    EXPECT_FALSE(Parse(document.left(kSize / 2)));
}

}  // namespace
}  // namespace plantrek
