#pragma once

#include "model/geometry.h"
#include "render/drawing_surface.h"

// Plan meters (x east, y north) to device pixels (y down) and back. The truncations are part of
// the picture: every caller that converts a plan point (drawing, picking, dragging, export)
// goes through here so that they all land on the same pixel.
namespace plantrek {

// Toward zero, as the drawing code always has; values beyond the int range (or NaN) are held at
// the range's ends instead of overflowing.
int TruncateToPixel(double value);

struct ViewTransform {
    double scale = 1.0;    // pixels per meter
    double xOffset = 0.0;  // added to x × scale before truncation
    double yOffset = 0.0;  // added to y × scale before truncation
    int height = 0;        // device height added after the flip
    int xBase = 0;         // added to the truncated x
    int yBase = 0;         // from which the truncated y is subtracted

    int ToDeviceX(double x) const;
    int ToDeviceY(double y) const;
    DevicePoint ToDevice(PlanPoint point) const { return {ToDeviceX(point.x), ToDeviceY(point.y)}; }
    // The plan point of a device point, without truncation.
    PlanPoint ToPlan(DevicePoint point) const;
    // A device distance in meters.
    double ToPlanLength(double pixels) const { return pixels / scale; }

    friend bool operator==(const ViewTransform&, const ViewTransform&) = default;
};

// The unit of the marker sizes, in device pixels: max(1, (pixels per inch × 3 / 2) / 72) in
// integer arithmetic, so 2 at 96 pixels per inch.
int ComputeMarkerUnit(int pixelsPerInch);

// The marker unit of the run: computed from the first surface that asks, then kept, so a
// picture drawn later at another resolution keeps the markers of the screen.
int MarkerUnit(const DrawingSurface& surface);

// Forgets the kept marker unit so that the next surface sets it again (tests only).
void ResetMarkerUnit();

}  // namespace plantrek
