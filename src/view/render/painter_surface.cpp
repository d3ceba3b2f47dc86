#include "view/render/painter_surface.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>

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

}  // namespace

PainterSurface::PainterSurface(QPainter& painter) : painter_(painter), textColour_(Qt::black) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(DefaultFontFamily());
    font.setPixelSize(kDefaultFontHeight);
    painter_.setFont(font);
    painter_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::white);
}

QColor PainterSurface::ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

int PainterSurface::HorizontalDpi() const {
    return painter_.device() != nullptr ? painter_.device()->logicalDpiX() : 96;
}

void PainterSurface::SaveState() {
    painter_.save();
    savedTextColours_.push_back(textColour_);
}

void PainterSurface::RestoreState() {
    painter_.restore();
    if (!savedTextColours_.empty()) {
        textColour_ = savedTextColours_.back();
        savedTextColours_.pop_back();
    }
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
    QFont font(family);
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    painter_.setFont(font);
}

void PainterSurface::SetTextColour(Colour colour) {
    textColour_ = ToQColor(colour);
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
    const QFontMetrics metrics(painter_.font(), painter_.device());
    const QPen pen = painter_.pen();
    painter_.setPen(textColour_);
    painter_.drawText(QPoint(topLeft.x, topLeft.y + metrics.ascent()), text);
    painter_.setPen(pen);
}

void PainterSurface::DrawTextCentred(const QString& text, const DeviceRect& box) {
    const QPen pen = painter_.pen();
    painter_.setPen(textColour_);
    painter_.drawText(QRect(box.left, box.top, box.Width(), box.Height()),
                      Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter_.setPen(pen);
}

TextExtent PainterSurface::MeasureText(const QString& text) const {
    const QFontMetrics metrics(painter_.font(), painter_.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace plantrek
