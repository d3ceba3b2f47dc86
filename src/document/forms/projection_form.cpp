#include "document/forms/projection_form.h"

#include "document/length_checks.h"
#include "document/tracepad_doc.h"

namespace plantrek {

namespace {

struct Remembered {
    double length = ProjectionForm::kInitialLength;
    double depth = ProjectionForm::kInitialDepth;
};

Remembered& Memory() {
    static Remembered memory;
    return memory;
}

}  // namespace

ProjectionForm ProjectionForm::FromDocument(const CTracepadDoc& doc) {
    ProjectionForm form;
    const LengthUnits& units = doc.Units();
    const Wall* wall = doc.GetSelectionLevel() == kLevelWall ? doc.GetCurrentWall() : nullptr;
    const double startLength = wall != nullptr ? wall->GetLength() : Memory().length;
    form.length.Show(units.FormatLength(startLength), startLength);
    form.depth.Show(units.FormatLength(Memory().depth), Memory().depth);
    return form;
}

FormCheck<ProjectionForm::Field> ProjectionForm::Check(const CTracepadDoc& doc) const {
    const LengthUnits& units = doc.Units();
    if (auto refusal = length.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Length};
    }
    if (auto refusal = CheckWallLength(length.Length(units), units)) {
        return FormRefusal<Field>{*refusal, Field::Length};
    }
    if (auto refusal = depth.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Depth};
    }
    if (auto refusal = CheckWallLength(depth.Length(units), units)) {
        return FormRefusal<Field>{*refusal, Field::Depth};
    }
    return std::nullopt;
}

bool ProjectionForm::Apply(CTracepadDoc& doc) const {
    const double typedLength = length.Length(doc.Units());
    const double typedDepth = depth.Length(doc.Units());
    if (!doc.AddProjection(typedLength, side, typedDepth)) {
        return false;
    }
    Memory() = Remembered{typedLength, typedDepth};
    return true;
}

double ProjectionForm::RememberedLength() {
    return Memory().length;
}

double ProjectionForm::RememberedDepth() {
    return Memory().depth;
}

void ProjectionForm::ForgetRemembered() {
    Memory() = Remembered{};
}

QStringList ProjectionForm::LengthPresets(const LengthUnits& units) {
    if (units.IsMetric()) {
        return {QStringLiteral(".610 m"),  QStringLiteral(".626 m"), QStringLiteral(".686 m"),
                QStringLiteral(".711 m"),  QStringLiteral(".726 m"), QStringLiteral(".762 m"),
                QStringLiteral(".813 m"),  QStringLiteral(".826 m"), QStringLiteral(".838 m"),
                QStringLiteral(".864 m"),  QStringLiteral(".915 m"), QStringLiteral(".926 m"),
                QStringLiteral("1.067 m"), QStringLiteral("1.220 m")};
    }
    // 2 ft to 4 ft in steps of 2 in, written as lengths are shown.
    QStringList presets;
    for (int inches = 24; inches <= 48; inches += 2) {
        presets.append(units.FormatLength(inches * kInch));
    }
    return presets;
}

QStringList ProjectionForm::DepthPresets(const LengthUnits& units) {
    if (units.IsMetric()) {
        return {QStringLiteral(".02 m"), QStringLiteral(".04 m"), QStringLiteral(".06 m"),
                QStringLiteral(".08 m"), QStringLiteral(".10 m"), QStringLiteral(".12 m"),
                QStringLiteral(".14 m"), QStringLiteral(".16 m"), QStringLiteral(".18 m"),
                QStringLiteral(".20 m")};
    }
    QStringList presets;
    for (int inches = 1; inches <= 10; ++inches) {
        presets.append(QString::number(inches) + kInchMark);
    }
    return presets;
}

}  // namespace plantrek
