#include "document/plan_findings.h"

#include "model/plan_check.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

// Finer than lengths and areas are shown elsewhere: the amounts are millimetres.
QString GapText(double meters, const LengthUnits& units) {
    if (units.IsMetric()) {
        return QString::number(meters, 'f', 3) + QStringLiteral(" m");
    }
    return QString::number(units.ToDisplayLength(meters) * 12.0, 'f', 2) + kInchMark;
}

QString AreaText(double squareMeters, const LengthUnits& units) {
    return QString::number(units.ToDisplayArea(squareMeters), 'f', units.IsMetric() ? 3 : 2) +
           QLatin1Char(' ') + units.AreaUnitName();
}

}  // namespace

std::vector<PlanFindingLine> CheckPlanLines(const Site& site, const LengthUnits& units) {
    std::vector<PlanFindingLine> lines;
    for (const PlanFinding& finding : CheckPlan(site)) {
        const QString first = site.GetRoom(finding.first)->GetName();
        const QString second = site.GetRoom(finding.second)->GetName();
        const QString text = finding.kind == PlanFinding::Kind::Overlap
                                 ? QStringLiteral("%1 and %2 overlap (%3)")
                                       .arg(first, second, AreaText(finding.amount, units))
                                 : QStringLiteral("%1 and %2: walls %3 apart")
                                       .arg(first, second, GapText(finding.amount, units));
        lines.push_back({text, finding.second});
    }
    return lines;
}

QString NoPlanFindingsText() {
    return QStringLiteral("No overlaps or gaps found.");
}

}  // namespace plantrek
