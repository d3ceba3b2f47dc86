#pragma once

#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <optional>
#include <vector>

#include "model/material.h"

class QToolButton;

// A push button that shows a colour and, when clicked, drops down the palette of 40 named
// colours with "Automatic" and "More Colours...".
namespace plantrek {

class CColourPalettePopup;

class CColourPicker : public QPushButton {
    Q_OBJECT
public:
    // The system colour chooser; tests replace it so that nothing waits on a modal window.
    using MoreColours = std::function<std::optional<QColor>(const QColor& current, QWidget* owner)>;

    explicit CColourPicker(QWidget* parent = nullptr);
    ~CColourPicker() override;

    Colour GetColour() const { return colour_; }
    // What the button shows: the colour, or the highlighted entry while it follows one.
    Colour ShownColour() const { return shown_; }
    void SetColour(Colour colour);
    // What "Automatic" chooses.
    void SetDefaultColour(Colour colour) { defaultColour_ = colour; }
    // Whether the button shows the highlighted palette entry while the palette is open. Off,
    // the colour changes only when an entry is chosen.
    void SetTrackSelection(bool follow) { trackSelection_ = follow; }
    void SetMoreColours(MoreColours chooser) { moreColours_ = std::move(chooser); }

    // The open palette; null while it is closed.
    CColourPalettePopup* OpenPalette() const { return popup_; }

    QSize sizeHint() const override;

signals:
    void colourChosen(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class CColourPalettePopup;
    // The colour the button shows, and tells screen readers.
    void Show(Colour colour);
    void ShowPalette();
    void Highlighted(Colour colour);
    void Chosen(Colour colour);
    void PaletteClosed();
    void ChooseMore();

    Colour colour_;
    Colour shown_;  // differs from colour_ only while the palette follows a highlight
    Colour defaultColour_;
    bool trackSelection_ = true;
    MoreColours moreColours_;
    QPointer<CColourPalettePopup> popup_;
};

// The drop-down palette: the 40 colours in 8 columns between "Automatic" and "More Colours...".
// The arrow keys move the highlight, Return or Space chooses, Escape closes without a choice.
class CColourPalettePopup : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;
    static constexpr int kAutomatic = -1;
    explicit CColourPalettePopup(CColourPicker& picker);

    // -1 "Automatic", 0..39 the colours, 40 "More Colours...".
    int Highlight() const { return highlight_; }
    QToolButton* Entry(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetHighlight(int index);
    void Choose(int index);
    int MoreIndex() const { return static_cast<int>(cells_.size()); }
    int Step(int index, int key) const;

    CColourPicker& picker_;
    QToolButton* automatic_;
    QToolButton* more_;
    std::vector<QToolButton*> cells_;
    int highlight_ = kAutomatic;
    bool chosen_ = false;
};

}  // namespace plantrek
