#pragma once

#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/opening.h"
#include "render/drawing_surface.h"
#include "render/plan_hit_test.h"
#include "render/view_transform.h"
#include "view/core/room_snap.h"

// What the mouse does to the plan: a click selects what lies under it (a door, window or
// passage before the wall that holds it), a drag moves the selected room or the site's start
// point with snapping (a room by any of its corners or walls), or slides the selected opening
// along its wall to places its rules allow, and the snap command moves them onto the nearest
// corner. Points come in plan meters, so the rules are tested without a window; the
// view converts the mouse and draws the outline.
namespace plantrek {

class CTracepadDoc;
class Room;

class PlanInteraction {
public:
    explicit PlanInteraction(CTracepadDoc* doc);

    // After every change of the document: the index of rooms and walls refers to the site, and
    // a drag in progress is given up (what it moved may be gone or elsewhere).
    void DocumentChanged();
    // The level whose rooms are picked and met by a drag (-1, the default: every level). The
    // rooms of other levels, drawn faintly or not at all, are never picked.
    void SetLevel(int level);
    int Level() const { return level_; }

    // Picks at the point and selects what was hit through the document; nothing hit changes
    // nothing. True when something was hit.
    bool Select(PlanPoint point, double tolerance);

    // The left button: selects, and starts dragging what was hit.
    bool Press(PlanPoint point, double tolerance);
    // While dragging: where the dragged item would come to rest, snapped.
    void Move(PlanPoint point, double tolerance);
    // Ends the drag and moves the selection by how far it was dragged; a release without any
    // movement of the mouse moves nothing. True when the document was changed.
    bool Release(PlanPoint point, double tolerance);
    // Escape, or the window losing the mouse: the drag ends without a move.
    void Cancel() {
        dragging_ = false;
        snap_ = {};
    }

    bool IsDragging() const { return dragging_; }
    // Drag point − press point.
    PlanPoint Displacement() const { return dragPoint_ - pressPoint_; }
    // The room being dragged, or null when the site's start point is.
    const Room* DraggedRoom() const { return draggedRoom_; }
    // While an opening is dragged: its edges where it would come to rest.
    std::optional<std::pair<PlanPoint, PlanPoint>> DraggedOpening() const;

    // The snap command: moves the selected room as CTracepadDoc::SnapRoom does, or the site's
    // start point onto the nearest corner of a room, however far. True when the document was
    // changed.
    bool SnapSelection();

    // The command a double click runs for the selection: Edit Wall, Room Properties or Move
    // Start Point; 0 without a selection.
    int DoubleClickCommand() const;

    const PlanHitIndex* HitIndex() const { return index_ ? &*index_ : nullptr; }

    // While dragging: what the dragged item will meet where it rests now (kind None: nothing).
    const RoomSnap& CurrentSnap() const { return snap_; }

private:
    // The point of the selection that snaps: the site's start point, or the selected room's.
    std::optional<PlanPoint> ReferencePoint() const;
    PlanPoint SnappedDragPoint(PlanPoint mouse, double tolerance);
    bool ShiftBy(PlanPoint displacement);
    // The opening of the site within the tolerance nearest to the point, if any.
    std::optional<PlacedOpening> PickOpening(PlanPoint point, double tolerance) const;
    void MoveOpening(PlanPoint point);

    // Dragging an opening: its wall's start and unit direction, the opening as it was and where
    // it would come to rest, and how far along the opening the mouse took hold of it.
    struct OpeningDrag {
        int index = -1;
        PlanPoint wallStart;
        PlanPoint along;
        Opening original;
        Opening placed;
        double hold = 0.0;
    };
    std::optional<OpeningDrag> openingDrag_;

    CTracepadDoc* doc_;
    int level_ = -1;
    std::optional<PlanHitIndex> index_;
    // Built when a room is first dragged after a change of the document.
    std::optional<RoomSnapIndex> snapIndex_;
    RoomSnap snap_;
    bool dragging_ = false;
    bool moved_ = false;
    const Room* draggedRoom_ = nullptr;
    PlanPoint pressPoint_;
    PlanPoint dragPoint_;
    PlanPoint anchorOffset_;
};

// The grey outline that follows the mouse: the dragged room's walls as polylines, or the
// site's start-point marker, in plan meters at the drag's place.
struct DragOutline {
    std::vector<std::vector<PlanPoint>> polylines;
    bool marker = false;
    PlanPoint markerCentre;
};
DragOutline OutlineOf(const PlanInteraction& interaction, const CTracepadDoc& doc, double scale);

// What the drag will meet, marked: the other room's wall, or a small square around the corner
// or point, `reach` pixels to each side; empty while nothing is in reach.
DragOutline SnapMarkOf(const PlanInteraction& interaction, double scale, double reach);

// Draws the outline in grey, 1 pixel wide, with the surface's marker unit.
void DrawOutline(DrawingSurface& surface, const DragOutline& outline, const ViewTransform& transform,
                 Colour colour = 0x808080, int width = 1);
// The box around the document's selected opening, `reach` pixels to either side of its wall;
// empty without a selected opening.
DragOutline SelectedOpeningOutline(const CTracepadDoc& doc, double scale, double reach);
// The device box that holds the outline as DrawOutline draws it; empty without an outline.
DeviceRect OutlineBounds(const DragOutline& outline, const ViewTransform& transform, int markerUnit);

}  // namespace plantrek
