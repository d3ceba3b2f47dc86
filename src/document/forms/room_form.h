#pragma once

#include <QString>

#include <optional>

#include "document/forms/form_field.h"
#include "document/tracepad_doc.h"

// "Add Room" and "Edit Room" (a name and a material), and the two material dialogs: "Add
// Material", asked when a room names a material the site does not have, and "Edit Material".
namespace plantrek {

class NewMaterialForm {
public:
    enum class Field { Colour };

    // The name asked about, the first palette colour a new material may take (see
    // FirstUnusedPaletteColour), and "Save to permanent list" checked.
    static NewMaterialForm FromDocument(const CTracepadDoc& doc, const QString& name);
    // No material of the site may have the colour.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // What OK hands back to the room dialog that asked.
    NewMaterialChoice Answer() const { return {colour, saveToPermanentList}; }

    QString name;
    Colour colour = Site::DefaultMaterialColour();
    bool saveToPermanentList = true;
};

class RoomForm {
public:
    enum class Purpose { Add, Edit };
    enum class Field { Material, Height };

    // Add: the next default room name and the first material; Edit: the selected room's, with
    // its area and perimeter in the document's units and its ceiling height (empty when it
    // takes the default height).
    static RoomForm FromDocument(const CTracepadDoc& doc, Purpose purpose);
    // The material may not be empty; Edit: a ceiling height, when given, is a length above
    // zero that clears the top of every door and window of the room.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // A new selected room, or the selected room renamed and given the material. A material the
    // site does not have is added with `newMaterial`; without one, "Add Material" counts as
    // dismissed.
    bool Apply(CTracepadDoc& doc) const;

    // Whether the material is one the site does not have yet.
    bool NamesNewMaterial(const CTracepadDoc& doc) const;

    Purpose purpose = Purpose::Add;
    QString name;
    QString material;
    std::optional<NewMaterialChoice> newMaterial;
    TextField height;  // Edit only; empty for the default height
    // Shown, not edited: empty when adding.
    QString area;
    QString perimeter;
    QString defaultHeight;
};

// "Edit Material": another colour for a material of the site, and what ordering it takes: a
// waste allowance in percent and the area one pack covers (in the display units), each empty
// for none.
class MaterialForm {
public:
    enum class Field { Colour, Allowance, PackArea };

    static MaterialForm FromDocument(const CTracepadDoc& doc, const QString& name);
    // Another material chosen: its name and the colour the site gives it.
    void Choose(const CTracepadDoc& doc, const QString& material) {
        *this = FromDocument(doc, material);
    }
    // No other material (by name) may have the colour; the material may keep its own. The
    // allowance a number from 0 to 100, the pack area a number not below 0.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    QString name;
    Colour colour = 0;
    QString allowance;  // percent
    QString packArea;   // in the units' area unit
    QString areaUnit;   // shown beside it: "sm" or "sf"
    // The pack area the material had (m²) and its text: kept exactly while the text is
    // untouched.
    double shownPackArea = 0.0;
    QString shownPackText;
};

}  // namespace plantrek
