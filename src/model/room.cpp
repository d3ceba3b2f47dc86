#include "model/room.h"

#include <algorithm>
#include <cmath>

#include "model/closing.h"
#include "model/units.h"

namespace plantrek {

Room::Room(const Room& other)
    : name_(other.name_),
      material_(other.material_),
      closeRule_(other.closeRule_),
      closeState_(CloseState::NotComputed),
      startPoint_(other.startPoint_),
      location_(other.location_),
      ceilingHeight_(other.ceilingHeight_),
      level_(other.level_),
      annotations_(other.annotations_) {
    userWalls_.reserve(other.userWalls_.size());
    for (const auto& wall : other.userWalls_) {
        userWalls_.push_back(std::make_unique<Wall>(*wall));
    }
}

Room& Room::operator=(const Room& other) {
    if (this != &other) {
        Room copy(other);
        name_ = std::move(copy.name_);
        material_ = copy.material_;
        closeRule_ = copy.closeRule_;
        closeState_ = CloseState::NotComputed;
        userWalls_ = std::move(copy.userWalls_);
        systemWalls_.clear();
        startPoint_ = copy.startPoint_;
        location_ = copy.location_;
        ceilingHeight_ = copy.ceilingHeight_;
        level_ = copy.level_;
        annotations_ = copy.annotations_;
        sharedCopy_.reset();
    }
    return *this;
}

void Room::SetCloseRule(CloseRule rule) {
    closeRule_ = rule;
    InvalidateClosing();
}

void Room::SetLocation(PlanPoint location) {
    location_ = location;
}

void Room::InvalidateClosing() {
    systemWalls_.clear();
    closeState_ = CloseState::NotComputed;
}

CloseState Room::GetCloseState() const {
    return plantrek::GetCloseState(*this);
}

Wall* Room::AddWall(double length, double direction, double arcHeight) {
    auto wall = std::make_unique<Wall>();
    wall->SetPolar(length, direction);
    wall->SetArcHeight(arcHeight);
    wall->SetKind(WallKind::User);
    Wall* added = wall.get();
    userWalls_.push_back(std::move(wall));
    InvalidateClosing();
    return added;
}

Wall* Room::InsertWallAfter(std::unique_ptr<Wall> wall, const Wall* after) {
    Wall* inserted = wall.get();
    const int at = IndexOfWall(after);
    if (after == nullptr || at < 0) {
        userWalls_.push_back(std::move(wall));
    } else {
        userWalls_.insert(userWalls_.begin() + at + 1, std::move(wall));
    }
    InvalidateClosing();
    return inserted;
}

void Room::RemoveWall(const Wall* wall) {
    const int at = IndexOfWall(wall);
    if (at >= 0) {
        if (at == 0 && userWalls_.size() > 1) {
            location_ += userWalls_[0]->GetVector();
        }
        userWalls_.erase(userWalls_.begin() + at);
    }
    InvalidateClosing();
    ValidateStartPoint();
}

int Room::IndexOfWall(const Wall* wall) const {
    if (wall == nullptr) {
        return -1;
    }
    for (std::size_t i = 0; i < userWalls_.size(); ++i) {
        if (userWalls_[i].get() == wall) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const Wall* Room::CombinedWall(int index) const {
    if (index < 0) {
        return nullptr;
    }
    const auto u = static_cast<std::size_t>(index);
    if (u < userWalls_.size()) {
        return userWalls_[u].get();
    }
    const std::size_t s = u - userWalls_.size();
    if (s < systemWalls_.size()) {
        return systemWalls_[s].get();
    }
    return nullptr;
}

const Wall* Room::GetWall(int index, bool userOnly) const {
    GetCloseState();
    if (userOnly) {
        if (index < 0 || static_cast<std::size_t>(index) >= userWalls_.size()) {
            return nullptr;
        }
        return userWalls_[static_cast<std::size_t>(index)].get();
    }
    return CombinedWall(index);
}

Wall* Room::GetWall(int index, bool userOnly) {
    return const_cast<Wall*>(static_cast<const Room*>(this)->GetWall(index, userOnly));
}

int Room::WallCount(bool userOnly) const {
    if (userOnly) {
        return static_cast<int>(userWalls_.size());
    }
    GetCloseState();
    return CombinedCount();
}

Room::WallList Room::TakeUserWalls() {
    WallList walls = std::move(userWalls_);
    userWalls_.clear();
    InvalidateClosing();
    return walls;
}

void Room::SetUserWalls(WallList walls) {
    userWalls_ = std::move(walls);
    InvalidateClosing();
}

Wall* Room::AppendUserWallCopy(const Wall& wall) {
    auto copy = std::make_unique<Wall>(wall);
    copy->SetKind(WallKind::User);
    Wall* added = copy.get();
    userWalls_.push_back(std::move(copy));
    InvalidateClosing();
    return added;
}

std::pair<PlanPoint, PlanPoint> Room::GetWallEnds(int index) const {
    GetCloseState();
    PlanPoint p = location_;
    const int n = CombinedCount();
    for (int i = 0; i < n; ++i) {
        const PlanPoint next = p + CombinedWall(i)->GetVector();
        if (i == index) {
            return {p, next};
        }
        p = next;
    }
    return {p, p};
}

std::vector<PlanPoint> Room::OutlineVertices(bool expandArcs) const {
    const int n = CombinedCount();
    std::vector<PlanPoint> points;
    points.reserve(static_cast<std::size_t>(n) * (expandArcs ? 2 : 1) + 1);
    PlanPoint p{0.0, 0.0};
    points.push_back(p);
    for (int i = 0; i < n; ++i) {
        const Wall* wall = CombinedWall(i);
        if (expandArcs && wall->HasArc()) {
            points.push_back(p + wall->GetArcMidpoint());
        }
        p += wall->GetVector();
        points.push_back(p);
    }
    return points;
}

std::vector<PlanPoint> Room::GetVertices(bool expandArcs) const {
    GetCloseState();
    return OutlineVertices(expandArcs);
}

int Room::IndexOfVertex(PlanPoint point) const {
    GetCloseState();
    PlanPoint p = location_;
    const int n = CombinedCount();
    for (int k = 0; k <= n; ++k) {
        // Strictly within the tolerance in both coordinates.
        if (std::fabs(p.x - point.x) < kPointTolerance && std::fabs(p.y - point.y) < kPointTolerance) {
            return k;
        }
        if (k < n) {
            p += CombinedWall(k)->GetVector();
        }
    }
    return -1;
}

void Room::ValidateStartPoint() {
    if (IndexOfVertex(startPoint_) == -1) {
        startPoint_ = location_;
    }
}

int Room::OrientationOf(const std::vector<PlanPoint>& v) const {
    const int m = static_cast<int>(v.size()) - 1;
    if (m < 1) {
        return 0;
    }
    bool positive = false;
    bool negative = false;
    for (int k = 0; k < m; ++k) {
        const PlanPoint a = v[static_cast<std::size_t>(k)];
        const PlanPoint b = v[static_cast<std::size_t>((k + 1) % m)];
        const PlanPoint c = v[static_cast<std::size_t>((k + 2) % m)];
        const double cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
        if (cross > 0.0) {
            positive = true;
        } else if (cross < 0.0) {
            negative = true;
        }
    }
    if (positive && !negative) {
        return 1;
    }
    if (negative && !positive) {
        return -1;
    }
    if (!positive && !negative) {
        return 0;
    }
    double shoelace = 0.0;
    for (int k = 0; k < m; ++k) {
        const PlanPoint a = v[static_cast<std::size_t>(k)];
        const PlanPoint b = v[static_cast<std::size_t>((k + 1) % m)];
        shoelace += a.x * b.y - a.y * b.x;
    }
    return shoelace >= 0.0 ? 1 : -1;
}

int Room::GetOrientation() const {
    GetCloseState();
    return OrientationOf(OutlineVertices(true));
}

double Room::GetArea() const {
    if (GetCloseState() != CloseState::Closed) {
        return 0.0;
    }
    double sum = 0.0;
    PlanPoint p = location_;
    const int n = CombinedCount();
    for (int i = 0; i < n; ++i) {
        const PlanPoint next = p + CombinedWall(i)->GetVector();
        sum += (p.x - next.x) * (next.y + p.y);
        p = next;
    }
    double area = std::fabs(sum * 0.5);

    const int o = OrientationOf(OutlineVertices(true));
    for (const auto& wall : userWalls_) {
        if (!wall->HasArc()) {
            continue;
        }
        const double h = wall->GetArcHeight();
        const double r = wall->GetArcRadius();
        const double theta = wall->GetArcSweep();
        const double sector = r * r * kPi * (theta / kTwoPi);
        const double triangle = (r - std::fabs(h)) * wall->GetLength() * 0.5;
        const double s = sector - triangle;
        double contribution = s;
        if (o > 0) {
            contribution = h > 0.0 ? -s : s;
        } else if (o < 0) {
            contribution = h < 0.0 ? -s : s;
        }
        area += contribution;
    }
    return area;
}

double Room::GetPerimeter() const {
    GetCloseState();
    double perimeter = 0.0;
    const int n = CombinedCount();
    for (int i = 0; i < n; ++i) {
        perimeter += CombinedWall(i)->GetPathLength();
    }
    return perimeter;
}

PlanPoint Room::GetCentroid() const {
    const std::vector<PlanPoint> v = GetVertices(false);
    const int n = static_cast<int>(v.size());
    if (n < 3) {
        return location_;
    }
    double a2 = 0.0;
    double gx = 0.0;
    double gy = 0.0;
    for (int k = 0; k < n; ++k) {
        const PlanPoint prev = v[static_cast<std::size_t>(k == 0 ? n - 1 : k - 1)];
        const PlanPoint cur = v[static_cast<std::size_t>(k)];
        const double t = prev.x * cur.y - cur.x * prev.y;
        a2 += t;
        gx += (cur.x + prev.x) * t;
        gy += (cur.y + prev.y) * t;
    }
    PlanPoint g{0.0, 0.0};
    if (a2 != 0.0) {
        g = {gx / (3.0 * a2), gy / (3.0 * a2)};
    }
    return location_ + g - startPoint_;
}

PlanRect Room::GetBounds() const {
    GetCloseState();
    PlanRect box = PlanRect::Around(location_);
    PlanPoint p = location_;
    const int n = CombinedCount();
    for (int i = 0; i < n; ++i) {
        const Wall* wall = CombinedWall(i);
        const PlanPoint end = p + wall->GetVector();
        box.Include(p);
        box.Include(end);
        if (wall->HasArc()) {
            const PlanPoint bow = wall->GetArcMidpoint() - wall->GetVector() / 2.0;
            box.Include(p + bow);
            box.Include(end + bow);
        }
        p = end;
    }
    return box;
}

namespace {

// How many times the ray from p to the right, up to x = limit, meets the arc of a wall that
// starts at `start`.
int RayArcCrossings(PlanPoint p, double limit, PlanPoint start, const Wall& wall) {
    const PlanPoint centre = start + wall.GetArcCentre();
    const double r = wall.GetArcRadius();
    const double dy = p.y - centre.y;
    const double disc = r * r - dy * dy;
    if (disc < 0.0) {
        return 0;
    }
    const double root = std::sqrt(disc);
    const PlanPoint chord = wall.GetVector();
    const bool bowsLeft = wall.GetArcHeight() > 0.0;
    const double xs[2] = {centre.x - root, centre.x + root};
    const int candidates = root > 0.0 ? 2 : 1;
    int count = 0;
    for (int i = 0; i < candidates; ++i) {
        const PlanPoint q{xs[i], p.y};
        if (q.x < p.x || q.x > limit) {
            continue;
        }
        // An arc of at most a half circle is the part of its circle on its bowing side of the
        // chord.
        const double side = Cross(chord, q - start);
        if ((bowsLeft && side >= 0.0) || (!bowsLeft && side <= 0.0)) {
            ++count;
        }
    }
    return count;
}

bool RayCrossesSegment(PlanPoint p, PlanPoint q, PlanPoint a, PlanPoint b) {
    const PlanPoint r = q - p;
    const PlanPoint s = b - a;
    const double denom = Cross(r, s);
    if (denom == 0.0) {
        return false;
    }
    const double t = Cross(a - p, s) / denom;
    const double u = Cross(a - p, r) / denom;
    const auto inside = [](double v) { return v >= -kZeroTolerance && v < 1.0 + kZeroTolerance; };
    return inside(t) && inside(u);
}

}  // namespace

bool Room::ContainsPoint(PlanPoint point) const {
    if (GetCloseState() != CloseState::Closed) {
        return false;
    }
    const PlanRect box = GetBounds();
    if (point.x < box.minX || point.x > box.maxX || point.y < box.minY || point.y > box.maxY) {
        return false;
    }
    const PlanPoint rayEnd{box.maxX + 10.0, point.y};
    int crossings = 0;
    PlanPoint p = location_;
    const int n = CombinedCount();
    for (int i = 0; i < n; ++i) {
        const Wall* wall = CombinedWall(i);
        const PlanPoint end = p + wall->GetVector();
        if (wall->HasArc()) {
            crossings += RayArcCrossings(point, rayEnd.x, p, *wall);
        } else if (RayCrossesSegment(point, rayEnd, p, end)) {
            ++crossings;
        }
        p = end;
    }
    return crossings % 2 == 1;
}

void Room::Translate(PlanPoint vector) {
    startPoint_ += vector;
    location_ += vector;
}

void Room::MoveBy(double length, double direction) {
    Translate(PolarToCartesian(length, direction));
}

void Room::Clear() {
    name_.clear();
    material_ = 0;
    startPoint_ = {};
    location_ = {};
    ceilingHeight_ = 0.0;
    level_ = 0;
    userWalls_.clear();
    InvalidateClosing();
    annotations_.Clear();
}

bool Room::SameContentAs(const Room& other) const {
    if (name_ != other.name_ || material_ != other.material_ || closeRule_ != other.closeRule_ ||
        startPoint_.x != other.startPoint_.x || startPoint_.y != other.startPoint_.y ||
        location_.x != other.location_.x || location_.y != other.location_.y ||
        ceilingHeight_ != other.ceilingHeight_ || level_ != other.level_ ||
        userWalls_.size() != other.userWalls_.size() ||
        !(annotations_ == other.annotations_)) {
        return false;
    }
    for (std::size_t i = 0; i < userWalls_.size(); ++i) {
        if (!userWalls_[i]->SameAs(*other.userWalls_[i])) {
            return false;
        }
    }
    return true;
}

const Room* Room::UnchangedSharedCopy() const {
    return sharedCopy_ != nullptr && SameContentAs(*sharedCopy_) ? sharedCopy_.get() : nullptr;
}

std::shared_ptr<Room> Room::FromSharedCopy(const std::shared_ptr<Room>& copy) {
    auto room = std::make_shared<Room>(*copy);
    room->sharedCopy_ = copy;
    return room;
}

std::shared_ptr<Room> Room::SharedCopy(bool* renewed) const {
    // Derived values count in the comparison, so both sides must have them all.
    for (const auto& wall : userWalls_) {
        wall->DeriveAll();
    }
    const bool same = sharedCopy_ != nullptr && SameContentAs(*sharedCopy_);
    if (renewed != nullptr) {
        *renewed = !same;
    }
    if (same) {
        return sharedCopy_;
    }
    auto copy = std::make_shared<Room>(*this);
    copy->GetCloseState();
    for (const auto& wall : copy->systemWalls_) {
        wall->DeriveAll();
    }
    sharedCopy_ = copy;
    return copy;
}

}  // namespace plantrek
