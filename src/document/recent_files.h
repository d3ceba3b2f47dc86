#pragma once

#include <QStringList>

#include "document/settings_store.h"

// The files opened or saved last, newest first, kept in the settings.
namespace plantrek {

class RecentFileList {
public:
    static constexpr int kSize = 4;

    explicit RecentFileList(SettingsStore store);

    const QStringList& Files() const { return files_; }
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Write() const;

    SettingsStore store_;
    QStringList files_;
};

// The File menu's text for a recent file, numbered from 1 with its mnemonic ("&1 C:\\b.tcd"). A
// long path is shortened to its last folder and name, as desktop programs' recent-file lists
// do; an ampersand in it is shown, not taken as a mnemonic.
QString RecentFileMenuText(int number, const QString& path);

}  // namespace plantrek
