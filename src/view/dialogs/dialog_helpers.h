#pragma once

#include <QColor>
#include <QString>

#include "model/material.h"

#include <QDialogButtonBox>

class QDialog;
class QGridLayout;
class QLineEdit;
class QLabel;
class QWidget;

// What the dialogs share: how a refused field is shown, buddy labels, and the conversion
// between stored colours and Qt's.
namespace plantrek {

class UserPrompts;

// The refusal's text with the warning icon, then the focus on the field at fault with its text
// selected, so the person can type the correction straight away.
void ShowRefusal(UserPrompts& prompts, const QString& message, QWidget* field);

// What a screen reader calls the field of a label: its text without the mnemonic mark and the
// closing colon ("&Length:" is "Length").
QString AccessibleNameFor(QString label);

// A label whose mnemonic reaches the field and which screen readers read as the field's name.
QLabel* AddBuddyRow(QGridLayout& grid, int row, const QString& label, QWidget* field);

// A text the person reads but does not type into.
QLineEdit* ReadOnlyField(const QString& text);

// The fields in a grid, the buttons below (OK and Cancel, or OK alone); the dialog takes the
// size its texts need at the current font.
void LayOutDialog(QDialog& dialog, QGridLayout* grid, QDialogButtonBox::StandardButtons buttons);

inline QColor ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}
inline Colour FromQColor(const QColor& colour) {
    return MakeColour(colour.red(), colour.green(), colour.blue());
}

}  // namespace plantrek
