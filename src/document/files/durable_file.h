#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Writes that survive a crash or a power cut: the data goes to a temporary file in the target's
// folder, is flushed and synced, replaces the target by a rename, and the folder entry is synced
// too. At any moment the target holds either its old contents or the new ones, never a part.
// Failures come back as the system's reason.
namespace plantrek {

std::optional<QString> WriteFileDurably(const QString& path, QByteArrayView data);

// Syncs the folder that holds path, so that a rename or a new file in it outlasts a power cut.
std::optional<QString> SyncFolderOf(const QString& path);

}  // namespace plantrek
