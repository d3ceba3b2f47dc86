#pragma once

#include <QString>

#include <vector>

#include "model/material.h"

// The drawing primitives the plan renderer and the picture export need, in integer device
// pixels (x to the right, y down). Rectangles follow the old device-context rule: left and top
// are inside, right and bottom are one past the last pixel.
namespace plantrek {

struct DevicePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(DevicePoint, DevicePoint) = default;
};

struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

enum class RasterMode {
    Copy,
    NotXor,  // destination = NOT (pen XOR destination): drawing twice restores the picture
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Horizontal pixels per inch of the device.
    virtual int HorizontalDpi() const = 0;
    // Device pixels to one screen pixel: markers and gaps the renderer sizes in screen pixels
    // are this much larger on paper, so they keep the size they have on a screen.
    virtual double ScreenPixel() const { return 1.0; }

    // Pen, brush, font, text colour and raster mode stay until changed or until the state saved
    // by SaveState is restored.
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SetPen(Colour colour, int width) = 0;
    virtual void SetNoPen() = 0;
    virtual void SetBrush(Colour colour) = 0;
    virtual void SetNoBrush() = 0;
    // "Arial" and the like; height is the character height in pixels.
    virtual void SetFont(const QString& family, int pixelHeight) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetRasterMode(RasterMode mode) = 0;

    virtual void DrawLine(DevicePoint from, DevicePoint to) = 0;
    virtual void DrawPolyline(const std::vector<DevicePoint>& points) = 0;
    // Filled with the brush by the even-odd rule and outlined with the pen.
    virtual void DrawPolygon(const std::vector<DevicePoint>& points) = 0;
    virtual void DrawEllipse(const DeviceRect& box) = 0;
    virtual void DrawRectangle(const DeviceRect& box) = 0;

    // Text on one line, transparent background, no clipping and no prefix (&) processing.
    virtual void DrawText(const QString& text, DevicePoint topLeft) = 0;
    // Centred horizontally and vertically in the box, overflowing it when too large.
    virtual void DrawTextCentred(const QString& text, const DeviceRect& box) = 0;
    // Width and line height of the text in the current font.
    virtual TextExtent MeasureText(const QString& text) const = 0;

    // Sets the font `family` at the largest character height, from `largest` down to
    // `smallest`, at which the text fits within width × height, or at `smallest` when none
    // does; returns the height set. A surface may remember what it measured: a plan is painted
    // again and again with the same names.
    virtual int SetFittingFont(const QString& family, const QString& text, int largest,
                               int smallest, int width, int height) {
        for (int pixelHeight = largest; pixelHeight > smallest; --pixelHeight) {
            SetFont(family, pixelHeight);
            const TextExtent extent = MeasureText(text);
            if (extent.width <= width && extent.height <= height) {
                return pixelHeight;
            }
        }
        SetFont(family, smallest);
        return smallest;
    }
};

// Restores the surface's drawing state when it goes out of scope, the way each drawing step
// puts the previous pen, brush and font back.
class SurfaceStateGuard {
public:
    explicit SurfaceStateGuard(DrawingSurface& surface) : surface_(surface) {
        surface_.SaveState();
    }
    ~SurfaceStateGuard() { surface_.RestoreState(); }
    SurfaceStateGuard(const SurfaceStateGuard&) = delete;
    SurfaceStateGuard& operator=(const SurfaceStateGuard&) = delete;

private:
    DrawingSurface& surface_;
};

}  // namespace plantrek
