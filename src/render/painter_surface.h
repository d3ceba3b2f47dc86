#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>

#include <vector>

#include "render/drawing_surface.h"

// The drawing surface on a QPainter that is already active on its device (a window, a QImage).
// Shapes are drawn without antialiasing so that fills and outlines keep their exact colours;
// only text is smoothed.
namespace plantrek {

class PainterSurface : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter);

    // The font a fresh surface writes with: "Arial" with a character height of 14 pixels.
    static QString DefaultFontFamily() { return QStringLiteral("Arial"); }
    static constexpr int kDefaultFontHeight = 14;

    int HorizontalDpi() const override;

    void SaveState() override;
    void RestoreState() override;
    void SetPen(Colour colour, int width) override;
    void SetNoPen() override;
    void SetBrush(Colour colour) override;
    void SetNoBrush() override;
    void SetFont(const QString& family, int pixelHeight) override;
    void SetTextColour(Colour colour) override;
    void SetRasterMode(RasterMode mode) override;

    void DrawLine(DevicePoint from, DevicePoint to) override;
    void DrawPolyline(const std::vector<DevicePoint>& points) override;
    void DrawPolygon(const std::vector<DevicePoint>& points) override;
    void DrawEllipse(const DeviceRect& box) override;
    void DrawRectangle(const DeviceRect& box) override;

    void DrawText(const QString& text, DevicePoint topLeft) override;
    void DrawTextCentred(const QString& text, const DeviceRect& box) override;
    TextExtent MeasureText(const QString& text) const override;
    // Remembers the extents it measures for the rest of the run, for every surface alike: text
    // layout is by far the dearest part of painting a plan of many named rooms.
    int SetFittingFont(const QString& family, const QString& text, int largest, int smallest,
                       int width, int height) override;

    static QColor ToQColor(Colour colour);

private:
    QPainter& painter_;
    // What else decides how text measures on this device: its resolution and the font
    // attributes the painter takes from the device, as a small number shared by every surface
    // that measures alike.
    int measureContext_ = 0;
    // Text has its own colour, apart from the pen; QPainter writes text with its pen, so the
    // text colour is kept here and swapped in while text is drawn. The font this surface set
    // last is kept beside it.
    struct TextState {
        QColor colour = Qt::black;
        QString family;
        int pixelHeight = 0;
    };
    TextState text_;
    // The family and height last set on the painter; the surface sets the painter's font only
    // when it differs from the one wanted. While the surface is in use, the painter's font is
    // the surface's to set.
    struct AppliedFont {
        QString family;
        int pixelHeight = 0;
    };
    mutable AppliedFont applied_;
    void ApplyFont() const;
    // What SaveState keeps: what this surface sets on the painter, and nothing else.
    struct SavedState {
        QPen pen;
        QBrush brush;
        QPainter::CompositionMode compositionMode;
        TextState text;
    };
    std::vector<SavedState> saved_;
};

}  // namespace plantrek
