#pragma once

#include <QSet>
#include <QString>

#include <vector>

#include "document/files/xml_element_reader.h"
#include "model/geometry.h"
#include "model/level.h"

namespace plantrek {

class AnnotationList;
class Room;
class Site;
class Wall;

// What the element handlers share while a ".tcd" file is read into a site: the room being read
// and the end point of its last wall.
//
// Rooms are tracked by their elements: a wall, location, start point or note belongs to the room
// element that encloses it, and one outside every room element has no room. A room element
// without a name creates no room, and everything inside it is passed over, notes included: it
// has no room to go to, and putting it on another room or on the site would be a guess.
class CSiteLoadContext {
public:
    explicit CSiteLoadContext(Site& site) : site_(site) {}

    CSiteLoadContext(const CSiteLoadContext&) = delete;
    CSiteLoadContext& operator=(const CSiteLoadContext&) = delete;

    Site& GetSite() { return site_; }

    // The room whose element is innermost, or null outside every room element and inside one
    // that created no room.
    Room* CurrentRoom() const;
    // Where a note read now belongs: the current room's list, the site's outside every room
    // element, and null inside a room element that created no room.
    AnnotationList* CurrentAnnotations() const;

    PlanPoint CurrentPoint() const { return current_; }
    void SetCurrentPoint(PlanPoint point) { current_ = point; }

    // A room element begins (room is null when it created none) or ends. The point the
    // enclosing room had reached is restored at the end.
    void EnterRoom(Room* room);
    void LeaveRoom();

    // A problem that must fail the load although the file itself reads well; the first one is
    // kept.
    void Fail(const QString& reason);
    bool HasFailed() const { return !failure_.isEmpty(); }
    const QString& Failure() const { return failure_; }

    // The user wall the last `wall` element added, while its openings may follow it; null
    // after any other wall and outside rooms.
    Wall* LastUserWall() const { return lastUserWall_; }
    void SetLastUserWall(Wall* wall) { lastUserWall_ = wall; }

    // Registers the handlers of the seven elements the site is rebuilt from, and, with
    // `extensions`, what this program added: openings, ceiling heights, material allowances and
    // levels. Without them the file reads as a program that knows only the seven would read it.
    void RegisterHandlers(CXmlElementReader& reader, bool extensions = true);
    bool ReadsExtensions() const { return extensions_; }

    // Levels in the order the file gives them; a room names its level by its place there.
    void AddLevel(Level level);
    void PutRoomOnLevel(Room* room, int level);
    // After the whole file: the levels read take their order by elevation and the rooms follow
    // them; a room naming a level the file does not have goes on the first.
    void FinishLevels();

private:
    struct OpenRoom {
        Room* room;
        PlanPoint enclosingPoint;
    };

    Site& site_;
    std::vector<OpenRoom> openRooms_;
    PlanPoint current_;
    Wall* lastUserWall_ = nullptr;
    bool extensions_ = true;
    QString failure_;
    std::vector<Level> levels_;
    QSet<QString> levelNames_;  // case-folded
    long long nextLevelNumber_ = 2;
    bool roomsOffFirstLevel_ = false;
};

// Base of the handlers: each acts either when its element starts or when it ends.
class CSiteElementHandler : public CXmlElementHandler {
public:
    explicit CSiteElementHandler(CSiteLoadContext& context) : context_(context) {}
    void OnStartElement(const QString&, const XmlAttributeMap&) override {}
    void OnEndElement(const QString&, const QString&, const XmlAttributeMap&) override {}

protected:
    CSiteLoadContext& context_;
};

// `material`, at its start: adds the material unless its index is taken already.
class CMaterialElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnStartElement(const QString& name, const XmlAttributeMap& attributes) override;
};

// `startpoint`, at its end: the site's start point.
class CStartPointElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `room`: a named room is created at its start and stops being current at its end.
class CRoomElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnStartElement(const QString& name, const XmlAttributeMap& attributes) override;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `location`, at its end: moves the room (location and start point alike) to the point.
class CLocationElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `wall`, at its end: a user wall from the current point to the wall's end point. Closing walls
// are not read; the room's close rule makes them again.
class CWallElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `wallOpening`, at its end: a door, window or passage on the user wall just read. One of a kind
// this program does not know, or without a width and height above zero, is passed over.
class COpeningElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `siteLevel`, at its end: the next level of the site.
class CLevelElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `roomOrigin`, at its end: the room's start point, when it is one of the room's vertices.
class CRoomOriginElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

// `annotation`, at its end: a recorded note of the room or the site.
class CAnnotationElementHandler : public CSiteElementHandler {
public:
    using CSiteElementHandler::CSiteElementHandler;
    void OnEndElement(const QString& name, const QString& text,
                      const XmlAttributeMap& attributes) override;
};

}  // namespace plantrek
