#include "view/keypad.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>

namespace plantrek {

namespace {

struct CompassKey {
    const char* name;      // accessible name
    const char* toolTip;
    const char* entry;     // what the key appends
    double bearing;        // for the arrow
    int row;
    int column;
};

constexpr CompassKey kCompassKeys[] = {
    {"NW", "North-west", "nw", 315, 0, 0}, {"N", "North", "n", 0, 0, 1},
    {"NE", "North-east", "ne", 45, 0, 2},  {"W", "West", "w", 270, 1, 0},
    {"E", "East", "e", 90, 1, 2},          {"SW", "South-west", "sw", 225, 2, 0},
    {"S", "South", "s", 180, 2, 1},        {"SE", "South-east", "se", 135, 2, 2},
};

// An arrow pointing along the bearing, drawn for the size the key shows it at.
QIcon ArrowIcon(double bearing) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(size / 2.0, size / 2.0);
        painter.rotate(bearing);
        const double s = size / 16.0;
        QPainterPath arrow;
        arrow.moveTo(0, -7 * s);
        arrow.lineTo(5 * s, -1 * s);
        arrow.lineTo(1.5 * s, -1 * s);
        arrow.lineTo(1.5 * s, 7 * s);
        arrow.lineTo(-1.5 * s, 7 * s);
        arrow.lineTo(-1.5 * s, -1 * s);
        arrow.lineTo(-5 * s, -1 * s);
        arrow.closeSubpath();
        painter.fillPath(arrow, QColor(0x20, 0x40, 0x80));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPushButton* MakeKey(QWidget* parent, const QString& label, const QString& name) {
    auto* key = new QPushButton(label, parent);
    key->setObjectName(name);
    key->setAccessibleName(name);
    key->setAutoDefault(false);
    key->setFocusPolicy(Qt::NoFocus);
    // Small keys, as on a calculator; the keys that span cells stretch over them.
    key->setMinimumSize(34, 28);
    key->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return key;
}

}  // namespace

CKeypadDlg::CKeypadDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowDoesNotAcceptFocus) {
    setWindowTitle(QStringLiteral("Keypad"));
    setModal(false);
    // Tapping keys must not take the keyboard away from the input line.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(3);

    display_ = new QLineEdit(this);
    display_->setReadOnly(true);
    display_->setAccessibleName(QStringLiteral("Entry"));
    display_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(display_, 0, 0, 1, 8);

    // Digits: 7 8 9 / 4 5 6 / 1 2 3 / 0 across the bottom row.
    for (int digit = 0; digit <= 9; ++digit) {
        const QString label = QString::number(digit);
        QPushButton* key = MakeKey(this, label, label);
        connect(key, &QPushButton::clicked, this, [this, label] { Append(label); });
        if (digit == 0) {
            grid->addWidget(key, 4, 0, 1, 3);
        } else {
            grid->addWidget(key, 3 - (digit - 1) / 3, (digit - 1) % 3);
        }
    }

    feetKey_ = MakeKey(this, QString(), QStringLiteral("Feet"));
    inchesKey_ = MakeKey(this, QString(), QStringLiteral("Inches"));
    connect(feetKey_, &QPushButton::clicked, this, [this] { Append(feetKey_->text()); });
    connect(inchesKey_, &QPushButton::clicked, this, [this] { Append(inchesKey_->text()); });
    grid->addWidget(feetKey_, 1, 3);
    grid->addWidget(inchesKey_, 2, 3);

    for (const CompassKey& compass : kCompassKeys) {
        QPushButton* key = MakeKey(this, QString(), QString::fromLatin1(compass.name));
        key->setIcon(ArrowIcon(compass.bearing));
        key->setIconSize(QSize(16, 16));
        key->setToolTip(QString::fromLatin1(compass.toolTip));
        const QString entry = QString::fromLatin1(compass.entry);
        connect(key, &QPushButton::clicked, this, [this, entry] { Submit(entry); });
        grid->addWidget(key, 1 + compass.row, 4 + compass.column);
    }
    QPushButton* clear = MakeKey(this, QStringLiteral("Clear"), QStringLiteral("Clear"));
    connect(clear, &QPushButton::clicked, this, [this] { SetEntry(QString()); });
    grid->addWidget(clear, 4, 4, 1, 3);

    // "Room" written downwards in the tall key at the right.
    QPushButton* room = MakeKey(this, QStringLiteral("R\no\no\nm"), QStringLiteral("Room"));
    connect(room, &QPushButton::clicked, this, [this] {
        SetEntry(QString());
        Submit(QString());
    });
    room->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    grid->addWidget(room, 1, 7, 4, 1);
    for (int column = 0; column < 8; ++column) {
        grid->setColumnMinimumWidth(column, 34);
    }

    SetUnits(0);
}

void CKeypadDlg::SetUnits(int input) {
    unitMode_ = input == 1 ? 1 : 0;
    feetKey_->setText(unitMode_ == 1 ? QStringLiteral("m") : QStringLiteral("'"));
    inchesKey_->setText(unitMode_ == 1 ? QStringLiteral(".") : QStringLiteral("\""));
    feetKey_->setAccessibleName(feetKey_->text());
    inchesKey_->setAccessibleName(inchesKey_->text());
    feetKey_->setToolTip(unitMode_ == 1 ? QStringLiteral("Meters") : QStringLiteral("Feet"));
    inchesKey_->setToolTip(unitMode_ == 1 ? QStringLiteral("Decimal point")
                                          : QStringLiteral("Inches"));
}

QPushButton* CKeypadDlg::Key(const QString& name) const {
    for (QPushButton* key : findChildren<QPushButton*>()) {
        if (key->accessibleName() == name) {
            return key;
        }
    }
    return nullptr;
}

void CKeypadDlg::reject() {
    hide();
    emit hiddenByUser();
}

void CKeypadDlg::Append(const QString& text) {
    SetEntry(entry_ + text);
}

void CKeypadDlg::Submit(const QString& suffix) {
    const QString entry = entry_ + suffix;
    submittedEntry_ = entry_;
    SetEntry(QString());
    emit submitted(entry);
}

void CKeypadDlg::RestoreEntry() {
    SetEntry(submittedEntry_);
}

void CKeypadDlg::SetEntry(const QString& text) {
    entry_ = text;
    display_->setText(text);
}

}  // namespace plantrek
