#include "export/export_levels.h"

#include <QFileInfo>

#include <algorithm>

#include "model/site.h"

namespace plantrek {

std::vector<int> LevelsToExport(const Site& site, int level) {
    if (level >= 0) {
        return {level};
    }
    if (site.LevelCount() < 2) {
        return {Site::kEveryLevel};
    }
    std::vector<int> levels;
    for (int i = 0; i < site.LevelCount(); ++i) {
        levels.push_back(i);
    }
    return levels;
}

QString LevelFilePath(const QString& path, const QString& levelName) {
    QString name = levelName.trimmed();
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) {
            c = u'_';
        }
    }
    const QFileInfo info(path);
    const QString file = info.fileName();
    const qsizetype dot = file.lastIndexOf(u'.');
    const QString stem = dot > 0 ? file.left(dot) : file;
    const QString extension = dot > 0 ? file.mid(dot) : QString();
    const qsizetype folder = path.size() - file.size();
    return path.left(folder) + stem + QStringLiteral(" - ") + name + extension;
}

bool IsMaterialUsedOnLevel(const Site& site, const Material& material, int level) {
    if (level < 0) {
        return site.IsMaterialUsed(material);
    }
    return std::any_of(site.Rooms().begin(), site.Rooms().end(), [&](const auto& room) {
        return room->GetLevel() == level && room->GetMaterial() == material.GetIndex();
    });
}

QString DxfLayerName(const QString& name) {
    QString layer = name.trimmed();
    for (QChar& c : layer) {
        const bool plain = c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u' ' ||
                                                  QStringLiteral("_-$.()&#+!").contains(c));
        if (!plain) {
            c = u'_';
        }
    }
    return layer;
}

}  // namespace plantrek
