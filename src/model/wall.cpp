#include "model/wall.h"

#include <cmath>

#include "model/units.h"

namespace plantrek {

void Wall::SetPolar(double length, double direction) {
    length_ = length;
    direction_ = direction;
    validFlags_ = kPolarValid;
    arcHeight_ = ClampArcHeight(arcHeight_);
}

void Wall::SetCartesian(double dx, double dy) {
    dx_ = dx;
    dy_ = dy;
    validFlags_ = kCartesianValid;
    const double length = std::sqrt(dx * dx + dy * dy);
    arcHeight_ = ClampArcHeight(arcHeight_, length);
    DeriveArc(length);
}

double Wall::ClampArcHeight(double h) const {
    return ClampArcHeight(h, GetLength());
}

double Wall::ClampArcHeight(double h, double length) {
    const double half = length / 2.0;
    if (std::fabs(h) > half) {
        return h >= 0.0 ? half : -half;
    }
    return h;
}

void Wall::SetArcHeight(double height) {
    if ((validFlags_ & kPolarValid) == 0) {
        DerivePolar();
    }
    arcHeight_ = ClampArcHeight(height);
    validFlags_ &= ~kCartesianValid;
}

bool Wall::HasArc() const {
    return !IsZero(arcHeight_);
}

double Wall::GetLength() const {
    if ((validFlags_ & kPolarValid) == 0) {
        DerivePolar();
    }
    return length_;
}

double Wall::GetDirection() const {
    if ((validFlags_ & kPolarValid) == 0) {
        DerivePolar();
    }
    return direction_;
}

PlanPoint Wall::GetVector() const {
    if ((validFlags_ & kCartesianValid) == 0) {
        DeriveCartesian();
    }
    return {dx_, dy_};
}

void Wall::DerivePolar() const {
    if ((validFlags_ & kCartesianValid) == 0) {
        length_ = 0.0;
        direction_ = 0.0;
        return;
    }
    CartesianToPolar(dx_, dy_, &length_, &direction_);
    validFlags_ |= kPolarValid;
}

void Wall::DeriveCartesian() const {
    if ((validFlags_ & kPolarValid) == 0) {
        dx_ = 0.0;
        dy_ = 0.0;
        arcRadius_ = 0.0;
        arcCentreX_ = arcCentreY_ = 0.0;
        return;
    }
    const PlanPoint v = PolarToCartesian(length_, direction_);
    dx_ = v.x;
    dy_ = v.y;
    validFlags_ |= kCartesianValid;
    DeriveArc(length_);
}

void Wall::DeriveArc(double L) const {
    arcRadius_ = 0.0;
    arcCentreX_ = arcCentreY_ = 0.0;
    const double h = arcHeight_;
    if (IsZero(h)) {
        return;
    }
    const double mx = dx_ / 2.0;
    const double my = dy_ / 2.0;
    if (std::fabs(h) >= L / 2.0 - kZeroTolerance) {
        arcRadius_ = L / 2.0;
        arcCentreX_ = mx;
        arcCentreY_ = my;
        return;
    }
    const double r = std::fabs((4.0 * h * h + L * L) / (8.0 * h));
    // 4r² ≥ L² holds exactly; rounding must not turn it into the root of a negative number.
    const double k = std::sqrt(std::max(0.0, L * L * (4.0 * r * r - L * L))) * (0.5 / (L * L));
    const double ax = mx - k * dy_;
    const double ay = my + k * dx_;
    const double bx = mx + k * dy_;
    const double by = my - k * dx_;
    const double c = (ay - dy_) * dx_ - dy_ * (ax - dx_);
    // The centre lies opposite the side the arc bows to.
    if ((c >= 0.0 && h < 0.0) || (c < 0.0 && h >= 0.0)) {
        arcCentreX_ = ax;
        arcCentreY_ = ay;
    } else {
        arcCentreX_ = bx;
        arcCentreY_ = by;
    }
    arcRadius_ = r;
}

double Wall::GetArcRadius() const {
    if ((validFlags_ & kCartesianValid) == 0) {
        DeriveCartesian();
    }
    return arcRadius_;
}

PlanPoint Wall::GetArcCentre() const {
    if ((validFlags_ & kCartesianValid) == 0) {
        DeriveCartesian();
    }
    return {arcCentreX_, arcCentreY_};
}

double Wall::GetArcSweep() const {
    if (!HasArc()) {
        return 0.0;
    }
    const PlanPoint z = GetArcCentre();
    const PlanPoint e = GetVector();
    const double a1 = NormalizeRadians(std::atan2(0.0 - z.y, 0.0 - z.x));
    const double a2 = NormalizeRadians(std::atan2(e.y - z.y, e.x - z.x));
    double theta = a2 - a1;
    if (a2 < a1) {
        theta += kTwoPi;
    }
    if (theta >= kPi + kZeroTolerance) {
        theta = kTwoPi - theta;
    }
    return theta;
}

PlanPoint Wall::GetArcMidpoint() const {
    const PlanPoint e = GetVector();
    const PlanPoint m = e / 2.0;
    if (!HasArc()) {
        return m;
    }
    const PlanPoint z = GetArcCentre();
    if (SamePoint(z, m, kPointTolerance)) {
        const PlanPoint ze = e - z;
        const PlanPoint turned = arcHeight_ > 0.0 ? PlanPoint{-ze.y, ze.x} : PlanPoint{ze.y, -ze.x};
        return z + turned;
    }
    const PlanPoint zm = m - z;
    return z + zm / Length(zm) * GetArcRadius();
}

double Wall::GetPathLength() const {
    if (!HasArc()) {
        return GetLength();
    }
    return GetArcRadius() * GetArcSweep();
}

WallArc Wall::GetArc(PlanPoint start) const {
    return {start + GetArcCentre(), GetArcRadius(), arcHeight_ >= kZeroTolerance};
}

void Wall::DeriveAll() const {
    if ((validFlags_ & kPolarValid) == 0) {
        DerivePolar();
    }
    if ((validFlags_ & kCartesianValid) == 0) {
        DeriveCartesian();
    }
}

bool Wall::SameAs(const Wall& other) const {
    return length_ == other.length_ && direction_ == other.direction_ && dx_ == other.dx_ &&
           dy_ == other.dy_ && arcHeight_ == other.arcHeight_ &&
           arcRadius_ == other.arcRadius_ && arcCentreX_ == other.arcCentreX_ &&
           arcCentreY_ == other.arcCentreY_ && validFlags_ == other.validFlags_ &&
           kind_ == other.kind_ && openings_ == other.openings_;
}

}  // namespace plantrek
