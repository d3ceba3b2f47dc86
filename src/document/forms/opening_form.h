#pragma once

#include <QString>
#include <QStringList>

#include "document/forms/form_field.h"
#include "model/opening.h"

// "Add Door", "Add Window", "Add Opening" and "Edit Opening": an opening on the selected wall,
// its offset from the wall's start, width and height, a window's sill, a door's hinge side and
// the way it opens.
namespace plantrek {

class CTracepadDoc;

class OpeningForm {
public:
    enum class Purpose { Add, Edit };
    enum class Field { Offset, Width, Height, Sill };

    // Add: an opening of the kind with the usual sizes of the document's units, centred on the
    // selected wall. Edit: the wall's opening `index`, or the one the command acts on.
    static OpeningForm FromDocument(const CTracepadDoc& doc, Purpose purpose,
                                    OpeningKind kind = OpeningKind::Door, int index = -1);
    // Edit: another opening of the wall chosen.
    void Choose(const CTracepadDoc& doc, int other) {
        *this = FromDocument(doc, Purpose::Edit, kind, other);
    }
    // Each length readable, then the opening's rules: a straight user wall, sizes above zero,
    // within the room's height, on the wall and clear of the wall's other openings.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // Adds the opening to the selected wall, or replaces the edited one; one step of the plan.
    bool Apply(CTracepadDoc& doc) const;

    // The opening as the fields give it, in metres.
    Opening Value(const CTracepadDoc& doc) const;

    Purpose purpose = Purpose::Add;
    OpeningKind kind = OpeningKind::Door;
    int index = -1;  // Edit: the opening among the wall's
    TextField offset;
    TextField width;
    TextField height;
    TextField sill;  // windows only
    DoorHinge hinge = DoorHinge::Left;
    bool opensInward = true;
    // Shown, not edited: the wall's length, and for Edit each opening of the wall by name and
    // offset ("Door at 0.50 m").
    QString wallLength;
    QStringList openingNames;
};

}  // namespace plantrek
