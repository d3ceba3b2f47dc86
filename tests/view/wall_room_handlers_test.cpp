// The wall and room commands with scripted dialogs: no dialog is shown.

#include <functional>
#include <variant>

#include "document/forms/arc_wall_form.h"
#include "document/forms/move_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"
#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "scripted_form_dialogs.h"
#include "view/commands/command_router.h"
#include "view/handlers/move_handlers.h"
#include "view/handlers/wall_handlers.h"

namespace plantrek::test {
namespace {

using namespace command_id;

// A metric document whose room runs N 4 m, E 3 m, S 4 m, W 3 m from (0, 0).
class HandlerTest : public ::testing::Test {
protected:
    HandlerTest()
        : doc(prompts, SettingsStore::AtFile(folder.filePath(QStringLiteral("s.ini"))),
              TemplateLocation{folder.path(), folder.path()}) {
        doc.OnNewDocument();
        PrefsInputValues input = doc.Prefs().GetInputValues();
        input.Input = 1;
        doc.Prefs().SetInputValues(input);
        for (const char* wall : {"4 n", "3 e", "4 s", "3 w"}) {
            doc.EnterInputText(QString::fromLatin1(wall));
        }
        dialogs = std::make_shared<ScriptedFormDialogs>();
        const EditingContext context{[this] { return &doc; }, &prompts, dialogs};
        RegisterWallHandlers(router, context);
        RegisterMoveHandlers(router, context);
    }
    Room& TheRoom() { return *doc.GetSite()->GetRoom(0); }
    void SelectWall(int index) { doc.SelectWall(&TheRoom(), TheRoom().GetWall(index, true)); }
    // What the plan looks like, in enough detail to see any change of these commands.
    QString Plan() {
        QString text = QStringLiteral("%1,%2;").arg(doc.GetSite()->GetStartPoint().x)
                           .arg(doc.GetSite()->GetStartPoint().y);
        for (int r = 0; r < doc.GetSite()->RoomCount(); ++r) {
            const Room& room = *doc.GetSite()->GetRoom(r);
            text += QStringLiteral("%1,%2 %3,%4:").arg(room.GetLocation().x).arg(room.GetLocation().y)
                        .arg(room.GetStartPoint().x).arg(room.GetStartPoint().y);
            for (int w = 0; w < room.WallCount(true); ++w) {
                const Wall& wall = *room.GetWall(w, true);
                text += QStringLiteral(" %1/%2/%3").arg(wall.GetLength(), 0, 'f', 4)
                            .arg(wall.GetDirection(), 0, 'f', 4).arg(wall.GetArcHeight(), 0, 'f', 4);
            }
        }
        return text;
    }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    CTracepadDoc doc;
    CommandRouter router;
    std::shared_ptr<ScriptedFormDialogs> dialogs;
};

struct Case {
    const char* name;
    int command;
    int wall;  // the wall selected first; -1 the room; -2 the site's start point
    std::function<void(AnyForm)> fill;
};

// Each command opens its own dialog once, and Cancel changes nothing. What OK applies, as one
// undo step, is the forms' own test (EachApplyIsOneUndoStep); that a confirmed form is checked
// before it is applied is AConfirmedFormThatFailsItsCheckIsNeverApplied below.
TEST_F(HandlerTest, EachCommandAsksItsDialogAndCancelChangesNothing) {
    const struct {
        int command;
        int wall;  // the wall selected first; -1 the room; -2 the site's start point
        const char* dialog;
    } cases[] = {
        {kAddWall, -1, "wall"},         {kEditWall, 0, "wall"},
        {kAddProjection, 1, "projection"}, {kArcWall, 0, "arc wall"},
        {kAngleWall, 1, "angle wall"},  {kMoveWallEnd, 1, "wall end"},
        {kMoveRoomStart, -1, "room start"}, {kMoveRoom, -1, "move"},
        {kMoveStartPoint, -2, "move"},  {kRotateRoom, -1, "rotate"},
        {kReflectRoom, -1, "reflect"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        if (c.wall >= 0) {
            SelectWall(c.wall);
        } else if (c.wall == -1) {
            doc.SelectRoom(&TheRoom());
        } else {
            doc.FinishRoom();
        }
        const QString before = Plan();
        const int steps = doc.UndoHistory().Position();
        dialogs->answer = false;
        dialogs->asked.clear();
        router.Run(c.command);
        EXPECT_EQ(dialogs->asked, QStringList{QString::fromLatin1(c.dialog)});
        EXPECT_EQ(Plan(), before);
        EXPECT_EQ(doc.UndoHistory().Position(), steps);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

// One confirmed dialog goes all the way: the form is applied as one undo step.
TEST_F(HandlerTest, AConfirmedDialogIsAppliedAsOneStep) {
    doc.SelectRoom(&TheRoom());
    const QString before = Plan();
    const int steps = doc.UndoHistory().Position();
    dialogs->fill = [](AnyForm f) {
        std::get<MoveForm*>(f)->distance.text = QStringLiteral("1");
        std::get<MoveForm*>(f)->direction.text = QStringLiteral("E");
    };
    router.Run(kMoveRoom);
    EXPECT_EQ(TheRoom().GetLocation().x, 1.0);
    EXPECT_EQ(doc.UndoHistory().Position(), steps + 1);
    doc.Undo();
    EXPECT_EQ(Plan(), before);
}

TEST_F(HandlerTest, AngleWallRefusesBeforeItsDialogWhenTheStartPointIsOnTheWall) {
    const struct {
        int wall;
        bool refused;
    } cases[] = {{0, true}, {3, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wall);
        SelectWall(c.wall);
        prompts.messages.clear();
        dialogs->asks = 0;
        dialogs->answer = false;
        router.Run(kAngleWall);
        EXPECT_EQ(dialogs->asks, c.refused ? 0 : 1);
        ASSERT_EQ(prompts.messages.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(prompts.messages[0].text, LoadString(string_id::kStartPointOnWall));
            EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
        }
    }
}

// The dialogs check before they close, but the command does not rely on it: a form handed
// back unchecked and wrong is refused and nothing is applied.
TEST_F(HandlerTest, AConfirmedFormThatFailsItsCheckIsNeverApplied) {
    const Case cases[] = {
        {"add wall", kAddWall, -1, [](AnyForm f) {
             std::get<WallForm*>(f)->length.text = QStringLiteral("north");
             std::get<WallForm*>(f)->direction.text = QStringLiteral("S");
         }},
        {"move room", kMoveRoom, -1, [](AnyForm f) {
             std::get<MoveForm*>(f)->distance.text = QStringLiteral("1");
             std::get<MoveForm*>(f)->direction.text = QStringLiteral("sideways");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SelectRoom(&TheRoom());
        const QString before = Plan();
        const int steps = doc.UndoHistory().Position();
        prompts.messages.clear();
        dialogs->fill = c.fill;
        dialogs->answer = true;
        router.Run(c.command);
        EXPECT_EQ(Plan(), before);
        EXPECT_EQ(doc.UndoHistory().Position(), steps);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    }
}

}  // namespace
}  // namespace plantrek::test
