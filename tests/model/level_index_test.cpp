// The site keeps the rooms of each level in a list of their own, and a revision per level that
// the plan view and the status bar use to keep what they worked out for the floors not being
// edited. A list that misses a change draws or counts the wrong rooms; a revision that misses
// one leaves a stale extent or total on screen; a revision that moves for every change makes a
// large building as slow as if nothing were kept. Every kind of change is tried for all three.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "model/model_test_support.h"
#include "model/site.h"

namespace plantrek {
namespace {

constexpr int kBasement = 0;
constexpr int kGround = 1;
constexpr int kUpper = 2;

struct House {
    Site site;
    Room* hall = nullptr;     // ground
    Room* kitchen = nullptr;  // ground
    Room* bedroom = nullptr;  // upper
    Room* cellar = nullptr;   // basement
};

Room* Add(Site& site, const char* name, int level) {
    auto room = std::make_unique<Room>(test::RoomOfWalls({{4.0, 0.0}, {3.0, 90.0}}));
    room->SetName(QString::fromUtf8(name));
    room->SetLevel(level);
    return site.InsertRoomAfter(std::move(room), nullptr);
}

void Build(House& house) {
    Site& site = house.site;
    site.AddLevel(Level{QStringLiteral("Upper"), 3.0, 0.0});
    site.AddLevel(Level{QStringLiteral("Basement"), -2.5, 0.0});
    house.hall = Add(site, "Hall", kGround);
    house.bedroom = Add(site, "Bedroom", kUpper);
    house.kitchen = Add(site, "Kitchen", kGround);
    house.cellar = Add(site, "Cellar", kBasement);
}

std::vector<const Room*> ByHand(const Site& site, int level) {
    std::vector<const Room*> rooms;
    for (const auto& room : site.Rooms()) {
        if (room->GetLevel() == level) {
            rooms.push_back(room.get());
        }
    }
    return rooms;
}

struct LevelChange {
    const char* what;
    std::function<void(House&)> apply;
    // Levels (by their place after the change) whose revision must move, the others keeping
    // theirs; with `every`, levels were renumbered and every revision must move.
    std::set<int> changed;
    bool every = false;
};

class LevelIndexFollows : public testing::TestWithParam<LevelChange> {};

TEST_P(LevelIndexFollows, ListsAndRevisionsOfExactlyTheLevelsTouched) {
    House house;
    Build(house);
    // Everything is shared with a first snapshot, as in a document after its first change.
    const auto first = house.site.Snapshot();
    std::vector<std::uint64_t> before;
    for (int level = 0; level < house.site.LevelCount(); ++level) {
        before.push_back(house.site.LevelRevision(level));
        ASSERT_EQ(house.site.RoomsOnLevel(level), ByHand(house.site, level));
    }

    GetParam().apply(house);

    const Site& site = house.site;
    for (int level = 0; level < site.LevelCount(); ++level) {
        EXPECT_EQ(site.RoomsOnLevel(level), ByHand(site, level)) << "level " << level;
        EXPECT_EQ(site.CountRoomsOnLevel(level), static_cast<int>(ByHand(site, level).size()));
        const bool moved = static_cast<std::size_t>(level) >= before.size() ||
                           site.LevelRevision(level) != before[static_cast<std::size_t>(level)];
        const bool expected = GetParam().every || GetParam().changed.count(level) != 0;
        EXPECT_EQ(moved, expected) << "revision of level " << level;
    }
    EXPECT_TRUE(site.RoomsOnLevel(site.LevelCount()).empty());
    EXPECT_TRUE(site.RoomsOnLevel(-1).empty());
}

const LevelChange kChanges[] = {
    {"nothing, and a snapshot of it", [](House& h) { h.site.Snapshot(); }, {}},
    {"a new room upstairs", [](House& h) { h.site.AddRoom(QStringLiteral("Study"), 0, kUpper); },
     {kUpper}},
    {"a room inserted in the middle of the drawing order",
     [](House& h) {
         auto larder = std::make_unique<Room>(test::RoomOfWalls({{2.0, 0.0}, {2.0, 90.0}}));
         larder->SetLevel(kGround);
         h.site.InsertRoomAfter(std::move(larder), h.hall);
     },
     {kGround}},
    {"a room removed", [](House& h) { h.site.RemoveRoom(h.bedroom); }, {kUpper}},
    {"a room brought to the front", [](House& h) { h.site.BringToFront(h.hall); }, {kGround}},
    {"a room moved upstairs", [](House& h) { h.site.MoveRoomToLevel(h.kitchen, kUpper); },
     {kGround, kUpper}},
    {"a wall lengthened, seen by the next snapshot",
     [](House& h) {
         h.bedroom->GetWall(0, true)->SetPolar(5.0, 0.0);
         h.bedroom->InvalidateClosing();
         h.site.Snapshot();
     },
     {kUpper}},
    {"a wall lengthened and undone",
     [](House& h) {
         const auto kept = h.site.Snapshot();
         h.cellar->GetWall(0, true)->SetPolar(5.0, 0.0);
         h.cellar->InvalidateClosing();
         h.site.Snapshot();
         h.site.RestoreSnapshot(*kept);
     },
     {kBasement}},
    {"a move between levels undone",
     [](House& h) {
         const auto kept = h.site.Snapshot();
         h.site.MoveRoomToLevel(h.hall, kBasement);
         h.site.RestoreSnapshot(*kept);
     },
     {kGround, kBasement}},
    {"a removal undone",
     [](House& h) {
         const auto kept = h.site.Snapshot();
         h.site.RemoveRoom(h.cellar);
         h.site.RestoreSnapshot(*kept);
     },
     {kBasement}},
    {"the basement raised over the ground floor",
     [](House& h) { h.site.SetLevel(kBasement, Level{QStringLiteral("Mezzanine"), 1.5, 0.0}); },
     {}, true},
    {"a level removed with its rooms", [](House& h) { h.site.RemoveLevel(kUpper); }, {}, true},
    {"a level added under the others",
     [](House& h) { h.site.AddLevel(Level{QStringLiteral("Vault"), -6.0, 0.0}); }, {}, true},
    {"the levels given anew",
     [](House& h) { h.site.SetLevels({Level{QStringLiteral("Only"), 0.0, 0.0}}); }, {}, true},
};

INSTANTIATE_TEST_SUITE_P(EveryKindOfChange, LevelIndexFollows, testing::ValuesIn(kChanges));

TEST(LevelIndexTest, SnapshotsAndCopiesHaveListsOfTheirOwn) {
    House house;
    Build(house);
    const auto snapshot = house.site.Snapshot();
    const Site copy(house.site);
    house.site.RemoveRoom(house.hall);
    EXPECT_EQ(snapshot->RoomsOnLevel(kGround), ByHand(*snapshot, kGround));
    EXPECT_EQ(snapshot->RoomsOnLevel(kGround).size(), 2U);
    EXPECT_EQ(copy.RoomsOnLevel(kGround), ByHand(copy, kGround));
    EXPECT_NE(copy.LevelRevision(kGround), house.site.LevelRevision(kGround));
    EXPECT_EQ(house.site.RoomsOnLevel(kGround), std::vector<const Room*>{house.kitchen});
}

}  // namespace
}  // namespace plantrek
