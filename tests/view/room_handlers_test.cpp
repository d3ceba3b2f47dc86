// The room, material and preference commands with scripted dialogs and no widgets.
#include <QSignalSpy>

#include <deque>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "scripted_form_dialogs.h"
#include "view/commands/command_router.h"
#include "view/handlers/room_handlers.h"

namespace plantrek::test {
namespace {

using namespace command_id;

class RoomHandlersTest : public ::testing::Test {
protected:
    RoomHandlersTest()
        : doc(prompts, SettingsStore::AtFile(folder.filePath(QStringLiteral("s.ini"))),
              TemplateLocation{folder.path(), folder.path()}),
          dialogs(std::make_shared<ScriptedFormDialogs>()) {
        doc.OnNewDocument();
        dialogs->answer = false;
        RegisterRoomHandlers(
            router, {[this] { return active; }, &prompts, dialogs},
            [this](int id) { return active ? active->GetCommandState(id) : CommandState{}; });
    }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    CTracepadDoc doc;
    CTracepadDoc* active = &doc;
    std::shared_ptr<ScriptedFormDialogs> dialogs;
    CommandRouter router;
};

TEST_F(RoomHandlersTest, AddRoomAsksForANewMaterialAndMakesTheRoomEvenWhenThatIsDismissed) {
    struct Case {
        const char* material;
        std::optional<NewMaterialChoice> answer;
        QStringList asked;
        int materialsAfter;
    };
    const Case cases[] = {
        {"Default", std::nullopt, {"room"}, 1},
        {"Oak", NewMaterialChoice{MakeColour(1, 2, 3), false}, {"room", "material Oak"}, 2},
        {"Pine", std::nullopt, {"room", "material Pine"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.material);
        doc.OnNewDocument();
        dialogs->asked.clear();
        dialogs->reply = [&c](AnyForm f) {
            if (auto* room = std::get_if<RoomForm*>(&f)) {
                (*room)->name = QStringLiteral("Den");
                (*room)->material = QString::fromLatin1(c.material);
                return true;
            }
            auto* material = std::get<NewMaterialForm*>(f);
            if (c.answer) {
                material->colour = c.answer->colour;
                material->saveToPermanentList = c.answer->saveToPermanentList;
            }
            return c.answer.has_value();
        };
        router.Run(kAddRoom);
        EXPECT_EQ(dialogs->asked, c.asked);
        EXPECT_EQ(doc.GetCurrentRoom()->GetName(), QStringLiteral("Den"));
        EXPECT_EQ(doc.GetSite()->MaterialCount(), c.materialsAfter);
    }
}

TEST_F(RoomHandlersTest, CancelledDialogsChangeNothing) {
    for (const int id : {kAddRoom, kRoomProperties, kEditMaterials, kPreferences}) {
        SCOPED_TRACE(id);
        const int undoSteps = doc.UndoHistory().Count();
        router.Run(id);
        EXPECT_EQ(doc.UndoHistory().Count(), undoSteps);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(RoomHandlersTest, PreferencesApplyAsOneUndoStepAndTellTheKeypadTheUnits) {
    QSignalSpy units(&doc, &CTracepadDoc::keypadUnitsChanged);
    dialogs->reply = [](AnyForm f) {
        PreferencesChoice& choice = std::get<PreferencesForm*>(f)->choice;
        choice.input.Input = kInputMetres;
        choice.roomNames = {QStringLiteral("Den")};
        return true;
    };
    router.Run(kPreferences);
    EXPECT_EQ(doc.Prefs().GetInputValues().Input, kInputMetres);
    EXPECT_EQ(doc.Prefs().GetRoomNames(), QStringList({"Den"}));
    ASSERT_FALSE(units.isEmpty());
    EXPECT_EQ(units.last().at(0).toInt(), kInputMetres);
    ASSERT_TRUE(doc.Undo());
    EXPECT_NE(doc.Prefs().GetInputValues().Input, kInputMetres);
}

TEST_F(RoomHandlersTest, WithoutADocumentNoDialogShows) {
    active = nullptr;
    for (const int id : {kAddRoom, kRoomSummary, kPreferences}) {
        router.Run(id);
    }
    EXPECT_TRUE(dialogs->asked.isEmpty());
}

// A dialog that hands back a form its check refuses (here: confirmed with an empty material,
// or a colour another material has) changes nothing; the refusal is said instead.
TEST_F(RoomHandlersTest, AConfirmedFormThatFailsItsCheckIsNeverApplied) {
    doc.AddRoom(QStringLiteral("Den"), QStringLiteral("Oak"), [](const QString&) {
        return NewMaterialChoice{MakeColour(1, 2, 3), false};
    });
    const struct {
        const char* name;
        int command;
        std::function<void(AnyForm)> fill;
    } cases[] = {
        {"room without material", kAddRoom,
         [](AnyForm f) { std::get<RoomForm*>(f)->material.clear(); }},
        {"material colour taken", kEditMaterials,
         [](AnyForm f) {
             auto* form = std::get<MaterialForm*>(f);
             form->name = QStringLiteral("Default");
             form->colour = MakeColour(1, 2, 3);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int rooms = doc.GetSite()->RoomCount();
        const int steps = doc.UndoHistory().Count();
        prompts.messages.clear();
        dialogs->answer = true;
        dialogs->fill = c.fill;
        router.Run(c.command);
        EXPECT_EQ(doc.GetSite()->RoomCount(), rooms);
        EXPECT_EQ(doc.UndoHistory().Count(), steps);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    }
}

}  // namespace
}  // namespace plantrek::test
