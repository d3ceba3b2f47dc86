#pragma once

#include <optional>

#include "document/forms/form_field.h"
#include "model/editing.h"

// "Arc Wall": the selected wall bowed through a point at two distances, either from the wall's
// own ends or from two corners of the room chosen with "Select Corners".
namespace plantrek {

class CTracepadDoc;

class ArcWallForm {
public:
    enum class Field { Corners, FirstDistance, SecondDistance };

    static ArcWallForm FromDocument(const CTracepadDoc& doc);
    // With two room points, both corners chosen; then each distance within the limits; then a
    // point of the arc that lies at both distances.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;
    // A corner picked in "Select Corners" (FindCornerNear finds the one clicked): successive
    // picks fill the first corner, the second, the first again, and so on.
    void PickCorner(PlanPoint corner);

    bool useRoomPoints = false;
    std::optional<PlanPoint> firstCorner;
    std::optional<PlanPoint> secondCorner;
    bool secondPickedNext = false;
    TextField firstDistance;
    TextField secondDistance;
    ProjectionSide side = ProjectionSide::Left;
};

// "Angle Wall": the selected wall swung about its start until its end lies a distance from the
// room's start point.
class AngleWallForm {
public:
    enum class Field { None, Distance };

    static AngleWallForm FromDocument(const CTracepadDoc& doc);
    // What refuses the command before its dialog opens: the room's start point on the wall.
    static std::optional<QString> CheckOpening(const CTracepadDoc& doc);
    // The opening check (no field), then the distance as a wall length, then an end for the
    // wall at that distance.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    TextField distance;
};

}  // namespace plantrek
