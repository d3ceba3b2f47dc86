#include "model/site_visitor.h"

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"

namespace plantrek {

void TraverseRoom(const Room& room, CSiteVisitor& visitor) {
    room.GetCloseState();
    visitor.VisitRoomBegin(room);
    for (const auto& wall : room.UserWalls()) {
        visitor.VisitWall(*wall);
    }
    for (const auto& wall : room.SystemWalls()) {
        visitor.VisitWall(*wall);
    }
    visitor.VisitRoomEnd(room);
}

void CSiteBoundsVisitor::VisitSiteBegin(const Site& site) {
    bounds_ = PlanRect::Around(site.GetStartPoint());
    current_ = site.GetStartPoint();
}

void CSiteBoundsVisitor::VisitRoomBegin(const Room& room) {
    current_ = room.GetLocation();
    bounds_.Include(current_);
}

void CSiteBoundsVisitor::VisitWall(const Wall& wall) {
    const PlanPoint end = current_ + wall.GetVector();
    bounds_.Include(current_);
    bounds_.Include(end);
    if (wall.HasArc()) {
        // The chord moved out to the arc's midpoint: a box that holds the whole arc.
        const PlanPoint bow = wall.GetArcMidpoint() - wall.GetVector() / 2.0;
        bounds_.Include(current_ + bow);
        bounds_.Include(end + bow);
    }
    current_ = end;
}

}  // namespace plantrek
