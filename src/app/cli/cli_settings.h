#pragma once

#include <QTemporaryDir>

#include <optional>

#include "document/files/site_template.h"
#include "document/prefs.h"
#include "document/settings_store.h"

// The settings and permanent lists a run works with. The tool reads the user's own, as the
// window does, but works on private copies so that a run leaves them untouched; with --persist
// the values and lists the run ended with are written back to the user's own.
namespace plantrek::cli {

class CliSettings {
public:
    // Copies the user's settings and template file; false (with the reason) when there is no
    // place for the copies.
    bool Prepare(QString* error);

    SettingsStore Store() const { return store_; }
    TemplateLocation Location() const;

    // Writes to the user's own settings and template file whatever differs from them in
    // prefs. Input values given only for this run (units, style) are not kept: a field that
    // still holds the run's value gets the user's stored value back. Nothing, or why the
    // template file could not be written.
    std::optional<QString> Persist(const CPrefs& prefs, std::optional<int> runUnits,
                                   std::optional<int> runStyle);

private:
    QTemporaryDir dir_;
    SettingsStore store_;
};

}  // namespace plantrek::cli
