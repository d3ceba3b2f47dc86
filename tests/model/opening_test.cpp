#include "model/opening.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/editing.h"
#include "model/material.h"
#include "model/model_test_support.h"
#include "model/opening_rules.h"
#include "model/room_quantities.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {
namespace {

constexpr double kFt = 0.3048;
constexpr double kSqFt = kFt * kFt;
constexpr double kCuFt = kSqFt * kFt;

Opening Door(double offset, double width, double height) {
    return {OpeningKind::Door, offset, width, height, 0.0, DoorHinge::Left, true};
}
Opening Window(double offset, double width, double height, double sill) {
    return {OpeningKind::Window, offset, width, height, sill, DoorHinge::Left, true};
}
Opening Passage(double offset, double width, double height) {
    return {OpeningKind::Passage, offset, width, height, 0.0, DoorHinge::Left, true};
}

Room* AddRoom(Site& site, std::initializer_list<std::pair<double, double>> walls,
              PlanPoint at = {}) {
    auto room = std::make_unique<Room>(test::RoomOfWalls(walls));
    room->Translate(at);
    return site.InsertRoomAfter(std::move(room), nullptr);
}

void Put(Room* room, int wall, OpeningList openings) {
    room->GetWall(wall, true)->SetOpenings(std::move(openings));
}

// Two rooms side by side: A is 4 x 3 m from the origin, B the 2 x 3 m east of it. Their common
// wall is A's third user wall and B's closing wall.
Room* SideBySide(Site& site, bool askForB) {
    Room* a = AddRoom(site, {{3, 0}, {4, 90}, {3, 180}});
    Room* b = AddRoom(site, {{2, 90}, {3, 0}, {2, 270}}, {4, 0});
    Put(a, 2, {Door(1.0, 0.8, 2.0)});
    return askForB ? b : a;
}

struct Reference {
    const char* name;
    std::function<Room*(Site&)> build;
    double defaultHeight;
    // Hand figures: m, m², m³.
    double height, area, perimeter, netPerimeter, wallArea, netWallArea, volume;
    int thresholds;
    double thresholdWidth;
};

// Half circle of radius 1.5 m on the east side of a 3 m square.
constexpr double kArcArea = 9.0 + 1.125 * 3.14159265;
constexpr double kArcPerimeter = 9.0 + 1.5 * 3.14159265;

const Reference kReferences[] = {
    {"rectangle",
     [](Site& s) {
         return AddRoom(s, {{3, 0}, {4, 90}, {3, 180}});
     },
     2.5, 2.5, 12, 14, 14, 35, 35, 30, 0, 0},
    {"rectangle, own height, door",
     [](Site& s) {
         Room* r = AddRoom(s, {{3, 0}, {4, 90}, {3, 180}});
         r->SetCeilingHeight(2.4);
         Put(r, 0, {Door(1.0, 0.9, 2.0)});
         return r;
     },
     2.5, 2.4, 12, 14, 13.1, 33.6, 31.8, 28.8, 1, 0.9},
    {"L shape with a passage",
     [](Site& s) {
         Room* r = AddRoom(s, {{4, 0}, {2, 90}, {2, 180}, {2, 90}, {2, 180}});
         Put(r, 3, {Passage(0.5, 1.0, 2.1)});
         return r;
     },
     2.5, 2.5, 12, 16, 15, 40, 37.9, 30, 1, 1.0},
    {"arc wall and a window",
     [](Site& s) {
         Room* r = AddRoom(s, {{3, 0}, {3, 90}, {3, 180}, {3, 270}});
         r->GetWall(1, true)->SetArcHeight(1.5);
         r->InvalidateClosing();
         Put(r, 0, {Window(1.0, 1.2, 1.0, 0.9)});
         return r;
     },
     2.5, 2.5, kArcArea, kArcPerimeter, kArcPerimeter, kArcPerimeter * 2.5,
     kArcPerimeter * 2.5 - 1.2, kArcArea * 2.5, 0, 0},
    {"door on a shared wall, holding room", [](Site& s) { return SideBySide(s, false); }, 2.5, 2.5,
     12, 14, 13.2, 35, 33.4, 30, 1, 0.8},
    {"door on a shared wall, neighbour", [](Site& s) { return SideBySide(s, true); }, 2.5, 2.5, 6,
     10, 9.2, 25, 23.4, 15, 1, 0.8},
    {"neighbour along part of the wall: only the door beside it counts",
     [](Site& s) {
         Room* a = AddRoom(s, {{3, 0}, {4, 90}, {3, 180}});
         Room* b = AddRoom(s, {{2, 90}, {2, 0}, {2, 270}}, {4, 0});
         Put(a, 2, {Door(0.1, 0.8, 2.0), Door(1.0, 0.8, 2.0)});
         return b;
     },
     2.5, 2.5, 4, 8, 7.2, 20, 18.4, 10, 1, 0.8},
    {"the same door entered from both rooms counts once",
     [](Site& s) {
         Room* a = AddRoom(s, {{3, 0}, {4, 90}, {3, 180}});
         Room* b = AddRoom(s, {{3, 0}, {2, 90}, {3, 180}}, {4, 0});
         Put(a, 2, {Door(1.0, 0.8, 2.0)});
         Put(b, 0, {Door(1.2, 0.8, 2.0)});
         return b;
     },
     2.5, 2.5, 6, 10, 9.2, 25, 23.4, 15, 1, 0.8},
    {"a neighbour's door behind this room's window: both count",
     [](Site& s) {
         Room* a = AddRoom(s, {{3, 0}, {4, 90}, {3, 180}});
         Room* b = AddRoom(s, {{3, 0}, {2, 90}, {3, 180}}, {4, 0});
         Put(a, 2, {Door(1.0, 0.8, 2.0)});
         Put(b, 0, {Window(1.0, 1.2, 1.0, 0.9)});
         return b;
     },
     2.5, 2.5, 6, 10, 9.2, 25, 22.2, 15, 1, 0.8},
    {"window and door on one wall",
     [](Site& s) {
         Room* r = AddRoom(s, {{4, 0}, {5, 90}, {4, 180}});
         Put(r, 1, {Door(0.5, 0.9, 2.0), Window(2.0, 1.5, 1.2, 0.9)});
         return r;
     },
     2.5, 2.5, 20, 18, 17.1, 45, 41.4, 50, 1, 0.9},
    {"feet: 12' x 10', 8' default, 3' x 6'8\" door",
     [](Site& s) {
         Room* r = AddRoom(s, {{10 * kFt, 0}, {12 * kFt, 90}, {10 * kFt, 180}});
         Put(r, 1, {Door(2 * kFt, 3 * kFt, 80 * kFt / 12)});
         return r;
     },
     8 * kFt, 8 * kFt, 120 * kSqFt, 44 * kFt, 41 * kFt, 352 * kSqFt, 332 * kSqFt, 960 * kCuFt, 1,
     3 * kFt},
    {"feet: 10' square, 9' ceiling, window and passage",
     [](Site& s) {
         Room* r = AddRoom(s, {{10 * kFt, 0}, {10 * kFt, 90}, {10 * kFt, 180}});
         r->SetCeilingHeight(9 * kFt);
         Put(r, 0, {Window(3 * kFt, 4 * kFt, 4 * kFt, 3 * kFt)});
         Put(r, 1, {Passage(1 * kFt, 2.5 * kFt, 7 * kFt)});
         return r;
     },
     8 * kFt, 9 * kFt, 100 * kSqFt, 40 * kFt, 37.5 * kFt, 360 * kSqFt, 326.5 * kSqFt, 900 * kCuFt,
     1, 2.5 * kFt},
};

TEST(RoomQuantitiesTest, ReferenceRoomsMatchTheHandFigures) {
    for (const Reference& ref : kReferences) {
        SCOPED_TRACE(ref.name);
        Site site;
        const Room* room = ref.build(site);
        // Room by room, and through the index built for the whole site.
        for (const auto& q :
             {ComputeRoomQuantities(site, *room, ref.defaultHeight),
              ComputeRoomQuantities(SharedOpeningIndex(site), *room, ref.defaultHeight)}) {
            ASSERT_TRUE(q.has_value());
            EXPECT_NEAR(q->height, ref.height, 0.001);
            EXPECT_NEAR(q->floorArea, ref.area, 0.01);
            EXPECT_NEAR(q->grossPerimeter, ref.perimeter, 0.001);
            EXPECT_NEAR(q->netPerimeter, ref.netPerimeter, 0.001);
            EXPECT_NEAR(q->grossWallArea, ref.wallArea, 0.01);
            EXPECT_NEAR(q->netWallArea, ref.netWallArea, 0.01);
            EXPECT_NEAR(q->volume, ref.volume, 0.01);
            EXPECT_EQ(q->thresholdCount, ref.thresholds);
            EXPECT_NEAR(q->thresholdWidth, ref.thresholdWidth, 0.001);
        }
    }
}

TEST(RoomQuantitiesTest, AnOpenRoomHasNone) {
    Site site;
    const Room* room = AddRoom(site, {{3, 0}});
    EXPECT_FALSE(ComputeRoomQuantities(site, *room, 2.5).has_value());
}

TEST(RoomQuantitiesTest, MaterialOrder) {
    const struct {
        double area, waste, pack, orderArea;
        int packs;
    } cases[] = {
        {12, 0, 0, 12, 0},      {12, 10, 0, 13.2, 0},
        {12, 10, 2.0, 13.2, 7}, {10, 10, 1.1, 11, 10},  // 11.000000000000002 m² is still ten packs
        {12, 0, 2.4, 12, 5},    {0, 10, 2.0, 0, 0},
    };
    for (const auto& c : cases) {
        Material material(QStringLiteral("Oak"), 1, 0);
        material.SetWastePercent(c.waste);
        material.SetPackArea(c.pack);
        const MaterialOrder order = ComputeMaterialOrder(material, c.area);
        EXPECT_DOUBLE_EQ(order.area, c.area);
        EXPECT_NEAR(order.orderArea, c.orderArea, 1e-9) << c.area << " " << c.waste;
        EXPECT_EQ(order.packs, c.packs) << c.area << " " << c.waste << " " << c.pack;
    }
}

TEST(OpeningTest, CheckRefusesWithReasons) {
    Site site;
    Room* room = AddRoom(site, {{3, 0}, {4, 90}, {3, 180}, {4, 270}});
    room->GetWall(3, true)->SetArcHeight(1.0);
    Put(room, 1, {Door(1.0, 0.9, 2.0)});
    const auto metric = CreateLengthUnits(kMetricUnitCode);
    const auto imperial = CreateLengthUnits(kImperialUnitCode);
    const struct {
        int wall;
        Opening opening;
        const char* message;  // empty: allowed
        int ignore = -1;
        bool feet = false;
    } cases[] = {
        {1, Door(0.0, 1.0, 2.0), ""},     // touching the other door and the wall's start
        {1, Door(1.9, 2.1, 2.0), ""},     // reaching the wall's end
        {1, Door(1.5, 0.9, 2.0), "", 0},  // the door moved over its old place
        {3, Door(1.0, 0.8, 2.0),
         "Doors, windows and openings go on straight walls only; this "
         "wall is an arc."},
        {4, Door(1.0, 0.8, 2.0),
         "Doors, windows and openings go on the room's measured walls "
         "only."},
        {0, Door(1.0, 0.0, 2.0), "The width must be more than zero."},
        {0, Door(1.0, 0.8, -2.0), "The height must be more than zero."},
        {0, Window(1.0, 0.8, 1.0, -0.1), "The sill height cannot be negative."},
        {0, Door(1.0, 0.8, 2.6),
         "The height 2.60 m is more than the room's ceiling height 2.50 m."},
        {0, Window(1.0, 0.8, 1.2, 1.5),
         "The window's top (sill 1.50 m plus height 1.20 m) is above "
         "the room's ceiling height 2.50 m."},
        {1, Door(3.5, 0.9, 2.0),
         "The opening does not fit on the wall: the wall is 4.00 m long "
         "and its longest free stretch is 2.10 m."},
        {1, Door(3.5, 0.9, 2.0),
         "The opening does not fit on the wall: the wall is 13' 1\" long "
         "and its longest free stretch is 6' 11\".",
         -1, true},
        {1, Door(1.5, 0.5, 2.0),
         "The opening overlaps another opening: the free length there is "
         "2.10 m (from 1.90 m to 4.00 m along the wall); the wall's longest "
         "free stretch is 2.10 m."},
    };
    for (const auto& c : cases) {
        const auto message =
            CheckOpening(*room, c.wall, c.opening, c.feet ? *imperial : *metric, 2.5, c.ignore);
        EXPECT_EQ(message.value_or(QString()).toStdString(), c.message);
    }
}

TEST(OpeningTest, ListStaysInOrderAndWallEditsShowWhatNoLongerFits) {
    Site site;
    Room* room = AddRoom(site, {{3, 0}, {4, 90}, {3, 180}});
    EXPECT_EQ(AddOpening(*room, 1, Door(1.5, 0.8, 2.0)), 0);
    EXPECT_EQ(AddOpening(*room, 1, Window(0.5, 1.0, 1.0, 1.0)), 0);
    EXPECT_EQ(AddOpening(*room, 5, Door(0.0, 0.8, 2.0)), -1);
    EXPECT_EQ(ReplaceOpening(*room, 1, 0, Window(3.2, 0.5, 1.0, 1.0)), 1);
    EXPECT_EQ(room->GetWall(1, true)->GetOpenings()[0], Door(1.5, 0.8, 2.0));
    EXPECT_EQ(ReplaceOpening(*room, 1, 2, Door(0.0, 0.8, 2.0)), -1);

    room->GetWall(1, true)->SetPolar(3.0, 90.0);  // the window at 3.2 m is now past the end
    room->InvalidateClosing();
    const auto past = OpeningsPastWallEnd(*room);
    ASSERT_EQ(past.size(), 1u);
    EXPECT_EQ(past[0].wallIndex, 1);
    EXPECT_EQ(past[0].openingIndex, 1);
    EXPECT_EQ(RemoveOpeningsPastWallEnd(*room), 1);
    EXPECT_EQ(room->GetWall(1, true)->GetOpenings(), OpeningList{Door(1.5, 0.8, 2.0)});

    room->GetWall(1, true)->SetArcHeight(0.5);  // an arc holds none
    EXPECT_EQ(OpeningsPastWallEnd(*room).size(), 1u);
    EXPECT_TRUE(RemoveOpening(*room, 1, 0));
    EXPECT_FALSE(RemoveOpening(*room, 1, 0));
}

TEST(OpeningTest, ReversingOrMirroringTheWallsKeepsTheDoorWhereItStands) {
    Site site;
    Room* room = AddRoom(site, {{3, 0}, {4, 90}, {3, 180}});
    Put(room, 1, {Door(0.5, 0.8, 2.0), Window(2.0, 1.5, 1.0, 1.0)});
    const auto before = PlaceOpenings(*room);
    ASSERT_EQ(before.size(), 2u);
    test::ExpectNear(before[0].start, {0.5, 3.0}, 1e-9);
    test::ExpectNear(before[0].intoRoom, {0.0, -1.0}, 1e-9);
    ASSERT_TRUE(ReverseWalls(*room));
    const auto placed = PlaceOpenings(*room);
    ASSERT_EQ(placed.size(), 2u);
    // The door spans x 0.5 to 1.3 on the north wall, now walked westwards.
    EXPECT_EQ(placed[1].opening->kind, OpeningKind::Door);
    EXPECT_EQ(placed[1].opening->hinge, DoorHinge::Left);
    test::ExpectNear(placed[1].start, {1.3, 3.0}, 1e-9);
    test::ExpectNear(placed[1].end, {0.5, 3.0}, 1e-9);
    test::ExpectNear(placed[1].intoRoom, {0.0, -1.0}, 1e-9);

    ASSERT_TRUE(ReflectRoom(*room, {0, 0}, ReflectMode::Vertical));
    const auto mirrored = PlaceOpenings(*room);
    EXPECT_EQ(mirrored[1].opening->hinge, DoorHinge::Right);
    test::ExpectNear(mirrored[1].start, {1.3, -3.0}, 1e-9);
    test::ExpectNear(mirrored[1].intoRoom, {0.0, 1.0}, 1e-9);
}

}  // namespace
}  // namespace plantrek
