#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "document/files/site_template.h"
#include "document/prefs.h"

// The preferences sheet without its widgets: what its four pages start with, the rules of the
// "Rooms" and "Materials" pages, and the values the sheet hands back on OK.
namespace plantrek {

struct PreferencesChoice {
    PrefsInputValues input;      // the Input page (units and style; the rest carried through)
    PrefsDrawingValues drawing;  // the Drawing page (three colours and names; the rest carried)
    QStringList roomNames;       // the Rooms page, in its sorted order
    QList<TemplateMaterial> materials;  // the Materials page
    // The Input page's default ceiling height in metres (0: the units' starting value);
    // nothing leaves it as it is.
    std::optional<double> defaultHeight;
    // How far Ctrl+arrow moves the selection, in metres (0: the units' starting value);
    // nothing leaves it as it is.
    std::optional<double> nudgeStep;
};

// What the sheet shows when it opens, which is also what OK returns when nothing is touched.
PreferencesChoice PreferencesFromPrefs(const CPrefs& prefs);

// The Rooms page keeps its list sorted: without regard to case first, then by case.
void SortRoomNames(QStringList& names);

// "Add" on the Rooms page: an empty text does nothing; a text the list already holds exactly
// is refused with the message returned; any other text joins the list in its sorted place.
std::optional<QString> AddRoomNameToPage(QStringList& names, const QString& text);

// On confirmation of the Materials page only the materials whose names are still listed stay,
// in their old order.
QList<TemplateMaterial> KeepListedMaterials(const QList<TemplateMaterial>& materials,
                                            const QStringList& listedNames);

}  // namespace plantrek
