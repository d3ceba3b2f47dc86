#include "document/files/xml_element_reader.h"
#include "document/files/qstring_printer.h"
#include "document/files/xml_writer.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <random>

namespace plantrek {
namespace {

using Log = std::vector<QString>;

// Writes one line per event, attributes in map order.
class RecordingHandler : public CXmlElementHandler {
public:
    explicit RecordingHandler(Log& log, bool* destroyed = nullptr)
        : log_(log), destroyed_(destroyed) {}
    ~RecordingHandler() override {
        if (destroyed_ != nullptr) {
            *destroyed_ = true;
        }
    }
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
    bool* destroyed_;
};

QByteArray Utf16LeWithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    return bytes;
}

class XmlReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString WriteFile(const QByteArray& bytes, const QString& name = "input.xml") {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
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
}

TEST_F(XmlReaderTest, AttributesArriveUnescapedInMapOrder) {
    ASSERT_TRUE(Parse("<a name=\"a&amp;b&lt;c&quot;&apos;&gt;&#x41;&#66;\" y=\"2\" x=\"1\"/>"));
    const Log expected{"start a x=1 y=2 name=a&b<c\"'>AB", "end a [] x=1 y=2 name=a&b<c\"'>AB"};
    EXPECT_EQ(log_, expected);
}

TEST_F(XmlReaderTest, CharacterDataIncludesWhitespaceCdataAndReferences) {
    ASSERT_TRUE(Parse("<a>\n\tx <![CDATA[<y> & z]]> &lt;&#233;</a>"));
    EXPECT_EQ(log_.back(), QString::fromUtf16(u"end a [\n\tx <y> & z <\u00e9]"));
}

TEST_F(XmlReaderTest, ElementsAreToldApartByLocalNameOnly) {
    ASSERT_TRUE(
        Parse("<p:root xmlns:p=\"urn:one\" xmlns:q=\"urn:two\"><p:a q:k=\"1\">t</p:a>"
              "<q:b/></p:root>"));
    const Log expected{"start a k=1", "end a [t] k=1", "start b", "end b []"};
    EXPECT_EQ(log_, expected);
    // A prefix that was never declared makes the file malformed.
    EXPECT_FALSE(Parse("<p:a/>"));
}

TEST_F(XmlReaderTest, RegisteringAgainReplacesAndDestroysTheOldHandler) {
    Log first;
    bool firstGone = false;
    bool secondGone = false;
    {
        CXmlElementReader reader(WriteFile("<a/>"));
        reader.Register("a", std::make_unique<RecordingHandler>(first, &firstGone));
        reader.Register("a", std::make_unique<RecordingHandler>(log_, &secondGone));
        EXPECT_TRUE(firstGone);
        EXPECT_TRUE(reader.Parse());
        EXPECT_FALSE(secondGone);
    }
    EXPECT_TRUE(secondGone);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(log_.size(), 2u);
}

TEST_F(XmlReaderTest, MissingFileOrFolderFails) {
    CXmlElementReader missing(dir_.filePath("nothing-here.xml"));
    EXPECT_FALSE(missing.Parse());
    EXPECT_FALSE(missing.ErrorString().isEmpty());
    CXmlElementReader folder(dir_.path());
    EXPECT_FALSE(folder.Parse());
    CXmlElementReader unnamed;
    EXPECT_FALSE(unnamed.Parse());
}

TEST_F(XmlReaderTest, EventsBeforeAnErrorHaveBeenDelivered) {
    EXPECT_FALSE(Parse("<r><a>x</a><b>"));
    const Log expected{"start a", "end a [x]", "start b"};
    EXPECT_EQ(log_, expected);
}

TEST_F(XmlReaderTest, WrittenFileReadsBackExactly) {
    const QString tricky = QString::fromUtf16(u"Tom's \"den\" & <hall> \u00e9\U0001F600 \t end");
    const QString path = dir_.filePath("written.xml");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        CXmlWriter writer(file);
        XmlAttributeMap attributes;
        attributes.Set("name", XmlQuote(XmlEscape(tricky)));
        attributes.Set("n", XmlQuote("-12"));
        writer.BeginDocument();
        writer.StartElement("root", false);
        writer.StartElement("a", attributes, true);
        writer.StartElement("b", false);
        writer.Text("payload");
        writer.EndElement("b");
        writer.EndElement("root");
        ASSERT_TRUE(writer.Finish());
    }
    CXmlElementReader reader(path);
    reader.Register("a", std::make_unique<RecordingHandler>(log_));
    reader.Register("b", std::make_unique<RecordingHandler>(log_));
    ASSERT_TRUE(reader.Parse()) << reader.ErrorString().toStdString();
    // A TAB inside an attribute value is normalised to a space by every conforming parser.
    const QString readName = QString(tricky).replace('\t', ' ');
    ASSERT_EQ(log_.size(), 4u);
    EXPECT_EQ(log_[0], "start a n=-12 name=" + readName);
    EXPECT_EQ(log_[3], "end b [\n\t\t\tpayload\t]");
}

struct EncodingCase {
    const char* label;
    QByteArray bytes;
};

class XmlReaderEncodingTest : public XmlReaderTest,
                              public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(XmlReaderEncodingTest, ReadsTheSameEvents) {
    ASSERT_TRUE(Parse(GetParam().bytes));
    EXPECT_EQ(log_, (Log{QString::fromUtf16(u"start a k=\u00e9"),
                         QString::fromUtf16(u"end a [x\u00e9] k=\u00e9")}));
}

const QString kSmallDocument = QString::fromUtf16(u"<a k=\"\u00e9\">x\u00e9</a>\n");

QByteArray Utf16LeWithoutBom(const QString& text) {
    return Utf16LeWithBom(text).mid(2);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, XmlReaderEncodingTest,
    ::testing::Values(
        EncodingCase{"utf16_bom", Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" +
                                                 kSmallDocument)},
        // Without a byte-order mark the parser still recognises UTF-16 from the first "<".
        EncodingCase{
            "utf16_no_bom",
            Utf16LeWithoutBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + kSmallDocument)},
        EncodingCase{"utf8", kSmallDocument.toUtf8()},
        EncodingCase{"utf8_bom", "\xEF\xBB\xBF" + kSmallDocument.toUtf8()},
        EncodingCase{"utf8_declared",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + kSmallDocument.toUtf8()}),
    [](const auto& info) { return std::string(info.param.label); });

QByteArray Noise(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

class XmlReaderBadFileTest : public XmlReaderTest,
                             public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(XmlReaderBadFileTest, Fails) {
    EXPECT_FALSE(Parse(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, XmlReaderBadFileTest,
    ::testing::Values(
        EncodingCase{"empty", QByteArray()}, EncodingCase{"bom_only", QByteArray("\xFF\xFE", 2)},
        EncodingCase{"declaration_only", "<?xml version=\"1.0\"?>"},
        EncodingCase{"plain_text", "This is not XML at all.\n"},
        EncodingCase{"noise", Noise(65536, 1)},
        EncodingCase{"noise_after_start_tag", "<a>" + Noise(4096, 2)},
        EncodingCase{"unclosed", "<a><b></b>"}, EncodingCase{"crossed", "<a><b></a></b>"},
        EncodingCase{"two_roots", "<a/><b/>"}, EncodingCase{"text_after_root", "<a/>tail"},
        EncodingCase{"undeclared_entity", "<a>&nbsp;</a>"},
        EncodingCase{"external_entity", "<!DOCTYPE a SYSTEM \"a.dtd\"><a>&ext;</a>"},
        EncodingCase{"duplicate_attribute", "<a k=\"1\" k=\"2\"/>"},
        EncodingCase{"bad_utf8", "<a>\xE9</a>"},
        EncodingCase{"entity_expansion",
                     "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\">"
                     "<!ENTITY y \"&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;&x;\">"
                     "<!ENTITY z \"&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;&y;\">]>"
                     "<a>&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;&z;</a>"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(XmlReaderTest, EveryTruncationOfAValidFileFails) {
    const QString document = QString::fromUtf16(
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        u"<root name=\"x&amp;y\">\n\t<a k=\"1\">text<b/></a>\n\t<b>\u00e9</b>\n</root>\n");
    const QByteArray full = Utf16LeWithBom(document);
    // Everything up to and including the last ">" of the root's end tag is needed.
    const qsizetype complete = full.size() - 2;
    ASSERT_TRUE(Parse(full));
    const Log fullLog = log_;
    for (qsizetype size = 0; size < full.size(); ++size) {
        const bool ok = Parse(full.left(size));
        if (size < complete) {
            EXPECT_FALSE(ok) << "prefix of " << size << " bytes";
        } else {
            EXPECT_TRUE(ok) << "prefix of " << size << " bytes";
            EXPECT_EQ(log_, fullLog);
        }
    }
}

TEST_F(XmlReaderTest, DeepNestingNeitherCrashesNorOverflows) {
    constexpr int kDepth = 100000;
    QByteArray nested;
    nested.reserve(kDepth * 8);
    for (int i = 0; i < kDepth; ++i) {
        nested += (i % 2 == 0) ? "<a>" : "<c>";
    }
    nested += "x";
    for (int i = kDepth - 1; i >= 0; --i) {
        nested += (i % 2 == 0) ? "</a>" : "</c>";
    }

    struct Counter : CXmlElementHandler {
        int starts = 0;
        int ends = 0;
        QString innermostText;
        void OnStartElement(const QString&, const XmlAttributeMap&) override { ++starts; }
        void OnEndElement(const QString&, const QString& text, const XmlAttributeMap&) override {
            if (ends++ == 0) {
                innermostText = text;
            }
        }
    };
    auto counter = std::make_unique<Counter>();
    Counter* seen = counter.get();
    CXmlElementReader reader(WriteFile(nested));
    reader.Register("a", std::move(counter));
    ASSERT_TRUE(reader.Parse()) << reader.ErrorString().toStdString();
    EXPECT_EQ(seen->starts, kDepth / 2);
    EXPECT_EQ(seen->ends, kDepth / 2);
    EXPECT_EQ(seen->innermostText, "");  // the x belongs to the innermost <c>

    // The same depth left open fails cleanly.
    EXPECT_FALSE(Parse(nested.left(kDepth * 3 + 1)));
}

TEST_F(XmlReaderTest, EnormousAttributeAndTextAreReadWhole) {
    constexpr int kSize = 8 * 1024 * 1024;
    const QByteArray value(kSize, 'v');
    QByteArray document = "<a k=\"" + value + "&amp;\">" + value + "</a>";
    struct Sizes : CXmlElementHandler {
        qsizetype attribute = 0;
        qsizetype text = 0;
        void OnStartElement(const QString&, const XmlAttributeMap& attributes) override {
            attribute = attributes.Value(u"k").size();
        }
        void OnEndElement(const QString&, const QString& t, const XmlAttributeMap&) override {
            text = t.size();
        }
    };
    auto handler = std::make_unique<Sizes>();
    Sizes* seen = handler.get();
    CXmlElementReader reader(WriteFile(document));
    reader.Register("a", std::move(handler));
    ASSERT_TRUE(reader.Parse());
    EXPECT_EQ(seen->attribute, kSize + 1);
    EXPECT_EQ(seen->text, kSize);
    // Cut inside the attribute: fails.
    EXPECT_FALSE(Parse(document.left(kSize / 2)));
}

TEST_F(XmlReaderTest, ParsesAnOpenDevice) {
    QByteArray bytes = "<a>in memory</a>";
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    CXmlElementReader reader;
    reader.Register("a", std::make_unique<RecordingHandler>(log_));
    EXPECT_TRUE(reader.Parse(buffer));
    EXPECT_EQ(log_.back(), "end a [in memory]");
}

}  // namespace
}  // namespace plantrek
