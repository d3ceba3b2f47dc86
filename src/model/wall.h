#pragma once

#include <utility>

#include "model/geometry.h"
#include "model/opening.h"

// One wall of a room: a chord (kept as length and bearing, or as a vector, deriving the other
// form on demand) and an optional arc drawn on it.
namespace plantrek {

enum class WallKind {
    User = 0,     // entered by the user
    System = 1,   // added by the room's close rule
    Removed = 2,  // known to files and drawing colours; no operation creates it
};

// The arc of a wall in plan coordinates.
struct WallArc {
    PlanPoint centre;
    double radius = 0.0;
    bool bulgesLeft = false;  // seen from the wall's start toward its end
};

class Wall {
public:
    static constexpr unsigned kPolarValid = 1;
    static constexpr unsigned kCartesianValid = 2;

    Wall() = default;

    // Sets the chord as length and bearing; the vector is derived when read. An existing arc
    // height is clamped to the new length so that the arc stays at most a half circle.
    void SetPolar(double length, double direction);
    // Sets the chord as a vector; length and bearing are derived when read.
    void SetCartesian(double dx, double dy);
    // Stores h clamped to ±length/2; positive bows to the left of the wall's direction.
    void SetArcHeight(double height);

    double GetLength() const;
    double GetDirection() const;
    PlanPoint GetVector() const;
    double GetArcHeight() const { return arcHeight_; }
    bool HasArc() const;

    // Radius and centre (relative to the wall's start) of the arc; zero for a straight wall.
    double GetArcRadius() const;
    PlanPoint GetArcCentre() const;
    // The angle the arc sweeps, in radians (at most a half turn); 0 for a straight wall.
    double GetArcSweep() const;
    // The point halfway along the arc relative to the wall's start; the chord midpoint for a
    // straight wall.
    PlanPoint GetArcMidpoint() const;
    // Length along the wall: the chord, or the arc.
    double GetPathLength() const;
    WallArc GetArc(PlanPoint start) const;

    WallKind GetKind() const { return kind_; }
    void SetKind(WallKind kind) { kind_ = kind; }
    unsigned GetValidFlags() const { return validFlags_; }

    // Works out both forms of the chord and the arc now, so that reading the wall later changes
    // nothing in it: a wall that other threads read must have been through this.
    void DeriveAll() const;
    // Same stored values, derived ones included, and the same openings.
    bool SameAs(const Wall& other) const;

    // Doors, windows and passages on this wall, in order of offset. Only straight user walls
    // hold any; the rules for placing them live with the editing commands.
    const OpeningList& GetOpenings() const { return openings_; }
    void SetOpenings(OpeningList openings) { openings_ = std::move(openings); }

private:
    void DerivePolar() const;
    void DeriveCartesian() const;
    // Radius and centre of the arc on the current chord vector of length L.
    void DeriveArc(double L) const;
    double ClampArcHeight(double height) const;
    static double ClampArcHeight(double height, double length);

    mutable double length_ = 0.0;
    mutable double direction_ = 0.0;
    mutable double dx_ = 0.0;
    mutable double dy_ = 0.0;
    double arcHeight_ = 0.0;
    mutable double arcRadius_ = 0.0;
    mutable double arcCentreX_ = 0.0;
    mutable double arcCentreY_ = 0.0;
    mutable unsigned validFlags_ = 0;
    WallKind kind_ = WallKind::User;
    OpeningList openings_;
};

}  // namespace plantrek
