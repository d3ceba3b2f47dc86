#include "document/forms/room_form.h"

#include "document/forms/colour_palette.h"
#include "resources/string_table.h"

namespace plantrek {

NewMaterialForm NewMaterialForm::FromDocument(const CTracepadDoc& doc, const QString& name) {
    NewMaterialForm form;
    form.name = name;
    // A colour no material has, so that OK works as the dialog opens.
    if (const auto free = FirstUnusedPaletteColour(*doc.GetSite())) {
        form.colour = free->colour;
    }
    return form;
}

FormCheck<NewMaterialForm::Field> NewMaterialForm::Check(const CTracepadDoc& doc) const {
    if (doc.GetSite()->FindMaterialByColour(colour) != nullptr) {
        return FormRefusal<Field>{LoadString(string_id::kColourInUse), Field::Colour};
    }
    return std::nullopt;
}

RoomForm RoomForm::FromDocument(const CTracepadDoc& doc, Purpose purpose) {
    RoomForm form;
    form.purpose = purpose;
    const Site& site = *doc.GetSite();
    const Room* room = doc.GetCurrentRoom();
    if (purpose == Purpose::Edit && room != nullptr) {
        form.name = room->GetName();
        const Material* material = site.FindMaterialByIndex(room->GetMaterial());
        form.material = material != nullptr ? material->GetName() : QString();
        form.area = doc.Units().FormatArea(room->GetArea());
        form.perimeter = doc.Units().FormatLength(room->GetPerimeter());
    } else {
        form.name = doc.DefaultRoomName();
        form.material = site.MaterialCount() > 0 ? site.GetMaterial(0)->GetName() : QString();
    }
    form.newMaterial = NewMaterialForm().Answer();
    return form;
}

FormCheck<RoomForm::Field> RoomForm::Check(const CTracepadDoc&) const {
    if (material.isEmpty()) {
        return FormRefusal<Field>{LoadString(string_id::kMaterialNameMissing), Field::Material};
    }
    return std::nullopt;
}

bool RoomForm::Apply(CTracepadDoc& doc) const {
    const NewMaterialDialog askMaterial = [this](const QString&) { return newMaterial; };
    return purpose == Purpose::Edit ? doc.ApplyRoomProperties(name, material, askMaterial)
                                    : doc.AddRoom(name, material, askMaterial);
}

bool RoomForm::NamesNewMaterial(const CTracepadDoc& doc) const {
    return !material.isEmpty() && doc.GetSite()->FindMaterialByName(material) == nullptr;
}

MaterialForm MaterialForm::FromDocument(const CTracepadDoc& doc, const QString& name) {
    MaterialForm form;
    form.name = name;
    if (const Material* material = doc.GetSite()->FindMaterialByName(name)) {
        form.colour = material->GetColour();
    }
    return form;
}

FormCheck<MaterialForm::Field> MaterialForm::Check(const CTracepadDoc& doc) const {
    for (const auto& material : doc.GetSite()->Materials()) {
        if (material->GetColour() == colour && material->GetName() != name) {
            return FormRefusal<Field>{LoadString(string_id::kColourInUse), Field::Colour};
        }
    }
    return std::nullopt;
}

bool MaterialForm::Apply(CTracepadDoc& doc) const {
    return doc.SetMaterialColour(name, colour);
}

}  // namespace plantrek
