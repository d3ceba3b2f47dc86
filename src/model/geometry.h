#pragma once

#include <algorithm>
#include <cmath>

// Plan coordinates: meters, x to the east, y to the north.
namespace plantrek {

struct PlanPoint {
    double x = 0.0;
    double y = 0.0;

    PlanPoint& operator+=(PlanPoint o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    PlanPoint& operator-=(PlanPoint o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    friend PlanPoint operator+(PlanPoint a, PlanPoint b) { return {a.x + b.x, a.y + b.y}; }
    friend PlanPoint operator-(PlanPoint a, PlanPoint b) { return {a.x - b.x, a.y - b.y}; }
    friend PlanPoint operator*(PlanPoint a, double f) { return {a.x * f, a.y * f}; }
    friend PlanPoint operator/(PlanPoint a, double f) { return {a.x / f, a.y / f}; }
};

inline double Length(PlanPoint v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}
inline double Distance(PlanPoint a, PlanPoint b) {
    return Length(b - a);
}
inline double Cross(PlanPoint a, PlanPoint b) {
    return a.x * b.y - a.y * b.x;
}
inline double Dot(PlanPoint a, PlanPoint b) {
    return a.x * b.x + a.y * b.y;
}

// Both coordinates within tol of each other.
inline bool SamePoint(PlanPoint a, PlanPoint b, double tol) {
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol;
}

// An axis-aligned box in plan meters. A default box is empty until the first point joins it.
struct PlanRect {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool empty = true;

    static PlanRect Around(PlanPoint p) { return {p.x, p.y, p.x, p.y, false}; }

    void Include(PlanPoint p) {
        if (empty) {
            *this = Around(p);
            return;
        }
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    void Include(const PlanRect& r) {
        if (r.empty) {
            return;
        }
        Include(PlanPoint{r.minX, r.minY});
        Include(PlanPoint{r.maxX, r.maxY});
    }
    PlanPoint Centre() const { return {(minX + maxX) / 2.0, (minY + maxY) / 2.0}; }
    double Width() const { return maxX - minX; }
    double Height() const { return maxY - minY; }
};

}  // namespace plantrek
