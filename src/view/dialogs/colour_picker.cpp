#include "view/dialogs/colour_picker.h"

#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QToolButton>

#include <algorithm>

#include "document/forms/colour_palette.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

namespace {

QIcon Swatch(Colour colour, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(ToQColor(colour));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(pixmap);
}

}  // namespace

CColourPicker::CColourPicker(QWidget* parent)
    : QPushButton(parent),
      colour_(FromQColor(palette().color(QPalette::Button))),
      shown_(colour_),
      defaultColour_(colour_) {
    moreColours_ = [](const QColor& current, QWidget* owner) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, owner);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    connect(this, &QPushButton::clicked, this, &CColourPicker::ShowPalette);
    Show(colour_);
}

CColourPicker::~CColourPicker() {
    delete popup_;
}

void CColourPicker::SetColour(Colour colour) {
    colour_ = colour;
    Show(colour);
}

void CColourPicker::Show(Colour colour) {
    shown_ = colour;
    // The swatch says nothing to a screen reader: the colour is told by its name and value.
    QString text = ColourText(colour);
    for (const PaletteColour& entry : ColourPickerPalette()) {
        if (entry.colour == colour) {
            text = QStringLiteral("%1 (%2)").arg(QString::fromLatin1(entry.name).trimmed(), text);
            break;
        }
    }
    setAccessibleDescription(text);
    update();
}

QSize CColourPicker::sizeHint() const {
    const int h = fontMetrics().height();
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(h * 4, h), this);
}

void CColourPicker::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int arrow = fontMetrics().height() * 2 / 3;
    QPainter painter(this);
    QRect swatch = contents.adjusted(2, 2, -arrow - 6, -2);
    painter.fillRect(swatch, isEnabled() ? ToQColor(shown_) : palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = QRect(contents.right() - arrow - 2, contents.center().y() - arrow / 2,
                             arrow, arrow);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, &painter, this);
}

void CColourPicker::ShowPalette() {
    if (popup_ && popup_->isVisible()) {
        return;
    }
    popup_ = new CColourPalettePopup(*this);
    popup_->setAttribute(Qt::WA_DeleteOnClose);
    // A click on the button while the palette is open only closes it.
    popup_->setAttribute(Qt::WA_NoMouseReplay);
    popup_->adjustSize();
    // Below the button, or above it when the screen ends first.
    QPoint corner = mapToGlobal(QPoint(0, height()));
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        if (corner.y() + popup_->height() > area.bottom()) {
            corner.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        }
        corner.setX(std::clamp(corner.x(), area.left(),
                               std::max(area.left(), area.right() - popup_->width())));
    }
    popup_->move(corner);
    popup_->show();
}

void CColourPicker::Highlighted(Colour colour) {
    if (trackSelection_) {
        Show(colour);
    }
}

void CColourPicker::Chosen(Colour colour) {
    SetColour(colour);
    emit colourChosen(colour);
}

void CColourPicker::PaletteClosed() {
    Show(colour_);
}

void CColourPicker::ChooseMore() {
    if (const auto chosen = moreColours_(ToQColor(colour_), window())) {
        Chosen(FromQColor(*chosen));
    }
}

CColourPalettePopup::CColourPalettePopup(CColourPicker& picker)
    : QFrame(&picker, Qt::Popup), picker_(picker) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAccessibleName(QStringLiteral("Colour palette"));
    // The highlighted entry must be plain to see when the palette is walked by keyboard.
    setStyleSheet(QStringLiteral(
        "QToolButton { border: 2px solid transparent; padding: 1px; }"
        "QToolButton:focus, QToolButton:hover { border: 2px solid palette(highlight); }"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    const int side = fontMetrics().height();

    auto textEntry = [this](const QString& text) {
        auto* entry = new QToolButton(this);
        entry->setText(text);
        entry->setAccessibleName(text);
        entry->setAutoRaise(true);
        entry->setToolButtonStyle(Qt::ToolButtonTextOnly);
        entry->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        entry->installEventFilter(this);
        return entry;
    };
    automatic_ = textEntry(QStringLiteral("Automatic"));
    connect(automatic_, &QToolButton::clicked, this, [this] { Choose(kAutomatic); });
    grid->addWidget(automatic_, 0, 0, 1, kColumns);

    const auto colours = ColourPickerPalette();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        auto* cell = new QToolButton(this);
        const QString name = QString::fromLatin1(colours[i].name);
        cell->setIcon(Swatch(colours[i].colour, side));
        cell->setIconSize(QSize(side, side));
        cell->setToolTip(name);
        cell->setAccessibleName(name);
        cell->setAutoRaise(true);
        cell->installEventFilter(this);
        const int index = static_cast<int>(i);
        connect(cell, &QToolButton::clicked, this, [this, index] { Choose(index); });
        grid->addWidget(cell, 1 + index / kColumns, index % kColumns);
        cells_.push_back(cell);
    }

    more_ = textEntry(QStringLiteral("More Colours..."));
    connect(more_, &QToolButton::clicked, this, [this] { Choose(MoreIndex()); });
    grid->addWidget(more_, 1 + (MoreIndex() + kColumns - 1) / kColumns, 0, 1, kColumns);

    // The entry of the button's colour starts highlighted, else "Automatic".
    int start = kAutomatic;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i].colour == picker_.GetColour()) {
            start = static_cast<int>(i);
            break;
        }
    }
    SetHighlight(start);
}

QToolButton* CColourPalettePopup::Entry(int index) const {
    if (index == kAutomatic) {
        return automatic_;
    }
    if (index == MoreIndex()) {
        return more_;
    }
    return index >= 0 && index < MoreIndex() ? cells_[static_cast<std::size_t>(index)] : nullptr;
}

int CColourPalettePopup::Step(int index, int key) const {
    const int last = MoreIndex() - 1;
    switch (key) {
        case Qt::Key_Left:
            return std::max(kAutomatic, index - 1);
        case Qt::Key_Right:
            return std::min(MoreIndex(), index + 1);
        case Qt::Key_Up:
            if (index == MoreIndex()) {
                return last - kColumns + 1;
            }
            return index < kColumns ? kAutomatic : index - kColumns;
        case Qt::Key_Down:
            if (index == kAutomatic) {
                return 0;
            }
            return index + kColumns > last ? MoreIndex() : index + kColumns;
        default:
            return index;
    }
}

bool CColourPalettePopup::eventFilter(QObject* watched, QEvent* event) {
    auto* entry = qobject_cast<QToolButton*>(watched);
    if (entry == nullptr) {
        return QFrame::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn) {
        for (int i = kAutomatic; i <= MoreIndex(); ++i) {
            if (Entry(i) == entry && i != highlight_) {
                SetHighlight(i);
            }
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        switch (key) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                SetHighlight(Step(highlight_, key));
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                Choose(highlight_);
                return true;
            case Qt::Key_Escape:
                close();
                return true;
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CColourPalettePopup::SetHighlight(int index) {
    highlight_ = index;
    QToolButton* entry = Entry(index);
    entry->setFocus(Qt::OtherFocusReason);
    if (index >= 0 && index < MoreIndex()) {
        picker_.Highlighted(ColourPickerPalette()[static_cast<std::size_t>(index)].colour);
    } else {
        picker_.PaletteClosed();
    }
}

void CColourPalettePopup::Choose(int index) {
    chosen_ = true;
    CColourPicker& picker = picker_;
    close();
    // The popup is gone from here on; only the picker is touched.
    if (index == kAutomatic) {
        picker.Chosen(picker.defaultColour_);
    } else if (index >= 0 && index < static_cast<int>(ColourPickerPalette().size())) {
        picker.Chosen(ColourPickerPalette()[static_cast<std::size_t>(index)].colour);
    } else {
        picker.ChooseMore();
    }
}

void CColourPalettePopup::hideEvent(QHideEvent* event) {
    if (!chosen_) {
        picker_.PaletteClosed();
    }
    QFrame::hideEvent(event);
}

}  // namespace plantrek
