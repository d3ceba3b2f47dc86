#pragma once

#include <QString>

#include <vector>

// Check Plan's list as the person reads it, in the units the plan is shown in; the window's
// dialog and the command line print the same lines.
namespace plantrek {

class LengthUnits;
class Site;

struct PlanFindingLine {
    QString text;
    // The room choosing the line selects: the later of the two in drawing order, the one
    // usually put against the other.
    int room = -1;
};

// One line per finding of CheckPlan.
std::vector<PlanFindingLine> CheckPlanLines(const Site& site, const LengthUnits& units);
// What Check Plan says of a plan without findings.
QString NoPlanFindingsText();

}  // namespace plantrek
