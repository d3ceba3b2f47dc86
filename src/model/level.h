#pragma once

#include <QString>

// A floor of the building: its name, how high its floor stands above the site's datum, and the
// ceiling height its rooms take unless they have one of their own. Lengths in metres.
namespace plantrek {

struct Level {
    QString name;
    double elevation = 0.0;
    // 0 when the level's rooms take the program's default height.
    double height = 0.0;

    static QString FirstLevelName() { return QStringLiteral("Ground Floor"); }

    friend bool operator==(const Level&, const Level&) = default;
};

}  // namespace plantrek
