#include "document/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace plantrek {

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString EntryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

QString Normalised(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFileList::RecentFileList(SettingsStore store) : store_(std::move(store)) {
    const auto settings = store_.Open();
    settings->beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings->value(EntryName(i)).toString();
        if (!path.isEmpty() && !files_.contains(path)) {
            files_.append(path);
        }
    }
}

void RecentFileList::Add(const QString& path) {
    const QString entry = Normalised(path);
    files_.removeAll(entry);
    files_.prepend(entry);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
    Write();
}

void RecentFileList::Remove(const QString& path) {
    files_.removeAll(path);
    Write();
}

QString RecentFileMenuText(int number, const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    QString shown = native;
    const QStringList parts = QDir::fromNativeSeparators(native).split(QLatin1Char('/'));
    if (shown.size() > 40 && parts.size() > 3) {
        shown = QStringLiteral("...") + QDir::separator() +
                QDir::toNativeSeparators(parts.mid(parts.size() - 2).join(QLatin1Char('/')));
    }
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

void RecentFileList::Write() const {
    const auto settings = store_.Open();
    settings->remove(kGroup);
    settings->beginGroup(kGroup);
    for (int i = 0; i < files_.size(); ++i) {
        settings->setValue(EntryName(i), files_[i]);
    }
}

}  // namespace plantrek
