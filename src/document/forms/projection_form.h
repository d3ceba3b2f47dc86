#pragma once

#include <QStringList>

#include "document/forms/form_field.h"
#include "model/editing.h"
#include "model/units.h"

// "Add Projection": a length, a side and a depth. The length and depth last confirmed are
// remembered while the program runs and never saved.
namespace plantrek {

class CTracepadDoc;

class ProjectionForm {
public:
    enum class Field { Length, Depth };

    static constexpr double kInitialLength = 30.0 * kInch;
    static constexpr double kInitialDepth = 5.0 * kInch;

    // The length starts with the selected wall's, else the remembered one; the depth with the
    // remembered one.
    static ProjectionForm FromDocument(const CTracepadDoc& doc);
    // Both are wall lengths.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // Remembers the length and depth, then inserts the projection at the selected wall or
    // appends it to the selected room.
    bool Apply(CTracepadDoc& doc) const;

    // The remembered values, the same for every document.
    static double RememberedLength();
    static double RememberedDepth();
    static void ForgetRemembered();

    // Fixed texts the user picks from or overtypes; they are parsed like any typed length.
    static QStringList LengthPresets(const LengthUnits& units);
    static QStringList DepthPresets(const LengthUnits& units);

    TextField length;
    TextField depth;
    ProjectionSide side = ProjectionSide::Left;
};

}  // namespace plantrek
