#include "document/preferences_pages.h"

#include "resources/string_table.h"

#include <algorithm>

namespace plantrek {

PreferencesChoice PreferencesFromPrefs(const CPrefs& prefs) {
    PreferencesChoice choice;
    choice.input = prefs.GetInputValues();
    choice.drawing = prefs.GetDrawingValues();
    choice.roomNames = prefs.GetRoomNames();
    SortRoomNames(choice.roomNames);
    choice.materials = prefs.GetMaterials();
    return choice;
}

void SortRoomNames(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    });
}

std::optional<QString> AddRoomNameToPage(QStringList& names, const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    if (names.contains(text, Qt::CaseSensitive)) {
        return LoadString(string_id::kRoomNameTaken);
    }
    names.append(text);
    SortRoomNames(names);
    return std::nullopt;
}

QList<TemplateMaterial> KeepListedMaterials(const QList<TemplateMaterial>& materials,
                                            const QStringList& listedNames) {
    QList<TemplateMaterial> kept;
    for (const TemplateMaterial& material : materials) {
        if (listedNames.contains(material.name, Qt::CaseSensitive)) {
            kept.append(material);
        }
    }
    return kept;
}

}  // namespace plantrek
