#pragma once

#include <QSet>
#include <QString>

#include <map>
#include <vector>

class QMainWindow;
class QSettings;
class QToolBar;

// The button toolbars of the main window: the commands each may show and the buttons the user
// hid with View > Customize, which stay hidden across restarts. Toolbars are known by their
// object names, which the stored settings use; their titles are only shown.
namespace plantrek {

class CommandRouter;

class ToolBarLayout {
public:
    ToolBarLayout(QMainWindow& frame, CommandRouter& router);

    // Each button toolbar's full list of commands, separators included, by object name.
    std::map<QString, std::vector<int>>& Commands() { return commands_; }
    // The commands a toolbar may show; empty for one without buttons ("Measurements").
    std::vector<int> CommandsOf(const QString& name) const;
    QToolBar* Find(const QString& name) const;
    QList<QToolBar*> ToolBars() const;

    // Puts the toolbar's shown buttons on it again.
    void Fill(const QString& name);
    bool ButtonShown(const QString& name, int id) const;
    void SetButtonShown(const QString& name, int id, bool shown);

    // The hidden buttons, kept in the settings' "CommandBarButtons" group: one entry per
    // toolbar with hidden buttons, the command ids as a list of numbers.
    void Read(QSettings& settings);
    void Write(QSettings& settings) const;

private:
    QMainWindow& frame_;
    CommandRouter& router_;
    std::map<QString, std::vector<int>> commands_;
    std::map<QString, QSet<int>> hidden_;
};

}  // namespace plantrek
