#include "resources/version.h"

#include "resources/plantrek_version.h"

namespace plantrek {

QString VersionText() {
    return QStringLiteral(PLANTREK_VERSION_TEXT);
}

QString AboutVersionLine() {
    return QStringLiteral("Plantrek Version %1.%2")
        .arg(PLANTREK_VERSION_MAJOR)
        .arg(PLANTREK_VERSION_MINOR);
}

QString AboutBuildText() {
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(PLANTREK_VERSION_MAJOR)
        .arg(PLANTREK_VERSION_MINOR)
        .arg(PLANTREK_VERSION_PATCH)
        .arg(PLANTREK_VERSION_TWEAK);
}

}  // namespace plantrek
