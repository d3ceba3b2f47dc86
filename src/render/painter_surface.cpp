#include "render/painter_surface.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTextLayout>

#include <array>
#include <memory>

namespace plantrek {

namespace {

QPolygon ToPolygon(const std::vector<DevicePoint>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const DevicePoint& p : points) {
        polygon.append(QPoint(p.x, p.y));
    }
    return polygon;
}

// A box whose right and bottom are one past the last pixel, as QPainter's outline of a QRect
// covers one pixel more than its width.
QRect OutlineRect(const DeviceRect& box) {
    return QRect(box.left, box.top, box.Width() - 1, box.Height() - 1);
}

// What painting text costs most, kept for the rest of the run and shared by every surface:
// the extents measured while fitting names to rooms, and the laid-out lines of the names drawn.
// A plan is painted again and again with the same names; laying each out anew took most of the
// time of a repaint. Everything is kept by the context it was measured in (device resolution
// and the font attributes the device adds), the font family and height, and the text.
class TextCache {
public:
    static constexpr int kHeights = 32;
    // A full cache is emptied rather than grown without end.
    static constexpr qsizetype kMaxEntries = 20000;

    struct Slot {
        bool known = false;
        TextExtent extent;
    };
    using Extents = std::array<Slot, kHeights + 1>;

    static TextCache& Instance() {
        // Never destroyed: the laid-out lines hold fonts, which must go while the application
        // still stands, so they are dropped when it is destroyed instead.
        static TextCache* cache = [] {
            auto* created = new TextCache;
            qAddPostRoutine([] { Instance().Clear(); });
            return created;
        }();
        return *cache;
    }

    int Context(const QString& description) {
        const QMutexLocker lock(&mutex_);
        const auto it = contexts_.constFind(description);
        if (it != contexts_.constEnd()) {
            return *it;
        }
        const int id = static_cast<int>(contexts_.size());
        contexts_.insert(description, id);
        return id;
    }

    // What is known of the text at every height; one look-up serves a whole fitting.
    Extents FindExtents(int context, const QString& family, const QString& text) {
        const QMutexLocker lock(&mutex_);
        const auto it = extents_.constFind(Key{context, family, 0, text});
        return it == extents_.constEnd() ? Extents{} : *it;
    }

    void KeepExtents(int context, const QString& family, const QString& text,
                     const Extents& extents) {
        const QMutexLocker lock(&mutex_);
        if (extents_.size() >= kMaxEntries) {
            extents_.clear();
        }
        extents_.insert(Key{context, family, 0, text}, extents);
    }

    // Draws the text centred in the rectangle as QPainter::drawText does with AlignCenter,
    // TextSingleLine and TextDontClip, from a line laid out the first time; the painter's font
    // must be the family at the height. The lock is held while drawing, as a laid-out line is
    // not to be drawn from two threads at once.
    void DrawCentred(int context, const QString& family, int pixelHeight, const QString& text,
                     QPainter& painter, const QRect& rect) {
        const QMutexLocker lock(&mutex_);
        const Key key{context, family, pixelHeight, text};
        auto it = lines_.find(key);
        if (it == lines_.end()) {
            if (lines_.size() >= kMaxEntries) {
                lines_.clear();
            }
            it = lines_.insert(key, LayOut(text, painter));
        }
        const CentredLine& line = *it;
        const qreal x = rect.x() + (rect.width() - line.advance) / 2;
        const qreal y = rect.y() + (rect.height() - line.height) / 2;
        line.layout->lineAt(0).draw(&painter, QPointF(x, y));
    }

    void Clear() {
        const QMutexLocker lock(&mutex_);
        extents_.clear();
        lines_.clear();
    }

private:
    struct Key {
        int context;
        QString family;
        int pixelHeight;
        QString text;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& key, size_t seed) {
            return qHashMulti(seed, key.context, key.family, key.pixelHeight, key.text);
        }
    };
    struct CentredLine {
        std::shared_ptr<QTextLayout> layout;
        qreal advance = 0;  // the line's advance, trailing spaces included
        qreal height = 0;   // ascent and descent, unrounded
    };

    // The one line as QPainter lays out a single-line text: left-aligned in the painter's
    // direction, on an unlimited width, trailing spaces counted.
    static CentredLine LayOut(const QString& text, const QPainter& painter) {
        auto layout = std::make_shared<QTextLayout>(text, painter.font());
        QTextOption option;
        option.setTextDirection(painter.layoutDirection());
        option.setAlignment(Qt::AlignLeft);
        option.setFlags(option.flags() | QTextOption::IncludeTrailingSpaces);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        layout->endLayout();
        return CentredLine{layout, line.horizontalAdvance(), line.ascent() + line.descent()};
    }

    QMutex mutex_;
    QHash<QString, int> contexts_;
    QHash<Key, Extents> extents_;
    QHash<Key, CentredLine> lines_;
};

// Text that QPainter changes before laying it out (line breaks, tabs and other controls), or
// that it draws nothing for, goes the ordinary way.
bool CanDrawFromCache(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029) {
            return false;
        }
    }
    return true;
}

}  // namespace

PainterSurface::PainterSurface(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    SetFont(DefaultFontFamily(), kDefaultFontHeight);
    painter_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::white);
    // The font as the painter resolved it against the device carries whatever the device adds
    // to a family and a height.
    const QPaintDevice* device = painter_.device();
    measureContext_ = TextCache::Instance().Context(
        painter_.font().key() + QStringLiteral("|%1x%2")
                                    .arg(device != nullptr ? device->logicalDpiX() : 0)
                                    .arg(device != nullptr ? device->logicalDpiY() : 0));
}

QColor PainterSurface::ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

int PainterSurface::HorizontalDpi() const {
    return painter_.device() != nullptr ? painter_.device()->logicalDpiX() : 96;
}

void PainterSurface::SaveState() {
    saved_.push_back(SavedState{painter_.pen(), painter_.brush(), painter_.compositionMode(), text_});
}

void PainterSurface::RestoreState() {
    if (saved_.empty()) {
        return;
    }
    const SavedState& state = saved_.back();
    // Only what changed is set again: a plan of many rooms saves and restores twice a room.
    if (painter_.pen() != state.pen) {
        painter_.setPen(state.pen);
    }
    if (painter_.brush() != state.brush) {
        painter_.setBrush(state.brush);
    }
    if (painter_.compositionMode() != state.compositionMode) {
        painter_.setCompositionMode(state.compositionMode);
    }
    // The font goes back to the painter only when text is next measured or drawn: the names of
    // a plan are written one room after another, mostly at the same height, with the state
    // restored in between.
    text_ = state.text;
    saved_.pop_back();
}

void PainterSurface::SetPen(Colour colour, int width) {
    painter_.setPen(QPen(ToQColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void PainterSurface::SetNoPen() {
    painter_.setPen(Qt::NoPen);
}

void PainterSurface::SetBrush(Colour colour) {
    painter_.setBrush(ToQColor(colour));
}

void PainterSurface::SetNoBrush() {
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::SetFont(const QString& family, int pixelHeight) {
    text_.family = family;
    text_.pixelHeight = pixelHeight > 0 ? pixelHeight : 1;
    ApplyFont();
}

void PainterSurface::ApplyFont() const {
    if (applied_.pixelHeight == text_.pixelHeight && applied_.family == text_.family) {
        return;
    }
    QFont font(text_.family);
    font.setPixelSize(text_.pixelHeight);
    painter_.setFont(font);
    applied_.family = text_.family;
    applied_.pixelHeight = text_.pixelHeight;
}

void PainterSurface::SetTextColour(Colour colour) {
    text_.colour = ToQColor(colour);
}

void PainterSurface::SetRasterMode(RasterMode mode) {
    painter_.setCompositionMode(mode == RasterMode::NotXor
                                    ? QPainter::RasterOp_NotSourceXorDestination
                                    : QPainter::CompositionMode_SourceOver);
}

void PainterSurface::DrawLine(DevicePoint from, DevicePoint to) {
    painter_.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void PainterSurface::DrawPolyline(const std::vector<DevicePoint>& points) {
    if (points.size() < 2) {
        return;
    }
    painter_.drawPolyline(ToPolygon(points));
}

void PainterSurface::DrawPolygon(const std::vector<DevicePoint>& points) {
    if (points.size() < 2) {
        return;
    }
    painter_.drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void PainterSurface::DrawEllipse(const DeviceRect& box) {
    painter_.drawEllipse(OutlineRect(box));
}

void PainterSurface::DrawRectangle(const DeviceRect& box) {
    painter_.drawRect(OutlineRect(box));
}

void PainterSurface::DrawText(const QString& text, DevicePoint topLeft) {
    ApplyFont();
    const QFontMetrics metrics(painter_.font(), painter_.device());
    const QPen pen = painter_.pen();
    painter_.setPen(text_.colour);
    painter_.drawText(QPoint(topLeft.x, topLeft.y + metrics.ascent()), text);
    painter_.setPen(pen);
}

void PainterSurface::DrawTextCentred(const QString& text, const DeviceRect& box) {
    const QPen pen = painter_.pen();
    painter_.setPen(text_.colour);
    const QRect rect(box.left, box.top, box.Width(), box.Height());
    ApplyFont();
    if (CanDrawFromCache(text)) {
        TextCache::Instance().DrawCentred(measureContext_, text_.family, text_.pixelHeight, text,
                                          painter_, rect);
    } else {
        painter_.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    }
    painter_.setPen(pen);
}

TextExtent PainterSurface::MeasureText(const QString& text) const {
    ApplyFont();
    const QFontMetrics metrics(painter_.font(), painter_.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

int PainterSurface::SetFittingFont(const QString& family, const QString& text, int largest,
                                   int smallest, int width, int height) {
    TextCache& cache = TextCache::Instance();
    TextCache::Extents extents = cache.FindExtents(measureContext_, family, text);
    bool learned = false;
    int found = smallest;
    for (int pixelHeight = largest; pixelHeight > smallest; --pixelHeight) {
        TextExtent extent;
        const bool kept = pixelHeight >= 0 && pixelHeight <= TextCache::kHeights;
        if (kept && extents[pixelHeight].known) {
            extent = extents[pixelHeight].extent;
        } else {
            SetFont(family, pixelHeight);
            extent = MeasureText(text);
            if (kept) {
                extents[pixelHeight] = TextCache::Slot{true, extent};
                learned = true;
            }
        }
        if (extent.width <= width && extent.height <= height) {
            found = pixelHeight;
            break;
        }
    }
    if (learned) {
        cache.KeepExtents(measureContext_, family, text, extents);
    }
    SetFont(family, found);
    return found;
}

}  // namespace plantrek
