#pragma once

#include <cstdint>
#include <vector>

// The rooms and floor area of each level of a site, as the status bar reports them after every
// change. A level is added up again only when the site's revision of it has moved on, so that a
// change to one floor of a large building does not measure the rooms of every floor.
namespace plantrek {

class Site;

class LevelTotals {
public:
    struct Totals {
        int rooms = 0;
        // Rooms that are not closed count as rooms without area.
        double area = 0.0;
    };

    // One level's totals, or the whole site's for Site::kEveryLevel; nothing for a place that
    // names no level.
    Totals Of(const Site& site, int level);

private:
    struct Known {
        std::uint64_t revision = 0;
        Totals totals;
    };
    const Totals& OfLevel(const Site& site, int level);

    std::vector<Known> levels_;
};

}  // namespace plantrek
