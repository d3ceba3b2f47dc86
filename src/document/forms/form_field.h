#pragma once

#include <QString>

#include <optional>

// What every form shares: the refusal its check returns, and a text field that shows a value.
namespace plantrek {

class AngleStyle;
class LengthUnits;

// A refused field: the message the dialog shows with the warning icon, and the field that gets
// the focus.
template <typename Field>
struct FormRefusal {
    QString message;
    Field field;
};

template <typename Field>
using FormCheck = std::optional<FormRefusal<Field>>;

// A field as the person types it. Filled from a value, it reads back that value exactly while
// its text is untouched, so that confirming a dialog without editing a field does not round the
// value to the digits shown.
class TextField {
public:
    TextField() = default;
    TextField(QString typed) : text(std::move(typed)) {}  // NOLINT: a field is its text

    void Show(const QString& shown, double value);
    double Length(const LengthUnits& units) const;
    double Direction(const AngleStyle& style) const;
    // Why the text as typed is no length or no direction, or nothing. A field still showing the
    // value it was filled with is always taken; an empty length is left to the range check.
    std::optional<QString> LengthRefusal(const LengthUnits& units) const;
    std::optional<QString> DirectionRefusal(const AngleStyle& style) const;

    // Still showing the value it was filled with.
    bool Untouched() const { return shown_ && text == *shown_; }

    QString text;

private:

    std::optional<QString> shown_;
    double value_ = 0.0;
};

}  // namespace plantrek
