// The wall, room, material and preference commands with scripted dialogs: no dialog is shown.
// What a confirmed form applies, as one undo step, is the forms' own test (EachApplyIsOneUndoStep);
// a dialog confirmed all the way through the window is wall_room_dialogs_test's.

#include <functional>
#include <variant>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "scripted_form_dialogs.h"
#include "view/commands/command_router.h"
#include "view/handlers/move_handlers.h"
#include "view/handlers/room_handlers.h"
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
        doc.Prefs().SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // metres
        for (const char* wall : {"4 n", "3 e", "4 s", "3 w"}) {
            doc.EnterInputText(QString::fromLatin1(wall));
        }
        const EditingContext context{[this] { return active; }, &prompts, dialogs};
        RegisterWallHandlers(router, context);
        RegisterMoveHandlers(router, context);
        RegisterRoomHandlers(router, context, [this](int id) {
            return active ? active->GetCommandState(id) : CommandState{};
        });
    }
    Room& TheRoom() { return *doc.GetSite()->GetRoom(0); }
    void SelectWall(int index) { doc.SelectWall(&TheRoom(), TheRoom().GetWall(index, true)); }
    // Every point and wall of the site, to see any change these commands could make.
    QString Plan() {
        const auto n = [](double v) { return QString::number(v, 'f', 4) + u' '; };
        QString text = n(doc.GetSite()->GetStartPoint().x) + n(doc.GetSite()->GetStartPoint().y);
        for (const auto& room : doc.GetSite()->Rooms()) {
            text += room->GetName() + n(room->GetLocation().x) + n(room->GetLocation().y) +
                    n(room->GetStartPoint().x) + n(room->GetStartPoint().y);
            for (const auto& wall : room->UserWalls()) {
                text += n(wall->GetLength()) + n(wall->GetDirection()) + n(wall->GetArcHeight());
            }
        }
        return text;
    }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    CTracepadDoc doc;
    CTracepadDoc* active = &doc;
    CommandRouter router;
    std::shared_ptr<ScriptedFormDialogs> dialogs = std::make_shared<ScriptedFormDialogs>();
};

// Each command opens its own dialog once, and Cancel changes nothing.
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
        {kReflectRoom, -1, "reflect"},  {kAddRoom, -1, "room"},
        {kRoomProperties, -1, "room"},  {kEditMaterials, -1, "edit material"},
        {kPreferences, -1, "preferences"},
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
        const int steps = doc.UndoHistory().Count();
        dialogs->asked.clear();
        router.Run(c.command);
        EXPECT_EQ(dialogs->asked, QStringList{QString::fromLatin1(c.dialog)});
        EXPECT_EQ(Plan(), before);
        EXPECT_EQ(doc.UndoHistory().Count(), steps);
    }
    EXPECT_TRUE(prompts.messages.empty());
    // Without a document no dialog shows.
    active = nullptr;
    dialogs->asked.clear();
    for (const int id : {kAddWall, kAddRoom, kRoomSummary, kPreferences}) {
        router.Run(id);
    }
    EXPECT_TRUE(dialogs->asked.isEmpty());
}

// Choosing a finding selects the later room of its pair.
TEST_F(HandlerTest, CheckPlanListsTheFindingsAndChoosingOneSelectsItsRoom) {
    doc.NewRoom(QStringLiteral("Bedroom"), 0);  // right over the first room
    for (const char* wall : {"4 n", "3 e", "4 s"}) {
        doc.EnterInputText(QString::fromLatin1(wall));
    }
    doc.SelectRoom(&TheRoom());
    dialogs->chooseLines = {0};
    router.Run(kCheckPlan);
    EXPECT_EQ(dialogs->asked, QStringList{QStringLiteral("check plan")});
    ASSERT_EQ(dialogs->checkPlanLines.size(), 1u);
    EXPECT_EQ(dialogs->checkPlanLines[0].text, QStringLiteral("Room 1 and Bedroom overlap (12.000 sm)"));
    EXPECT_EQ(doc.GetCurrentRoom(), doc.GetSite()->GetRoom(1));
}

// The message is the document's and the forms' test; here no dialog opens.
TEST_F(HandlerTest, AngleWallRefusesBeforeItsDialogWhenTheStartPointIsOnTheWall) {
    for (const auto& [wall, refused] : {std::pair{0, true}, {1, false}}) {
        SCOPED_TRACE(wall);
        SelectWall(wall);
        prompts.messages.clear();
        dialogs->asked.clear();
        router.Run(kAngleWall);
        EXPECT_EQ(dialogs->asked.size(), refused ? 0 : 1);
        ASSERT_EQ(prompts.messages.size(), refused ? 1u : 0u);
        EXPECT_TRUE(!refused || prompts.messages[0].icon == MessageIcon::Warning);
    }
}

// The dialogs check before they close, but the commands do not rely on it: a form handed back
// unchecked and wrong is refused and nothing is applied (every command goes through the same
// AskCheckApply; one wall and one room command).
TEST_F(HandlerTest, AConfirmedFormThatFailsItsCheckIsNeverApplied) {
    const struct {
        const char* name;
        int command;
        std::function<void(AnyForm)> fill;
    } cases[] = {
        {"add wall", kAddWall, [](AnyForm f) {
             std::get<WallForm*>(f)->length.text = QStringLiteral("north");
             std::get<WallForm*>(f)->direction.text = QStringLiteral("S");
         }},
        {"room without material", kAddRoom,
         [](AnyForm f) { std::get<RoomForm*>(f)->material.clear(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SelectRoom(&TheRoom());
        const QString before = Plan();
        const int steps = doc.UndoHistory().Count();
        prompts.messages.clear();
        dialogs->reply = [&c](AnyForm f) { c.fill(f); return true; };
        router.Run(c.command);
        EXPECT_EQ(Plan(), before);
        EXPECT_EQ(doc.UndoHistory().Count(), steps);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    }
}

// Which material a new room gets is the document's test; here the new-material dialog is asked
// only for a name the site lacks, and the room is made whatever its answer.
TEST_F(HandlerTest, AddRoomAsksForANewMaterialAndMakesTheRoomEvenWhenThatIsDismissed) {
    const struct {
        const char* material;
        std::optional<NewMaterialChoice> answer;
        QStringList asked;
        int materialsAfter;
    } cases[] = {
        {"Default", std::nullopt, {"room"}, 1},
        {"Oak", NewMaterialChoice{MakeColour(1, 2, 3), false}, {"room", "material Oak"}, 2},
        {"Pine", std::nullopt, {"room", "material Pine"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.material);
        doc.OnNewDocument();
        dialogs->asked.clear();
        dialogs->reply = [&c](AnyForm f) {
            if (auto* room = std::get_if<RoomForm*>(&f)) {
                (*room)->name = QStringLiteral("Den");
                (*room)->material = QString::fromLatin1(c.material);
                return true;
            }
            if (c.answer) {
                std::get<NewMaterialForm*>(f)->colour = c.answer->colour;
                std::get<NewMaterialForm*>(f)->saveToPermanentList = false;
            }
            return c.answer.has_value();
        };
        router.Run(kAddRoom);
        EXPECT_EQ(dialogs->asked, c.asked);
        EXPECT_EQ(doc.GetCurrentRoom()->GetName(), QStringLiteral("Den"));
        EXPECT_EQ(doc.GetSite()->MaterialCount(), c.materialsAfter);
    }
}

// What is stored and the keypad's units are the document's test (PreferencesOkWritesEverything).
TEST_F(HandlerTest, PreferencesApplyAsOneUndoStep) {
    dialogs->reply = [](AnyForm f) {
        std::get<PreferencesForm*>(f)->choice.input.Input = kInputFeetAndInches;
        return true;
    };
    router.Run(kPreferences);
    EXPECT_EQ(doc.Prefs().GetInputValues().Input, kInputFeetAndInches);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Prefs().GetInputValues().Input, kInputMetres);
}

}  // namespace
}  // namespace plantrek::test
