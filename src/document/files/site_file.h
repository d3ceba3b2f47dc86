#pragma once

#include <QString>

class QIODevice;

namespace plantrek {

class Site;

// The ".tcd" site file: UTF-16 XML with the materials in use, the site, its rooms, walls and
// recorded notes.
struct SiteFileResult {
    bool ok = false;
    // Why it failed, in the system's words when the system gave a reason; may be empty.
    QString errorText;
};

// Writes the site to path through a temporary file that replaces the target only after a
// complete write, so a failed save leaves the old file as it was.
SiteFileResult SaveSiteFile(const Site& site, const QString& path);
// What a person is told when SaveSiteFile failed: the file's name, then the reason if any.
QString SaveFailureText(const QString& path, const SiteFileResult& result);

// Reads path into site, which should be a new, empty site. On failure the site is reset to a
// new empty site: nothing half-read is left behind.
SiteFileResult LoadSiteFile(const QString& path, Site& site);
// The same from an open device, read from its current position to its end.
SiteFileResult LoadSiteFile(QIODevice& device, Site& site);

}  // namespace plantrek
