#include "view/input_line.h"

#include <QKeyEvent>

namespace plantrek {

namespace {

bool IsPlanUndoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo);
}

bool IsPlanRedoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Redo) ||
           (key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier);
}

}  // namespace

InputLine::InputLine(QWidget* parent) : QLineEdit(parent) {
    setFixedWidth(kWidth);
}

bool InputLine::event(QEvent* event) {
    // The field keeps these keys for itself rather than letting the menu shortcuts have them:
    // Delete edits the text and must never delete a room; undo and redo are handled below.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Delete) || IsPlanUndoKey(*key) || IsPlanRedoKey(*key)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InputLine::keyPressEvent(QKeyEvent* event) {
    if (text().isEmpty()) {
        if (IsPlanUndoKey(*event)) {
            emit undoPlan();
            return;
        }
        if (IsPlanRedoKey(*event)) {
            emit redoPlan();
            return;
        }
        if (event->matches(QKeySequence::Paste) && planPaste_ && planPaste_()) {
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace plantrek
