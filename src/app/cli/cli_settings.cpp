#include "app/cli/cli_settings.h"

#include <QFile>
#include <QSettings>

namespace plantrek::cli {

bool CliSettings::Prepare(QString* error) {
    if (!dir_.isValid()) {
        *error = dir_.errorString();
        return false;
    }
    store_ = SettingsStore::AtFile(dir_.filePath(QStringLiteral("settings.ini")));
    {
        const auto user = SettingsStore().Open();
        const auto copy = store_.Open();
        for (const QString& key : user->allKeys()) {
            copy->setValue(key, user->value(key));
        }
    }
    const QString userTemplate = TemplateLocation::Default().ReadPath();
    if (!userTemplate.isEmpty() && QFile::exists(userTemplate)) {
        QFile::copy(userTemplate, dir_.filePath(QString::fromLatin1(CSiteTemplate::kFileName)));
    }
    return true;
}

TemplateLocation CliSettings::Location() const {
    // Only the copy: the program's own template was copied already when the user has none.
    return TemplateLocation{dir_.path(), QString()};
}

std::optional<QString> CliSettings::Persist(const CPrefs& prefs, std::optional<int> runUnits,
                                            std::optional<int> runStyle) {
    CPrefs user(SettingsStore(), TemplateLocation::Default());
    const PrefsInputValues stored = user.GetInputValues();
    PrefsInputValues input = prefs.GetInputValues();
    // Units given for this run only are not kept, unless the script chose other units.
    if (runUnits && input.UsesMetres() == InputMeansMetres(*runUnits)) {
        input.Input = stored.Input;
    }
    if (runStyle && input.AngleStyle == *runStyle) {
        input.AngleStyle = stored.AngleStyle;
    }
    const PrefsDrawingValues drawing = prefs.GetDrawingValues();
    if (input != stored || drawing != user.GetDrawingValues()) {
        user.SetDrawingValues(drawing);
        user.SetInputValues(input);
    }
    if (prefs.GetRoomNames() != user.GetRoomNames() && !user.SetRoomNames(prefs.GetRoomNames())) {
        return user.TemplateError();
    }
    if (prefs.GetMaterials() != user.GetMaterials() && !user.SetMaterials(prefs.GetMaterials())) {
        return user.TemplateError();
    }
    return std::nullopt;
}

}  // namespace plantrek::cli
