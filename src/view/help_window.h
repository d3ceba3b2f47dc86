#pragma once

#include <QTextBrowser>

// The manual, compiled into the program, in a window of its own.
namespace plantrek {

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace plantrek
