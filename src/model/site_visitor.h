#pragma once

#include "model/geometry.h"

// The one walk over a site that the file writer, the renderer, the hit test, the exporters and
// the bounds all share.
namespace plantrek {

class Room;
class Site;
class Wall;

// Called in this order: site begin; for each room in drawing order room begin, each user wall
// in chain order, each system wall, room end; site end. A visitor overrides only what it needs.
class CSiteVisitor {
public:
    virtual ~CSiteVisitor() = default;
    virtual void VisitSiteBegin(const Site& /*site*/) {}
    virtual void VisitRoomBegin(const Room& /*room*/) {}
    virtual void VisitWall(const Wall& /*wall*/) {}
    virtual void VisitRoomEnd(const Room& /*room*/) {}
    virtual void VisitSiteEnd(const Site& /*site*/) {}
};

// Walks one room alone: its closing is brought up to date, then room begin, its walls as in a
// site walk, room end.
void TraverseRoom(const Room& room, CSiteVisitor& visitor);

// The box of Site::GetBounds, found by a walk: it starts at the site's start point and takes in
// every room's location and every wall, arcs by their bulge.
class CSiteBoundsVisitor : public CSiteVisitor {
public:
    void VisitSiteBegin(const Site& site) override;
    void VisitRoomBegin(const Room& room) override;
    void VisitWall(const Wall& wall) override;

    // Empty only when nothing was visited.
    const PlanRect& GetBounds() const { return bounds_; }
    double MinX() const { return bounds_.minX; }
    double MinY() const { return bounds_.minY; }
    double MaxX() const { return bounds_.maxX; }
    double MaxY() const { return bounds_.maxY; }

private:
    PlanRect bounds_;
    PlanPoint current_;
};

}  // namespace plantrek
