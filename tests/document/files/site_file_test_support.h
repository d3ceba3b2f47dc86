#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

#include "audio/annotation.h"
#include "audio/annotation_list.h"
#include "document/files/site_file.h"
#include "model/site.h"

namespace plantrek::site_file_test {

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

inline QByteArray Utf16LeWithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    return bytes;
}

// The text of a file as written: UTF-16 little-endian after a byte-order mark.
inline QString TextOfFile(const QByteArray& bytes) {
    if (bytes.size() < 2 || bytes.left(2) != QByteArray("\xFF\xFE", 2)) {
        return QString();
    }
    QString text;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
        text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8))));
    }
    return text;
}

// Byte-for-byte equality of two written files; a difference is shown as the first line that
// differs, which says far more than a dump of bytes.
inline ::testing::AssertionResult SameFileBytes(const QByteArray& actual,
                                                const QByteArray& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const QStringList got = TextOfFile(actual).split(QLatin1Char('\n'));
    const QStringList want = TextOfFile(expected).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        if (got.value(i) != want.value(i)) {
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << " is\n  " << got.value(i).toStdString()
                   << "\ninstead of\n  " << want.value(i).toStdString();
        }
    }
    return ::testing::AssertionFailure()
           << "the files differ outside their text (byte-order mark or an odd byte): "
           << actual.size() << " bytes instead of " << expected.size();
}

// A whole document around the given children of `site`.
inline QByteArray SiteDocument(const QString& siteChildren, const QString& materials = QString()) {
    return Utf16LeWithBom(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                         "<tcdisto name=\"t.tcd\" version=\"1.1\">\n") +
                          materials + QStringLiteral("<site index=\"0\" name=\"Site\">\n") +
                          siteChildren + QStringLiteral("</site>\n</tcdisto>\n"));
}

// Reproducible bytes standing in for recorded audio.
inline QByteArray AudioBytes(qsizetype size, unsigned seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    unsigned value = seed;
    for (char& byte : bytes) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>((value >> 16) & 0xFF);
    }
    return bytes;
}

inline void AddNote(AnnotationList& list, const QByteArray& audio, const QString& name) {
    Annotation note;
    note.SetName(name);
    if (!audio.isEmpty()) {
        ASSERT_TRUE(note.File()->Append(audio));
    }
    list.InsertAt(note);
}

inline QString TestDataPath(const QString& relative) {
    QString root = qEnvironmentVariable("PLANTREK_TEST_DATA");
    if (root.isEmpty()) {
        // Run by hand, outside CTest: the data folder beside the test sources.
        root = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../data"));
    }
    return QDir(root).filePath(relative);
}

// The small site the checked-in file was written from: two rooms, one with an arc and a closing
// wall, the other not closable; two materials out of four in use; a name full of characters
// that need escaping; one note with a few hundred bytes of audio.
inline Site GoldenSite() {
    Site site;
    site.SetName(QStringLiteral("Site"));
    site.AddMaterial(QStringLiteral("Carpet"), 1, MakeColour(200, 100, 50));
    site.AddMaterial(QStringLiteral("Tile <unused>"), 2, MakeColour(1, 2, 3));
    site.AddMaterial(QStringLiteral("Oak & Ash"), 3, MakeColour(90, 60, 30));
    site.SetStartPoint({1.5, -2.25});

    Room* kitchen = site.AddRoom(QStringLiteral("Kitchen & \"Bob's\" <1>"), 1);
    kitchen->AddWall(3.0, 0.0, 0.5);  // north, bowing west
    kitchen->AddWall(4.0, 90.0);
    kitchen->AddWall(3.0, 180.0);         // the rule adds the wall back west
    kitchen->SetStartPoint({5.5, 0.75});  // the corner after the second wall
    AddNote(kitchen->Annotations(), AudioBytes(285, 7), QStringLiteral("Tap drips"));

    site.SetStartPoint({10.0, 0.25});
    Room* hall = site.AddRoom(QStringLiteral("Hall"), 3);
    hall->SetCloseRule(CloseRule::Angled);
    hall->AddWall(3.0, 0.0);
    hall->AddWall(3.0, 180.0);  // straight back: cannot be closed
    return site;
}

}  // namespace plantrek::site_file_test
