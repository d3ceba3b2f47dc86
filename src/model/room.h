#pragma once

#include <QString>

#include <memory>
#include <utility>
#include <vector>

#include "audio/annotation_list.h"
#include "model/geometry.h"
#include "model/wall.h"

// A room: a chain of walls laid end to end from its location. The user walls are the ones that
// were measured; the system walls are computed by the room's close rule whenever they are next
// read after a change, and exist only while the room is closed.
namespace plantrek {

enum class CloseRule { Square = 0, ReverseSquare = 1, Angled = 2 };
enum class CloseState { NotComputed = 0, Closed = 1, NotClosed = 2 };

class Room {
public:
    using WallList = std::vector<std::unique_ptr<Wall>>;

    Room() = default;
    // A new room: no walls, start point and location both at `at`.
    explicit Room(PlanPoint at) : startPoint_(at), location_(at) {}
    // Copies name, material, rule, both points, height, level, notes and the user walls; the closing is
    // recomputed on first use.
    Room(const Room& other);
    Room& operator=(const Room& other);
    ~Room() = default;

    const QString& GetName() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    int GetMaterial() const { return material_; }
    void SetMaterial(int index) { material_ = index; }
    CloseRule GetCloseRule() const { return closeRule_; }
    void SetCloseRule(CloseRule rule);

    PlanPoint GetLocation() const { return location_; }
    // Moves where the first wall begins; the start point is left where it is.
    void SetLocation(PlanPoint location);
    PlanPoint GetStartPoint() const { return startPoint_; }
    // Stores the start point as given; see ValidateStartPoint.
    void SetStartPoint(PlanPoint point) { startPoint_ = point; }

    // Floor to ceiling in metres; 0 when the room takes the program's default height.
    double GetCeilingHeight() const { return ceilingHeight_; }
    void SetCeilingHeight(double height) { ceilingHeight_ = height; }

    // The site's level the room stands on, by its place in the site's level list. A room in a
    // site is moved to another level through the site, which keeps an index of its levels.
    int GetLevel() const { return level_; }
    void SetLevel(int level) { level_ = level; }

    AnnotationList& Annotations() { return annotations_; }
    const AnnotationList& Annotations() const { return annotations_; }

    // Walls. Indexes run over user walls first, then system walls.
    Wall* AddWall(double length, double direction, double arcHeight = 0.0);
    // Inserts the wall just after `after`, or at the end when `after` is null or not a user wall.
    Wall* InsertWallAfter(std::unique_ptr<Wall> wall, const Wall* after);
    // Removes and deletes a user wall. Removing the first of several keeps the others in place.
    void RemoveWall(const Wall* wall);
    int IndexOfWall(const Wall* wall) const;
    Wall* GetWall(int index, bool userOnly = false);
    const Wall* GetWall(int index, bool userOnly = false) const;
    int WallCount(bool userOnly = false) const;
    const WallList& UserWalls() const { return userWalls_; }
    // The closing walls as they stand now (empty unless the closing is up to date and closed).
    const WallList& SystemWalls() const { return systemWalls_; }
    // Hands the user walls over to an editor, which gives them back with SetUserWalls.
    WallList TakeUserWalls();
    void SetUserWalls(WallList walls);
    // Appends a user wall that is a copy of `wall` (kind user, same values and flags).
    Wall* AppendUserWallCopy(const Wall& wall);
    // Absolute ends of wall `index` (combined order).
    std::pair<PlanPoint, PlanPoint> GetWallEnds(int index) const;

    // Outline.
    std::vector<PlanPoint> GetVertices(bool expandArcs) const;
    int IndexOfVertex(PlanPoint point) const;
    void ValidateStartPoint();

    double GetArea() const;
    double GetPerimeter() const;
    PlanPoint GetCentroid() const;
    PlanRect GetBounds() const;
    int GetOrientation() const;
    bool ContainsPoint(PlanPoint point) const;

    void Translate(PlanPoint vector);
    void MoveBy(double length, double direction);

    CloseState GetCloseState() const;
    bool IsClosed() const { return GetCloseState() == CloseState::Closed; }
    // Drops the system walls; they are recomputed when next read. Call after changing a wall.
    void InvalidateClosing();
    // The raw stored state, without computing it.
    CloseState StoredCloseState() const { return closeState_; }

    // Empties the room: name, material 0, both points at the origin, no walls, no notes.
    void Clear();

    // A copy that nobody changes, for undo and the recovery store: other threads may read it,
    // since everything a reader could work out lazily has been worked out. While the room stays
    // as it was, the same copy is handed out again, so a site's snapshot copies only the rooms
    // that changed since the last one.
    // `renewed`, when given, tells whether the copy is a new one.
    std::shared_ptr<Room> SharedCopy(bool* renewed = nullptr) const;
    // The room's last SharedCopy while the room is still the same as it; otherwise null.
    const Room* UnchangedSharedCopy() const;
    // A room to edit, made from a shared copy, which it hands out again while unchanged.
    static std::shared_ptr<Room> FromSharedCopy(const std::shared_ptr<Room>& copy);
    // Same name, material, rule, points, height, level, notes and user walls (closings follow from them).
    bool SameContentAs(const Room& other) const;

private:
    friend class RoomClosing;

    // Vertices over the walls as they stand, without bringing the closing up to date.
    std::vector<PlanPoint> OutlineVertices(bool expandArcs) const;
    int OrientationOf(const std::vector<PlanPoint>& expandedVertices) const;
    const Wall* CombinedWall(int index) const;
    int CombinedCount() const { return static_cast<int>(userWalls_.size() + systemWalls_.size()); }

    QString name_;
    int material_ = 0;
    CloseRule closeRule_ = CloseRule::Square;
    mutable CloseState closeState_ = CloseState::NotClosed;
    WallList userWalls_;
    mutable WallList systemWalls_;
    PlanPoint startPoint_;
    PlanPoint location_;
    double ceilingHeight_ = 0.0;
    int level_ = 0;
    AnnotationList annotations_;
    // The last SharedCopy; never copied with the room.
    mutable std::shared_ptr<Room> sharedCopy_;
};

}  // namespace plantrek
