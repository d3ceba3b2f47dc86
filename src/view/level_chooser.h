#pragma once

#include <QObject>

#include <functional>

class QComboBox;
class QMainWindow;
class QToolBar;

// The "Levels" toolbar: a list of the active site's levels, the highest first as floors stand
// in a building, with the level the active window shows chosen. Choosing one shows that level
// in the active window. The toolbar is there only while the active site has more than one
// level, so that a site of one floor looks as it always did.
namespace plantrek {

class CTracepadChildFrame;

class LevelChooser : public QObject {
    Q_OBJECT
public:
    LevelChooser(QMainWindow& frame, std::function<CTracepadChildFrame*()> activeChild);

    QToolBar& Bar() { return *bar_; }
    QComboBox& Box() { return *box_; }
    // Shows the active window's site and level.
    void Update();

private:
    void Choose(int row);

    std::function<CTracepadChildFrame*()> activeChild_;
    QToolBar* bar_;
    QComboBox* box_;
};

}  // namespace plantrek
