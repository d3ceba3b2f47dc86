#pragma once

#include <QColor>
#include <QFont>

#include <vector>

#include "view/render/drawing_surface.h"

class QPainter;

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

    static QColor ToQColor(Colour colour);

private:
    QPainter& painter_;
    // Text has its own colour, apart from the pen; QPainter writes text with its pen, so the
    // text colour is kept here and swapped in while text is drawn.
    QColor textColour_;
    std::vector<QColor> savedTextColours_;
};

}  // namespace plantrek
