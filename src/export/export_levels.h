#pragma once

#include <QString>

#include <vector>

// Which of a site's levels an export draws, and how the files and layers of one level are named.
namespace plantrek {

class Material;
class Site;

// The levels to draw one after another for `level` (-1: every level): that one level, or each
// level of a site that has several; a site of one level is drawn in one walk of every room
// (-1), as it always was.
std::vector<int> LevelsToExport(const Site& site, int level);

// The file one level of an every-level picture goes to: the level's name before the
// extension ("plan.png" → "plan - Ground Floor.png"), with characters no file name may hold
// replaced by "_".
QString LevelFilePath(const QString& path, const QString& levelName);

// Whether a room of that level (-1: any room) is of the material.
bool IsMaterialUsedOnLevel(const Site& site, const Material& material, int level);

// A level's name as a DXF layer name may hold it: characters other than letters, digits,
// spaces and "_-$.()&#+!" become "_".
QString DxfLayerName(const QString& name);

}  // namespace plantrek
