#include "model/plan_check.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/model_test_support.h"
#include "model/site.h"

namespace plantrek {
namespace {

using Poly = std::vector<PlanPoint>;

Poly Box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

struct OverlapCase {
    const char* what;
    Poly a;
    Poly b;
    double area;
};

class OverlapAreaTest : public testing::TestWithParam<OverlapCase> {};

TEST_P(OverlapAreaTest, AreaOfTheCommonPart) {
    const OverlapCase& c = GetParam();
    EXPECT_NEAR(OverlapOf(c.a, c.b).area, c.area, 1e-9) << c.what;
    EXPECT_NEAR(OverlapOf(c.b, c.a).area, c.area, 1e-9) << c.what << " (swapped)";
}

const Poly kL{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}};  // an L, 1 m wide arms
INSTANTIATE_TEST_SUITE_P(
    Outlines, OverlapAreaTest,
    testing::Values(OverlapCase{"corners crossing", Box(0, 0, 2, 2), Box(1, 1, 3, 3), 1.0},
                    OverlapCase{"the same square", Box(0, 0, 2, 2), Box(0, 0, 2, 2), 4.0},
                    OverlapCase{"one inside the other", Box(0, 0, 5, 5), Box(1, 1, 2, 3), 2.0},
                    OverlapCase{"inside, sharing two sides", Box(0, 0, 5, 5), Box(0, 0, 2, 3), 6.0},
                    OverlapCase{"sharing a wall", Box(0, 0, 3, 3), Box(3, 0, 6, 4), 0.0},
                    OverlapCase{"sharing part of a wall", Box(0, 0, 3, 3), Box(3, 1, 5, 2), 0.0},
                    OverlapCase{"meeting at a corner", Box(0, 0, 3, 3), Box(3, 3, 4, 4), 0.0},
                    OverlapCase{"apart", Box(0, 0, 1, 1), Box(2, 2, 3, 3), 0.0},
                    OverlapCase{"clockwise against anticlockwise", Box(0, 0, 2, 2),
                                Poly{{1, 0}, {1, 2}, {3, 2}, {3, 0}}, 2.0},
                    OverlapCase{"in the notch of an L", kL, Box(1, 1, 3, 3), 0.0},
                    OverlapCase{"across both arms of an L", kL, Box(0.5, 0.5, 3, 3),
                                2.5 * 0.5 * 2 - 0.5 * 0.5}));

Room* AddBox(Site& site, const char* name, double x, double y, double width, double depth) {
    auto room = std::make_unique<Room>(test::RoomOfWalls({{width, 90}, {depth, 0}, {width, 270}}));
    room->Translate({x, y});
    room->SetName(QString::fromUtf8(name));
    Room* added = site.InsertRoomAfter(std::move(room), nullptr);
    EXPECT_TRUE(added->IsClosed());
    return added;
}

struct SiteCase {
    const char* what;
    double bedroomX;  // the kitchen is 3 m wide from x = 0
    std::vector<PlanFinding::Kind> kinds;
    double amount;
};

class CheckPlanTest : public testing::TestWithParam<SiteCase> {};

TEST_P(CheckPlanTest, KitchenAndBedroom) {
    const SiteCase& c = GetParam();
    Site site;
    AddBox(site, "Hall", -10, -10, 2, 2);
    AddBox(site, "Kitchen", 0, 0, 3, 3);
    AddBox(site, "Bedroom", c.bedroomX, 0.5, 3, 4);
    const std::vector<PlanFinding> findings = CheckPlan(site);
    ASSERT_EQ(findings.size(), c.kinds.size()) << c.what;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        EXPECT_EQ(findings[i].kind, c.kinds[i]) << c.what;
        EXPECT_EQ(findings[i].first, 1);
        EXPECT_EQ(findings[i].second, 2);
        EXPECT_NEAR(findings[i].amount, c.amount, 1e-9) << c.what;
    }
}

using K = PlanFinding::Kind;
INSTANTIATE_TEST_SUITE_P(
    Placements, CheckPlanTest,
    testing::Values(SiteCase{"19 mm into the kitchen", 2.981, {K::Overlap}, 0.019 * 2.5},
                    SiteCase{"a 2 cm slip", 3.02, {K::Slip}, 0.02},
                    SiteCase{"sharing the wall exactly", 3.0, {}, 0.0},
                    SiteCase{"half a millimetre apart: touching", 3.0005, {}, 0.0},
                    SiteCase{"half a millimetre over: touching", 2.9995, {}, 0.0},
                    SiteCase{"10 cm apart: meant to be", 3.1, {}, 0.0},
                    SiteCase{"a whole room apart", 6.0, {}, 0.0}));

TEST(CheckPlanTest, ThousandsOfRoomsSharingWallsAreClean) {
    Site site;
    for (int i = 0; i < 50; ++i) {
        for (int j = 0; j < 50; ++j) {
            AddBox(site, "Cell", 3.0 * i, 2.0 * j, 3, 2);
        }
    }
    EXPECT_TRUE(CheckPlan(site).empty());
}

TEST(SnapRoomTargetTest, SkipsCornersThatPutTheRoomIntoAnother) {
    Site site;
    AddBox(site, "Kitchen", 0, 0, 3, 3);
    // A bedroom half into the kitchen: the kitchen's nearest corner would put it right over it.
    const Room* bedroom = AddBox(site, "Bedroom", 1.0, 0.2, 3, 3);
    std::optional<PlanPoint> target = SnapRoomTarget(site, *bedroom);
    ASSERT_TRUE(target);
    test::ExpectNear(*target, {3.0, 0.0}, 1e-12);

    // Reaching less than half an inch into a neighbour is allowed.
    AddBox(site, "Hall", 3.5, 2.99, 3, 3);
    target = SnapRoomTarget(site, *bedroom);
    ASSERT_TRUE(target);
    test::ExpectNear(*target, {3.0, 0.0}, 1e-12);
}

// A bedroom upstairs over the kitchen: neither overlaps the other, and Snap Room neither offers
// the kitchen's corners nor keeps the bedroom off a store room downstairs.
TEST(CheckPlanTest, RoomsOnDifferentLevelsNeverMeet) {
    Site site;
    site.SetStartPoint({50, 50});
    const Room* kitchen = AddBox(site, "Kitchen", 0, 0, 3, 3);
    AddBox(site, "Store", 50, 50, 3, 3);
    Room* bedroom = AddBox(site, "Bedroom", 1.0, 0.2, 3, 3);
    ASSERT_EQ(CheckPlan(site).size(), 1u);
    site.MoveRoomToLevel(bedroom, site.AddLevel(Level{QStringLiteral("Upper"), 3.0, 0.0}));
    EXPECT_TRUE(CheckPlan(site).empty());
    EXPECT_EQ(OverlapOf(*kitchen, *bedroom).area, 0.0);
    const std::optional<PlanPoint> target = SnapRoomTarget(site, *bedroom);
    ASSERT_TRUE(target);
    test::ExpectNear(*target, {50.0, 50.0}, 1e-12);
}

TEST(SnapRoomTargetTest, NothingWhenEveryCornerIsTaken) {
    Site site;
    AddBox(site, "A", 0, 0, 3, 3);
    AddBox(site, "C", -10, 10, 1, 1);
    // An L around its start point, arms 20 m long: placed at any corner it covers a room.
    auto wide = std::make_unique<Room>(
        test::RoomOfWalls({{20, 180}, {20, 90}, {40, 0}, {40, 270}, {20, 180}}));
    wide->Translate({1.0, 0.5});
    Room* room = site.InsertRoomAfter(std::move(wide), nullptr);
    ASSERT_TRUE(room->IsClosed());
    EXPECT_FALSE(SnapRoomTarget(site, *room));
}

}  // namespace
}  // namespace plantrek
