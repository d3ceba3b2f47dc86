#include "model/editing_presets.h"

#include "model/wall.h"

namespace plantrek {

ProjectionMemory& ProgramProjectionMemory() {
    static ProjectionMemory memory;
    return memory;
}

double InitialProjectionLength(const Wall* selectedWall, const ProjectionMemory& memory) {
    return selectedWall != nullptr ? selectedWall->GetLength() : memory.Length();
}

QStringList ProjectionLengthPresets(const LengthUnits& units) {
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

QStringList ProjectionDepthPresets(const LengthUnits& units) {
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
