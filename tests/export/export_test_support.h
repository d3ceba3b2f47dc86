#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/resource.h>

#include <csignal>
#include <utility>
#include <vector>

#include "model/site.h"

namespace plantrek::test {

inline const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs the reader script on a written file; when the interpreter or the reader module is
// missing, `skip` says why and the result is empty.
inline QJsonObject ReadExport(const QString& mode, const QString& path, QString& skip) {
    if (!QFileInfo(kPython).isExecutable()) {
        skip = kPython + " is not installed";
        return {};
    }
    QProcess process;
    process.start(kPython, {QStringLiteral(PLANTREK_EXPORT_READER_SCRIPT), mode, path});
    if (!process.waitForFinished(300000)) {
        ADD_FAILURE() << "reader did not finish";
        return {};
    }
    const QJsonObject result = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    if (process.exitCode() == 3) {
        skip = "reader module missing: " + result["missing"].toString();
        return {};
    }
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return result;
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes to regular files fail beyond `bytes` while it lives (instead of raising SIGXFSZ).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &previous_) != 0) {
            return;
        }
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        if (active_) {
            setrlimit(RLIMIT_FSIZE, &previous_);
        }
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool Active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

// A DXF file as its (group code, value) pairs.
using DxfGroups = std::vector<std::pair<int, QByteArray>>;

inline DxfGroups ParseDxfGroups(const QByteArray& bytes) {
    DxfGroups groups;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        bool ok = false;
        const int code = lines[i].trimmed().toInt(&ok);
        if (!ok) {
            ADD_FAILURE() << "not a group code at line " << i + 1 << ": " << lines[i].toStdString();
            return groups;
        }
        QByteArray value = lines[i + 1];
        if (value.endsWith('\r')) {
            value.chop(1);
        }
        groups.emplace_back(code, value);
    }
    return groups;
}

// The groups between "0 SECTION / 2 name" and its "0 ENDSEC".
inline DxfGroups DxfSection(const DxfGroups& groups, const QByteArray& name) {
    for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
        if (groups[i] == std::make_pair(0, QByteArray("SECTION")) && groups[i + 1].first == 2 &&
            groups[i + 1].second == name) {
            DxfGroups section;
            for (std::size_t k = i + 2; k < groups.size(); ++k) {
                if (groups[k] == std::make_pair(0, QByteArray("ENDSEC"))) {
                    return section;
                }
                section.push_back(groups[k]);
            }
        }
    }
    return {};
}

// A closed room of straight walls given as (length, bearing), starting at `at`.
inline Room* AddRoomOfWalls(Site& site, const QString& name, int material,
                            std::initializer_list<std::pair<double, double>> walls) {
    Room* room = site.AddRoom(name, material);
    for (const auto& [length, bearing] : walls) {
        room->AddWall(length, bearing);
    }
    return room;
}

// The block of that name in a reader's view, or an empty object.
inline QJsonObject BlockOf(const QJsonObject& view, const QString& name) {
    for (const auto& block : view["blocks"].toArray()) {
        if (block.toObject()["name"].toString() == name) {
            return block.toObject();
        }
    }
    return {};
}

inline QJsonArray EntitiesOf(const QJsonObject& view, const QString& block) {
    return BlockOf(view, block)["entities"].toArray();
}

}  // namespace plantrek::test
