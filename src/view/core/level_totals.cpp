#include "view/core/level_totals.h"

#include "model/room.h"
#include "model/site.h"

namespace plantrek {

LevelTotals::Totals LevelTotals::Of(const Site& site, int level) {
    levels_.resize(static_cast<std::size_t>(site.LevelCount()));
    if (level != Site::kEveryLevel) {
        return site.IsLevel(level) ? OfLevel(site, level) : Totals{};
    }
    Totals sum;
    for (int each = 0; each < site.LevelCount(); ++each) {
        const Totals& totals = OfLevel(site, each);
        sum.rooms += totals.rooms;
        sum.area += totals.area;
    }
    return sum;
}

const LevelTotals::Totals& LevelTotals::OfLevel(const Site& site, int level) {
    Known& known = levels_[static_cast<std::size_t>(level)];
    const std::uint64_t revision = site.LevelRevision(level);
    if (known.revision != revision) {
        Totals totals;
        for (const Room* room : site.RoomsOnLevel(level)) {
            ++totals.rooms;
            totals.area += room->GetArea();
        }
        known = {revision, totals};
    }
    return known.totals;
}

}  // namespace plantrek
