#include "render/view_transform.h"

#include <atomic>
#include <climits>
#include <cmath>

namespace plantrek {

namespace {

std::atomic<int> g_markerUnit{0};

}  // namespace

int TruncateToPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

namespace {

// The bases are added in 64 bits so that a point far outside the device still saturates
// instead of wrapping around to the other side.
int AddClamped(long long a, long long b) {
    const long long sum = a + b;
    if (sum > INT_MAX) {
        return INT_MAX;
    }
    if (sum < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(sum);
}

}  // namespace

int ViewTransform::ToDeviceX(double x) const {
    return AddClamped(TruncateToPixel(x * scale + xOffset), xBase);
}

int ViewTransform::ToDeviceY(double y) const {
    const long long flipped = static_cast<long long>(yBase) - TruncateToPixel(y * scale + yOffset);
    return AddClamped(flipped, height);
}

PlanPoint ViewTransform::ToPlan(DevicePoint point) const {
    const double x = static_cast<double>(point.x) - xBase - xOffset;
    const double y = static_cast<double>(yBase) - point.y + height - yOffset;
    return {x / scale, y / scale};
}

int ComputeMarkerUnit(int pixelsPerInch) {
    const int unit = (pixelsPerInch * 3 / 2) / 72;
    return unit < 1 ? 1 : unit;
}

int MarkerUnit(const DrawingSurface& surface) {
    int unit = g_markerUnit.load();
    if (unit == 0) {
        int expected = 0;
        unit = ComputeMarkerUnit(surface.HorizontalDpi());
        if (!g_markerUnit.compare_exchange_strong(expected, unit)) {
            unit = expected;
        }
    }
    return unit;
}

void ResetMarkerUnit() {
    g_markerUnit.store(0);
}

}  // namespace plantrek
