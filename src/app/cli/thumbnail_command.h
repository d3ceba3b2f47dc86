#pragma once

#include <QStringList>
#include <QTextStream>

// "plantrek-cli thumbnail SITE OUT.png SIZE": the plan as a small PNG for file managers, no
// side longer than SIZE pixels (the freedesktop thumbnailer calls it).
namespace plantrek::cli {

int ThumbnailCommand(const QStringList& arguments, QTextStream& err);

}  // namespace plantrek::cli
