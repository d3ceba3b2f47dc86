#pragma once

#include <QLineEdit>

#include <functional>

// The "Measurement:" field. While it holds text the editing keys act on the text; while it is
// empty, the undo and redo keys undo and redo the plan, so a wrong wall is taken back without
// leaving the keyboard, and the paste key pastes the kept room or wall when the plan can take
// it. The Delete key never reaches the plan from here.
namespace plantrek {

class InputLine : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kWidth = 170;

    explicit InputLine(QWidget* parent = nullptr);

    // Pastes into the plan when it can and says whether it did; otherwise the paste key pastes
    // text into the field as usual.
    void SetPlanPaste(std::function<bool()> paste) { planPaste_ = std::move(paste); }

signals:
    void undoPlan();
    void redoPlan();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool()> planPaste_;
};

}  // namespace plantrek
