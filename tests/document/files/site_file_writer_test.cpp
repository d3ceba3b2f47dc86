#include "document/files/site_file_writer.h"
#include "document/files/qstring_printer.h"
#include "document/files/site_file_test_support.h"

#include <gtest/gtest.h>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

#include "audio/base64_text.h"

namespace plantrek {
namespace {

using namespace site_file_test;

class SiteFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // The text of the file the site saves to.
    QString SavedText(const Site& site, const QString& name = QStringLiteral("t.tcd")) {
        const QString path = dir_.filePath(name);
        const SiteFileResult result = SaveSiteFile(site, path);
        EXPECT_TRUE(result.ok) << result.errorText.toStdString();
        return TextOfFile(ReadBytes(path));
    }

    // The lines that start (after the indentation) with the given tag.
    static QStringList LinesOf(const QString& text, const QString& element) {
        return text.split(u'\n').filter(QRegularExpression("^\\s*<" + element + "[ >]"));
    }

    QTemporaryDir dir_;
};

TEST_F(SiteFileWriterTest, SmallSiteMatchesTheCheckedInFileByteForByte) {
    const QString path = dir_.filePath(QStringLiteral("golden.tcd"));
    const SiteFileResult result = SaveSiteFile(GoldenSite(), path);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    const QByteArray expected = ReadBytes(TestDataPath(QStringLiteral("site_files/golden.tcd")));
    ASSERT_FALSE(expected.isEmpty()) << "missing tests/data/site_files/golden.tcd";
    EXPECT_TRUE(SameFileBytes(ReadBytes(path), expected));
}

TEST_F(SiteFileWriterTest, NumbersHaveSixDecimalsAndAPointWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string previousNumeric = std::setlocale(LC_NUMERIC, nullptr);
    // Not every machine has these locales; whichever exists puts a comma in C's printf.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    }
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {-0.25, "-0.250000"}, {1234567.125, "1234567.125000"}, {2.0000005000001, "2.000001"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CSiteFileWriter::FormatNumber(c.value), QString::fromLatin1(c.text)) << c.text;
    }
    std::setlocale(LC_NUMERIC, previousNumeric.c_str());
    QLocale::setDefault(previous);
}

// Every number reads as C's "%f" writes it, whatever a double holds.
TEST(SiteFileWriterNumbers, AreWrittenAsPrintfFormatsThem) {
    std::mt19937 engine(5u);
    std::uniform_real_distribution<double> wide(-1e7, 1e7);
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    std::vector<double> values = {0.0,   -0.0,   0.5e-6,   1.5e-6,    2.5e-6, -0.5e-6,
                                  1e300, -1e300, 123.4565, 0.0000005, max,    tiny,
                                  inf,   -inf,   nan,      -nan};
    for (int i = 0; i < 5000; ++i) {
        values.push_back(wide(engine));
        values.push_back(std::round(wide(engine)) / 1e6);
    }
    for (const double value : values) {
        ASSERT_EQ(CSiteFileWriter::FormatNumber(value), QString::asprintf("%f", value)) << value;
    }
}

TEST_F(SiteFileWriterTest, ProjectionIsWrittenOnlyFromOneHundredMillionthUp) {
    const std::pair<double, const char*> cases[] = {{0.0, ""},
                                                    {5e-9, ""},
                                                    {-5e-9, ""},
                                                    {1e-8, " projection=\"0.000000\""},
                                                    {-0.75, " projection=\"-0.750000\""}};
    for (const auto& [height, projection] : cases) {
        Site site;
        site.AddRoom(QStringLiteral("R"), 0)->AddWall(4.0, 0.0, height);
        const QStringList walls = LinesOf(SavedText(site), QStringLiteral("wall"));
        ASSERT_FALSE(walls.isEmpty()) << height;  // an arc may also get a closing chord
        EXPECT_EQ(walls[0],
                  QStringLiteral("\t\t\t<wall x=\"0.000000\" y=\"4.000000\" type=\"user\"%1/>")
                      .arg(QString::fromLatin1(projection)))
            << height;
    }
}

TEST_F(SiteFileWriterTest, OnlyMaterialsInUseAreWrittenInListOrder) {
    Site site;
    site.AddMaterial(QStringLiteral("Five"), 5, 500);
    site.AddMaterial(QStringLiteral("Unused"), 4, 400);
    site.AddMaterial(QStringLiteral("Two"), 2, 200);
    EXPECT_TRUE(LinesOf(SavedText(site), QStringLiteral("material")).isEmpty());

    site.AddRoom(QStringLiteral("A"), 2);
    site.AddRoom(QStringLiteral("B"), 5);
    site.AddRoom(QStringLiteral("C"), 2);
    const QStringList expected = {
        "\t<material style=\"Five\" id=\"5\" color=\"500\"/>",
        "\t<material style=\"Two\" id=\"2\" color=\"200\"/>",
    };
    EXPECT_EQ(LinesOf(SavedText(site), QStringLiteral("material")), expected);
}

TEST_F(SiteFileWriterTest, SiteWithoutRoomsIsBoundedByItsStartPoint) {
    Site site;
    site.SetName(QStringLiteral("Plot 7"));
    site.SetStartPoint({-3.25, 8.5});
    const QString expected = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<tcdisto name=\"empty &amp; new.tcd\" version=\"1.1\">\n"
        "\t<site index=\"0\" name=\"Plot 7\">\n"
        "\t\t<startpoint x=\"-3.250000\" y=\"8.500000\"/>\n"
        "\t\t<sitebounds right=\"-3.250000\" left=\"-3.250000\" bottom=\"8.500000\" "
        "top=\"8.500000\"/>\n"
        "\t</site>\n"
        "</tcdisto>\n");
    EXPECT_EQ(SavedText(site, QStringLiteral("empty & new.tcd")), expected);
}

TEST_F(SiteFileWriterTest, NotesStandAfterTheBoundsAndLocationWithEachPieceIndented) {
    Site site;
    const QByteArray audio = AudioBytes(1200 + 57, 3);  // a whole piece and one of 19 groups
    AddNote(site.Annotations(), audio, QStringLiteral("A&B"));
    AddNote(site.Annotations(), QByteArray(), QString());  // no audio: no text at all
    Room* room = site.AddRoom(QStringLiteral("R"), 0);
    AddNote(room->Annotations(), audio.left(10), QStringLiteral("Door"));

    const QString text = SavedText(site);
    const QString siteNotes =
        QStringLiteral(
            "\t\t<sitebounds right=\"0.000000\" left=\"0.000000\" bottom=\"0.000000\" "
            "top=\"0.000000\"/>\n"
            "\t\t<annotation track=\"0\" type=\"GSM\" name=\"A&amp;B\">\n\t\t\t\t") +
        EncodeBase64Piece(QByteArrayView(audio).first(1200)) + QStringLiteral("\t\t\t\t") +
        EncodeBase64Piece(QByteArrayView(audio).sliced(1200)) +
        QStringLiteral(
            "\t\t</annotation>\n"
            "\t\t<annotation track=\"1\" type=\"GSM\">\n"
            "\t\t</annotation>\n"
            "\t\t<room material=\"0\" close=\"square\" closed=\"false\" id=\"1\" name=\"R\">\n"
            "\t\t\t<location x=\"0.000000\" y=\"0.000000\"/>\n"
            "\t\t\t<annotation track=\"0\" type=\"GSM\" name=\"Door\">\n\t\t\t\t\t") +
        EncodeBase64Piece(QByteArrayView(audio).first(10)) +
        QStringLiteral(
            "\t\t\t</annotation>\n"
            "\t\t\t<roomOrigin x=\"0.000000\" y=\"0.000000\"/>\n");
    EXPECT_TRUE(text.contains(siteNotes)) << text.toStdString();
    // The second piece is 19 groups long, so a line break ends it right before the closing
    // tag's indentation.
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n\t\t</annotation>")));
    EXPECT_FALSE(text.contains(QStringLiteral("\r\n\t\t\t</annotation>")));
}

}  // namespace
}  // namespace plantrek
