#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "model/drawing_values.h"
#include "model/geometry.h"
#include "model/material.h"
#include "model/opening.h"
#include "model/site_visitor.h"
#include "render/drawing_surface.h"
#include "render/view_transform.h"

// Draws a site: unselected rooms filled in their material colour, the selected room as wall
// lines coloured by kind with its direction arrow and start circle, room names, doors, windows
// and passages, and the site's start point. One renderer serves one walk.
namespace plantrek {

class LengthUnits;
class Room;
class Site;
class SiteOpenings;
class Wall;

// What the document has selected. At most one of them is set in practice.
struct PlanSelection {
    const Room* room = nullptr;
    const Wall* wall = nullptr;
    bool startPoint = false;
    const Opening* opening = nullptr;  // drawn in the selection colour
};

// How a room is drawn with these values: not at all (another level), faintly (the level below
// the one drawn, when that is shown) or in full.
enum class RoomDrawing { kHidden, kFaint, kFull };
// The level drawn faintly under the one drawn; -1 when none is. Levels are kept lowest first:
// the one below is the one before.
inline int FaintLevelOf(const DrawingValues& values) {
    return values.FaintLevelBelow && values.Level > 0 ? values.Level - 1 : -1;
}
// Asked of every room of every level on each repaint: kept inline.
inline RoomDrawing RoomDrawingOf(int roomLevel, const DrawingValues& values) {
    if (values.Level < 0 || roomLevel == values.Level) {
        return RoomDrawing::kFull;
    }
    return roomLevel == FaintLevelOf(values) ? RoomDrawing::kFaint : RoomDrawing::kHidden;
}
RoomDrawing RoomDrawingOf(const Room& room, const DrawingValues& values);
// A colour washed out toward white, as the faint rooms of the level below are drawn.
Colour FaintColour(Colour colour);

class PlanRenderer : public CSiteVisitor {
public:
    static constexpr Colour kMissingMaterialColour = 0xFF8080;
    static constexpr int kLargestNameHeight = 20;
    static constexpr int kSmallestNameHeight = 5;

    PlanRenderer(DrawingSurface& surface, const ViewTransform& transform,
                 const PlanSelection& selection, const DrawingValues& values);

    // Writes each wall's length in these units outside its room (none when not set): the
    // measured walls' in the wall colour, the closing walls' in the added-wall colour;
    // horizontally at the wall's middle, smaller on a short wall and left out where it does not
    // fit beside the wall or would cover a room's name or another length. A wall two rooms share
    // is written once, measured before closing. Written when the walk ends, once every name is
    // known.
    void SetWallLengthUnits(const LengthUnits* units) { lengthUnits_ = units; }
    static constexpr int kLargestLengthHeight = 12;
    static constexpr int kSmallestLengthHeight = 7;
    static constexpr double kLengthGap = 3.0;  // between a wall and its length, screen pixels

    // The site's openings, found by VisitSiteBegin unless given here first: a caller that walks
    // a site room by room, each with a renderer of its own, finds them once.
    void SetSiteOpenings(std::shared_ptr<const SiteOpenings> openings);

    void VisitSiteBegin(const Site& site) override;
    void VisitRoomBegin(const Room& room) override;
    void VisitWall(const Wall& wall) override;
    void VisitRoomEnd(const Room& room) override;
    void VisitSiteEnd(const Site& site) override;

private:
    bool IsSelectedRoom() const { return room_ != nullptr && room_ == selection_.room && !faint_; }
    void DrawWall(PlanPoint start, const Wall& wall);
    void DrawArrow();
    void DrawRoomStartCircle(const Room& room);
    void FillOutline(const Room& room);
    void DrawName(const Room& room);
    void DrawSiteStartMarker(const Site& site);
    void NoteWallLength(PlanPoint start, PlanPoint end, const Wall& wall, bool closing);
    void DrawWallLengths();
    void IncludeInBox(DevicePoint point);
    void ContinueStrokes(PlanPoint start, PlanPoint end);
    void DrawOpening(const PlacedOpening& placed);

    DrawingSurface& surface_;
    ViewTransform transform_;
    PlanSelection selection_;
    DrawingValues values_;
    double screenPixel_;
    int markerUnit_;

    const Site* site_ = nullptr;
    const Room* room_ = nullptr;
    bool faint_ = false;  // the room walked lies on the level below, drawn faintly
    PlanPoint position_;
    int wallsSeen_ = 0;
    bool haveSelectedWallStart_ = false;
    PlanPoint selectedWallStart_;
    // The last user wall's end and the start of its last straight piece, for the arrow.
    bool haveLastUserWall_ = false;
    PlanPoint lastUserWallEnd_;
    PlanPoint lastPieceStart_;
    DeviceRect box_;
    std::vector<DevicePoint> outline_;

    // Doors, windows and passages. A room's wall lines are broken where openings stand on them,
    // its own or a neighbour's on a wall they share; each opening is drawn by the room that
    // holds it, after every room is filled, so that no fill covers a leaf swinging out.
    std::shared_ptr<const SiteOpenings> siteOpenings_;
    bool siteOpeningsGiven_ = false;
    std::vector<PlacedOpening> roomOpenings_;        // those that may lie on this room's walls
    std::vector<std::vector<DevicePoint>> strokes_;  // the wall lines, broken at openings
    std::vector<PlacedOpening> pendingOpenings_;

    struct PendingLength {
        DevicePoint from;
        DevicePoint to;
        QString text;
        bool clockwise;  // the room's outline on screen, which says where outside is
        // How far an arc bulges to the left and to the right of its chord, in pixels.
        double bulgeLeft = 0;
        double bulgeRight = 0;
        bool closing = false;  // a wall the program added to close the room
        int level = 0;         // walls are shared only between rooms of one level
    };
    const LengthUnits* lengthUnits_ = nullptr;
    std::vector<PendingLength> roomLengths_;
    double roomTurn_ = 0;  // twice the signed area of the walls' chords, plan orientation
    std::vector<PendingLength> lengths_;
    std::vector<DeviceRect> nameBoxes_;
};

// Walks the site with a renderer: every room, or with a level in `values` the rooms of the
// level below first (when shown faintly), then that level's rooms.
void RenderSite(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                const PlanSelection& selection, const DrawingValues& values,
                const LengthUnits* wallLengthUnits = nullptr);

// The rooms these values draw, in the order they are drawn: every room of the site, or the
// faint level below (when shown) and then the level shown.
std::vector<const Room*> RoomsToDraw(const Site& site, const DrawingValues& values);

// A room drawn, its box in plan meters (grown by the widest door, whose leaf may swing out), and
// how far in screen pixels its drawing may reach beyond it sideways and up or down: pens, the
// direction arrow and start circles, a name too wide for the room, the wall lengths written
// outside it. A room without walls has an empty box.
struct RoomReach {
    const Room* room = nullptr;
    PlanRect box;
    int sideways = 0;
    int upDown = 0;
};
// One for each of RoomsToDraw, in its order.
std::vector<RoomReach> MeasureRoomReach(const Site& site, const DrawingValues& values,
                                        bool wallLengths);
// The faint rooms' part of it, which comes first there.
std::vector<RoomReach> MeasureFaintReach(const Site& site, const DrawingValues& values);

// Walks only the rooms whose drawing reaches into `region`, then ends the walk as RenderSite
// does: the faint rooms first, the selected room on top, the site's start point, the lengths of
// the walls walked.
// `reach` is MeasureRoomReach's for the site and the same values.
void RenderSiteRegion(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                      const PlanSelection& selection, const DrawingValues& values,
                      const LengthUnits* wallLengthUnits, const std::vector<RoomReach>& reach,
                      const DeviceRect& region);

// The faint rooms alone, for a picture that keeps the level below apart from the level drawn
// over it: those of `faintReach` (MeasureRoomReach's faint entries) that reach into `region`,
// drawn as RenderSiteRegion draws them, and nothing that ends a walk of the site. Drawing these
// and then RenderSiteRegion with the other entries gives RenderSiteRegion's picture.
void RenderFaintRegion(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                       const PlanSelection& selection, const DrawingValues& values,
                       const std::vector<RoomReach>& faintReach, const DeviceRect& region);

// The box around all RenderSite would draw with these arguments, markers and wall lengths
// included, with fonts measured on `measuring`; nothing is drawn on it.
std::optional<DeviceRect> RenderedExtent(const Site& site, DrawingSurface& measuring,
                                         const ViewTransform& transform,
                                         const PlanSelection& selection,
                                         const DrawingValues& values,
                                         const LengthUnits* wallLengthUnits = nullptr);

// White for a dark colour, black for a light one: whichever lies farther from it.
Colour ContrastColour(Colour colour);

// The points that draw a wall starting at `start`, after the start itself: just the end for a
// straight wall; for an arc, the ends of the pieces found by halving the arc until each chord,
// in whole pixels at `scale`, is 3 pixels or less. The last point is always the wall's end.
std::vector<PlanPoint> WallDrawingPoints(PlanPoint start, const Wall& wall, double scale);

}  // namespace plantrek
