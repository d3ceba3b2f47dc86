#include "view/core/selection_text.h"

#include <initializer_list>

#include "document/tracepad_doc.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"
#include "view/core/room_snap.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// Fills the "%s" of a table string in order. Done in one pass so that a room name that itself
// holds "%s" is shown as it stands.
QString FillIn(const QString& format, std::initializer_list<QString> values) {
    QString text;
    auto value = values.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's' &&
            value != values.end()) {
            text += *value++;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

}  // namespace

QString SelectionText(const CTracepadDoc& doc) {
    switch (doc.GetSelectionLevel()) {
    case kLevelWall: {
        const Wall* wall = doc.GetCurrentWall();
        const QString wallText = FormatLengthAndDirection(&doc.Units(), &doc.Style(),
                                                          wall->GetLength(), wall->GetDirection());
        const int opening = doc.GetCurrentOpening();
        if (opening < 0) {
            return FillIn(LoadString(string_id::kSelectedWall),
                          {wallText, doc.GetCurrentRoom()->GetName()});
        }
        // "Selected: door 0.80 m wide, 0.30 m from the start of the 3.00 m @ E wall in ..."
        const Opening& o = wall->GetOpenings()[static_cast<std::size_t>(opening)];
        return QStringLiteral("Selected: %1 %2 wide, %3 from the start of the %4 wall in \"%5\"")
            .arg(OpeningKindName(o.kind).toLower(), doc.Units().FormatLength(o.width),
                 doc.Units().FormatLength(o.offset), wallText, doc.GetCurrentRoom()->GetName());
    }
    case kLevelRoom:
        return FillIn(LoadString(string_id::kSelectedRoom), {doc.GetCurrentRoom()->GetName()});
    case kLevelStartPoint:
        return LoadString(string_id::kSelectedStartPoint);
    case kLevelNone:
        break;
    }
    return {};
}

QString SnapText(const RoomSnap& snap, const LengthUnits& units) {
    const QString distance =
        units.IsMetric() ? QString::number(snap.gap, 'f', 3) + QStringLiteral(" m")
                         : QString::number(snap.gap / 0.0254, 'f', 2) + QLatin1Char('"');
    const QString room = snap.room != nullptr ? snap.room->GetName() : QString();
    switch (snap.kind) {
    case SnapKind::None:
        break;
    case SnapKind::StartPoint:
        return QStringLiteral("Start point meets the site's start point, %1 apart").arg(distance);
    case SnapKind::Corner:
        if (snap.room == nullptr) {
            return QStringLiteral("Snaps to %1 away").arg(distance);
        }
        return QStringLiteral("Corner meets a corner of \"%1\", %2 apart").arg(room, distance);
    case SnapKind::Wall:
        if (snap.target.x == snap.targetEnd.x && snap.target.y == snap.targetEnd.y) {
            return QStringLiteral("Start point meets a wall of \"%1\", %2 apart")
                .arg(room, distance);
        }
        return QStringLiteral("Wall flush with a wall of \"%1\", %2 %3")
            .arg(room, snap.overlap ? QStringLiteral("overlap") : QStringLiteral("gap"),
                 distance);
    }
    return {};
}

QString LevelTotalsText(const Site& site, int level, const LengthUnits& units,
                        LevelTotals& known) {
    if (site.LevelCount() < 2 || !site.IsLevel(level)) {
        return {};
    }
    const auto text = [&units](const LevelTotals::Totals& totals) {
        return QStringLiteral("%1 %2, %3")
            .arg(totals.rooms)
            .arg(totals.rooms == 1 ? QStringLiteral("room") : QStringLiteral("rooms"),
                 units.FormatArea(totals.area));
    };
    return QStringLiteral("%1: %2; site: %3")
        .arg(site.GetLevel(level).name, text(known.Of(site, level)),
             text(known.Of(site, Site::kEveryLevel)));
}

}  // namespace plantrek
