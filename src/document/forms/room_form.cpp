#include "document/forms/room_form.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

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
        if (room->GetCeilingHeight() > 0.0) {
            form.height.Show(doc.Units().FormatLength(room->GetCeilingHeight()),
                             room->GetCeilingHeight());
        }
    } else {
        form.name = doc.DefaultRoomName();
        form.material = site.MaterialCount() > 0 ? site.GetMaterial(0)->GetName() : QString();
    }
    const double defaultHeight = purpose == Purpose::Edit && room != nullptr
                                     ? doc.DefaultHeightOf(*room)
                                     : site.DefaultHeightOnLevel(doc.GetCurrentLevel(), doc.DefaultHeight());
    form.defaultHeight = doc.Units().FormatLength(defaultHeight);
    form.newMaterial = NewMaterialForm().Answer();
    return form;
}

FormCheck<RoomForm::Field> RoomForm::Check(const CTracepadDoc& doc) const {
    if (material.isEmpty()) {
        return FormRefusal<Field>{LoadString(string_id::kMaterialNameMissing), Field::Material};
    }
    const Room* room = doc.GetCurrentRoom();
    if (purpose != Purpose::Edit || height.text.trimmed().isEmpty() || room == nullptr) {
        return std::nullopt;
    }
    const LengthUnits& units = doc.Units();
    if (auto refusal = height.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Height};
    }
    const double value = height.Length(units);
    if (!std::isfinite(value) || value <= kZeroTolerance) {
        return FormRefusal<Field>{QStringLiteral("The ceiling height must be more than zero."),
                                  Field::Height};
    }
    double top = 0.0;
    for (const auto& wall : room->UserWalls()) {
        for (const Opening& opening : wall->GetOpenings()) {
            top = std::max(top, opening.sill + opening.height);
        }
    }
    if (top > value + kZeroTolerance) {
        return FormRefusal<Field>{
            QStringLiteral("The ceiling height must be at least %1, the top of the room's "
                           "highest door or window.")
                .arg(units.FormatLength(top)),
            Field::Height};
    }
    return std::nullopt;
}

bool RoomForm::Apply(CTracepadDoc& doc) const {
    const NewMaterialDialog askMaterial = [this](const QString&) { return newMaterial; };
    if (purpose != Purpose::Edit) {
        return doc.AddRoom(name, material, askMaterial);
    }
    const double ceiling = height.text.trimmed().isEmpty() ? 0.0 : height.Length(doc.Units());
    return doc.ApplyRoomProperties(name, material, askMaterial, ceiling);
}

bool RoomForm::NamesNewMaterial(const CTracepadDoc& doc) const {
    return !material.isEmpty() && doc.GetSite()->FindMaterialByName(material) == nullptr;
}

namespace {

// A number as the person types it ("12.5"); nothing when the text is none.
std::optional<double> ReadNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString NumberText(double value) {
    return value > 0.0 ? QString::number(value, 'f', 2).remove(QRegularExpression(
                             QStringLiteral("\\.?0+$")))
                       : QString();
}

}  // namespace

MaterialForm MaterialForm::FromDocument(const CTracepadDoc& doc, const QString& name) {
    MaterialForm form;
    form.name = name;
    const LengthUnits& units = doc.Units();
    form.areaUnit = units.AreaUnitName();
    if (const Material* material = doc.GetSite()->FindMaterialByName(name)) {
        form.colour = material->GetColour();
        form.allowance = NumberText(material->GetWastePercent());
        form.packArea = NumberText(units.ToDisplayArea(material->GetPackArea()));
        form.shownPackArea = material->GetPackArea();
        form.shownPackText = form.packArea;
    }
    return form;
}

FormCheck<MaterialForm::Field> MaterialForm::Check(const CTracepadDoc& doc) const {
    for (const auto& material : doc.GetSite()->Materials()) {
        if (material->GetColour() == colour && material->GetName() != name) {
            return FormRefusal<Field>{LoadString(string_id::kColourInUse), Field::Colour};
        }
    }
    if (!allowance.trimmed().isEmpty()) {
        const auto percent = ReadNumber(allowance);
        if (!percent || *percent < 0.0 || *percent > 100.0) {
            return FormRefusal<Field>{
                QStringLiteral("The waste allowance must be a percentage from 0 to 100."),
                Field::Allowance};
        }
    }
    if (!packArea.trimmed().isEmpty()) {
        const auto area = ReadNumber(packArea);
        if (!area || *area < 0.0) {
            return FormRefusal<Field>{
                QStringLiteral("The pack size must be an area of 0 %1 or more.")
                    .arg(doc.Units().AreaUnitName()),
                Field::PackArea};
        }
    }
    return std::nullopt;
}

bool MaterialForm::Apply(CTracepadDoc& doc) const {
    const double percent = ReadNumber(allowance).value_or(0.0);
    double pack = shownPackArea;
    if (packArea != shownPackText) {
        pack = ReadNumber(packArea).value_or(0.0) / doc.Units().ToDisplayArea(1.0);
    }
    return doc.SetMaterial(name, colour, percent, pack);
}

}  // namespace plantrek
