#pragma once

#include <cstdint>

namespace plantrek {

// How a plan is drawn, as the user set it: colours (0x00BBGGRR) of walls, of the selection, of
// walls the close rule added and of walls it removed, and whether room names are shown. The
// preferences keep and store these; the renderer and the picture export only read them.
struct DrawingValues {
    std::uint32_t WallColor = 0x000000;
    std::uint32_t SelectedColor = 0xFF0000;
    std::uint32_t AddedColor = 0x00FF00;
    std::uint32_t RemovedColor = 0x0000FF;
    bool ShowNames = true;
    bool ShowWallLengths = false;
    // Which of the site's levels is drawn (-1: every level), and whether the rooms of the level
    // below it are drawn faintly underneath, never selected. Chosen by each view and export,
    // not kept with the preferences.
    int Level = -1;
    bool FaintLevelBelow = false;

    friend bool operator==(const DrawingValues&, const DrawingValues&) = default;
};

}  // namespace plantrek
