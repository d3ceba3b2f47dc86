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

}  // namespace plantrek
