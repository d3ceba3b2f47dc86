#include "view/window_layout_store.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include "view/toolbar_layout.h"

namespace plantrek {

namespace {

const char* const kCommandBarsKey = "CommandBars";
const char* const kGeometryKey = "MainFrameGeometry";

// A keypad corner off every screen is moved onto the primary one.
QPoint OnScreen(QPoint corner, QSize size) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(QRect(corner, size))) {
            return corner;
        }
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return corner;
    }
    const QRect area = primary->availableGeometry();
    return area.topLeft() + QPoint(std::max(0, area.width() - size.width()) / 2,
                                   std::max(0, area.height() - size.height()) / 2);
}

}  // namespace

bool WindowLayoutStore::Restore(QMainWindow& frame, ToolBarLayout& toolBars,
                                QWidget& keypad) const {
    const auto settings = store_.Open();
    const QByteArray geometry = settings->value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !frame.restoreGeometry(geometry)) {
        // First start: a comfortable size, but never larger than the screen's working area
        // (small laptops, large scale factors).
        QSize size(1000, 720);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        }
        frame.resize(size);
    }
    toolBars.Read(*settings);
    frame.restoreState(settings->value(kCommandBarsKey).toByteArray());

    const KeypadSettings placed = ReadKeypadSettings(store_);
    keypad.adjustSize();
    const bool hasPlace = placed.x && placed.y;
    if (hasPlace) {
        keypad.move(OnScreen(QPoint(*placed.x, *placed.y), keypad.frameGeometry().size()));
    }
    keypad.setVisible(placed.display);
    return hasPlace;
}

void WindowLayoutStore::Save(const QMainWindow& frame, const ToolBarLayout& toolBars,
                             const QWidget& keypad) const {
    {
        const auto settings = store_.Open();
        settings->setValue(kCommandBarsKey, frame.saveState());
        settings->setValue(kGeometryKey, frame.saveGeometry());
        toolBars.Write(*settings);
    }
    const QPoint corner = keypad.pos();
    WriteKeypadSettings(store_, keypad.isVisible(), corner.x(), corner.y());
}

}  // namespace plantrek
