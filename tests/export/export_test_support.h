#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "export/xls/reader_process.h"
#include "model/site.h"
#include "support/file_size_limit.h"

namespace plantrek::test {

// Reads a written file with the independent reader (ezdxf) into `view`. The test is skipped when
// the reader is missing; a drawing that does not load or whose audit finds errors fails it.
#define PLANTREK_READ_EXPORT(view, mode, path)                                                \
    QString skip_##view;                                                                      \
    const QJsonObject view = ::plantrek::test::RunPythonReader(                               \
        {QStringLiteral(PLANTREK_EXPORT_READER_SCRIPT), mode, path}, skip_##view);            \
    if (!skip_##view.isEmpty()) {                                                             \
        GTEST_SKIP() << skip_##view.toStdString();                                            \
    }                                                                                         \
    ASSERT_FALSE(view.isEmpty());                                                             \
    ASSERT_FALSE(view.contains("load_error")) << view["load_error"].toString().toStdString(); \
    EXPECT_TRUE(view["audit_errors"].toArray().isEmpty())                                     \
        << QJsonDocument(view["audit_errors"].toArray()).toJson().toStdString()

inline std::string ShowJson(const QJsonValue& value) {
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

// Everything `expected` holds is in `actual`: numbers to within tol, arrays element by element
// and of the same length, objects key by key (keys `expected` lacks are not compared).
inline void ExpectJsonHas(const QJsonValue& actual, const QJsonValue& expected, double tol = 1e-9,
                          const std::string& where = "$") {
    if (expected.isDouble()) {
        ASSERT_TRUE(actual.isDouble()) << where << ": " << ShowJson(actual);
        EXPECT_NEAR(actual.toDouble(), expected.toDouble(), tol) << where;
    } else if (expected.isArray()) {
        const QJsonArray a = actual.toArray();
        const QJsonArray e = expected.toArray();
        ASSERT_EQ(a.size(), e.size()) << where << ": " << ShowJson(actual);
        for (qsizetype i = 0; i < e.size(); ++i) {
            ExpectJsonHas(a[i], e[i], tol, where + "[" + std::to_string(i) + "]");
        }
    } else if (expected.isObject()) {
        const QJsonObject a = actual.toObject();
        const QJsonObject e = expected.toObject();
        for (auto it = e.begin(); it != e.end(); ++it) {
            const std::string at = where + "." + it.key().toStdString();
            EXPECT_TRUE(a.contains(it.key())) << at << " is missing";
            ExpectJsonHas(a[it.key()], it.value(), tol, at);
        }
    } else {
        EXPECT_TRUE(actual == expected)
            << where << ": " << ShowJson(actual) << " against " << ShowJson(expected);
    }
}

// Rows of numbers, e.g. polyline vertices as [x, y, bulge] or points as [x, y].
inline QJsonArray Rows(std::initializer_list<std::initializer_list<double>> rows) {
    QJsonArray array;
    for (const auto& row : rows) {
        QJsonArray values;
        for (double v : row) {
            values.append(v);
        }
        array.append(values);
    }
    return array;
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

// A DXF file of "\n" line ends as its (group code, value) pairs.
using DxfGroups = std::vector<std::pair<int, QByteArray>>;

inline DxfGroups ParseDxfGroups(const QByteArray& bytes) {
    DxfGroups groups;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        bool ok = false;
        groups.emplace_back(lines[i].trimmed().toInt(&ok), lines[i + 1]);
        EXPECT_TRUE(ok) << "not a group code at line " << i + 1 << ": " << lines[i].toStdString();
    }
    return groups;
}

// The groups between "0 SECTION / 2 name" and its "0 ENDSEC".
inline DxfGroups DxfSection(const DxfGroups& groups, const QByteArray& name) {
    const DxfGroups head{{0, "SECTION"}, {2, name}};
    auto from = std::search(groups.begin(), groups.end(), head.begin(), head.end());
    from = from == groups.end() ? from : from + 2;
    return {from, std::find(from, groups.end(), std::make_pair(0, QByteArray("ENDSEC")))};
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

// The entities of the block of that name in a reader's view; none when there is no such block.
inline QJsonArray EntitiesOf(const QJsonObject& view, const QString& name) {
    for (const auto& block : view["blocks"].toArray()) {
        if (block.toObject()["name"].toString() == name) {
            return block.toObject()["entities"].toArray();
        }
    }
    return {};
}

}  // namespace plantrek::test
