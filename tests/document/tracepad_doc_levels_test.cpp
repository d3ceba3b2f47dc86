// Levels in the document: adding, changing, deleting and moving rooms between them, each one
// step that undo and redo take back and forth with the current level and the selection it had;
// switching levels; new and pasted rooms on the current level.
#include <gtest/gtest.h>

#include "document/clip_item.h"
#include "document/doc_test_support.h"
#include "model/site.h"

namespace plantrek {
namespace {

class LevelDocTest : public test::DocTest {
protected:
    // "Basement:-2.5 *Ground Floor:0 | Kitchen@Ground Floor Bed@Basement | Bed": the levels in
    // order with the current one starred, each room with its level, and the selected room.
    QString State() {
        const Site& site = *Doc().GetSite();
        QStringList parts;
        for (int i = 0; i < site.LevelCount(); ++i) {
            parts.append((i == Doc().GetCurrentLevel() ? QStringLiteral("*") : QString()) +
                         site.GetLevel(i).name + u':' +
                         QString::number(site.GetLevel(i).elevation));
        }
        parts.append(QStringLiteral("|"));
        for (const auto& room : site.Rooms()) {
            parts.append(room->GetName() + u'@' + site.GetLevel(room->GetLevel()).name);
        }
        parts.append(QStringLiteral("|"));
        const Room* selected = Doc().GetCurrentRoom();
        parts.append(selected != nullptr ? selected->GetName() : QStringLiteral("start"));
        return parts.join(u' ');
    }

    // A new room of two walls on the current level, left selected.
    void AddRoom(const char* name) {
        Doc().NewRoom(QString::fromUtf8(name), 0);
        Type({"3 N", "4 E"});
    }

    Room* RoomNamed(const char* name) {
        return Doc().GetSite()->FindRoomByName(QString::fromUtf8(name));
    }
};

TEST_F(LevelDocTest, EachLevelOperationIsOneStepUndoneAndRedoneWithItsCurrentLevel) {
    NewDocInMeters();
    Type({"3 N", "4 E"});
    ASSERT_TRUE(Doc().AddLevel(Level{QStringLiteral("Upper"), 2.5, 0.0}));
    EXPECT_EQ(State(), "Ground Floor:0 *Upper:2.5 | Room 1@Ground Floor | start");
    AddRoom("Bed");

    std::vector<QString> states{State()};
    const auto step = [&](bool done, const char* expected) {
        EXPECT_TRUE(done) << expected;
        EXPECT_EQ(State(), expected);
        states.push_back(State());
    };
    EXPECT_EQ(states[0], "Ground Floor:0 *Upper:2.5 | Room 1@Ground Floor Bed@Upper | Bed");
    // The current level lowered below the datum goes first and stays current.
    step(Doc().SetLevelProperties(1, Level{QStringLiteral("Basement"), -2.5, 2.2}),
         "*Basement:-2.5 Ground Floor:0 | Room 1@Ground Floor Bed@Basement | Bed");
    step(Doc().MoveCurrentRoomToLevel(1),
         "Basement:-2.5 *Ground Floor:0 | Room 1@Ground Floor Bed@Ground Floor | Bed");
    step(Doc().AddLevel(Level{QStringLiteral("Attic"), 5.0, 0.0}),
         "Basement:-2.5 Ground Floor:0 *Attic:5 | Room 1@Ground Floor Bed@Ground Floor | start");
    step(Doc().DeleteLevel(1), "Basement:-2.5 *Attic:5 | | start");
    // Another level raised past the current one: the current level keeps its own place.
    step(Doc().SetLevelProperties(0, Level{QStringLiteral("Basement"), 7.0, 0.0}),
         "*Attic:5 Basement:7 | | start");

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        Doc().Undo();
        EXPECT_EQ(State(), states[i - 1]) << "undo " << i;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        Doc().Redo();
        EXPECT_EQ(State(), states[i]) << "redo " << i;
    }
    EXPECT_FALSE(Doc().CanRedo());
    // Nothing to do is no step: the last level, a level as it is, a room where it is.
    EXPECT_TRUE(Doc().DeleteLevel(1));
    EXPECT_FALSE(Doc().DeleteLevel(0));
    EXPECT_FALSE(Doc().SetLevelProperties(0, Doc().GetSite()->GetLevel(0)));
    Doc().Undo();
    EXPECT_EQ(State(), states.back());
}

TEST_F(LevelDocTest, SwitchingLevelsAndNewAndPastedRoomsFollowTheCurrentLevel) {
    NewDocInMeters();
    Type({"3 N", "4 E"});
    ASSERT_TRUE(Doc().AddLevel(Level{QStringLiteral("Upper"), 2.5, 0.0}));
    // A switch from the start point leaves it selected; from a room, to the new level's top
    // room, or to the start point when the level has none.
    Doc().SetCurrentLevel(0);
    EXPECT_EQ(State(), "*Ground Floor:0 Upper:2.5 | Room 1@Ground Floor | start");
    Doc().SelectRoom(RoomNamed("Room 1"));
    Doc().SetCurrentLevel(1);
    EXPECT_EQ(State(), "Ground Floor:0 *Upper:2.5 | Room 1@Ground Floor | start");
    AddRoom("Bed");
    AddRoom("Bath");
    Doc().SelectWall(RoomNamed("Room 1"), RoomNamed("Room 1")->GetWall(0, true));
    EXPECT_EQ(Doc().GetCurrentLevel(), 0);  // selecting a room or its wall makes its level current
    Doc().SetCurrentLevel(1);
    EXPECT_EQ(State(),
              "Ground Floor:0 *Upper:2.5 | Room 1@Ground Floor Bed@Upper Bath@Upper | Bath");

    // A room pasted at the start point lands on the current level; one pasted over another
    // keeps that one's level.
    CClipHolder clip;
    Doc().SelectRoom(RoomNamed("Room 1"));
    ASSERT_TRUE(clip.Copy(Doc()));
    Doc().SetCurrentLevel(1);
    Doc().FinishRoom();
    ASSERT_TRUE(clip.Paste(Doc()));
    Doc().SelectRoom(RoomNamed("Bed"));
    ASSERT_TRUE(clip.Paste(Doc()));
    EXPECT_EQ(State(),
              "Ground Floor:0 *Upper:2.5 | Room 1@Ground Floor Bed@Upper Bath@Upper Room 2@Upper "
              "| Bed");
}

}  // namespace
}  // namespace plantrek
