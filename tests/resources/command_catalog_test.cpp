// The command catalog is whole and its lookups find what menus and plantrek-cli ask for.
#include <gtest/gtest.h>

#include <QKeySequence>

#include <map>
#include <set>
#include <tuple>

#include "resources/command_catalog.h"

namespace plantrek::test {
namespace {


TEST(CommandCatalogTest, EveryRowIsWhole) {
    std::set<int> ids;
    std::set<QString> shortcuts;
    std::map<QString, std::set<QString>> cliWords;
    for (const CommandRow& row : CommandCatalog()) {
        SCOPED_TRACE(std::to_string(row.id) + " " + row.PlainName().toStdString());
        EXPECT_TRUE(ids.insert(row.id).second) << "id twice";
        EXPECT_TRUE(row.owner != CommandOwner{} && row.rule != CommandRule{}) << "no owner or rule";
        const bool noMenu = (row.flags & kNoMenuItem) != 0;
        EXPECT_EQ(row.MenuText().isEmpty(), noMenu || (row.flags & kMenuTextByRule) != 0);
        EXPECT_FALSE(row.MenuText().contains(QLatin1Char('\t'))) << "shortcut in the menu text";
        EXPECT_TRUE(!row.MenuText().contains(QLatin1Char('&')) || !row.Mnemonic().isNull());
        EXPECT_EQ(row.StatusText().isEmpty(), (row.flags & kNoStatusText) != 0);
        if ((row.flags & kNoHandler) != 0) {
            EXPECT_TRUE(noMenu && row.Shortcut().isEmpty() && row.CliName().isEmpty())
                << "offered to the user, but nothing runs it";
        }
        if (!row.Shortcut().isEmpty()) {
            const auto keys = QKeySequence::fromString(row.Shortcut(), QKeySequence::PortableText);
            EXPECT_EQ(keys.count(), 1);
            EXPECT_EQ(keys.toString(QKeySequence::PortableText), row.Shortcut());
            EXPECT_TRUE(shortcuts.insert(row.Shortcut()).second) << "shortcut twice";
        }
        if (!row.CliName().isEmpty()) {
            EXPECT_TRUE(cliWords[row.CliName()].insert(row.CliWord()).second) << "CLI name twice";
        }
        // The object that runs a command answers its rule; the frame's clip commands are the
        // exception, their state is the document's.
        const RuleScope scope = ScopeOf(row.rule);
        const bool clip = row.rule == CommandRule::ClipCopy || row.rule == CommandRule::ClipDelete ||
                          row.rule == CommandRule::ClipPaste;
        EXPECT_TRUE(
            scope == RuleScope::Any ||
            (scope == RuleScope::Document && (row.owner == CommandOwner::Document || clip)) ||
            (scope == RuleScope::Frame && row.owner == CommandOwner::Frame) ||
            (scope == RuleScope::View && row.owner == CommandOwner::View));
    }
    // Rows sharing a CLI name are told apart by a word each.
    for (const auto& [name, words] : cliWords) {
        EXPECT_TRUE(words.size() == 1 || words.count(QString()) == 0) << name.toStdString();
    }
}

// Two commands in one place would show in an order nobody chose; a menu item needs a text.
TEST(CommandCatalogTest, EachPlaceHoldsOneItemAndMenuItemsHaveText) {
    std::set<std::tuple<CommandBar, int, int>> taken;
    for (const CommandBarInfo& bar : CommandBars()) {
        if (bar.parent != CommandBar::None) {
            EXPECT_TRUE(taken.insert({bar.parent, bar.place.group, bar.place.order}).second)
                << bar.title;
        }
    }
    for (const CommandRow& row : CommandCatalog()) {
        SCOPED_TRACE(std::to_string(row.id) + " " + row.PlainName().toStdString());
        for (const CommandPlace& place : row.places) {
            if (place.bar == CommandBar::None) {
                continue;
            }
            EXPECT_TRUE(taken.insert({place.bar, place.group, place.order}).second);
            const bool toolBar =
                place.bar >= CommandBar::MainToolBar && place.bar <= CommandBar::AnnotationToolBar;
            EXPECT_TRUE(toolBar || (row.flags & kNoMenuItem) == 0) << "a menu item without text";
        }
    }
}

// The command-line help and its arity errors read a name's arguments from its first row: every
// row of the name must say the same, and a command that says nothing takes nothing.
TEST(CommandCatalogTest, CommandLineArgumentsAgreeAcrossRowsOfOneName) {
    for (const QString& name : CliCommandNames()) {
        SCOPED_TRACE(name.toStdString());
        const auto rows = FindCliCommands(name);
        const CliArguments& first = rows.front()->cliArgs;
        EXPECT_LE(first.min, first.max);
        EXPECT_TRUE(first.usage[0] != '\0' || first.max == 0);
        for (const CommandRow* row : rows) {
            EXPECT_STREQ(row->cliArgs.usage, first.usage);
            EXPECT_EQ(row->cliArgs.min, first.min);
            EXPECT_EQ(row->cliArgs.max, first.max);
        }
    }
    for (const CommandRow& row : CommandCatalog()) {
        if (row.CliName().isEmpty()) {
            EXPECT_STREQ(row.cliArgs.usage, "") << row.id;
            EXPECT_EQ(row.cliArgs.max, 0) << row.id;
        }
    }
}

}  // namespace
}  // namespace plantrek::test
