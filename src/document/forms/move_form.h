#pragma once

#include "document/forms/form_field.h"

// The "Move" dialog, titled "Move Start Point" or "Move Current Room": a distance and a
// direction.
namespace plantrek {

class CTracepadDoc;

class MoveForm {
public:
    enum class Target { StartPoint, Room };
    enum class Field { Distance, Direction };

    static MoveForm FromDocument(const CTracepadDoc& doc, Target target);
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    Target target = Target::StartPoint;
    TextField distance;
    TextField direction;
};

// "Move End Point": the selected wall's end moved by a distance and a direction.
class MoveWallEndForm {
public:
    enum class Field { Distance, Direction };

    static MoveWallEndForm FromDocument(const CTracepadDoc& doc);
    // The distance, and the wall's length after the move, within the wall-length limits.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    TextField distance;
    TextField direction;
    // The selected wall's length and direction as the dialog shows them, for reference.
    QString currentWall;
};

}  // namespace plantrek
