#include "view/core/plan_interaction.h"

#include <algorithm>
#include <cmath>

#include "document/tracepad_doc.h"
#include "model/opening_rules.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"
#include "resources/command_ids.h"
#include "render/plan_renderer.h"

namespace plantrek {

namespace {

// The displacement a drag or snap must reach before anything moves.
constexpr double kNoMovement = 1e-8;

// How far the 1-pixel pen may reach beyond the outline's points.
constexpr int kPenReach = 1;

}  // namespace

PlanInteraction::PlanInteraction(CTracepadDoc* doc) : doc_(doc) {
    DocumentChanged();
}

void PlanInteraction::DocumentChanged() {
    dragging_ = false;
    openingDrag_.reset();
    draggedRoom_ = nullptr;
    index_.reset();
    snapIndex_.reset();
    snap_ = {};
    if (doc_ != nullptr && doc_->GetSite() != nullptr) {
        index_.emplace(*doc_->GetSite(), level_);
    }
}

void PlanInteraction::SetLevel(int level) {
    if (level != level_) {
        level_ = level;
        DocumentChanged();
    }
}

bool PlanInteraction::Select(PlanPoint point, double tolerance) {
    if (!index_) {
        return false;
    }
    const PickResult hit = index_->Pick(point, tolerance);
    if (hit.kind != PickKind::StartPoint) {
        if (const auto opening = PickOpening(point, tolerance)) {
            Room* holder = const_cast<Room*>(opening->room);
            doc_->SelectOpening(holder, holder->GetWall(opening->wallIndex, true),
                                opening->openingIndex);
            return true;
        }
    }
    // The index hands out the site's own rooms and walls; the document selects them by the
    // same pointers.
    Room* room = const_cast<Room*>(hit.room);
    switch (hit.kind) {
    case PickKind::Nothing:
        return false;
    case PickKind::StartPoint:
        doc_->FinishRoom();
        return true;
    case PickKind::Room:
    case PickKind::OtherWall:
        doc_->SelectRoom(room);
        return true;
    case PickKind::UserWall:
        doc_->SelectWall(room, const_cast<Wall*>(hit.wall));
        return true;
    }
    return false;
}

bool PlanInteraction::Press(PlanPoint point, double tolerance) {
    if (!Select(point, tolerance)) {
        return false;
    }
    // Selecting refreshed the document and with it this object; the drag starts afterwards.
    if (const int index = doc_->GetCurrentOpening(); index >= 0) {
        const Room* room = doc_->GetCurrentRoom();
        const Wall* wall = doc_->GetCurrentWall();
        const auto [start, end] = room->GetWallEnds(room->IndexOfWall(wall));
        const double length = Length(end - start);
        if (length <= kNoMovement) {
            return true;
        }
        OpeningDrag drag;
        drag.index = index;
        drag.wallStart = start;
        drag.along = (end - start) * (1.0 / length);
        drag.original = wall->GetOpenings()[static_cast<std::size_t>(index)];
        drag.placed = drag.original;
        const PlanPoint held = point - start;
        drag.hold = held.x * drag.along.x + held.y * drag.along.y - drag.original.offset;
        openingDrag_ = drag;
        dragging_ = true;
        moved_ = false;
        pressPoint_ = point;
        dragPoint_ = point;
        return true;
    }
    const std::optional<PlanPoint> reference = ReferencePoint();
    if (!reference) {
        return true;
    }
    dragging_ = true;
    moved_ = false;
    snap_ = {};
    draggedRoom_ = doc_->GetCurrentRoom();
    pressPoint_ = point;
    dragPoint_ = point;
    anchorOffset_ = *reference - point;
    return true;
}

void PlanInteraction::Move(PlanPoint point, double tolerance) {
    if (!dragging_) {
        return;
    }
    if (point.x != pressPoint_.x || point.y != pressPoint_.y) {
        moved_ = true;
    }
    if (openingDrag_) {
        MoveOpening(point);
        return;
    }
    dragPoint_ = moved_ ? SnappedDragPoint(point, tolerance) : pressPoint_;
}

void PlanInteraction::MoveOpening(PlanPoint point) {
    OpeningDrag& drag = *openingDrag_;
    const PlanPoint held = point - drag.wallStart;
    Opening candidate = drag.original;
    candidate.offset = held.x * drag.along.x + held.y * drag.along.y - drag.hold;
    const Room* room = doc_->GetCurrentRoom();
    // A place the rules refuse is passed over: the opening stays where it last could be.
    if (moved_ && room != nullptr &&
        !CheckOpening(*room, room->IndexOfWall(doc_->GetCurrentWall()), candidate,
                      doc_->Units(), doc_->DefaultHeightOf(*room), drag.index)) {
        drag.placed = candidate;
    }
}

std::optional<std::pair<PlanPoint, PlanPoint>> PlanInteraction::DraggedOpening() const {
    if (!dragging_ || !openingDrag_) {
        return std::nullopt;
    }
    const OpeningDrag& drag = *openingDrag_;
    const PlanPoint a = drag.wallStart + drag.along * drag.placed.offset;
    return std::pair{a, a + drag.along * drag.placed.width};
}

std::optional<PlacedOpening> PlanInteraction::PickOpening(PlanPoint point,
                                                          double tolerance) const {
    std::optional<PlacedOpening> best;
    double nearest = tolerance;
    for (const Room* room : doc_->GetSite()->RoomsOf(level_)) {
        for (const PlacedOpening& placed : PlaceOpenings(*room)) {
            const PlanPoint span = placed.end - placed.start;
            const double length2 = span.x * span.x + span.y * span.y;
            const PlanPoint rel = point - placed.start;
            const double t =
                length2 > 0.0 ? std::clamp((rel.x * span.x + rel.y * span.y) / length2, 0.0, 1.0)
                              : 0.0;
            const double distance = Length(point - (placed.start + span * t));
            // Later rooms are drawn on top and win a tie.
            if (distance <= nearest) {
                nearest = distance;
                best = placed;
            }
        }
    }
    return best;
}

bool PlanInteraction::Release(PlanPoint point, double tolerance) {
    if (!dragging_) {
        return false;
    }
    Move(point, tolerance);
    dragging_ = false;
    draggedRoom_ = nullptr;
    snap_ = {};
    if (openingDrag_) {
        const OpeningDrag drag = *openingDrag_;
        openingDrag_.reset();
        return moved_ && std::fabs(drag.placed.offset - drag.original.offset) > kNoMovement &&
               doc_->ReplaceOpening(drag.index, drag.placed);
    }
    // A plain click must not move the item onto a corner that merely lies within reach.
    return moved_ && ShiftBy(dragPoint_ - pressPoint_);
}

PlanPoint PlanInteraction::SnappedDragPoint(PlanPoint mouse, double tolerance) {
    const PlanPoint candidate = mouse + anchorOffset_;
    if (draggedRoom_ == nullptr) {
        // The site's start point snaps as it always did, onto a corner or a wall.
        const PlanPoint target = index_->SnapPoint(candidate, nullptr, false, tolerance);
        snap_ = {};
        if (target.x != candidate.x || target.y != candidate.y) {
            snap_.kind = SnapKind::Corner;
            snap_.correction = target - candidate;
            snap_.target = snap_.targetEnd = target;
            snap_.gap = Distance(target, candidate);
        }
        return target - anchorOffset_;
    }
    if (!snapIndex_) {
        snapIndex_.emplace(*doc_->GetSite(), level_);
    }
    snap_ = snapIndex_->Snap(*draggedRoom_, mouse - pressPoint_, tolerance);
    return mouse + snap_.correction;
}

bool PlanInteraction::SnapSelection() {
    if (doc_ != nullptr && doc_->GetCurrentRoom() != nullptr) {
        return doc_->SnapRoom();
    }
    const std::optional<PlanPoint> reference = ReferencePoint();
    if (!reference || !index_) {
        return false;
    }
    const PlanPoint target = index_->SnapPoint(*reference, doc_->GetCurrentRoom(), true, 0.0);
    return ShiftBy(target - *reference);
}

bool PlanInteraction::ShiftBy(PlanPoint displacement) {
    double length = 0.0;
    double direction = 0.0;
    CartesianToPolar(displacement.x, displacement.y, &length, &direction);
    if (std::fabs(length) <= kNoMovement) {
        return false;
    }
    return doc_->ShiftSelection(length, direction);
}

std::optional<PlanPoint> PlanInteraction::ReferencePoint() const {
    if (doc_ == nullptr || doc_->GetSite() == nullptr) {
        return std::nullopt;
    }
    if (const Room* room = doc_->GetCurrentRoom()) {
        return room->GetStartPoint();
    }
    return doc_->GetSite()->GetStartPoint();
}

int PlanInteraction::DoubleClickCommand() const {
    if (doc_ == nullptr) {
        return 0;
    }
    switch (doc_->GetSelectionLevel()) {
    case kLevelWall:
        return doc_->GetCurrentOpening() >= 0 ? command_id::kEditOpening : command_id::kEditWall;
    case kLevelRoom:
        return command_id::kRoomProperties;
    case kLevelStartPoint:
        return command_id::kMoveStartPoint;
    case kLevelNone:
        break;
    }
    return 0;
}

DragOutline OutlineOf(const PlanInteraction& interaction, const CTracepadDoc& doc, double scale) {
    DragOutline outline;
    if (!interaction.IsDragging() || doc.GetSite() == nullptr) {
        return outline;
    }
    if (const auto opening = interaction.DraggedOpening()) {
        outline.polylines.push_back({opening->first, opening->second});
        return outline;
    }
    const PlanPoint shift = interaction.Displacement();
    const Room* room = interaction.DraggedRoom();
    if (room == nullptr) {
        outline.marker = true;
        outline.markerCentre = doc.GetSite()->GetStartPoint() + shift;
        return outline;
    }
    // One polyline through the whole chain, as the walls join end to end.
    std::vector<PlanPoint> line{room->GetLocation() + shift};
    PlanPoint position = room->GetLocation();
    const auto addWalls = [&](const auto& walls) {
        for (const auto& wall : walls) {
            const std::vector<PlanPoint> points = WallDrawingPoints(position, *wall, scale);
            for (const PlanPoint& p : points) {
                line.push_back(p + shift);
            }
            if (!points.empty()) {
                position = points.back();
            }
        }
    };
    addWalls(room->UserWalls());
    addWalls(room->SystemWalls());
    if (line.size() > 1) {
        outline.polylines.push_back(std::move(line));
    }
    return outline;
}

DragOutline SnapMarkOf(const PlanInteraction& interaction, double scale, double reach) {
    DragOutline mark;
    const RoomSnap& snap = interaction.CurrentSnap();
    if (!interaction.IsDragging() || snap.kind == SnapKind::None || scale <= 0.0) {
        return mark;
    }
    if (snap.target.x != snap.targetEnd.x || snap.target.y != snap.targetEnd.y) {
        mark.polylines.push_back({snap.target, snap.targetEnd});
        return mark;
    }
    const double r = reach / scale;
    const PlanPoint c = snap.target;
    mark.polylines.push_back({c + PlanPoint(-r, -r), c + PlanPoint(r, -r), c + PlanPoint(r, r),
                              c + PlanPoint(-r, r), c + PlanPoint(-r, -r)});
    return mark;
}

DragOutline SelectedOpeningOutline(const CTracepadDoc& doc, double scale, double reach) {
    DragOutline outline;
    const int index = doc.GetCurrentOpening();
    const Room* room = doc.GetCurrentRoom();
    if (index < 0 || room == nullptr || scale <= 0.0) {
        return outline;
    }
    for (const PlacedOpening& placed : PlaceOpenings(*room)) {
        if (room->GetWall(placed.wallIndex, true) == doc.GetCurrentWall() &&
            placed.openingIndex == index) {
            const PlanPoint side = placed.intoRoom * (reach / scale);
            outline.polylines.push_back({placed.start + side, placed.end + side,
                                         placed.end - side, placed.start - side,
                                         placed.start + side});
        }
    }
    return outline;
}

void DrawOutline(DrawingSurface& surface, const DragOutline& outline,
                 const ViewTransform& transform, Colour colour, int width) {
    const SurfaceStateGuard guard(surface);
    surface.SetPen(colour, width);
    surface.SetNoBrush();
    for (const auto& line : outline.polylines) {
        std::vector<DevicePoint> points;
        points.reserve(line.size());
        for (const PlanPoint& p : line) {
            points.push_back(transform.ToDevice(p));
        }
        surface.DrawPolyline(points);
    }
    if (outline.marker) {
        const DevicePoint c = transform.ToDevice(outline.markerCentre);
        const int r = 4 * MarkerUnit(surface);
        surface.DrawEllipse({c.x - r, c.y - r, c.x + r, c.y + r});
        surface.DrawEllipse({c.x - 1, c.y - 1, c.x + 1, c.y + 1});
    }
}

DeviceRect OutlineBounds(const DragOutline& outline, const ViewTransform& transform,
                         int markerUnit) {
    bool any = false;
    DeviceRect box;
    const auto include = [&](DevicePoint p, int reach) {
        const DeviceRect r{p.x - reach, p.y - reach, p.x + reach + 1, p.y + reach + 1};
        if (!any) {
            box = r;
            any = true;
            return;
        }
        box = {std::min(box.left, r.left), std::min(box.top, r.top),
               std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
    };
    for (const auto& line : outline.polylines) {
        for (const PlanPoint& p : line) {
            include(transform.ToDevice(p), kPenReach);
        }
    }
    if (outline.marker) {
        include(transform.ToDevice(outline.markerCentre), 4 * markerUnit + kPenReach);
    }
    return box;
}

}  // namespace plantrek
