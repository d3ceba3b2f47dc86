#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/annotation_list.h"
#include "model/geometry.h"
#include "model/level.h"
#include "model/material.h"
#include "model/room.h"

// The whole plan of one document: its levels (floors, lowest first), its rooms in drawing order
// (later rooms are drawn over earlier ones), each on one level, the materials they refer to, the
// point where the next room begins and the site's notes.
namespace plantrek {

class CSiteVisitor;

class Site {
public:
    // Shared only between snapshots (see Snapshot); the rooms of a site being edited are its own.
    using RoomList = std::vector<std::shared_ptr<Room>>;
    using MaterialList = std::vector<std::unique_ptr<Material>>;

    // No rooms, start point at the origin, and the one material "Default".
    Site();
    // Copies name, start point, notes, every level, every room and every material.
    Site(const Site& other);
    Site& operator=(const Site& other);
    Site(Site&&) noexcept = default;
    Site& operator=(Site&&) noexcept = default;
    ~Site() = default;

    // A copy that nobody changes, for undo and the recovery store, which reads it on its own
    // thread. Rooms unchanged since the previous snapshot are shared with it, so that a change
    // costs a comparison per room and a copy of the rooms it touched, not a copy of the site.
    std::shared_ptr<const Site> Snapshot() const;
    // Makes this site what the snapshot holds; rooms that have not changed since they were
    // shared with it stay as they are (and where they are in memory).
    void RestoreSnapshot(const Site& snapshot);

    const QString& GetName() const { return name_; }
    void SetName(const QString& name) { name_ = name; }

    AnnotationList& Annotations() { return annotations_; }
    const AnnotationList& Annotations() const { return annotations_; }

    // Rooms. A room that is not in the site is never acted on.

    // A new room at the site's start point on that level, appended (drawn on top). A material
    // index that names no material becomes 0, a level that names no level the first.
    Room* AddRoom(const QString& name, int materialIndex, int level = 0);
    // Takes the room and places it just after `after`, or last when `after` is null or not in
    // the site. Returns the room, or null when given none.
    Room* InsertRoomAfter(std::unique_ptr<Room> room, const Room* after);
    Room* GetRoom(int index);
    const Room* GetRoom(int index) const;
    int RoomCount() const { return static_cast<int>(rooms_.size()); }
    int IndexOfRoom(const Room* room) const;
    const RoomList& Rooms() const { return rooms_; }
    // The first room whose name matches, ignoring case.
    Room* FindRoomByName(const QString& name);
    const Room* FindRoomByName(const QString& name) const;
    // "<prefix> <n>" for the smallest n from `first` up that no room has taken.
    QString NextRoomName(const QString& prefix, int first) const;
    // Removes and deletes the room.
    void RemoveRoom(const Room* room);
    // Moves the room to the end of the drawing order (on top) or to its start.
    void BringToFront(const Room* room);
    void SendToBack(const Room* room);
    // Rooms whose closing succeeds, on that level or on every level; closings are brought up to
    // date first.
    int CountClosedRooms(int level = kEveryLevel) const;
    // The box around the start point and every room (of that level).
    PlanRect GetBounds(int level = kEveryLevel) const;

    // Walks the site: site begin; per room in drawing order (its closing brought up to date
    // first) room begin, its user walls, its system walls, room end; site end. Given a level,
    // only that level's rooms are walked.
    void Traverse(CSiteVisitor& visitor, int level = kEveryLevel) const;

    // Levels. There is always at least one; they are kept in order of elevation, lowest first
    // (levels at the same elevation in the order they were added), and a room names its level
    // by its place in this order, which the site keeps right whenever the order changes.
    static constexpr int kEveryLevel = -1;
    const std::vector<Level>& Levels() const { return levels_; }
    int LevelCount() const { return static_cast<int>(levels_.size()); }
    // The level at that place; the first for a place that names none.
    const Level& GetLevel(int index) const;
    bool IsLevel(int index) const { return index >= 0 && index < LevelCount(); }
    // The first level whose name matches, ignoring case; -1 when none does.
    int FindLevelByName(const QString& name) const;
    // "Level <n>" for the smallest n from 2 up that no level has taken.
    QString NextLevelName() const;
    // Adds the level in its place by elevation and returns that place.
    int AddLevel(const Level& level);
    // Changes a level, which may move it in the order; returns its new place (-1 for no level).
    int SetLevel(int index, const Level& level);
    // Removes a level and every room on it; the last level is never removed (returns false).
    bool RemoveLevel(int index);
    // Puts the room on that level (drawn above the rooms it already has there is not implied:
    // the drawing order stays as it is).
    void MoveRoomToLevel(Room* room, int level);
    // Rooms on that level.
    int CountRoomsOnLevel(int level) const;
    // The rooms on that level in drawing order (none for a place that names no level), so that
    // one level of a large building is walked without reading the rooms of the others. Worked
    // out when first asked for after the rooms or levels changed. While a room is in a site,
    // its level is changed only through the site (MoveRoomToLevel, SetLevels).
    const std::vector<const Room*>& RoomsOnLevel(int level) const;
    // A copy of RoomsOnLevel, or every room for kEveryLevel.
    std::vector<const Room*> RoomsOf(int level) const;
    // A number that changes whenever what stands on that level may have changed: a room added,
    // removed, reordered or moved to or from it, the levels changed or restored, or, when a
    // snapshot is taken, a room of it found changed since the last one. No number is given out
    // twice, by any site, so a value kept with something worked out from a level tells whether
    // that still holds; only a room being edited between snapshots can be ahead of it.
    std::uint64_t LevelRevision(int level) const;
    // Whether the site has anything to say about levels: more than one, or the one there is no
    // longer the ground floor at 0 with the program's height.
    bool HasLevels() const;
    // Replaces every level at once, as a file gives them; rooms on a level that is not in the
    // list go to the first. An empty list leaves the one ground floor.
    void SetLevels(std::vector<Level> levels);
    // The ceiling height a room without one of its own takes: its level's, else the program's.
    double DefaultHeightOf(const Room& room, double programDefault) const;
    double DefaultHeightOnLevel(int level, double programDefault) const;

    // Start point of the next room.
    PlanPoint GetStartPoint() const { return startPoint_; }
    void SetStartPoint(PlanPoint point) { startPoint_ = point; }
    void MoveStartPoint(double length, double direction);

    // Materials.

    // Appends a material, unless one with that index exists: that one is returned unchanged.
    Material* AddMaterial(const QString& name, int index, Colour colour);
    // Case is ignored.
    Material* FindMaterialByName(const QString& name);
    const Material* FindMaterialByName(const QString& name) const;
    Material* FindMaterialByIndex(int index);
    const Material* FindMaterialByIndex(int index) const;
    Material* FindMaterialByColour(Colour colour);
    const Material* FindMaterialByColour(Colour colour) const;
    // One past the largest index in use; 1 for an empty list.
    int NextMaterialIndex() const;
    QStringList MaterialNames() const;
    int MaterialCount() const { return static_cast<int>(materials_.size()); }
    const Material* GetMaterial(int position) const;
    const MaterialList& Materials() const { return materials_; }
    // The rooms of that material, in drawing order.
    std::vector<const Room*> RoomsWithMaterial(int index) const;
    bool IsMaterialUsed(const Material& material) const;
    static constexpr Colour DefaultMaterialColour() { return 0xff8080; }

private:
    struct EmptyTag {};
    explicit Site(EmptyTag) {}

    RoomList::const_iterator FindRoom(const Room* room) const;
    // Puts the levels in order of elevation (stable) and renumbers the rooms to match; returns
    // where the level that was at `follow` now is.
    int SortLevels(int follow);
    // Rooms may have come to or left that level (every level for kEveryLevel), or changed on it.
    void MarkLevelChanged(int level) const;
    // Rooms of that level may have changed, in place.
    void BumpRevision(int level) const;
    void BuildLevelIndex() const;
#ifndef NDEBUG
    // Whether the level index still matches the rooms: a room's level changed behind the
    // site's back is caught here, in debug builds.
    bool LevelIndexMatchesRooms() const;
#endif

    QString name_;
    RoomList rooms_;
    MaterialList materials_;
    std::vector<Level> levels_;
    PlanPoint startPoint_;
    AnnotationList annotations_;
    // Kept beside levels_, place for place.
    mutable std::vector<std::uint64_t> levelRevisions_;
    // Valid while roomsOnLevelKnown_.
    mutable std::vector<std::vector<const Room*>> roomsOnLevel_;
    mutable bool roomsOnLevelKnown_ = false;
};

}  // namespace plantrek
