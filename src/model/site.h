#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "audio/annotation_list.h"
#include "model/geometry.h"
#include "model/material.h"
#include "model/room.h"

// The whole plan of one document: its rooms in drawing order (later rooms are drawn over earlier
// ones), the materials they refer to, the point where the next room begins and the site's notes.
namespace plantrek {

class CSiteVisitor;

class Site {
public:
    // Shared only between snapshots (see Snapshot); the rooms of a site being edited are its own.
    using RoomList = std::vector<std::shared_ptr<Room>>;
    using MaterialList = std::vector<std::unique_ptr<Material>>;

    // No rooms, start point at the origin, and the one material "Default".
    Site();
    // Copies name, start point, notes, every room and every material.
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

    // A new room at the site's start point, appended (drawn on top). A material index that
    // names no material becomes 0.
    Room* AddRoom(const QString& name, int materialIndex);
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
    // Rooms whose closing succeeds; closings are brought up to date first.
    int CountClosedRooms() const;
    // The box around the start point and every room.
    PlanRect GetBounds() const;

    // Walks the site: site begin; per room in drawing order (its closing brought up to date
    // first) room begin, its user walls, its system walls, room end; site end.
    void Traverse(CSiteVisitor& visitor) const;

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

    QString name_;
    RoomList rooms_;
    MaterialList materials_;
    PlanPoint startPoint_;
    AnnotationList annotations_;
};

}  // namespace plantrek
