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
#include "view/commands/command_router.h"
#include "scripted_form_dialogs.h"
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

TEST_F(HandlerTest, ConfirmedDialogsChangeThePlanInOneStepAndCancelledOnesChangeNothing) {
    const Case cases[] = {
        {"add wall", kAddWall, -1, [](AnyForm f) {
             std::get<WallForm*>(f)->length.text = QStringLiteral("2");
             std::get<WallForm*>(f)->direction.text = QStringLiteral("S");
         }},
        {"edit wall", kEditWall, 0, [](AnyForm f) {
             std::get<WallForm*>(f)->length.text = QStringLiteral("5");
         }},
        {"projection on a wall", kAddProjection, 1, [](AnyForm) {}},
        {"arc wall", kArcWall, 0, [](AnyForm f) {
             auto* form = std::get<ArcWallForm*>(f);
             form->firstDistance.text = form->secondDistance.text = QStringLiteral("2.2360680");
         }},
        {"angle wall", kAngleWall, 1, [](AnyForm f) {
             std::get<AngleWallForm*>(f)->distance.text = QStringLiteral("4.5");
         }},
        {"move wall end", kMoveWallEnd, 1, [](AnyForm f) {
             std::get<MoveWallEndForm*>(f)->distance.text = QStringLiteral("1");
             std::get<MoveWallEndForm*>(f)->direction.text = QStringLiteral("N");
         }},
        {"room start", kMoveRoomStart, -1, [](AnyForm f) {
             std::get<RoomStartForm*>(f)->corner = PlanPoint{3.0, 4.0};
         }},
        {"move room", kMoveRoom, -1, [](AnyForm f) {
             auto* form = std::get<MoveForm*>(f);
             form->distance.text = QStringLiteral("1");
             form->direction.text = QStringLiteral("E");
         }},
        {"move start point", kMoveStartPoint, -2, [](AnyForm f) {
             std::get<MoveForm*>(f)->distance.text = QStringLiteral("1");
             std::get<MoveForm*>(f)->direction.text = QStringLiteral("N");
         }},
        {"rotate", kRotateRoom, -1, [](AnyForm f) {
             std::get<RotateForm*>(f)->rotation = QStringLiteral("90");
         }},
        {"reflect", kReflectRoom, -1, [](AnyForm f) {
             std::get<ReflectForm*>(f)->mode = ReflectMode::Vertical;
         }},
    };
    for (const Case& c : cases) {
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (ok ? " OK" : " Cancel"));
            if (c.wall >= 0) {
                SelectWall(c.wall);
            } else if (c.wall == -1) {
                doc.SelectRoom(&TheRoom());
            } else {
                doc.FinishRoom();
            }
            const QString before = Plan();
            const int steps = doc.UndoHistory().Position();
            dialogs->fill = c.fill;
            dialogs->answer = ok;
            dialogs->asks = 0;
            router.Run(c.command);
            EXPECT_EQ(dialogs->asks, 1);
            EXPECT_EQ(Plan() != before, ok) << Plan().toStdString();
            EXPECT_EQ(doc.UndoHistory().Position(), ok ? steps + 1 : steps);
            if (ok) {
                doc.Undo();
                EXPECT_EQ(Plan(), before);
            }
        }
    }
    EXPECT_TRUE(prompts.messages.empty());
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
