#include "document/files/site_file_reader.h"

#include <cmath>
#include <memory>

#include "audio/annotation_list.h"
#include "document/files/number_text.h"
#include "document/files/site_file_writer.h"
#include "model/closing.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"

namespace plantrek {

namespace {

// A missing attribute and one that holds no number both read as 0.
double NumberAttribute(const XmlAttributeMap& attributes, QStringView key) {
    return ParseDoubleText(attributes.Value(key));
}

PlanPoint PointAttributes(const XmlAttributeMap& attributes) {
    return {NumberAttribute(attributes, u"x"), NumberAttribute(attributes, u"y")};
}

bool IsFinite(PlanPoint point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

CloseRule CloseRuleFromText(const QString& text) {
    if (text.compare(QLatin1String("reverse square"), Qt::CaseInsensitive) == 0) {
        return CloseRule::ReverseSquare;
    }
    if (text.compare(QLatin1String("angle"), Qt::CaseInsensitive) == 0) {
        return CloseRule::Angled;
    }
    return CloseRule::Square;
}

// A length, percentage or area of the program's own attributes: a finite number above zero, or
// 0 (none) for anything else.
double PositiveAttribute(const XmlAttributeMap& attributes, const QString& key) {
    const double value = NumberAttribute(attributes, key);
    return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CSiteLoadContext

Room* CSiteLoadContext::CurrentRoom() const {
    return openRooms_.empty() ? nullptr : openRooms_.back().room;
}

AnnotationList* CSiteLoadContext::CurrentAnnotations() const {
    if (openRooms_.empty()) {
        return &site_.Annotations();
    }
    Room* room = openRooms_.back().room;
    return room != nullptr ? &room->Annotations() : nullptr;
}

void CSiteLoadContext::EnterRoom(Room* room) {
    lastUserWall_ = nullptr;
    openRooms_.push_back(OpenRoom{room, current_});
    current_ = PlanPoint{};
}

void CSiteLoadContext::LeaveRoom() {
    if (openRooms_.empty()) {
        return;
    }
    current_ = openRooms_.back().enclosingPoint;
    openRooms_.pop_back();
    lastUserWall_ = nullptr;
}

void CSiteLoadContext::Fail(const QString& reason) {
    if (failure_.isEmpty()) {
        failure_ = reason;
    }
}

void CSiteLoadContext::AddLevel(Level level) {
    // Names tell levels apart in the program and on the command line: a level without one, or
    // with the name of one before it, takes the next free "Level <n>". Names only ever join the
    // set, so a number found taken stays taken and the search goes on from where it stopped.
    level.name = level.name.trimmed();
    if (level.name.isEmpty() || levelNames_.contains(level.name.toCaseFolded())) {
        do {
            level.name = QStringLiteral("Level %1").arg(nextLevelNumber_++);
        } while (levelNames_.contains(level.name.toCaseFolded()));
    }
    levelNames_.insert(level.name.toCaseFolded());
    levels_.push_back(std::move(level));
}

void CSiteLoadContext::PutRoomOnLevel(Room* room, int level) {
    if (room != nullptr && level != 0) {
        room->SetLevel(level);
        roomsOffFirstLevel_ = true;
    }
}

void CSiteLoadContext::FinishLevels() {
    if (!levels_.empty() || roomsOffFirstLevel_) {
        site_.SetLevels(std::move(levels_));
        levels_.clear();
    }
}

void CSiteLoadContext::RegisterHandlers(CXmlElementReader& reader, bool extensions) {
    extensions_ = extensions;
    if (extensions) {
        reader.Register(site_file_names::kOpeningElement,
                        std::make_unique<COpeningElementHandler>(*this));
        reader.Register(site_file_names::kLevelElement,
                        std::make_unique<CLevelElementHandler>(*this));
    }
    reader.Register(QStringLiteral("material"), std::make_unique<CMaterialElementHandler>(*this));
    reader.Register(QStringLiteral("startpoint"),
                    std::make_unique<CStartPointElementHandler>(*this));
    reader.Register(QStringLiteral("room"), std::make_unique<CRoomElementHandler>(*this));
    reader.Register(QStringLiteral("location"), std::make_unique<CLocationElementHandler>(*this));
    reader.Register(QStringLiteral("wall"), std::make_unique<CWallElementHandler>(*this));
    reader.Register(QStringLiteral("roomOrigin"),
                    std::make_unique<CRoomOriginElementHandler>(*this));
    reader.Register(QStringLiteral("annotation"),
                    std::make_unique<CAnnotationElementHandler>(*this));
}

// ---------------------------------------------------------------------------------------------
// Handlers

void CMaterialElementHandler::OnStartElement(const QString&, const XmlAttributeMap& attributes) {
    const QString name = attributes.Value(u"style");
    if (name.isEmpty()) {
        return;
    }
    const int index = ParseLongText(attributes.Value(u"id"));
    Colour colour = Site::DefaultMaterialColour();
    QString colourText;
    if (attributes.Lookup(u"color", &colourText)) {
        colour = static_cast<Colour>(ParseLongText(colourText));
    }
    // The first material of an index wins; AddMaterial leaves a present one as it is.
    Site& site = context_.GetSite();
    const int count = site.MaterialCount();
    Material* material = site.AddMaterial(name, index, colour);
    if (context_.ReadsExtensions() && site.MaterialCount() > count) {
        material->SetWastePercent(PositiveAttribute(attributes, site_file_names::kWastePercent));
        material->SetPackArea(PositiveAttribute(attributes, site_file_names::kPackArea));
    }
}

void CStartPointElementHandler::OnEndElement(const QString&, const QString&,
                                             const XmlAttributeMap& attributes) {
    context_.GetSite().SetStartPoint(PointAttributes(attributes));
}

void CRoomElementHandler::OnStartElement(const QString&, const XmlAttributeMap& attributes) {
    const QString name = attributes.Value(u"name");
    Room* room = nullptr;
    if (!name.isEmpty()) {
        const int material = ParseLongText(attributes.Value(u"material"));
        room = context_.GetSite().AddRoom(name, material);
        room->SetCloseRule(CloseRuleFromText(attributes.Value(u"close")));
        if (context_.ReadsExtensions()) {
            room->SetCeilingHeight(PositiveAttribute(attributes, site_file_names::kCeilingHeight));
            context_.PutRoomOnLevel(room,
                                    ParseLongText(attributes.Value(site_file_names::kRoomLevel)));
        }
    }
    context_.EnterRoom(room);
}

void CRoomElementHandler::OnEndElement(const QString&, const QString&, const XmlAttributeMap&) {
    context_.LeaveRoom();
}

void CLocationElementHandler::OnEndElement(const QString&, const QString&,
                                           const XmlAttributeMap& attributes) {
    Room* room = context_.CurrentRoom();
    if (room == nullptr) {
        return;
    }
    const PlanPoint point = PointAttributes(attributes);
    const PlanPoint start = room->GetStartPoint();
    const PlanPoint location = room->GetLocation();
    // The location moves with the start point. Taking the point itself when the two coincide
    // (always so for a room just begun) keeps it exact rather than rounded through the offset.
    PlanPoint moved = point;
    if (location.x != start.x || location.y != start.y) {
        moved = location + (point - start);
        if (!IsFinite(moved)) {
            moved = point;
        }
    }
    room->SetStartPoint(point);
    room->SetLocation(moved);
    context_.SetCurrentPoint(point);
}

void CWallElementHandler::OnEndElement(const QString&, const QString&,
                                       const XmlAttributeMap& attributes) {
    context_.SetLastUserWall(nullptr);
    Room* room = context_.CurrentRoom();
    QString type;
    if (room == nullptr || !attributes.Lookup(u"type", &type) ||
        type.compare(QLatin1String("user"), Qt::CaseInsensitive) != 0) {
        return;
    }
    const PlanPoint end = PointAttributes(attributes);
    const PlanPoint vector = end - context_.CurrentPoint();
    context_.SetCurrentPoint(end);
    // The model squares lengths; a wall whose square is beyond a double would bring infinities
    // into the plan.
    if (!std::isfinite(vector.x * vector.x + vector.y * vector.y)) {
        return;
    }
    // The wall keeps the vector it was stored with. Taking it through a length and a bearing
    // would turn it by a hair on every save and open, moving the saved end points.
    Wall wall;
    double length = 0.0;
    double direction = 0.0;
    CartesianToPolar(vector.x, vector.y, &length, &direction);
    wall.SetPolar(length, direction);
    wall.SetArcHeight(NumberAttribute(attributes, u"projection"));  // limited to half the length
    wall.SetCartesian(vector.x, vector.y);
    context_.SetLastUserWall(room->AppendUserWallCopy(wall));
}

void COpeningElementHandler::OnEndElement(const QString&, const QString&,
                                          const XmlAttributeMap& attributes) {
    namespace n = site_file_names;
    Wall* wall = context_.LastUserWall();
    if (wall == nullptr) {
        return;
    }
    Opening opening;
    const QString kind = attributes.Value(n::kOpeningKind);
    if (kind == QLatin1String("door")) {
        opening.kind = OpeningKind::Door;
    } else if (kind == QLatin1String("window")) {
        opening.kind = OpeningKind::Window;
    } else if (kind == QLatin1String("opening")) {
        opening.kind = OpeningKind::Passage;
    } else {
        return;
    }
    opening.offset = NumberAttribute(attributes, n::kOpeningOffset);
    opening.width = PositiveAttribute(attributes, n::kOpeningWidth);
    opening.height = PositiveAttribute(attributes, n::kOpeningHeight);
    if (!std::isfinite(opening.offset) || opening.width == 0.0 || opening.height == 0.0) {
        return;
    }
    if (opening.kind == OpeningKind::Window) {
        opening.sill = PositiveAttribute(attributes, n::kOpeningSill);
    }
    if (opening.kind == OpeningKind::Door) {
        opening.hinge = attributes.Value(n::kDoorHinge) == QLatin1String("right")
                            ? DoorHinge::Right
                            : DoorHinge::Left;
        opening.opensInward = attributes.Value(n::kDoorSwing) != QLatin1String("out");
    }
    // Kept in order of offset, whatever order the file gave them in.
    OpeningList openings = wall->GetOpenings();
    auto at = openings.begin();
    while (at != openings.end() && at->offset <= opening.offset) {
        ++at;
    }
    openings.insert(at, opening);
    wall->SetOpenings(std::move(openings));
}

void CLevelElementHandler::OnEndElement(const QString&, const QString&,
                                        const XmlAttributeMap& attributes) {
    namespace n = site_file_names;
    context_.AddLevel(Level{attributes.Value(n::kLevelName),
                            NumberAttribute(attributes, n::kLevelElevation),
                            PositiveAttribute(attributes, n::kLevelHeight)});
}

void CRoomOriginElementHandler::OnEndElement(const QString&, const QString&,
                                             const XmlAttributeMap& attributes) {
    Room* room = context_.CurrentRoom();
    if (room == nullptr) {
        return;
    }
    const PlanPoint point = PointAttributes(attributes);
    const int vertex = room->IndexOfVertex(point);
    if (vertex < 0) {
        return;
    }
    room->SetStartPoint(point);
    // A start on a closing wall's corner needs that wall to stay where it is.
    if (vertex > room->WallCount(true)) {
        ConvertAddedWalls(*room);
    }
}

void CAnnotationElementHandler::OnEndElement(const QString&, const QString& text,
                                             const XmlAttributeMap& attributes) {
    QString type;
    if (!attributes.Lookup(u"type", &type) || type != QLatin1String("GSM")) {
        return;
    }
    const QString audio = text.trimmed();
    AnnotationList* list = context_.CurrentAnnotations();
    if (audio.isEmpty() || list == nullptr) {
        return;
    }
    const int track = ParseLongText(attributes.Value(u"track"));
    if (!list->AddFromText(audio, attributes.Value(u"name"), track)) {
        // Opening without the audio and saving later would lose the recording for good.
        context_.Fail(QStringLiteral("The audio of a recorded note could not be stored."));
    }
}

}  // namespace plantrek
