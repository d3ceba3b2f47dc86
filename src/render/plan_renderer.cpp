#include "render/plan_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <unordered_map>

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"
#include "render/extent_surface.h"
#include "render/opening_symbols.h"

namespace plantrek {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr int kPieceLimitPixels = 3;
// A door's swing is drawn in at most this many pieces, however large it is on paper.
constexpr int kMostSwingPieces = 90;
// Halving stops here whatever the scale: 2^16 pieces already outrun any screen.
constexpr int kMaxArcDepth = 16;

const QString& NameFontFamily() {
    static const QString family = QStringLiteral("Arial");
    return family;
}

PlanPoint PointOnCircle(PlanPoint centre, double radius, double angle) {
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

void HalveArc(PlanPoint from, PlanPoint to, double fromAngle, double toAngle, PlanPoint centre,
              double radius, double scale, int depth, std::vector<PlanPoint>& points) {
    const double pixels = Distance(from, to) * scale;
    if (depth >= kMaxArcDepth || !(TruncateToPixel(pixels) > kPieceLimitPixels)) {
        points.push_back(to);
        return;
    }
    const double midAngle = (fromAngle + toAngle) / 2.0;
    const PlanPoint mid = PointOnCircle(centre, radius, midAngle);
    HalveArc(from, mid, fromAngle, midAngle, centre, radius, scale, depth + 1, points);
    HalveArc(mid, to, midAngle, toAngle, centre, radius, scale, depth + 1, points);
}

DeviceRect CircleBox(DevicePoint centre, int radius) {
    return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

// The boxes already written on, filed by the square cells of a grid they touch, so that a
// label is checked against its neighbours only, not against every name of a large plan.
class BoxIndex {
public:
    explicit BoxIndex(int cell) : cell_(std::max(1, cell)) {}

    void Add(const DeviceRect& box) {
        const int index = static_cast<int>(boxes_.size());
        boxes_.push_back(box);
        ForCells(box, [&](std::uint64_t key) { cells_[key].push_back(index); });
    }

    // Whether `box` comes closer than `space` to a box added before.
    bool Crowds(const DeviceRect& box, int space) const {
        const DeviceRect grown{box.left - space, box.top - space, box.right + space,
                               box.bottom + space};
        bool found = false;
        ForCells(grown, [&](std::uint64_t key) {
            const auto cell = cells_.find(key);
            if (found || cell == cells_.end()) {
                return;
            }
            for (int index : cell->second) {
                const DeviceRect& other = boxes_[static_cast<std::size_t>(index)];
                if (grown.left < other.right && other.left < grown.right &&
                    grown.top < other.bottom && other.top < grown.bottom) {
                    found = true;
                    return;
                }
            }
        });
        return found;
    }

private:
    template <typename Visit>
    void ForCells(const DeviceRect& box, Visit visit) const {
        const auto cellOf = [this](int value) {
            return static_cast<long long>(std::floor(static_cast<double>(value) / cell_));
        };
        const long long right = cellOf(std::max(box.left, box.right - 1));
        const long long bottom = cellOf(std::max(box.top, box.bottom - 1));
        for (long long x = cellOf(box.left); x <= right; ++x) {
            for (long long y = cellOf(box.top); y <= bottom; ++y) {
                visit((static_cast<std::uint64_t>(x) << 32) ^
                      static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)));
            }
        }
    }

    int cell_;
    std::vector<DeviceRect> boxes_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
};

}  // namespace

std::vector<PlanPoint> WallDrawingPoints(PlanPoint start, const Wall& wall, double scale) {
    const PlanPoint end = start + wall.GetVector();
    std::vector<PlanPoint> points;
    if (!wall.HasArc()) {
        points.push_back(end);
        return points;
    }
    const WallArc arc = wall.GetArc(start);
    const double startAngle = std::atan2(start.y - arc.centre.y, start.x - arc.centre.x);
    // Seen from start to end, an arc bowing to the left runs clockwise around its centre.
    const double sweep = arc.bulgesLeft ? -wall.GetArcSweep() : wall.GetArcSweep();
    HalveArc(start, end, startAngle, startAngle + sweep, arc.centre, arc.radius, scale, 0, points);
    return points;
}

RoomDrawing RoomDrawingOf(const Room& room, const DrawingValues& values) {
    return RoomDrawingOf(room.GetLevel(), values);
}

Colour FaintColour(Colour colour) {
    // A quarter of the colour over three quarters of white.
    const auto wash = [](int channel) { return (channel + 3 * 255 + 2) / 4; };
    return MakeColour(wash(RedOf(colour)), wash(GreenOf(colour)), wash(BlueOf(colour)));
}

Colour ContrastColour(Colour colour) {
    const long long r = RedOf(colour);
    const long long g = GreenOf(colour);
    const long long b = BlueOf(colour);
    const long long toBlack = r * r + g * g + b * b;
    const long long toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toBlack < toWhite ? kWhite : kBlack;
}

PlanRenderer::PlanRenderer(DrawingSurface& surface, const ViewTransform& transform,
                           const PlanSelection& selection, const DrawingValues& values)
    : surface_(surface),
      transform_(transform),
      selection_(selection),
      values_(values),
      screenPixel_(surface.ScreenPixel()),
      markerUnit_(std::max(1, static_cast<int>(std::lround(MarkerUnit(surface) * screenPixel_)))) {}

void PlanRenderer::SetSiteOpenings(std::shared_ptr<const SiteOpenings> openings) {
    siteOpenings_ = openings && !openings->Empty() ? std::move(openings) : nullptr;
    siteOpeningsGiven_ = true;
}

void PlanRenderer::VisitSiteBegin(const Site& site) {
    site_ = &site;
    if (!siteOpeningsGiven_) {
        SetSiteOpenings(std::make_shared<const SiteOpenings>(site, values_.Level));
    }
}

void PlanRenderer::VisitRoomBegin(const Room& room) {
    const RoomDrawing drawing = RoomDrawingOf(room, values_);
    if (drawing == RoomDrawing::kHidden) {
        room_ = nullptr;
        return;
    }
    room_ = &room;
    faint_ = drawing == RoomDrawing::kFaint;
    position_ = room.GetLocation();
    wallsSeen_ = 0;
    haveSelectedWallStart_ = false;
    haveLastUserWall_ = false;
    const DevicePoint p = transform_.ToDevice(position_);
    box_ = {p.x, p.y, p.x, p.y};
    outline_.clear();
    outline_.push_back(p);
    roomLengths_.clear();
    roomTurn_ = 0;
    strokes_.clear();
    if (faint_) {
        roomOpenings_.clear();  // a faint room is an outline only
    } else if (siteOpenings_) {
        roomOpenings_ = siteOpenings_->Near(room);
    } else if (site_ == nullptr) {
        roomOpenings_ = PlaceOpenings(room);  // a room drawn on its own
    } else {
        roomOpenings_.clear();
    }
    if (!roomOpenings_.empty()) {
        strokes_.push_back({p});
    }
}

void PlanRenderer::IncludeInBox(DevicePoint p) {
    box_.left = std::min(box_.left, p.x);
    box_.top = std::min(box_.top, p.y);
    box_.right = std::max(box_.right, p.x);
    box_.bottom = std::max(box_.bottom, p.y);
}

void PlanRenderer::VisitWall(const Wall& wall) {
    if (room_ == nullptr) {
        return;
    }
    const PlanPoint start = position_;
    const PlanPoint end = start + wall.GetVector();
    position_ = end;
    const bool userWall = wallsSeen_ < static_cast<int>(room_->UserWalls().size());
    ++wallsSeen_;
    roomTurn_ += start.x * end.y - end.x * start.y;
    if (lengthUnits_ != nullptr && values_.ShowWallLengths && !faint_) {
        NoteWallLength(start, end, wall, !userWall);
    }

    // The wall's start is the room's location or the end of the wall before, already in the box.
    const DevicePoint deviceEnd = transform_.ToDevice(end);
    IncludeInBox(deviceEnd);

    if (!IsSelectedRoom() && !wall.HasArc()) {
        // Most walls of a large plan: one point, without the list an arc needs.
        if (userWall) {
            haveLastUserWall_ = true;
            lastUserWallEnd_ = end;
            lastPieceStart_ = start;
        }
        outline_.push_back(deviceEnd);
        if (!strokes_.empty()) {
            ContinueStrokes(start, end);
        }
        return;
    }

    const std::vector<PlanPoint> points = WallDrawingPoints(start, wall, transform_.scale);
    if (userWall) {
        haveLastUserWall_ = true;
        lastUserWallEnd_ = end;
        lastPieceStart_ = points.size() >= 2 ? points[points.size() - 2] : start;
    }

    if (!IsSelectedRoom()) {
        for (const PlanPoint& p : points) {
            outline_.push_back(transform_.ToDevice(p));
        }
        if (!strokes_.empty()) {
            // Openings stand on straight walls only.
            strokes_.back().insert(strokes_.back().end(), outline_.end() - points.size(),
                                   outline_.end());
        }
        return;
    }

    Colour colour = values_.WallColor;
    switch (wall.GetKind()) {
        case WallKind::User:
            if (&wall == selection_.wall) {
                colour = values_.SelectedColor;
                haveSelectedWallStart_ = true;
                selectedWallStart_ = start;
            }
            break;
        case WallKind::System:
            colour = values_.AddedColor;
            break;
        case WallKind::Removed:
            colour = values_.RemovedColor;
            break;
    }
    const SurfaceStateGuard guard(surface_);
    surface_.SetPen(colour, 2);
    DrawWall(start, wall);
}

void PlanRenderer::ContinueStrokes(PlanPoint start, PlanPoint end) {
    double from = 0.0;
    for (const auto& [cutFrom, cutTo] : OpeningCuts(start, end, roomOpenings_)) {
        if (cutFrom > from) {
            strokes_.back().push_back(transform_.ToDevice(start + (end - start) * cutFrom));
        }
        strokes_.push_back({transform_.ToDevice(start + (end - start) * cutTo)});
        from = cutTo;
    }
    if (from < 1.0) {
        strokes_.back().push_back(transform_.ToDevice(end));
    }
}

void PlanRenderer::DrawWall(PlanPoint start, const Wall& wall) {
    if (!roomOpenings_.empty() && !wall.HasArc()) {
        const PlanPoint end = start + wall.GetVector();
        const auto cuts = OpeningCuts(start, end, roomOpenings_);
        if (!cuts.empty()) {
            double from = 0.0;
            for (std::size_t i = 0; i <= cuts.size(); ++i) {
                const double to = i < cuts.size() ? cuts[i].first : 1.0;
                if (to > from) {
                    surface_.DrawLine(transform_.ToDevice(start + (end - start) * from),
                                      transform_.ToDevice(start + (end - start) * to));
                }
                from = i < cuts.size() ? cuts[i].second : 1.0;
            }
            return;
        }
    }
    std::vector<DevicePoint> device;
    device.push_back(transform_.ToDevice(start));
    for (const PlanPoint& p : WallDrawingPoints(start, wall, transform_.scale)) {
        device.push_back(transform_.ToDevice(p));
    }
    if (device.size() == 2) {
        surface_.DrawLine(device[0], device[1]);
    } else {
        surface_.DrawPolyline(device);
    }
}

void PlanRenderer::VisitRoomEnd(const Room& room) {
    if (room_ != &room) {
        return;
    }
    if (faint_) {
        FillOutline(room);
        room_ = nullptr;
        return;
    }
    if (IsSelectedRoom()) {
        if (haveSelectedWallStart_) {
            const SurfaceStateGuard guard(surface_);
            surface_.SetPen(values_.SelectedColor, 2);
            DrawWall(selectedWallStart_, *selection_.wall);
        }
        if (haveLastUserWall_) {
            DrawArrow();
            DrawRoomStartCircle(room);
        }
    } else {
        FillOutline(room);
    }
    for (const PlacedOpening& placed : roomOpenings_) {
        if (placed.room != &room) {
            continue;
        }
        if (IsSelectedRoom()) {
            DrawOpening(placed);  // the selected room is not filled: nothing will cover it
        } else {
            pendingOpenings_.push_back(placed);
        }
    }
    if (room.GetCloseState() == CloseState::Closed && values_.ShowNames) {
        DrawName(room);
    }
    // A negative turn is clockwise as the plan is seen, on paper and on screen alike.
    for (PendingLength& length : roomLengths_) {
        length.clockwise = roomTurn_ < 0;
        lengths_.push_back(length);
    }
    roomLengths_.clear();
    room_ = nullptr;
}

void PlanRenderer::NoteWallLength(PlanPoint start, PlanPoint end, const Wall& wall, bool closing) {
    PendingLength length{transform_.ToDevice(start), transform_.ToDevice(end),
                         lengthUnits_->FormatLength(wall.GetLength()), false};
    length.closing = closing;
    length.level = room_->GetLevel();
    if (wall.HasArc()) {
        // The label goes beyond the arc, not onto it.
        const double dx = length.to.x - length.from.x;
        const double dy = length.to.y - length.from.y;
        const double chord = std::hypot(dx, dy);
        if (chord >= 1.0) {
            for (const PlanPoint& p : WallDrawingPoints(start, wall, transform_.scale)) {
                const DevicePoint d = transform_.ToDevice(p);
                // Positive to the left of the direction of walk, as the screen shows it.
                const double side =
                    ((d.x - length.from.x) * dy - (d.y - length.from.y) * dx) / chord;
                length.bulgeLeft = std::max(length.bulgeLeft, side);
                length.bulgeRight = std::max(length.bulgeRight, -side);
            }
        }
    }
    roomLengths_.push_back(length);
}

void PlanRenderer::DrawWallLengths() {
    const SurfaceStateGuard guard(surface_);
    // Measured lengths first: where a closing wall lies on a measured one, or labels crowd,
    // the measured length is the one written.
    std::stable_partition(lengths_.begin(), lengths_.end(),
                          [](const PendingLength& length) { return !length.closing; });
    // Cells of a few labels' height: a name or a label touches only a handful.
    BoxIndex taken(static_cast<int>(4 * kLargestLengthHeight * screenPixel_));
    for (const DeviceRect& name : nameBoxes_) {
        taken.Add(name);
    }
    // A label keeps a little space around it, so that it never touches a name or another label.
    const int space = std::max(1, static_cast<int>(std::lround(2.0 * screenPixel_)));
    // A wall two rooms share is written once: the second room walks it the other way.
    std::set<std::array<int, 5>> written;
    const auto key = [](const PendingLength& length) {
        DevicePoint a = length.from;
        DevicePoint b = length.to;
        if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) {
            std::swap(a, b);
        }
        return std::array<int, 5>{length.level, a.x, a.y, b.x, b.y};
    };
    // A closing wall that lies on another room's measured wall has a measured length, even
    // where the measured wall's own label found no room.
    std::set<std::array<int, 5>> measured;
    for (const PendingLength& length : lengths_) {
        if (!length.closing) {
            measured.insert(key(length));
        }
    }
    for (const PendingLength& length : lengths_) {
        if (written.count(key(length)) != 0) {
            continue;
        }
        const double dx = length.to.x - length.from.x;
        const double dy = length.to.y - length.from.y;
        const double wallPixels = std::hypot(dx, dy);
        if (wallPixels < 1.0) {
            continue;
        }
        const double ux = dx / wallPixels;
        const double uy = dy / wallPixels;
        // Outside: to the left of the direction of walk on a clockwise outline, else the right.
        const double nx = length.clockwise ? uy : -uy;
        const double ny = length.clockwise ? -ux : ux;
        for (int height = kLargestLengthHeight; height >= kSmallestLengthHeight; --height) {
            surface_.SetFont(NameFontFamily(), height);
            const TextExtent extent = surface_.MeasureText(length.text);
            const double along = std::fabs(ux) * extent.width + std::fabs(uy) * extent.height;
            if (along > wallPixels - 4.0 * screenPixel_) {
                continue;  // a smaller size may fit
            }
            const double bulge = length.clockwise ? length.bulgeLeft : length.bulgeRight;
            const double away = std::fabs(nx) * extent.width / 2.0 +
                                std::fabs(ny) * extent.height / 2.0 + kLengthGap * screenPixel_ +
                                bulge;
            const int cx = TruncateToPixel((length.from.x + length.to.x) / 2.0 + nx * away);
            const int cy = TruncateToPixel((length.from.y + length.to.y) / 2.0 + ny * away);
            const DeviceRect box{cx - extent.width / 2, cy - extent.height / 2,
                                 cx - extent.width / 2 + extent.width,
                                 cy - extent.height / 2 + extent.height};
            if (!taken.Crowds(box, space)) {
                // A computed length in the colour of the wall that closes the room, told apart
                // from the measured ones.
                const bool computed = length.closing && measured.count(key(length)) == 0;
                surface_.SetTextColour(computed ? values_.AddedColor : values_.WallColor);
                surface_.DrawTextCentred(length.text, box);
                taken.Add(box);
                written.insert(key(length));
            }
            break;
        }
    }
    lengths_.clear();
}

void PlanRenderer::DrawArrow() {
    const double d = transform_.ToPlanLength(4.0 * markerUnit_);
    const PlanPoint e = lastUserWallEnd_;
    const PlanPoint p = lastPieceStart_;
    PlanPoint arm1;
    PlanPoint arm2;
    if (std::fabs(e.x - p.x) < kZeroTolerance) {
        const double back = e.y > p.y ? -d : d;
        arm1 = {e.x - d, e.y + back};
        arm2 = {e.x + d, e.y + back};
    } else if (std::fabs(e.y - p.y) < kZeroTolerance) {
        const double back = e.x > p.x ? -d : d;
        arm1 = {e.x + back, e.y - d};
        arm2 = {e.x + back, e.y + d};
    } else {
        const PlanPoint along = e - p;
        const PlanPoint u = along / Length(along) * d;
        const PlanPoint base = e - u;
        const PlanPoint across{-u.y, u.x};
        arm1 = base + across;
        arm2 = base - across;
    }
    const SurfaceStateGuard guard(surface_);
    surface_.SetPen(values_.WallColor, 2);
    surface_.DrawPolyline(
        {transform_.ToDevice(arm1), transform_.ToDevice(e), transform_.ToDevice(arm2)});
}

void PlanRenderer::DrawRoomStartCircle(const Room& room) {
    const SurfaceStateGuard guard(surface_);
    surface_.SetPen(values_.WallColor, 2);
    surface_.SetNoBrush();
    surface_.DrawEllipse(CircleBox(transform_.ToDevice(room.GetStartPoint()), 2 * markerUnit_));
}

void PlanRenderer::FillOutline(const Room& room) {
    Colour fill = kMissingMaterialColour;
    if (site_ != nullptr) {
        if (const Material* material = site_->FindMaterialByIndex(room.GetMaterial())) {
            fill = material->GetColour();
        }
    }
    const Colour wallColour = faint_ ? FaintColour(values_.WallColor) : values_.WallColor;
    if (faint_) {
        fill = FaintColour(fill);
    }
    const SurfaceStateGuard guard(surface_);
    surface_.SetPen(wallColour, 1);
    surface_.SetBrush(fill);
    if (strokes_.empty()) {
        if (room.GetCloseState() == CloseState::Closed) {
            surface_.DrawPolygon(outline_);
        } else {
            surface_.DrawPolyline(outline_);
        }
        return;
    }
    // Outlined in its own colour, so that no seam shows in a gap where two fills meet; the wall
    // lines follow, broken where openings stand.
    if (room.GetCloseState() == CloseState::Closed) {
        surface_.SetPen(fill, 1);
        surface_.DrawPolygon(outline_);
        surface_.SetPen(values_.WallColor, 1);
    }
    for (const std::vector<DevicePoint>& stroke : strokes_) {
        if (stroke.size() == 2) {
            surface_.DrawLine(stroke[0], stroke[1]);
        } else if (stroke.size() > 2) {
            surface_.DrawPolyline(stroke);
        }
    }
}

void PlanRenderer::DrawOpening(const PlacedOpening& placed) {
    if (placed.opening == nullptr) {
        return;
    }
    const bool selected = placed.opening == selection_.opening;
    const SurfaceStateGuard guard(surface_);
    surface_.SetPen(selected ? values_.SelectedColor : values_.WallColor, selected ? 2 : 1);
    const auto line = [this](PlanPoint from, PlanPoint to) {
        surface_.DrawLine(transform_.ToDevice(from), transform_.ToDevice(to));
    };
    // The jambs: short lines across the wall at the gap's ends, as thick as a wall is drawn.
    const PlanPoint across = placed.intoRoom * transform_.ToPlanLength(markerUnit_);
    line(placed.start - across, placed.start + across);
    line(placed.end - across, placed.end + across);
    switch (placed.opening->kind) {
        case OpeningKind::Window:
            // Two thin lines, the glazing, bridging the gap.
            line(placed.start - across, placed.end - across);
            line(placed.start + across, placed.end + across);
            break;
        case OpeningKind::Door: {
            const DoorSwing swing = DoorSwingOf(placed);
            // The swing: a quarter circle about the hinge, from the open leaf to the far jamb.
            double sweep = swing.closedAngle - swing.openAngle;
            sweep = std::remainder(sweep, 2.0 * M_PI);
            const double arcPixels = swing.radius * transform_.scale * std::fabs(sweep);
            const int pieces = std::clamp(
                static_cast<int>(std::ceil(arcPixels / kPieceLimitPixels)), 2, kMostSwingPieces);
            std::vector<DevicePoint> arc;
            for (int i = 0; i <= pieces; ++i) {
                const double angle = swing.openAngle + sweep * i / pieces;
                arc.push_back(transform_.ToDevice(PointOnCircle(swing.hinge, swing.radius, angle)));
            }
            arc.erase(std::unique(arc.begin(), arc.end()), arc.end());
            if (arc.size() >= 2) {
                surface_.DrawPolyline(arc);
            }
            // The leaf, open square to the wall, in a heavier line.
            surface_.SetPen(selected ? values_.SelectedColor : values_.WallColor, 2);
            line(swing.hinge, swing.open);
            break;
        }
        case OpeningKind::Passage:
            break;
    }
}

void PlanRenderer::DrawName(const Room& room) {
    const Material* material =
        site_ != nullptr ? site_->FindMaterialByIndex(room.GetMaterial()) : nullptr;
    const Colour textColour = material != nullptr ? ContrastColour(material->GetColour()) : kBlack;
    const DeviceRect rect{box_.left + 1, box_.top + 1, box_.right - 1, box_.bottom - 1};

    const SurfaceStateGuard guard(surface_);
    surface_.SetFittingFont(NameFontFamily(), room.GetName(), kLargestNameHeight,
                            kSmallestNameHeight, rect.Width(), rect.Height());
    surface_.SetTextColour(textColour);
    surface_.DrawTextCentred(room.GetName(), rect);
    if (lengthUnits_ != nullptr && values_.ShowWallLengths) {
        const TextExtent extent = surface_.MeasureText(room.GetName());
        const int left = rect.left + (rect.Width() - extent.width) / 2;
        const int top = rect.top + (rect.Height() - extent.height) / 2;
        nameBoxes_.push_back({left, top, left + extent.width, top + extent.height});
    }
}

void PlanRenderer::VisitSiteEnd(const Site& site) {
    for (const PlacedOpening& placed : pendingOpenings_) {
        DrawOpening(placed);
    }
    pendingOpenings_.clear();
    if (!lengths_.empty()) {
        DrawWallLengths();
    }
    if (selection_.room != nullptr &&
        RoomDrawingOf(*selection_.room, values_) == RoomDrawing::kFull &&
        site.IndexOfRoom(selection_.room) >= 0) {
        // Walked again on its own so that it lies over every room drawn after it. The fresh
        // renderer has not seen the site: the selected room is not filled, and its name is
        // written in black.
        PlanRenderer top(surface_, transform_, selection_, values_);
        top.SetSiteOpenings(siteOpenings_);
        TraverseRoom(*selection_.room, top);
    }
    DrawSiteStartMarker(site);
}

void PlanRenderer::DrawSiteStartMarker(const Site& site) {
    const DevicePoint centre = transform_.ToDevice(site.GetStartPoint());
    const SurfaceStateGuard guard(surface_);
    if (selection_.startPoint) {
        surface_.SetPen(values_.SelectedColor, 2);
    } else {
        surface_.SetPen(values_.WallColor, 1);
    }
    surface_.SetNoBrush();
    surface_.DrawEllipse(CircleBox(centre, 4 * markerUnit_));
    surface_.DrawEllipse(
        CircleBox(centre, std::max(1, static_cast<int>(std::lround(screenPixel_)))));
}

namespace {

// Pens up to 2 pixels, the direction arrow and the start circles reach this far beyond a
// room's walls.
constexpr int kMarkerReach = 24;
// A name that does not fit its room is written at 5 pixels; no character of such a font is
// wider than this.
constexpr int kWidestSmallCharacter = 6;
// How far a wall's length may reach beyond its room: the widest length at the largest size.
constexpr int kWallLengthReach = 120;

}  // namespace

std::vector<const Room*> RoomsToDraw(const Site& site, const DrawingValues& values) {
    const int faintLevel = FaintLevelOf(values);
    if (faintLevel < 0) {
        return site.RoomsOf(values.Level < 0 ? Site::kEveryLevel : values.Level);
    }
    const auto& shown = site.RoomsOnLevel(values.Level);
    const auto& faint = site.RoomsOnLevel(faintLevel);
    std::vector<const Room*> rooms;
    rooms.reserve(faint.size() + shown.size());
    rooms.insert(rooms.end(), faint.begin(), faint.end());
    rooms.insert(rooms.end(), shown.begin(), shown.end());
    return rooms;
}

std::vector<RoomReach> MeasureFaintReach(const Site& site, const DrawingValues& values) {
    std::vector<RoomReach> reach;
    const int faintLevel = FaintLevelOf(values);
    if (faintLevel < 0) {
        return reach;
    }
    const auto& rooms = site.RoomsOnLevel(faintLevel);
    reach.reserve(rooms.size());
    for (const Room* room : rooms) {
        // A faint room is its outline only: no name, no lengths, no doors.
        reach.push_back({room, room->GetBounds(), kMarkerReach, kMarkerReach});
    }
    return reach;
}

std::vector<RoomReach> MeasureRoomReach(const Site& site, const DrawingValues& values,
                                        bool wallLengths) {
    std::vector<RoomReach> reach = MeasureFaintReach(site, values);
    DrawingValues shownOnly = values;
    shownOnly.FaintLevelBelow = false;
    const std::vector<const Room*> rooms = RoomsToDraw(site, shownOnly);
    reach.reserve(reach.size() + rooms.size());
    const bool lengths = wallLengths && values.ShowWallLengths;
    for (const Room* room : rooms) {
        int sideways = kMarkerReach;
        if (values.ShowNames) {
            sideways = std::max(sideways,
                                static_cast<int>(room->GetName().size()) * kWidestSmallCharacter);
        }
        if (lengths) {
            sideways = std::max(sideways, kWallLengthReach);
        }
        PlanRect box = room->GetBounds();
        if (const double door = WidestDoor(*room); door > 0.0 && !box.empty) {
            box = {box.minX - door, box.minY - door, box.maxX + door, box.maxY + door, false};
        }
        reach.push_back({room, box, sideways, lengths ? kWallLengthReach : kMarkerReach});
    }
    return reach;
}

namespace {

// Walks the rooms of `reach` whose drawing reaches into `region`.
void WalkRoomsInRegion(PlanRenderer& renderer, const DrawingSurface& surface,
                       const ViewTransform& transform, const std::vector<RoomReach>& reach,
                       const DeviceRect& region) {
    const double pixel = surface.ScreenPixel();
    for (const RoomReach& room : reach) {
        if (room.box.empty) {
            continue;
        }
        // Device y grows downward, so the plan's top edge gives the smaller y.
        const DevicePoint topLeft = transform.ToDevice({room.box.minX, room.box.maxY});
        const DevicePoint bottomRight = transform.ToDevice({room.box.maxX, room.box.minY});
        const double sideways = room.sideways * pixel;
        const double upDown = room.upDown * pixel;
        if (topLeft.x - sideways < region.right && region.left <= bottomRight.x + sideways &&
            topLeft.y - upDown < region.bottom && region.top <= bottomRight.y + upDown) {
            TraverseRoom(*room.room, renderer);
        }
    }
}

}  // namespace

void RenderSiteRegion(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                      const PlanSelection& selection, const DrawingValues& values,
                      const LengthUnits* wallLengthUnits, const std::vector<RoomReach>& reach,
                      const DeviceRect& region) {
    PlanRenderer renderer(surface, transform, selection, values);
    renderer.SetWallLengthUnits(wallLengthUnits);
    renderer.VisitSiteBegin(site);
    WalkRoomsInRegion(renderer, surface, transform, reach, region);
    renderer.VisitSiteEnd(site);
}

void RenderFaintRegion(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                       const PlanSelection& selection, const DrawingValues& values,
                       const std::vector<RoomReach>& faintReach, const DeviceRect& region) {
    PlanRenderer renderer(surface, transform, selection, values);
    // Faint rooms are outlines only: no doors or windows are placed.
    renderer.SetSiteOpenings(nullptr);
    renderer.VisitSiteBegin(site);
    WalkRoomsInRegion(renderer, surface, transform, faintReach, region);
}

std::optional<DeviceRect> RenderedExtent(const Site& site, DrawingSurface& measuring,
                                         const ViewTransform& transform,
                                         const PlanSelection& selection,
                                         const DrawingValues& values,
                                         const LengthUnits* wallLengthUnits) {
    const SurfaceStateGuard guard(measuring);
    ExtentSurface extent(measuring);
    RenderSite(site, extent, transform, selection, values, wallLengthUnits);
    return extent.Extent();
}

void RenderSite(const Site& site, DrawingSurface& surface, const ViewTransform& transform,
                const PlanSelection& selection, const DrawingValues& values,
                const LengthUnits* wallLengthUnits) {
    PlanRenderer renderer(surface, transform, selection, values);
    renderer.SetWallLengthUnits(wallLengthUnits);
    const int faintLevel = FaintLevelOf(values);
    if (faintLevel < 0) {
        site.Traverse(renderer, values.Level);
        return;
    }
    renderer.VisitSiteBegin(site);
    for (const Room* room : RoomsToDraw(site, values)) {
        TraverseRoom(*room, renderer);
    }
    renderer.VisitSiteEnd(site);
}

}  // namespace plantrek
