#include "app/cli/info_json.h"

#include <unordered_map>

#include "app/cli/json_text.h"
#include "audio/annotation_list.h"
#include "document/files/site_file_writer.h"
#include "document/tracepad_doc.h"
#include "model/opening.h"
#include "model/room.h"
#include "model/room_quantities.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek::cli {

namespace {

void Point(JsonWriter& json, PlanPoint p) {
    json.BeginArray(true);
    json.Number(p.x);
    json.Number(p.y);
    json.EndArray();
}

void IndexOrNull(JsonWriter& json, int index) {
    if (index >= 0) {
        json.Number(index);
    } else {
        json.Null();
    }
}

void AnnotationNames(JsonWriter& json, const AnnotationList& list) {
    json.BeginArray(true);
    for (int i = 0; i < list.Count(); ++i) {
        json.String(list.GetName(i));
    }
    json.EndArray();
}

// Each note's name as stored (empty when unnamed) and the length of its audio in bytes.
void AnnotationSizes(JsonWriter& json, const AnnotationList& list) {
    json.BeginArray();
    for (int i = 0; i < list.Count(); ++i) {
        json.BeginObject(true);
        json.Key("name").String(list.GetName(i));
        json.Key("bytes").Number(static_cast<double>(list.At(i)->AudioSize()));
        json.EndObject();
    }
    json.EndArray();
}

// In metres and square and cubic metres, with the figures a person reads as text beside them.
void Quantities(JsonWriter& json, const std::optional<RoomQuantities>& q,
                const LengthUnits& units) {
    if (!q) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("height").Number(q->height);
    json.Key("floor_area").Number(q->floorArea);
    json.Key("gross_perimeter").Number(q->grossPerimeter);
    json.Key("net_perimeter").Number(q->netPerimeter);
    json.Key("gross_wall_area").Number(q->grossWallArea);
    json.Key("net_wall_area").Number(q->netWallArea);
    json.Key("volume").Number(q->volume);
    json.Key("thresholds").Number(q->thresholdCount);
    json.Key("threshold_width").Number(q->thresholdWidth);
    json.Key("height_text").String(units.FormatLength(q->height));
    json.Key("net_perimeter_text").String(units.FormatLength(q->netPerimeter));
    json.Key("gross_wall_area_text").String(units.FormatArea(q->grossWallArea));
    json.Key("net_wall_area_text").String(units.FormatArea(q->netWallArea));
    json.Key("volume_text").String(FormatVolume(q->volume, units));
    json.Key("threshold_width_text").String(units.FormatLength(q->thresholdWidth));
    json.EndObject();
}

QStringView OpeningKindText(OpeningKind kind) {
    switch (kind) {
        case OpeningKind::Door:
            return u"door";
        case OpeningKind::Window:
            return u"window";
        case OpeningKind::Passage:
            return u"opening";
    }
    return u"opening";
}

// The room's own openings; the wall counts the room's user walls from 0, as "walls" does.
void Openings(JsonWriter& json, const Room& room) {
    json.BeginArray();
    for (const PlacedOpening& placed : PlaceOpenings(room)) {
        const Opening& opening = *placed.opening;
        json.BeginObject(true);
        json.Key("wall").Number(placed.wallIndex);
        json.Key("kind").String(OpeningKindText(opening.kind));
        json.Key("offset").Number(opening.offset);
        json.Key("width").Number(opening.width);
        json.Key("height").Number(opening.height);
        json.Key("sill").Number(opening.sill);
        if (opening.kind == OpeningKind::Door) {
            json.Key("hinge").String(opening.hinge == DoorHinge::Left ? u"left" : u"right");
            json.Key("opens").String(opening.opensInward ? u"in" : u"out");
        }
        json.EndObject();
    }
    json.EndArray();
}

// Per level: its rooms, how many close, and the sums of the closed rooms' quantities.
void Levels(JsonWriter& json, const Site& site, double defaultHeight,
            const std::vector<std::optional<RoomQuantities>>& quantities,
            const LengthUnits& units) {
    std::vector<RoomQuantities> totals(site.Levels().size());
    std::vector<int> rooms(site.Levels().size(), 0);
    std::vector<int> closed(site.Levels().size(), 0);
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        const auto level = static_cast<std::size_t>(site.GetRoom(static_cast<int>(i))->GetLevel());
        if (level >= totals.size()) {
            continue;
        }
        ++rooms[level];
        if (const auto& q = quantities[i]) {
            ++closed[level];
            totals[level].Add(*q);
        }
    }
    json.BeginArray();
    for (std::size_t i = 0; i < totals.size(); ++i) {
        const Level& level = site.Levels()[i];
        const RoomQuantities& sum = totals[i];
        json.BeginObject();
        json.Key("name").String(level.name);
        json.Key("elevation").Number(level.elevation);
        json.Key("height").Number(site.DefaultHeightOnLevel(static_cast<int>(i), defaultHeight));
        json.Key("rooms").Number(rooms[i]);
        json.Key("closed_rooms").Number(closed[i]);
        json.Key("area").Number(sum.floorArea);
        json.Key("area_text").String(units.FormatArea(sum.floorArea));
        json.Key("totals").BeginObject(true);
        json.Key("floor_area").Number(sum.floorArea);
        json.Key("gross_perimeter").Number(sum.grossPerimeter);
        json.Key("net_perimeter").Number(sum.netPerimeter);
        json.Key("gross_wall_area").Number(sum.grossWallArea);
        json.Key("net_wall_area").Number(sum.netWallArea);
        json.Key("volume").Number(sum.volume);
        json.Key("thresholds").Number(sum.thresholdCount);
        json.Key("threshold_width").Number(sum.thresholdWidth);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
}

void RoomInfo(JsonWriter& json, const Site& site, const Room& room, const LengthUnits& units,
              const std::optional<RoomQuantities>& quantities) {
    json.BeginObject();
    json.Key("name").String(room.GetName());
    json.Key("level").String(site.GetLevel(room.GetLevel()).name);
    json.Key("material").Number(room.GetMaterial());
    json.Key("close").String(CloseRuleText(room.GetCloseRule()));
    json.Key("closed").Bool(room.IsClosed());
    Point(json.Key("location"), room.GetLocation());
    Point(json.Key("start"), room.GetStartPoint());
    const double area = room.GetArea();
    const double perimeter = room.GetPerimeter();
    json.Key("area").Number(area);
    json.Key("perimeter").Number(perimeter);
    json.Key("area_text").String(units.FormatArea(area));
    json.Key("perimeter_text").String(units.FormatLength(perimeter));
    json.Key("ceiling_height").Number(room.GetCeilingHeight());
    Quantities(json.Key("quantities"), quantities, units);
    json.Key("walls").BeginArray();
    const int count = room.WallCount(false);
    // The walls follow one another, so each starts where the one before it ended.
    PlanPoint start = room.GetLocation();
    for (int i = 0; i < count; ++i) {
        const Wall* wall = room.GetWall(i);
        const PlanPoint end = start + wall->GetVector();
        json.BeginObject(true);
        json.Key("kind").String(wall->GetKind() == WallKind::User ? u"user" : u"system");
        json.Key("length").Number(wall->GetLength());
        json.Key("direction").Number(wall->GetDirection());
        json.Key("arc").Number(wall->GetArcHeight());
        Point(json.Key("start"), start);
        Point(json.Key("end"), end);
        json.EndObject();
        start = end;
    }
    json.EndArray();
    Openings(json.Key("openings"), room);
    AnnotationNames(json.Key("annotations"), room.Annotations());
    AnnotationSizes(json.Key("notes"), room.Annotations());
    json.EndObject();
}

}  // namespace

QString ColourText(unsigned colour) {
    return QStringLiteral("#%1%2%3")
        .arg(RedOf(colour), 2, 16, QLatin1Char('0'))
        .arg(GreenOf(colour), 2, 16, QLatin1Char('0'))
        .arg(BlueOf(colour), 2, 16, QLatin1Char('0'));
}

namespace {

void WriteDocument(JsonWriter& json, const CTracepadDoc& doc) {
    const Site* site = doc.GetSite();
    const PrefsInputValues input = doc.Prefs().GetInputValues();
    json.BeginObject();
    if (doc.GetPathName().isEmpty()) {
        json.Key("file").Null();
    } else {
        json.Key("file").String(doc.GetPathName());
    }
    json.Key("modified").Bool(doc.IsModified());
    json.Key("units").String(input.UsesMetres() ? u"meters" : u"feet");
    json.Key("style").String(input.AngleStyle == kQuadrantStyleCode ? u"quadrant" : u"azimuth");
    json.Key("relative").Bool(input.DirectionMode != 0);
    json.Key("default_close").String(CloseRuleText(doc.GetDefaultCloseRule()));
    Point(json.Key("startpoint"), site->GetStartPoint());

    const SelectionLevel level = doc.GetSelectionLevel();
    json.Key("selection").BeginObject(true);
    json.Key("level").Number(level);
    IndexOrNull(json.Key("room"),
                level >= kLevelRoom ? site->IndexOfRoom(doc.GetCurrentRoom()) : -1);
    IndexOrNull(json.Key("wall"),
                level == kLevelWall ? doc.GetCurrentRoom()->IndexOfWall(doc.GetCurrentWall()) : -1);
    json.EndObject();
    json.Key("can_undo").Bool(doc.CanUndo());
    json.Key("can_redo").Bool(doc.CanRedo());

    const double defaultHeight = doc.Prefs().GetDefaultHeight();
    const SharedOpeningIndex shared(*site);
    std::vector<std::optional<RoomQuantities>> quantities;
    quantities.reserve(site->Rooms().size());
    for (const auto& room : site->Rooms()) {
        quantities.push_back(
            ComputeRoomQuantities(shared, *room, site->DefaultHeightOf(*room, defaultHeight)));
    }
    std::unordered_map<int, double> materialAreas;
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        if (quantities[i]) {
            materialAreas[site->GetRoom(static_cast<int>(i))->GetMaterial()] +=
                quantities[i]->floorArea;
        }
    }
    json.Key("default_height").Number(defaultHeight);
    json.Key("materials").BeginArray();
    for (const auto& material : site->Materials()) {
        const MaterialOrder order =
            ComputeMaterialOrder(*material, materialAreas[material->GetIndex()]);
        json.BeginObject(true);
        json.Key("name").String(material->GetName());
        json.Key("index").Number(material->GetIndex());
        json.Key("color").String(ColourText(material->GetColour()));
        json.Key("waste_percent").Number(material->GetWastePercent());
        json.Key("pack_area").Number(material->GetPackArea());
        json.Key("area").Number(order.area);
        json.Key("order_area").Number(order.orderArea);
        json.Key("packs").Number(order.packs);
        json.EndObject();
    }
    json.EndArray();

    json.Key("current_level").Number(doc.GetCurrentLevel());
    Levels(json.Key("levels"), *site, defaultHeight, quantities, doc.Units());

    json.Key("rooms").BeginArray();
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        RoomInfo(json, *site, *site->GetRoom(static_cast<int>(i)), doc.Units(), quantities[i]);
    }
    json.EndArray();
    AnnotationNames(json.Key("site_annotations"), site->Annotations());
    AnnotationSizes(json.Key("site_notes"), site->Annotations());
    json.EndObject();
}

}  // namespace

QString DocumentInfoJson(const CTracepadDoc& doc) {
    JsonWriter json;
    WriteDocument(json, doc);
    return QString::fromUtf8(json.TakeText());
}

void WriteDocumentInfoJson(const CTracepadDoc& doc, QTextStream& out) {
    // Straight to the stream's file as UTF-8, after what the stream still holds.
    out.flush();
    if (out.device() == nullptr) {
        out << DocumentInfoJson(doc);
        return;
    }
    JsonWriter json(out.device());
    WriteDocument(json, doc);
    json.Flush();
}

}  // namespace plantrek::cli
