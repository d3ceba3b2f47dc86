#include "app/cli/info_json.h"

#include "app/cli/json_text.h"
#include "audio/annotation_list.h"
#include "document/files/site_file_writer.h"
#include "document/tracepad_doc.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek::cli {

namespace {

JsonValue Point(PlanPoint p) {
    JsonValue point = JsonValue::Array();
    point.Append(JsonValue::Number(p.x));
    point.Append(JsonValue::Number(p.y));
    return point;
}

JsonValue IndexOrNull(int index) {
    return index >= 0 ? JsonValue::Number(index) : JsonValue::Null();
}

JsonValue AnnotationNames(const AnnotationList& list) {
    JsonValue names = JsonValue::Array();
    for (int i = 0; i < list.Count(); ++i) {
        names.Append(JsonValue::String(list.GetName(i)));
    }
    return names;
}

JsonValue RoomInfo(const Room& room, const LengthUnits& units) {
    JsonValue info = JsonValue::Object();
    info.Set(QStringLiteral("name"), JsonValue::String(room.GetName()));
    info.Set(QStringLiteral("material"), JsonValue::Number(room.GetMaterial()));
    info.Set(QStringLiteral("close"), JsonValue::String(CloseRuleText(room.GetCloseRule())));
    info.Set(QStringLiteral("closed"), JsonValue::Bool(room.IsClosed()));
    info.Set(QStringLiteral("location"), Point(room.GetLocation()));
    info.Set(QStringLiteral("start"), Point(room.GetStartPoint()));
    const double area = room.GetArea();
    const double perimeter = room.GetPerimeter();
    info.Set(QStringLiteral("area"), JsonValue::Number(area));
    info.Set(QStringLiteral("perimeter"), JsonValue::Number(perimeter));
    info.Set(QStringLiteral("area_text"), JsonValue::String(units.FormatArea(area)));
    info.Set(QStringLiteral("perimeter_text"), JsonValue::String(units.FormatLength(perimeter)));
    JsonValue walls = JsonValue::Array();
    const int count = room.WallCount(false);
    for (int i = 0; i < count; ++i) {
        const Wall* wall = room.GetWall(i);
        const auto [start, end] = room.GetWallEnds(i);
        JsonValue entry = JsonValue::Object();
        entry.Set(QStringLiteral("kind"),
                  JsonValue::String(wall->GetKind() == WallKind::User ? QStringLiteral("user")
                                                                      : QStringLiteral("system")));
        entry.Set(QStringLiteral("length"), JsonValue::Number(wall->GetLength()));
        entry.Set(QStringLiteral("direction"), JsonValue::Number(wall->GetDirection()));
        entry.Set(QStringLiteral("arc"), JsonValue::Number(wall->GetArcHeight()));
        entry.Set(QStringLiteral("start"), Point(start));
        entry.Set(QStringLiteral("end"), Point(end));
        walls.Append(std::move(entry));
    }
    info.Set(QStringLiteral("walls"), std::move(walls));
    info.Set(QStringLiteral("annotations"), AnnotationNames(room.Annotations()));
    return info;
}

}  // namespace

QString ColourText(unsigned colour) {
    return QStringLiteral("#%1%2%3")
        .arg(RedOf(colour), 2, 16, QLatin1Char('0'))
        .arg(GreenOf(colour), 2, 16, QLatin1Char('0'))
        .arg(BlueOf(colour), 2, 16, QLatin1Char('0'));
}

QString DocumentInfoJson(const CTracepadDoc& doc) {
    const Site* site = doc.GetSite();
    const PrefsInputValues input = doc.Prefs().GetInputValues();
    JsonValue info = JsonValue::Object();
    info.Set(QStringLiteral("file"), doc.GetPathName().isEmpty()
                                         ? JsonValue::Null()
                                         : JsonValue::String(doc.GetPathName()));
    info.Set(QStringLiteral("modified"), JsonValue::Bool(doc.IsModified()));
    info.Set(QStringLiteral("units"), JsonValue::String(input.Input == 1 ? QStringLiteral("meters")
                                                                         : QStringLiteral("feet")));
    info.Set(QStringLiteral("style"),
             JsonValue::String(input.AngleStyle == 1 ? QStringLiteral("quadrant")
                                                     : QStringLiteral("azimuth")));
    info.Set(QStringLiteral("relative"), JsonValue::Bool(input.DirectionMode != 0));
    info.Set(QStringLiteral("default_close"),
             JsonValue::String(CloseRuleText(doc.GetDefaultCloseRule())));
    info.Set(QStringLiteral("startpoint"), Point(site->GetStartPoint()));

    const int level = doc.GetSelectionLevel();
    JsonValue selection = JsonValue::Object();
    selection.Set(QStringLiteral("level"), JsonValue::Number(level));
    selection.Set(QStringLiteral("room"),
                  IndexOrNull(level >= kLevelRoom ? site->IndexOfRoom(doc.GetCurrentRoom()) : -1));
    selection.Set(
        QStringLiteral("wall"),
        IndexOrNull(level == kLevelWall ? doc.GetCurrentRoom()->IndexOfWall(doc.GetCurrentWall())
                                        : -1));
    info.Set(QStringLiteral("selection"), std::move(selection));
    info.Set(QStringLiteral("can_undo"), JsonValue::Bool(doc.CanUndo()));
    info.Set(QStringLiteral("can_redo"), JsonValue::Bool(doc.CanRedo()));

    JsonValue materials = JsonValue::Array();
    for (const auto& material : site->Materials()) {
        JsonValue entry = JsonValue::Object();
        entry.Set(QStringLiteral("name"), JsonValue::String(material->GetName()));
        entry.Set(QStringLiteral("index"), JsonValue::Number(material->GetIndex()));
        entry.Set(QStringLiteral("color"), JsonValue::String(ColourText(material->GetColour())));
        materials.Append(std::move(entry));
    }
    info.Set(QStringLiteral("materials"), std::move(materials));

    JsonValue rooms = JsonValue::Array();
    for (const auto& room : site->Rooms()) {
        rooms.Append(RoomInfo(*room, doc.Units()));
    }
    info.Set(QStringLiteral("rooms"), std::move(rooms));
    info.Set(QStringLiteral("site_annotations"), AnnotationNames(site->Annotations()));
    return info.ToText();
}

}  // namespace plantrek::cli
