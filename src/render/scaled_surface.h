#pragma once

#include <algorithm>

#include "render/drawing_surface.h"

// A drawing surface for devices far finer than a screen (paper, vector files): fonts and pens
// are given in screen pixels by the renderer and grow by `factor` on the way to the device, so
// names and lines keep their screen size while coordinates keep the device's precision.
namespace plantrek {

class ScaledSurface : public DrawingSurface {
public:
    ScaledSurface(DrawingSurface& inner, double factor) : inner_(inner), factor_(factor) {}

    // The markers keep the size they have on a screen.
    int HorizontalDpi() const override { return 96; }
    double ScreenPixel() const override { return factor_ * inner_.ScreenPixel(); }

    void SaveState() override { inner_.SaveState(); }
    void RestoreState() override { inner_.RestoreState(); }
    void SetPen(Colour colour, int width) override { inner_.SetPen(colour, Scaled(width)); }
    void SetNoPen() override { inner_.SetNoPen(); }
    void SetBrush(Colour colour) override { inner_.SetBrush(colour); }
    void SetNoBrush() override { inner_.SetNoBrush(); }
    void SetFont(const QString& family, int pixelHeight) override {
        inner_.SetFont(family, Scaled(pixelHeight));
    }
    void SetTextColour(Colour colour) override { inner_.SetTextColour(colour); }
    void SetRasterMode(RasterMode mode) override { inner_.SetRasterMode(mode); }

    void DrawLine(DevicePoint from, DevicePoint to) override { inner_.DrawLine(from, to); }
    void DrawPolyline(const std::vector<DevicePoint>& points) override {
        inner_.DrawPolyline(points);
    }
    void DrawPolygon(const std::vector<DevicePoint>& points) override {
        inner_.DrawPolygon(points);
    }
    void DrawEllipse(const DeviceRect& box) override { inner_.DrawEllipse(box); }
    void DrawRectangle(const DeviceRect& box) override { inner_.DrawRectangle(box); }
    void DrawText(const QString& text, DevicePoint topLeft) override {
        inner_.DrawText(text, topLeft);
    }
    void DrawTextCentred(const QString& text, const DeviceRect& box) override {
        inner_.DrawTextCentred(text, box);
    }
    TextExtent MeasureText(const QString& text) const override { return inner_.MeasureText(text); }

    int Scaled(int value) const { return std::max(1, static_cast<int>(value * factor_ + 0.5)); }

private:
    DrawingSurface& inner_;
    double factor_;
};

}  // namespace plantrek
