#include "render/plan_renderer.h"
#include "render/plan_fit.h"
#include "render/plan_hit_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"
#include "render/recording_surface.h"
#include "render/scaled_surface.h"

namespace plantrek {
namespace {

using test::DrawCall;
using test::RecordingSurface;
using test::Shape;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kTile = MakeColour(255, 192, 0);

// 10 pixels per meter; the plan origin lands on device (20, 220).
ViewTransform Transform() {
    return {10.0, 20.0, 20.0, 240, 0, 0};
}

// Rooms start at the site's start point; it is moved away afterwards so its marker stays
// clear of them.
Room* AddSquareRoom(Site& site, const QString& name, int material, double side) {
    Room* room = site.AddRoom(name, material);
    room->AddWall(side, 0.0);
    room->AddWall(side, 90.0);
    room->AddWall(side, 180.0);
    site.SetStartPoint({18.0, 18.0});
    return room;
}

// What is drawn for the site, a selected room's second walk included.
RecordingSurface Record(const Site& site, const PlanSelection& selection = {},
                        const DrawingValues& values = {}) {
    RecordingSurface surface;
    RenderSite(site, surface, Transform(), selection, values);
    return surface;
}

class PlanRendererTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMarkerUnit(); }
    void TearDown() override { ResetMarkerUnit(); }
};

// Pixels of the filled and outlined room are the picture export's test.
TEST_F(PlanRendererTest, UnselectedRoomIsFilledWithItsMaterialInsideAnOutline) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    AddSquareRoom(site, QStringLiteral("Kitchen"), 1, 10.0);
    AddSquareRoom(site, QStringLiteral("Stray"), 0, 10.0)->SetMaterial(42);  // not in the list
    const std::vector<DrawCall> fills = Record(site).Calls(Shape::Polygon);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].points,
              (std::vector<DevicePoint>{{20, 220}, {20, 120}, {120, 120}, {120, 220}, {20, 220}}));
    EXPECT_EQ(fills[0].state.brushColour, kTile);
    EXPECT_EQ(fills[0].state.penColour, kBlack);
    EXPECT_EQ(fills[0].state.penWidth, 1);
    EXPECT_EQ(fills[1].state.brushColour, Colour{0xFF8080});  // pale blue
}

TEST_F(PlanRendererTest, OpenRoomIsAPolylineWithoutFillOrName) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    Room* room = site.AddRoom(QStringLiteral("Hall"), 1);
    room->SetCloseRule(CloseRule::ReverseSquare);  // folds back on itself: not closed
    room->AddWall(10.0, 0.0);
    room->AddWall(10.0, 90.0);
    ASSERT_FALSE(room->IsClosed());
    site.SetStartPoint({18.0, 18.0});

    const RecordingSurface surface = Record(site);
    ASSERT_EQ(surface.calls.size(), 3u);  // the polyline and the site's start marker
    EXPECT_EQ(surface.calls[0].shape, Shape::Polyline);
    EXPECT_EQ(surface.calls[0].points,
              (std::vector<DevicePoint>{{20, 220}, {20, 120}, {120, 120}}));
}

TEST_F(PlanRendererTest, SelectedRoomLiesOverRoomsDrawnAfterIt) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    Room* below = AddSquareRoom(site, QStringLiteral("A"), 1, 10.0);
    site.SetStartPoint({5.0, 2.0});
    AddSquareRoom(site, QStringLiteral("B"), 1, 10.0);  // covers A's east wall
    const std::vector<DrawCall> calls = Record(site, {below, nullptr, false}).calls;
    const auto fill = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& call) {
        return call.shape == Shape::Polygon;
    });
    ASSERT_NE(fill, calls.rend());
    // A's four walls again, on top of B's fill.
    EXPECT_EQ(std::count_if(calls.rbegin(), fill,
                            [](const DrawCall& call) { return call.shape == Shape::Line; }),
              4);
}

// Three floors of one square room each. Drawn a level at a time, only that level's room is
// there; with the level below shown, its room is drawn first, washed out, without a name and
// without selection marks, whichever way the picture is drawn.
TEST_F(PlanRendererTest, ALevelDrawsItsOwnRoomsOverTheFaintLevelBelow) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    site.AddLevel({QStringLiteral("First Floor"), 3.0, 0.0});
    site.AddLevel({QStringLiteral("Attic"), 6.0, 0.0});
    Room* ground = AddSquareRoom(site, QStringLiteral("Hall"), 1, 10.0);
    site.SetStartPoint({0.0, 0.0});
    site.MoveRoomToLevel(AddSquareRoom(site, QStringLiteral("Study"), 1, 10.0), 1);
    site.SetStartPoint({0.0, 0.0});
    site.MoveRoomToLevel(AddSquareRoom(site, QStringLiteral("Loft"), 1, 20.0), 2);
    const auto texts = [](const std::vector<DrawCall>& calls) {
        std::vector<QString> names;
        for (const DrawCall& call : calls) {
            if (call.shape == Shape::CentredText) {
                names.push_back(call.text);
            }
        }
        return names;
    };
    DrawingValues values;
    values.Level = 1;
    const PlanSelection selected{ground, nullptr, false};
    for (const bool faint : {false, true}) {
        SCOPED_TRACE(faint);
        values.FaintLevelBelow = faint;
        RecordingSurface whole = Record(site, selected, values);
        const std::vector<DrawCall> fills = whole.Calls(Shape::Polygon);
        ASSERT_EQ(fills.size(), faint ? 2u : 1u);
        EXPECT_EQ(fills.back().state.brushColour, kTile);
        EXPECT_EQ(texts(whole.calls), std::vector<QString>{QStringLiteral("Study")});
        // The selected room lies on the level below: no thick walls, arrow or start circle.
        EXPECT_EQ(std::count_if(whole.calls.begin(), whole.calls.end(),
                                [](const DrawCall& call) { return call.state.penWidth > 1; }),
                  0);
        if (faint) {
            const DrawCall& pale = fills.front();
            EXPECT_EQ(pale.points, fills.back().points);
            for (const auto [drawn, full] : {std::pair{pale.state.brushColour, kTile},
                                             std::pair{pale.state.penColour, kBlack}}) {
                EXPECT_NE(drawn, full);
                EXPECT_NE(drawn, kWhite);
                EXPECT_GE(RedOf(drawn), RedOf(full));
                EXPECT_GE(GreenOf(drawn), GreenOf(full));
                EXPECT_GE(BlueOf(drawn), BlueOf(full));
            }
        }
        // Region by region, as the view paints, the same calls in the same order.
        RecordingSurface region;
        RenderSiteRegion(site, region, Transform(), selected, values, nullptr,
                         MeasureRoomReach(site, values, false), {0, 0, 400, 400});
        EXPECT_EQ(region.calls.size(), whole.calls.size());
        EXPECT_EQ(region.Calls(Shape::Polygon).size(), fills.size());
        EXPECT_EQ(texts(region.calls), texts(whole.calls));
    }
    // The attic's larger room is no part of the first floor's picture; every level holds it.
    const PlanRect first = SiteExtent(site, values);
    EXPECT_DOUBLE_EQ(first.maxX, 18.0);  // the start point
    EXPECT_DOUBLE_EQ(first.maxY, 18.0);
    EXPECT_DOUBLE_EQ(SiteExtent(site, DrawingValues{}).maxX, 20.0);
    values.Level = 2;
    values.FaintLevelBelow = false;
    EXPECT_EQ(texts(Record(site, selected, values).calls),
              std::vector<QString>{QStringLiteral("Loft")});
}

// A view of one floor is fitted to the whole building and keeps the extent of the other floors
// between changes: it must follow every change the site tells of, and a snapshot is taken
// after every command.
TEST(BuildingExtentTest, FollowsChangesOnEveryLevel) {
    Site site;
    const int upper = site.AddLevel({QStringLiteral("Upper Floor"), 3.0, 0.0});
    Room* hall = AddSquareRoom(site, QStringLiteral("Hall"), 0, 4.0);
    Room* study = AddSquareRoom(site, QStringLiteral("Study"), 0, 6.0);
    site.MoveRoomToLevel(study, upper);
    BuildingExtent kept;
    const auto expectWhole = [&](const char* after) {
        SCOPED_TRACE(after);
        const PlanRect shown = kept.Of(site, 0);
        const PlanRect whole = SiteExtent(site);
        EXPECT_EQ(shown.empty, whole.empty);
        EXPECT_DOUBLE_EQ(shown.minX, whole.minX);
        EXPECT_DOUBLE_EQ(shown.minY, whole.minY);
        EXPECT_DOUBLE_EQ(shown.maxX, whole.maxX);
        EXPECT_DOUBLE_EQ(shown.maxY, whole.maxY);
    };
    expectWhole("the first layout");
    hall->AddWall(30.0, 270.0);
    expectWhole("a wall added to the level shown, before any snapshot");
    const auto before = site.Snapshot();
    study->Translate({-40.0, 25.0});
    site.Snapshot();
    expectWhole("a room moved on the level above");
    site.RestoreSnapshot(*before);
    study = site.GetRoom(1);
    expectWhole("that move undone");
    site.MoveRoomToLevel(hall, upper);
    expectWhole("the shown level's room moved up");
    site.SetStartPoint({-90.0, -90.0});
    expectWhole("the start point moved");
    site.RemoveLevel(upper);
    expectWhole("the upper level removed");
    const Site other(site);
    EXPECT_DOUBLE_EQ(kept.Of(other, 0).minX, SiteExtent(other).minX);
}

// The threshold and the channels' weights; the name is written in the contrasting colour.
TEST_F(PlanRendererTest, NameColourContrastsWithTheFill) {
    for (const auto& [fill, ink] :
         {std::pair{Colour{0x808080}, kBlack}, std::pair{Colour{0x7F7F7F}, kWhite},
          std::pair{Colour{0xFF0000}, kWhite}, std::pair{Colour{0x00FFFF}, kBlack}}) {
        EXPECT_EQ(ContrastColour(fill), ink) << fill;
    }
    Site site;
    site.AddMaterial(QStringLiteral("Grey"), 1, 0x7F7F7F);
    AddSquareRoom(site, QStringLiteral("Lounge"), 1, 10.0);
    EXPECT_EQ(Record(site).Calls(Shape::CentredText).at(0).state.textColour, kWhite);
}

TEST_F(PlanRendererTest, ShownNameHeightIsTheLargestThatFitsFromTwentyDownToFive) {
    // The recording surface measures h/2 per character and h high; a 10 m room leaves a
    // 98 × 98 rectangle, a 1 m room 8 × 8.
    const std::tuple<const char*, double, int> cases[] = {
        {"Kitchen", 10.0, 20},
        {"Sixteen letters!", 10.0, 12},
        {"Den", 1.0, 5},
        {"A name that is far too long for any room", 10.0, 5},
        {"ab", 1.0, 8}};
    for (const auto& [name, side, height] : cases) {
        Site site;
        AddSquareRoom(site, QString::fromUtf8(name), 0, side);
        const auto texts = Record(site).Calls(Shape::CentredText);
        ASSERT_EQ(texts.size(), 1u) << name;
        EXPECT_EQ(texts[0].state.fontHeight, height) << name;
        EXPECT_EQ(texts[0].text, QString::fromUtf8(name));
        EXPECT_EQ(texts[0].state.textColour, kBlack);  // on the default pale blue
    }
    // No name at all when the setting hides them.
    Site site;
    AddSquareRoom(site, QStringLiteral("Kitchen"), 0, 10.0);
    DrawingValues values;
    values.ShowNames = false;
    EXPECT_TRUE(Record(site, {}, values).Calls(Shape::CentredText).empty());
}

TEST_F(PlanRendererTest, SelectedRoomWallColoursArrowAndStartCircle) {
    Site site;
    Room* room = AddSquareRoom(site, QStringLiteral("Kitchen"), 0, 10.0);
    room->GetWall(2, true)->SetKind(WallKind::Removed);
    const Wall* east = room->GetWall(1, true);
    DrawingValues values;
    values.WallColor = 0x123456;

    const std::vector<DrawCall> calls = Record(site, {room, east, false}, values).calls;
    // One walk in drawing order and one on top: four walls, the selected wall again, the
    // arrow, the start circle and the name each time, then the site's start marker.
    ASSERT_EQ(calls.size(), 2u * 8u + 2u);
    for (int pass = 0; pass < 2; ++pass) {
        const DrawCall* c = &calls[static_cast<std::size_t>(pass) * 8];
        const Colour expected[] = {values.WallColor, kBlue, kRed, kGreen, kBlue};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(c[i].shape, Shape::Line) << pass << i;
            EXPECT_EQ(c[i].state.penColour, expected[i]) << pass << i;
            EXPECT_EQ(c[i].state.penWidth, 2);
        }
        EXPECT_EQ(c[4].points, (std::vector<DevicePoint>{{20, 120}, {120, 120}}));

        // Arrow at the end of the last user wall (south, ending at device (120, 220)): a
        // right-angled head of depth 8 pixels (4 × the marker unit of 2) trailing to the north.
        EXPECT_EQ(c[5].shape, Shape::Polyline);
        EXPECT_EQ(c[5].points, (std::vector<DevicePoint>{{112, 212}, {120, 220}, {128, 212}}));
        EXPECT_EQ(c[5].state.penColour, values.WallColor);
        EXPECT_EQ(c[5].state.penWidth, 2);

        EXPECT_EQ(c[6].shape, Shape::Ellipse);
        EXPECT_EQ(c[6].box, (DeviceRect{16, 216, 24, 224}));  // radius 4 around the start
        EXPECT_FALSE(c[6].state.brush);
        EXPECT_EQ(c[7].shape, Shape::CentredText);
    }
    // The walk on top has not seen the site: its name is black whatever the material.
    EXPECT_EQ(calls[15].state.textColour, kBlack);
}

// The site's start marker is a circle of four marker units (8 pixels at 96 dpi) and a dot, blue
// and two pixels wide when selected; a selected room without walls adds neither arrow nor circle.
TEST_F(PlanRendererTest, StartMarkerFollowsTheSelection) {
    Site site;
    Room* room = site.AddRoom(QStringLiteral("Empty"), 0);
    site.SetStartPoint({18.0, 18.0});  // device (200, 40)
    const std::vector<DrawCall> unselected = Record(site, {room, nullptr, false}).calls;
    ASSERT_EQ(unselected.size(), 2u);
    EXPECT_EQ(unselected[0].box, (DeviceRect{192, 32, 208, 48}));
    EXPECT_EQ(unselected[0].state.penColour, kBlack);
    EXPECT_EQ(unselected[0].state.penWidth, 1);
    ResetMarkerUnit();
    const std::vector<DrawCall> calls = Record(site, {nullptr, nullptr, true}).calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.back().box, (DeviceRect{199, 39, 201, 41}));
    for (const DrawCall* call : {&calls.back(), &calls[calls.size() - 2]}) {
        EXPECT_EQ(call->state.penColour, kBlue);
        EXPECT_EQ(call->state.penWidth, 2);
    }
}

TEST_F(PlanRendererTest, ArcPointsFollowTheArcToItsEnd) {
    for (const double height : {1.0, -1.0, 2.0, -2.0}) {
        Wall wall;
        wall.SetPolar(4.0, 30.0);
        wall.SetArcHeight(height);
        const PlanPoint start{3.0, -2.0};
        const std::vector<PlanPoint> points = WallDrawingPoints(start, wall, 20.0);
        const WallArc arc = wall.GetArc(start);
        ASSERT_GE(points.size(), 8u) << height;
        for (const PlanPoint& p : points) {
            EXPECT_NEAR(Distance(p, arc.centre), arc.radius, 1e-6) << height;
        }
        EXPECT_EQ(points.back().x, (start + wall.GetVector()).x);
        EXPECT_EQ(points.back().y, (start + wall.GetVector()).y);
        // The halving puts the first split at the middle of the arc, on the bowing side.
        const PlanPoint middle = points[points.size() / 2 - 1];
        const PlanPoint expected = start + wall.GetArcMidpoint();
        EXPECT_NEAR(middle.x, expected.x, 1e-6) << height;
        EXPECT_NEAR(middle.y, expected.y, 1e-6) << height;
        PlanPoint previous = start;
        for (const PlanPoint& p : points) {
            EXPECT_LE(static_cast<int>(Distance(previous, p) * 20.0), 3);
            previous = p;
        }
    }
}

bool Overlap(const DeviceRect& a, const DeviceRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const MetricUnits kUnits(100);
const ViewTransform kLengthView{40.0, 0.0, 0.0, 400, 100, 0};

// A room walking the given (length, bearing) walls, from `at` if given.
Room* AddWalls(Site& site, const QString& name, std::optional<PlanPoint> at,
               std::initializer_list<std::pair<double, double>> walls) {
    Room* room = site.AddRoom(name, 0);
    if (at) {
        room->SetLocation(*at);
    }
    for (const auto& [length, bearing] : walls) {
        room->AddWall(length, bearing);
    }
    return room;
}

// The texts drawn with lengths shown (or not), measured walls blue and added ones green.
std::vector<DrawCall> Texts(const Site& site, const ViewTransform& transform = kLengthView,
                            bool lengths = true) {
    DrawingValues values;
    values.ShowWallLengths = lengths;
    values.WallColor = kBlue;
    values.AddedColor = kGreen;
    RecordingSurface surface;
    RenderSite(site, surface, transform, {}, values, &kUnits);
    return surface.Calls(Shape::CentredText);
}

bool IsLength(const DrawCall& call) {
    return call.text.front().isDigit();  // the rooms here are named in letters
}

// How many texts read `text`, each checked in `colour`.
int CountTexts(const Site& site, const QString& text, Colour colour) {
    int n = 0;
    for (const DrawCall& call : Texts(site)) {
        if (call.text == text) {
            ++n;
            EXPECT_EQ(call.state.textColour, colour);
        }
    }
    return n;
}

// Lengths on a 4 m × 3 m room, and on one whose middle wall is `shortWall` long, at
// `pixelsPerMeter`: every label lies outside the room, clear of each other; the ones too long
// for their wall shrink or drop out.
struct LengthCase {
    double pixelsPerMeter;
    double shortWall;
    int labels;
    int smallestFont;  // at most
};

TEST(WallLengths, OutsideTheRoomClearOfNamesAndDroppedWhenTooShort) {
    const LengthCase cases[] = {
        {40.0, 4.0, 4, PlanRenderer::kLargestLengthHeight},     // three walls and the closing one
        {40.0, 0.3, 2, PlanRenderer::kLargestLengthHeight},     // 12 pixels carry no label
        {9.0, 4.0, 4, PlanRenderer::kLargestLengthHeight - 1},  // "4.00 m" shrinks
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.pixelsPerMeter);
        Site site;
        AddWalls(site, QStringLiteral("Hall"), {}, {{3.0, 0.0}, {c.shortWall, 90.0}, {3.0, 180.0}});
        const ViewTransform transform{c.pixelsPerMeter, 0.0, 0.0, 400, 100, 0};
        const DevicePoint a = transform.ToDevice({0.0, 0.0});
        const DevicePoint b = transform.ToDevice({c.shortWall, 3.0});
        std::vector<DeviceRect> boxes{{a.x, b.y, b.x, a.y}};  // the room, then every label
        int smallest = 1000;
        for (const DrawCall& call : Texts(site, transform)) {
            if (!IsLength(call)) {
                continue;
            }
            EXPECT_TRUE(call.text == kUnits.FormatLength(3.0) ||
                        call.text == kUnits.FormatLength(c.shortWall))
                << call.text.toStdString();
            for (const DeviceRect& other : boxes) {
                EXPECT_FALSE(Overlap(call.box, other));
            }
            boxes.push_back(call.box);
            smallest = std::min(smallest, call.state.fontHeight);
        }
        EXPECT_EQ(static_cast<int>(boxes.size()) - 1, c.labels);
        EXPECT_LE(smallest, c.smallestFont);
    }
    // Off, nothing is written but the name.
    Site site;
    AddWalls(site, QStringLiteral("Hall"), {}, {{3.0, 0.0}, {4.0, 90.0}});
    EXPECT_LE(Texts(site, kLengthView, false).size(), 1u);
}

// The wall the program adds to close a room has its length written too, in the added-wall
// colour, outside the room beside it; the measured walls' lengths keep the wall colour.
TEST(WallLengths, AClosingWallIsWrittenInTheAddedColour) {
    Site site;
    AddWalls(site, QStringLiteral("Hall"), {}, {{3.0, 0.0}, {4.0, 90.0}, {3.0, 180.0}});
    const int bottom = kLengthView.ToDevice({0.0, 0.0}).y;  // the closing wall's
    int closing = 0;
    for (const DrawCall& call : Texts(site)) {
        if (IsLength(call) && call.state.textColour == kGreen) {
            ++closing;
            EXPECT_EQ(call.text, kUnits.FormatLength(4.0));
            EXPECT_GE(call.box.top, bottom);
        }
    }
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(CountTexts(site, kUnits.FormatLength(3.0), kBlue), 2);
}

// Where one room's closing wall lies on another room's measured wall, the wall is labelled
// once, with the measured length, whichever room is drawn first.
TEST(WallLengths, AMeasuredWallWinsOverAClosingWallOnIt) {
    for (const bool closedFirst : {true, false}) {
        Site site;
        for (int i = 0; i < 2; ++i) {
            if ((i == 0) == closedFirst) {  // three walls, closed by (4, 0) to (4, 3)
                AddWalls(site, QStringLiteral("East"), PlanPoint{4.0, 3.0},
                         {{4.0, 90.0}, {3.0, 180.0}, {4.0, 270.0}});
            } else {
                AddWalls(site, QStringLiteral("West"), {},
                         {{3.0, 0.0}, {4.0, 90.0}, {3.0, 180.0}, {4.0, 270.0}});
            }
        }
        // x = 0, the shared wall at x = 4, and x = 8.
        EXPECT_EQ(CountTexts(site, kUnits.FormatLength(3.0), kBlue), 3) << closedFirst;
    }
}

// A measured wall whose label finds no room (a narrow room's name is in the way) is labelled
// from the other side by the closing wall lying on it, still in the wall colour: the length is
// a measured one.
TEST(WallLengths, AClosingWallOnAMeasuredOneKeepsTheWallColour) {
    Site site;
    AddWalls(site, QStringLiteral("West"), {},
             {{3.0, 0.0}, {4.0, 90.0}, {3.0, 180.0}, {4.0, 270.0}});
    // Half a meter wide, its name filling it; closed by (4, 0) to (4, 3).
    AddWalls(site, QStringLiteral("Passage"), PlanPoint{4.0, 3.0},
             {{0.5, 90.0}, {3.0, 180.0}, {0.5, 270.0}});
    const int shared = kLengthView.ToDevice({4.0, 0.0}).x;
    int besideShared = 0;
    for (const DrawCall& call : Texts(site)) {
        if (call.text == kUnits.FormatLength(3.0)) {
            EXPECT_EQ(call.state.textColour, kBlue);
            // Written inside West, next to the shared wall: the closing wall's label.
            besideShared += call.box.right <= shared && call.box.left > shared - 60;
        }
    }
    EXPECT_EQ(besideShared, 1);
}

// On paper a screen pixel is many device pixels: the start circle and the gap between a wall
// and its length grow with it, and the box RenderedExtent reports holds all that is drawn.
TEST(PaperSurface, MarkersGrowAndTheExtentHoldsEverything) {
    Site site;
    AddWalls(site, QStringLiteral("Hall"), {}, {{3.0, 0.0}, {4.0, 90.0}, {3.0, 180.0}});
    DrawingValues values;
    values.ShowWallLengths = true;
    const ViewTransform transform{250.0, 0.0, 0.0, 1000, 100, 0};
    int radius[2] = {};
    for (double factor : {1.0, 6.0}) {
        RecordingSurface recording;
        ScaledSurface surface(recording, factor);
        RenderSite(site, surface, transform, {}, values, &kUnits);
        const auto circles = recording.Calls(Shape::Ellipse);
        ASSERT_FALSE(circles.empty());
        radius[factor > 1.0] = circles.front().box.Width() / 2;

        const auto extent = RenderedExtent(site, surface, transform, {}, values, &kUnits);
        ASSERT_TRUE(extent);
        for (const auto& call : recording.calls) {
            DeviceRect box = call.box;
            if (!call.points.empty()) {
                box = {call.points[0].x, call.points[0].y, call.points[0].x, call.points[0].y};
            }
            EXPECT_GE(box.left, extent->left);
            EXPECT_GE(box.top, extent->top);
            EXPECT_LE(box.right, extent->right);
            EXPECT_LE(box.bottom, extent->bottom);
        }
    }
    EXPECT_EQ(radius[1], 6 * radius[0]);
}

// Hit testing and snapping

constexpr double kNorth = 0.0;
constexpr double kEast = 90.0;
constexpr double kSouth = 180.0;
constexpr double kWest = 270.0;

Room* AddSquare(Site& site, const QString& name, PlanPoint at, double side) {
    return AddWalls(site, name, at, {{side, kNorth}, {side, kEast}, {side, kSouth}, {side, kWest}});
}

void ExpectPoint(PlanPoint actual, PlanPoint expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// Distance to a wall

Wall MakeWall(double length, double direction, double arcHeight) {
    Wall wall;
    wall.SetPolar(length, direction);
    wall.SetArcHeight(arcHeight);
    return wall;
}

// A 4 m wall heading east from the origin, straight or bowed: (arc height, point, nearest).
TEST(NearestPoint, OnTheWall) {
    const std::tuple<double, PlanPoint, PlanPoint> cases[] = {
        {0.0, {1.5, 2.0}, {1.5, 0.0}},
        {0.0, {-3.0, 1.0}, {0.0, 0.0}},
        {0.0, {7.0, -1.0}, {4.0, 0.0}},
        // A half circle bowing north (to the left of east) about (2, 0), radius 2; behind the
        // chord the nearest point of the circle is not on the arc: an end is.
        {2.0, {2.0, 5.0}, {2.0, 2.0}},
        {2.0, {2.0, 1.0}, {2.0, 2.0}},
        {2.0, {0.5, -1.0}, {0.0, 0.0}},
        // A shallow arc bowing south by 1: radius 2.5 about (2, 1.5).
        {-1.0, {2.0, -3.0}, {2.0, -1.0}},
        {-1.0, {2.0, 6.0}, {0.0, 0.0}}};
    for (const auto& [arcHeight, point, nearest] : cases) {
        SCOPED_TRACE(testing::Message() << arcHeight << " " << point.x << "," << point.y);
        const Wall wall = MakeWall(4.0, kEast, arcHeight);
        ExpectPoint(NearestPointOnWall(point, {0.0, 0.0}, wall), nearest, 1e-9);
        EXPECT_NEAR(DistanceToWall(point, {0.0, 0.0}, wall), Distance(point, nearest), 1e-9);
    }
}

// Pick

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        site.SetStartPoint({-10.0, -10.0});
        a = AddSquare(site, "A", {0.0, 0.0}, 4.0);
        // Three walls; the close rule adds the fourth, (14, 0) to (10, 0).
        b = AddWalls(site, "B", PlanPoint{10.0, 0.0}, {{4.0, kNorth}, {4.0, kEast}, {4.0, kSouth}});
    }

    PickResult At(double x, double y) { return Pick(site, PlanPoint{x, y}, 1.0); }

    Site site;
    Room* a = nullptr;
    Room* b = nullptr;
};

TEST_F(PickTest, FindsRoomsWallsAndTheStartPointOrNothing) {
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, a, nullptr}));
    EXPECT_EQ(At(0.5, 2.0), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
    EXPECT_EQ(At(2.0, 4.9), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
    EXPECT_EQ(At(-9.5, -10.2), (PickResult{PickKind::StartPoint, nullptr, nullptr}));
    EXPECT_EQ(At(7.0, 2.0), PickResult{});
    EXPECT_EQ(At(2.0, 5.1), PickResult{});
    EXPECT_EQ(Pick(site, PlanPoint{std::nan(""), 0.0}, 1.0), PickResult{});
    // A closing wall is picked as another kind.
    ASSERT_EQ(b->WallCount(), 4);
    EXPECT_EQ(At(12.0, 0.3), (PickResult{PickKind::OtherWall, b, b->GetWall(3)}));
}

TEST_F(PickTest, TheLastDrawnWinsAmongEquals) {
    // Inside A and drawn after it.
    Room* c = AddSquare(site, "C", {0.5, 0.5}, 3.0);
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, c, nullptr}));
    EXPECT_EQ(At(1.2, 2.0), (PickResult{PickKind::UserWall, c, c->GetWall(0)}));
    // Between two walls of A and C that are both in reach, C's is on top.
    EXPECT_EQ(At(0.3, 2.0), (PickResult{PickKind::UserWall, c, c->GetWall(0)}));
    site.SendToBack(c);
    EXPECT_EQ(At(0.3, 2.0), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, a, nullptr}));
}

TEST_F(PickTest, AWallIsNeverReplacedByARoom) {
    // An open run of walls drawn below A that crosses it: inside A and near that run, the run's
    // wall is hit although A is drawn on top.
    Room* run = AddWalls(site, "Run", PlanPoint{2.0, -3.0}, {{10.0, kNorth}, {5.0, kSouth}});
    site.SendToBack(run);
    ASSERT_FALSE(run->IsClosed());
    EXPECT_EQ(At(2.3, 2.0), (PickResult{PickKind::UserWall, run, run->GetWall(1)}));
}

TEST_F(PickTest, TheStartPointWinsOverANearerWall) {
    // 20 pixels per meter: the click is 5 pixels from A's west wall and 20 from the start point.
    site.SetStartPoint({-1.25, 2.0});
    const ViewTransform transform{20.0, 0.0, 0.0, 1000, 0, 0};
    EXPECT_DOUBLE_EQ(PickTolerance(transform), 1.2);
    const DevicePoint click = transform.ToDevice({-0.25, 2.0});
    EXPECT_EQ(Pick(site, transform, click).kind, PickKind::StartPoint);
    // 30 pixels away the start point is out of reach and the wall is hit.
    site.SetStartPoint({-1.75, 2.0});
    EXPECT_EQ(Pick(site, transform, click), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
}

TEST_F(PickTest, ArcWallsArePickedAlongTheirBow) {
    // A's north wall bowed out by 2 m: its top is at (2, 6), far from the chord.
    ASSERT_TRUE(a->GetWall(1) != nullptr);
    a->GetWall(1)->SetArcHeight(2.0);
    a->InvalidateClosing();
    EXPECT_EQ(At(2.0, 6.5), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
    EXPECT_EQ(At(2.0, 4.5), (PickResult{PickKind::Room, a, nullptr}));
    // Bowed the other way, into the room, down to (2, 2).
    a->GetWall(1)->SetArcHeight(-2.0);
    a->InvalidateClosing();
    EXPECT_EQ(At(2.0, 1.5), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
}

class SnapTest : public ::testing::Test {
protected:
    void SetUp() override {
        site.SetStartPoint({-5.0, -5.0});
        a = AddSquare(site, "A", {0.0, 0.0}, 4.0);
        moving = AddSquare(site, "Moving", {20.0, 20.0}, 2.0);
    }

    PlanPoint Drag(double x, double y, double tolerance = 1.0) {
        return SnapPoint(site, {x, y}, moving, false, tolerance);
    }

    Site site;
    Room* a = nullptr;
    Room* moving = nullptr;
};

// A corner within reach, else the nearest wall point, else the point itself.
TEST_F(SnapTest, DraggingLandsOnACornerAWallOrStays) {
    const std::tuple<double, double, double, PlanPoint> cases[] = {
        {4.5, 4.3, 1.0, {4.0, 4.0}},
        {-0.4, -0.7, 1.0, {0.0, 0.0}},
        {2.0, 4.2, 1.0, {2.0, 4.0}},
        {3.3, 1.0, 1.0, {4.0, 1.0}},
        {10.0, 10.0, 1.0, {10.0, 10.0}},
        {20.1, 20.1, 1.0, {20.1, 20.1}},  // the moving room's own corners are no targets
        {2.0, 5.0, 3.0, {0.0, 4.0}}};     // a tie: (0, 4) comes before (4, 4) along A's walls
    for (const auto& [x, y, tolerance, expected] : cases) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        ExpectPoint(Drag(x, y, tolerance), expected);
    }
}

// A corner beating a nearer wall is the plan view's test (DragSnapsOntoACornerBeforeANearerWall).
TEST_F(SnapTest, TheStartPointBeatsANearerCorner) {
    // While a room moves, the start point wins over a nearer corner.
    site.SetStartPoint({4.9, 4.9});
    ExpectPoint(Drag(4.3, 4.3), {4.9, 4.9});
    // Dragging the start point itself: it is no target of its own.
    ExpectPoint(SnapPoint(site, {4.3, 4.3}, nullptr, false, 1.0), {4.0, 4.0});
}

TEST_F(SnapTest, TheSnapCommandReachesAnyDistanceAndIgnoresWalls) {
    ExpectPoint(SnapPoint(site, {40.0, 41.0}, moving, true, 1.0), {4.0, 4.0});
    ExpectPoint(SnapPoint(site, {2.1, 4.1}, moving, true, 1.0), {4.0, 4.0});
    // The start point competes when a room moves; without one it is no target.
    ExpectPoint(SnapPoint(site, {-3.0, -3.0}, moving, true, 1.0), {-5.0, -5.0});
    ExpectPoint(SnapPoint(site, {-3.0, -3.0}, nullptr, true, 1.0), {0.0, 0.0});
    // Equally near, the start point came first and stays.
    site.SetStartPoint({8.0, 4.0});
    ExpectPoint(SnapPoint(site, {6.0, 4.0}, moving, true, 1.0), {8.0, 4.0});
    // Without targets the point stays.
    Site empty;
    ExpectPoint(SnapPoint(empty, {3.0, 3.0}, nullptr, true, 1.0), {3.0, 3.0});
    // A room moved in a site of its own can only go to the start point.
    Room* only = AddSquare(empty, "Only", {3.0, 3.0}, 2.0);
    empty.SetStartPoint({9.0, 9.0});
    ExpectPoint(SnapPoint(empty, {1.0, 1.0}, only, true, 1.0), {9.0, 9.0});
}

TEST_F(SnapTest, ClosingWallCornersAndArcsAreTargets) {
    // Two walls; the close rule adds two more, meeting at (34, 0).
    Room* open = AddWalls(site, "Two", PlanPoint{30.0, 0.0}, {{4.0, kNorth}, {4.0, kEast}});
    ASSERT_EQ(open->WallCount(), 4);
    ExpectPoint(Drag(34.3, 0.2), {34.0, 0.0});
    // A's east wall (heading south) bowed out to the east by 1 m: the dragged point snaps onto
    // the bow, not onto the chord.
    a->GetWall(2)->SetArcHeight(1.0);
    a->InvalidateClosing();
    ExpectPoint(Drag(5.3, 2.0), {5.0, 2.0}, 1e-9);
}

TEST(PlanHitIndexTest, ANegativeToleranceStillFindsRooms) {
    Site site;
    Room* room = AddSquare(site, "A", {0.0, 0.0}, 4.0);
    const PlanHitIndex index(site);
    EXPECT_EQ(index.Pick({2.0, 2.0}, -1.0), (PickResult{PickKind::Room, room, nullptr}));
    ExpectPoint(index.SnapPoint({2.0, 3.9}, nullptr, false, -1.0), {2.0, 3.9});
}

}  // namespace
}  // namespace plantrek
