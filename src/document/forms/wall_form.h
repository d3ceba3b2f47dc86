#pragma once

#include "document/forms/form_field.h"
#include "model/editing.h"

// "Add Wall" and "Edit Wall": a length, a direction and a projection with its side.
namespace plantrek {

class CTracepadDoc;

class WallForm {
public:
    enum class Purpose { Add, Edit };
    enum class Field { Length, Projection, Direction };

    // Add opens empty, projecting left; Edit shows the selected wall.
    static WallForm FromDocument(const CTracepadDoc& doc, Purpose purpose);
    // The length readable and within the limits, the direction readable, then the projection
    // readable and, as typed, below half the length.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // Appends the wall to the selected room, or edits the selected wall.
    bool Apply(CTracepadDoc& doc) const;

    Purpose purpose = Purpose::Add;
    TextField length;
    TextField direction;
    TextField projection;  // the arc height without its sign
    ProjectionSide side = ProjectionSide::Left;
};

}  // namespace plantrek
