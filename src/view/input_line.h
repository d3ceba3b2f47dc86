#pragma once

#include <QLineEdit>

// The "Measurement:" field. While it holds text the editing keys act on the text; while it is
// empty, the undo and redo keys undo and redo the plan, so a wrong wall is taken back without
// leaving the keyboard. The Delete key never reaches the plan from here.
namespace plantrek {

class InputLine : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kWidth = 170;

    explicit InputLine(QWidget* parent = nullptr);

signals:
    void undoPlan();
    void redoPlan();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace plantrek
