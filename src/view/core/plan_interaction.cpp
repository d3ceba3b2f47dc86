#include "view/core/plan_interaction.h"

#include <algorithm>
#include <cmath>

#include "document/tracepad_doc.h"
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

constexpr Colour kOutlineColour = 0x808080;
// How far the 1-pixel pen may reach beyond the outline's points.
constexpr int kPenReach = 1;

}  // namespace

PlanInteraction::PlanInteraction(CTracepadDoc* doc) : doc_(doc) {
    DocumentChanged();
}

void PlanInteraction::DocumentChanged() {
    dragging_ = false;
    draggedRoom_ = nullptr;
    index_.reset();
    if (doc_ != nullptr && doc_->GetSite() != nullptr) {
        index_.emplace(*doc_->GetSite());
    }
}

bool PlanInteraction::Select(PlanPoint point, double tolerance) {
    if (!index_) {
        return false;
    }
    const PickResult hit = index_->Pick(point, tolerance);
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
    const std::optional<PlanPoint> reference = ReferencePoint();
    if (!reference) {
        return true;
    }
    dragging_ = true;
    moved_ = false;
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
    dragPoint_ = moved_ ? SnappedDragPoint(point, tolerance) : pressPoint_;
}

bool PlanInteraction::Release(PlanPoint point, double tolerance) {
    if (!dragging_) {
        return false;
    }
    Move(point, tolerance);
    dragging_ = false;
    draggedRoom_ = nullptr;
    // A plain click must not move the item onto a corner that merely lies within reach.
    return moved_ && ShiftBy(dragPoint_ - pressPoint_);
}

PlanPoint PlanInteraction::SnappedDragPoint(PlanPoint mouse, double tolerance) const {
    const PlanPoint candidate = mouse + anchorOffset_;
    return index_->SnapPoint(candidate, draggedRoom_, false, tolerance) - anchorOffset_;
}

bool PlanInteraction::SnapSelection() {
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
        return command_id::kEditWall;
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

void DrawOutline(DrawingSurface& surface, const DragOutline& outline,
                 const ViewTransform& transform) {
    const SurfaceStateGuard guard(surface);
    surface.SetPen(kOutlineColour, 1);
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
