#include "document/files/number_text.h"
#include "document/files/qstring_printer.h"
#include "document/files/site_file_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QTemporaryDir>

#include <cmath>

namespace plantrek {
namespace {

using namespace site_file_test;

class SiteFileReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // Loads the bytes into a new site named "Site".
    SiteFileResult Load(const QByteArray& bytes, Site& site) {
        const QString path = dir_.filePath(QStringLiteral("in.tcd"));
        EXPECT_TRUE(WriteBytes(path, bytes));
        site.SetName(QStringLiteral("Site"));
        const SiteFileResult result = LoadSiteFile(path, site);
        EXPECT_EQ(result.ok, result.errorText.isEmpty()) << result.errorText.toStdString();
        return result;
    }

    Site LoadSite(const QString& siteChildren, const QString& materials = QString()) {
        Site site;
        EXPECT_TRUE(Load(SiteDocument(siteChildren, materials), site).ok);
        return site;
    }

    static void ExpectNewEmptySite(const Site& site) {
        EXPECT_EQ(site.GetName(), "Site");
        EXPECT_EQ(site.RoomCount(), 0);
        ASSERT_EQ(site.MaterialCount(), 1);
        EXPECT_EQ(site.GetMaterial(0)->GetName(), "Default");
        test::ExpectNear(site.GetStartPoint(), {0, 0}, 0.0);
        EXPECT_EQ(site.Annotations().Count(), 0);
    }

    // The room's location, then the end of each user wall, as "x,y" pairs.
    static QString Path(const Room& room) {
        PlanPoint point = room.GetLocation();
        const auto text = [&point] {
            return QString::number(point.x, 'g', 12) + u',' + QString::number(point.y, 'g', 12);
        };
        QString path = text();
        for (const auto& wall : room.UserWalls()) {
            point += wall->GetVector();
            path += u' ' + text();
        }
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(SiteFileReaderTest, FirstMaterialOfAnIndexIsKeptAndDefaultsApply) {
    const Site site = LoadSite(
        QString(), QStringLiteral("<material style=\"Carpet\" id=\"4\" color=\"255\"/>"
                                  "<material style=\"Tiles\" id=\"4\" color=\"65280\"/>"
                                  "<material style=\"Cork\" id=\"7\"/>"
                                  "<material id=\"8\" color=\"1\"/>"
                                  "<material style=\"\" id=\"9\" color=\"1\"/>"
                                  "<material style=\"Vinyl\" id=\"0\" color=\"2\"/>"
                                  "<material style=\"Slate\" id=\"x\" color=\"-16777216\"/>"));
    // Default keeps index 0; "Vinyl" and "Slate" (no number reads as 0) lose to it.
    QStringList materials;  // name, index, colour
    for (const auto& m : site.Materials()) {
        materials
            << QStringLiteral("%1 %2 %3").arg(m->GetName()).arg(m->GetIndex()).arg(m->GetColour());
    }
    EXPECT_EQ(materials,
              (QStringList{QStringLiteral("Default 0 %1").arg(Site::DefaultMaterialColour()),
                           "Carpet 4 255", "Cork 7 16744576"}));
}

TEST_F(SiteFileReaderTest, CloseRuleIgnoresCaseAndDefaultsToSquare) {
    const std::pair<const char*, CloseRule> cases[] = {
        {" close=\"Reverse Square\"", CloseRule::ReverseSquare},
        {" close=\"ANGLE\"", CloseRule::Angled},
        {" close=\"angled\"", CloseRule::Square},
        {" close=\"reverse  square\"", CloseRule::Square},
        {"", CloseRule::Square},
    };
    for (const auto& [attribute, rule] : cases) {
        const Site site = LoadSite(
            QStringLiteral("<room name=\"R\"%1></room>").arg(QString::fromLatin1(attribute)));
        ASSERT_EQ(site.RoomCount(), 1) << attribute;
        EXPECT_EQ(site.GetRoom(0)->GetCloseRule(), rule) << attribute;
    }
}

TEST_F(SiteFileReaderTest, WallsAreUserWallsFromEndPointToEndPoint) {
    const Site site = LoadSite(QStringLiteral(
        "<startpoint x=\"7\" y=\"8\"/>"
        "<room name=\"R\">"
        "<location x=\"1\" y=\"2\"/>"
        "<wall x=\"1\" y=\"5\" type=\"user\"/>"
        "<wall x=\"9\" y=\"9\" type=\"system\"/>"  // skipped, current point stays
        "<wall x=\"9\" y=\"9\" type=\"removed\"/>"
        "<wall x=\"9\" y=\"9\"/>"  // no type: skipped
        "<wall x=\"5\" y=\"5\" type=\"USER\" projection=\"-0.5\"/>"
        "<wall x=\"5\" y=\"2\" type=\"User\" projection=\"40\"/>"  // limited to half the length
        "<roomOrigin x=\"1\" y=\"2\"/>"
        "</room>"));
    test::ExpectNear(site.GetStartPoint(), {7, 8}, 1e-12);
    ASSERT_EQ(site.RoomCount(), 1);
    const Room& room = *site.GetRoom(0);
    ASSERT_EQ(Path(room), "1,2 1,5 5,5 5,2");
    EXPECT_NEAR(room.UserWalls()[0]->GetDirection(), 0.0, 1e-6);
    EXPECT_NEAR(room.UserWalls()[1]->GetDirection(), 90.0, 1e-6);
    EXPECT_DOUBLE_EQ(room.UserWalls()[1]->GetArcHeight(), -0.5);
    EXPECT_DOUBLE_EQ(room.UserWalls()[2]->GetArcHeight(), 1.5);
    // The rule makes its own closing wall again.
    EXPECT_TRUE(room.IsClosed());
    ASSERT_EQ(room.SystemWalls().size(), 1u);
}

TEST_F(SiteFileReaderTest, RoomOriginMustLieOnAVertex) {
    const QString walls = QStringLiteral(
        "<location x=\"0\" y=\"0\"/>"
        "<wall x=\"0\" y=\"3\" type=\"user\"/>"
        "<wall x=\"4\" y=\"3\" type=\"user\"/>"
        "<wall x=\"4\" y=\"0\" type=\"system\"/>"
        "<wall x=\"0\" y=\"0\" type=\"system\"/>");
    const struct {
        const char* origin;
        double x, y;
        int userWalls;  // the closing walls become user walls when the start is on them
    } cases[] = {
        {"x=\"4.000009\" y=\"2.999991\"", 4.000009, 2.999991, 2},  // within 1e-5 of a corner
        {"x=\"4.00002\" y=\"3\"", 0, 0, 2},                        // on no corner: unchanged
        {"x=\"4\" y=\"0\"", 4, 0, 4},
        {"", 0, 0, 2},  // missing means the origin, which is the location
    };
    for (const auto& c : cases) {
        const Site site = LoadSite(QStringLiteral("<room name=\"R\">%1<roomOrigin %2/></room>")
                                       .arg(walls, QString::fromLatin1(c.origin)));
        const Room& room = *site.GetRoom(0);
        test::ExpectNear(room.GetStartPoint(), {c.x, c.y}, 1e-12);
        EXPECT_EQ(room.WallCount(true), c.userWalls) << c.origin;
        EXPECT_TRUE(room.IsClosed()) << c.origin;
        EXPECT_EQ(room.GetArea(), 12.0) << c.origin;
    }
}

TEST_F(SiteFileReaderTest, NotesNeedTheExactTypeAndSomeText) {
    const QString audio = QStringLiteral("\n\t\t\tAAECAwQF\r\n\t\t\t");  // six bytes 0..5
    const Site site = LoadSite(
        QStringLiteral("<annotation track=\"0\" type=\"GSM\" name=\"a&amp;b\">%1</annotation>"
                       "<annotation track=\"1\" type=\"gsm\">%1</annotation>"
                       "<annotation track=\"1\">%1</annotation>"
                       "<annotation track=\"1\" type=\"GSM\"> \r\n\t </annotation>"
                       "<annotation track=\"0\" type=\"GSM\">AAE=</annotation>"
                       "<room name=\"R\">"
                       "<annotation type=\"GSM\" name=\"\">%1</annotation>"
                       "</room>")
            .arg(audio));
    const AnnotationList& notes = site.Annotations();
    ASSERT_EQ(notes.Count(), 2);
    // Inserted at its track, before the note that was there.
    EXPECT_EQ(notes.At(0)->Name(), "");
    EXPECT_EQ(notes.At(0)->GetAudioText(), QStringLiteral("AAE="));
    EXPECT_EQ(notes.At(1)->Name(), "a&b");
    EXPECT_EQ(notes.At(1)->AudioSize(), 6);
    ASSERT_EQ(site.GetRoom(0)->Annotations().Count(), 1);
    EXPECT_EQ(site.GetRoom(0)->Annotations().At(0)->AudioSize(), 6);
}

// Opening a site whose recording cannot be kept would lose it at the next save.
TEST_F(SiteFileReaderTest, ANoteWhoseAudioCannotBeStoredFailsTheOpen) {
    const QByteArray document = SiteDocument(QStringLiteral(
        "<room name=\"R\"><annotation track=\"0\" type=\"GSM\">AAE=</annotation></room>"));
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(dir_.filePath(QStringLiteral("no such folder"))));
    Site site;
    const SiteFileResult result = Load(document, site);
    if (previous.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", previous);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "The audio of a recorded note could not be stored.");
    ExpectNewEmptySite(site);
}

// A room element without a name makes no room. What it holds belongs to no room either: it is
// passed over, rather than given to the room before it or to the site.
TEST_F(SiteFileReaderTest, ContentOfANamelessRoomIsPassedOver) {
    const Site site =
        LoadSite(QStringLiteral("<room name=\"First\">"
                                "<location x=\"0\" y=\"0\"/>"
                                "<wall x=\"0\" y=\"3\" type=\"user\"/>"
                                "</room>"
                                "<room>"
                                "<location x=\"50\" y=\"50\"/>"
                                "<annotation track=\"0\" type=\"GSM\">AAE=</annotation>"
                                "<wall x=\"50\" y=\"60\" type=\"user\"/>"
                                "<roomOrigin x=\"50\" y=\"50\"/>"
                                "</room>"
                                "<room name=\"\"><wall x=\"1\" y=\"1\" type=\"user\"/></room>"
                                "<room name=\"Second\">"
                                "<location x=\"9\" y=\"9\"/>"
                                "<wall x=\"9\" y=\"10\" type=\"user\"/>"
                                "</room>"));
    ASSERT_EQ(site.RoomCount(), 2);
    const Room& first = *site.GetRoom(0);
    EXPECT_EQ(first.GetName(), "First");
    EXPECT_EQ(Path(first), "0,0 0,3");
    test::ExpectNear(first.GetStartPoint(), {0, 0}, 1e-12);
    EXPECT_EQ(first.Annotations().Count(), 0);
    EXPECT_EQ(site.Annotations().Count(), 0);
    const Room& second = *site.GetRoom(1);
    EXPECT_EQ(Path(second), "9,9 9,10");
}

TEST_F(SiteFileReaderTest, ElementsOutsideTheirRoomAreIgnored) {
    const Site site = LoadSite(QStringLiteral(
        "<wall x=\"1\" y=\"1\" type=\"user\"/>"
        "<location x=\"5\" y=\"5\"/>"
        "<roomOrigin x=\"5\" y=\"5\"/>"
        "<room name=\"A\">"
        "<roomOrigin x=\"0\" y=\"3\"/>"  // before the location and the walls: no vertex yet
        "<wall x=\"0\" y=\"3\" type=\"user\"/>"
        "<location x=\"1\" y=\"1\"/>"  // after a wall: moves the room, wall included
        "<room name=\"B\"><wall x=\"2\" y=\"0\" type=\"user\"/></room>"
        "<wall x=\"4\" y=\"3\" type=\"user\"/>"  // back in A, from A's current point
        "</room>"
        "<wall x=\"7\" y=\"7\" type=\"user\"/>"
        "<annotation track=\"0\" type=\"GSM\">AAE=</annotation>"));
    ASSERT_EQ(site.RoomCount(), 2);
    const Room& a = *site.GetRoom(0);
    test::ExpectNear(a.GetStartPoint(), {1, 1}, 1e-12);
    // The location's point became the current point, so the second wall runs from there.
    EXPECT_EQ(Path(a), "1,1 1,4 4,6");
    EXPECT_EQ(site.GetRoom(1)->WallCount(true), 1);
    // A note after the last room is the site's.
    EXPECT_EQ(site.Annotations().Count(), 1);
}

// ---------------------------------------------------------------------------------------------
// Numbers

TEST(ParseDoubleTextTest, ReadsLikeStrtodButOnlyFiniteDecimals) {
    const std::pair<const char*, double> cases[] = {
        {"-0.250000", -0.25}, {"2.5E-1", 0.25}, {"5.", 5.0}, {"1e+", 1.0}, {"1,5", 1.0},
        {".", 0.0}, {"NAN(1)", 0.0}, {"1e-400", 0.0}, {"-0", 0.0}, {"\u0663", 0.0}};
    for (const auto& [text, expected] : cases) {
        const double value = ParseDoubleText(QString::fromUtf8(text));
        EXPECT_TRUE(std::isfinite(value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    EXPECT_EQ(ParseDoubleText(u" \t\n+12.5xyz"), 12.5);
    EXPECT_EQ(ParseDoubleText(u"1e99999999999999999999"), 0.0);
    EXPECT_EQ(ParseDoubleText(u"1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST_F(SiteFileReaderTest, NumbersThatAreNotFiniteReadAsZero) {
    const Site site = LoadSite(QStringLiteral(
        "<startpoint x=\"nan\" y=\"1e400\"/>"
        "<room name=\"R\">"
        "<location x=\"-inf\" y=\"0x10\"/>"
        "<wall x=\"inf\" y=\"3\" type=\"user\" projection=\"nan\"/>"
        "<wall x=\"4\" y=\"3\" type=\"user\" projection=\"1e400\"/>"
        "<wall x=\"1e200\" y=\"3\" type=\"user\"/>"  // its length squared is beyond a double
        "</room>"));
    test::ExpectNear(site.GetStartPoint(), {0, 0}, 1e-12);
    const Room& room = *site.GetRoom(0);
    ASSERT_EQ(Path(room), "0,0 0,3 4,3");
    EXPECT_EQ(room.UserWalls()[0]->GetArcHeight(), 0.0);
    EXPECT_EQ(room.UserWalls()[1]->GetArcHeight(), 0.0);
    for (const auto& wall : room.UserWalls()) {
        EXPECT_TRUE(std::isfinite(wall->GetLength()));
        EXPECT_TRUE(std::isfinite(wall->GetDirection()));
    }
}

// ---------------------------------------------------------------------------------------------
// Files that do not open

TEST_F(SiteFileReaderTest, AFileThatFailsLeavesANewEmptySite) {
    const QByteArray valid =
        SiteDocument(QStringLiteral("<startpoint x=\"3\" y=\"4\"/>"
                                    "<annotation track=\"0\" type=\"GSM\">AAE=</annotation>"
                                    "<room name=\"R\"><location x=\"1\" y=\"1\"/><wall x=\"1\" "
                                    "y=\"5\" type=\"user\"/></room>"),
                     QStringLiteral("<material style=\"M\" id=\"3\"/>"));
    const struct {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        // Rooms, a material and a note have been read by the time the error shows.
        {"error after content", valid.left(valid.size() - 6) + Utf16LeWithBom("<<").mid(2)},
    };
    for (const auto& c : cases) {
        Site site;
        EXPECT_FALSE(Load(c.bytes, site).ok) << c.label;
        ExpectNewEmptySite(site);
    }
    Site site;
    const SiteFileResult missing =
        LoadSiteFile(dir_.filePath(QStringLiteral("no such file.tcd")), site);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.errorText.isEmpty());
}

TEST_F(SiteFileReaderTest, EveryTruncationFailsCleanlyOrReadsTheWholeSite) {
    Site original;
    original.SetName(QStringLiteral("Site"));
    original.AddMaterial(QStringLiteral("M&M"), 2, 77);
    original.SetStartPoint({0.5, 0.5});
    Room* room = original.AddRoom(QStringLiteral("R"), 2);
    room->AddWall(2.0, 0.0, 0.25);
    room->AddWall(1.5, 90.0);
    AddNote(room->Annotations(), AudioBytes(60, 5), QStringLiteral("n"));
    const QString fullPath = dir_.filePath(QStringLiteral("full.tcd"));
    ASSERT_TRUE(SaveSiteFile(original, fullPath).ok);
    const QByteArray full = ReadBytes(fullPath);

    for (qsizetype size = 0; size < full.size(); ++size) {
        Site site;
        site.SetName(QStringLiteral("Site"));
        QByteArray prefix = full.left(size);
        QBuffer buffer(&prefix);
        buffer.open(QIODevice::ReadOnly);
        const SiteFileResult result = LoadSiteFile(buffer, site);
        EXPECT_EQ(result.ok, result.errorText.isEmpty());
        if (result.ok) {
            // Only the line end after the root's end tag may be missing.
            EXPECT_GE(size, full.size() - 2) << size;
            const QString againPath = dir_.filePath(QStringLiteral("again.tcd"));
            ASSERT_TRUE(SaveSiteFile(site, againPath).ok);
            EXPECT_EQ(TextOfFile(ReadBytes(againPath)).replace("again.tcd", "full.tcd"),
                      TextOfFile(full))
                << size;
        } else {
            ExpectNewEmptySite(site);
        }
        if (HasFailure()) {
            FAIL() << "prefix of " << size << " bytes";
        }
    }
}

TEST_F(SiteFileReaderTest, DeeplyNestedRoomsNeitherCrashNorLeakNotes) {
    const Site site = LoadSite(QStringLiteral("<room>").repeated(100000) +
                               QStringLiteral("<annotation type=\"GSM\">AAE=</annotation>") +
                               QStringLiteral("</room>").repeated(100000));
    EXPECT_EQ(site.RoomCount(), 0);
    EXPECT_EQ(site.Annotations().Count(), 0);
}

}  // namespace
}  // namespace plantrek
