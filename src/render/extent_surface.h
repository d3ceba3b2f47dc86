#pragma once

#include <optional>

#include "render/drawing_surface.h"

// A surface that draws nothing and remembers the box around everything it was asked to draw:
// pages and drawings learn from it how far a plan's markers and labels reach. Fonts and text
// are measured on the surface it wraps.
namespace plantrek {

class ExtentSurface : public DrawingSurface {
public:
    explicit ExtentSurface(DrawingSurface& measuring) : measuring_(measuring) {}

    // The box around all that was drawn, pens included; nothing when nothing was.
    std::optional<DeviceRect> Extent() const { return extent_; }

    int HorizontalDpi() const override { return measuring_.HorizontalDpi(); }
    double ScreenPixel() const override { return measuring_.ScreenPixel(); }
    void SaveState() override;
    void RestoreState() override;
    void SetPen(Colour colour, int width) override;
    void SetNoPen() override;
    void SetBrush(Colour) override {}
    void SetNoBrush() override {}
    void SetFont(const QString& family, int pixelHeight) override {
        measuring_.SetFont(family, pixelHeight);
    }
    void SetTextColour(Colour) override {}
    void SetRasterMode(RasterMode) override {}

    void DrawLine(DevicePoint from, DevicePoint to) override;
    void DrawPolyline(const std::vector<DevicePoint>& points) override;
    void DrawPolygon(const std::vector<DevicePoint>& points) override;
    void DrawEllipse(const DeviceRect& box) override;
    void DrawRectangle(const DeviceRect& box) override;
    void DrawText(const QString& text, DevicePoint topLeft) override;
    void DrawTextCentred(const QString& text, const DeviceRect& box) override;
    TextExtent MeasureText(const QString& text) const override {
        return measuring_.MeasureText(text);
    }

private:
    void Include(DeviceRect box, int grow);
    void IncludePoints(const std::vector<DevicePoint>& points);

    DrawingSurface& measuring_;
    std::optional<DeviceRect> extent_;
    int penWidth_ = 1;
    std::vector<int> savedPens_;
};

}  // namespace plantrek
