// The command catalog is whole and its lookups find what the menus and plantrek-cli ask for.
#include <gtest/gtest.h>

#include <QKeySequence>

#include <map>
#include <set>

#include "resources/command_catalog.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

namespace plantrek::test {
namespace {

using namespace command_id;

std::string Name(const CommandRow& row) {
    return std::to_string(row.id) + " " + row.PlainName().toStdString();
}

TEST(CommandCatalogTest, EveryRowIsWhole) {
    std::set<int> ids;
    std::set<QString> shortcuts;
    std::map<QString, std::set<QString>> cliWords;
    for (const CommandRow& row : CommandCatalog()) {
        SCOPED_TRACE(Name(row));
        EXPECT_TRUE(ids.insert(row.id).second) << "id twice";

        const bool noMenu = (row.flags & kNoMenuItem) != 0;
        const bool menuByRule = (row.flags & kMenuTextByRule) != 0;
        EXPECT_EQ(row.MenuText().isEmpty(), noMenu || menuByRule);
        EXPECT_FALSE(row.MenuText().contains(QLatin1Char('\t'))) << "shortcut in the menu text";
        if (row.MenuText().contains(QLatin1Char('&'))) {
            EXPECT_FALSE(row.Mnemonic().isNull());
        }
        EXPECT_EQ(row.StatusText().isEmpty(), (row.flags & kNoStatusText) != 0);
        if ((row.flags & kNoHandler) != 0) {
            EXPECT_TRUE(noMenu && row.Shortcut().isEmpty() && row.CliName().isEmpty())
                << "offered to the user, but nothing runs it";
        }

        if (!row.Shortcut().isEmpty()) {
            const QKeySequence keys =
                QKeySequence::fromString(row.Shortcut(), QKeySequence::PortableText);
            EXPECT_EQ(keys.count(), 1);
            EXPECT_EQ(keys.toString(QKeySequence::PortableText), row.Shortcut());
            EXPECT_TRUE(shortcuts.insert(row.Shortcut()).second) << "shortcut twice";
        }

        if (row.CliName().isEmpty()) {
            EXPECT_TRUE(row.CliWord().isEmpty());
        } else {
            EXPECT_TRUE(cliWords[row.CliName()].insert(row.CliWord()).second) << "CLI name twice";
        }

        // A rule is answered by the object that runs the command; the frame's clip commands
        // are the one exception, their state is the document's.
        switch (ScopeOf(row.rule)) {
            case RuleScope::Any:
                break;
            case RuleScope::Document:
                EXPECT_TRUE(
                    row.owner == CommandOwner::Document ||
                    (row.owner == CommandOwner::Frame &&
                     (row.rule == CommandRule::ClipCopy || row.rule == CommandRule::ClipPaste)));
                break;
            case RuleScope::Frame:
                EXPECT_EQ(row.owner, CommandOwner::Frame);
                break;
            case RuleScope::View:
                EXPECT_EQ(row.owner, CommandOwner::View);
                break;
        }
    }
    // Rows sharing a CLI name are told apart by a word each.
    for (const auto& [name, words] : cliWords) {
        if (words.size() > 1) {
            EXPECT_EQ(words.count(QString()), 0u) << name.toStdString();
        }
    }
}

TEST(CommandCatalogTest, LookupsByIdAndByCommandLineName) {
    struct Case {
        const char* name;
        const char* word;
        int id;  // 0: none
    };
    const Case cases[] = {
        {"add-wall", "", kAddWall},
        {"add-wall", "ignored", kAddWall},
        {"close", "reverse", kCloseReverseSquare},
        {"close", "angled", kCloseAngled},
        {"close", "", 0},
        {"close", "round", 0},
        {"save", "", kFileSaveAs},
        {"select-room", "", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        const CommandRow* row =
            FindCliCommand(QString::fromUtf8(c.name), QString::fromUtf8(c.word));
        EXPECT_EQ(row != nullptr ? row->id : 0, c.id) << c.name << " " << c.word;
    }
    EXPECT_EQ(FindCliCommands(u"close").size(), 3u);
    EXPECT_EQ(CliCommandNames().count(QStringLiteral("close")), 1);
    EXPECT_EQ(CliCommandNames().first(), QStringLiteral("new"));
    ASSERT_NE(FindCommand(kMoveRoom), nullptr);
    EXPECT_EQ(FindCommand(kMoveRoom)->CliName(), QStringLiteral("move-room"));
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandCatalogTest, TextsGiveNamesPromptsAndToolTips) {
    const CommandRow& projection = *FindCommand(kAddProjection);
    EXPECT_EQ(projection.PlainName(), "Add Projection");
    EXPECT_EQ(projection.Mnemonic(), QLatin1Char('d'));
    EXPECT_EQ(FindCommand(kEditUndo)->PlainName(), "Undo");
    EXPECT_EQ(FindCommand(kEditUndo)->Shortcut(), "Ctrl+Z");
    EXPECT_EQ(FindCommand(kCloseSquare)->Prompt(), "Close the room squared");
    EXPECT_EQ(FindCommand(kCloseSquare)->ToolTip(), "Close square");
    EXPECT_EQ(FindCommand(kAddRoom)->ToolTip(), "");
    EXPECT_EQ(FindCommand(kZoomIn)->PlainName(), "Zoom in");
    // A command's status text is the string under its id.
    EXPECT_EQ(LoadString(kDragMode), "Switch to and from drag mode\nDrag");
}

}  // namespace
}  // namespace plantrek::test
