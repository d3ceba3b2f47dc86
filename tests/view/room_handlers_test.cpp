// The room, material, preference and About commands with scripted dialogs and no widgets.
#include <QSignalSpy>

#include <deque>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/handlers/room_handlers.h"

namespace plantrek::test {
namespace {

using namespace command_id;

// Answers each dialog from what the test set, and records which dialogs were asked.
class ScriptedRoomDialogs : public RoomDialogs {
public:
    bool AskRoom(RoomForm& form, const CTracepadDoc&) override {
        asked.append(QStringLiteral("room"));
        if (room) {
            form.name = room->first;
            form.material = room->second;
        }
        return room.has_value();
    }
    std::optional<NewMaterialChoice> AskNewMaterial(NewMaterialForm& form,
                                                    const CTracepadDoc&) override {
        asked.append(QStringLiteral("material ") + form.name);
        return newMaterial;
    }
    bool AskMaterial(MaterialForm&, const CTracepadDoc&) override { return false; }
    bool AskPreferences(PreferencesForm& form) override {
        asked.append(QStringLiteral("preferences"));
        if (preferences) {
            preferences(form.choice);
        }
        return preferences != nullptr;
    }
    void ShowRoomSummary(const CTracepadDoc&) override { asked.append(QStringLiteral("summary")); }
    void ShowAbout() override { asked.append(QStringLiteral("about")); }

    QStringList asked;
    std::optional<std::pair<QString, QString>> room;
    std::optional<NewMaterialChoice> newMaterial;
    std::function<void(PreferencesChoice&)> preferences;
};

class RoomHandlersTest : public ::testing::Test {
protected:
    RoomHandlersTest()
        : doc(prompts, SettingsStore::AtFile(folder.filePath(QStringLiteral("s.ini"))),
              TemplateLocation{folder.path(), folder.path()}),
          dialogs(std::make_shared<ScriptedRoomDialogs>()) {
        doc.OnNewDocument();
        RegisterRoomHandlers(router,
                             {[this] { return active; },
                              [this](int id) { return active ? active->GetCommandState(id)
                                                             : CommandState{}; }},
                             dialogs);
    }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    CTracepadDoc doc;
    CTracepadDoc* active = &doc;
    std::shared_ptr<ScriptedRoomDialogs> dialogs;
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
        dialogs->room = {QStringLiteral("Den"), QString::fromLatin1(c.material)};
        dialogs->newMaterial = c.answer;
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
    dialogs->preferences = [](PreferencesChoice& choice) {
        choice.input.Input = kInputMetres;
        choice.roomNames = {QStringLiteral("Den")};
    };
    router.Run(kPreferences);
    EXPECT_EQ(doc.Prefs().GetInputValues().Input, kInputMetres);
    EXPECT_EQ(doc.Prefs().GetRoomNames(), QStringList({"Den"}));
    ASSERT_FALSE(units.isEmpty());
    EXPECT_EQ(units.last().at(0).toInt(), kInputMetres);
    ASSERT_TRUE(doc.Undo());
    EXPECT_NE(doc.Prefs().GetInputValues().Input, kInputMetres);
}

TEST_F(RoomHandlersTest, WithoutADocumentOnlyAboutRuns) {
    active = nullptr;
    for (const int id : {kAddRoom, kRoomSummary, kPreferences, kAppAbout}) {
        router.Run(id);
    }
    EXPECT_EQ(dialogs->asked, QStringList({"about"}));
}

}  // namespace
}  // namespace plantrek::test
