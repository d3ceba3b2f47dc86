#pragma once

// Runs an independent reader in the system Python and returns the JSON object it prints.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace plantrek::test {

inline const QString kPython = QStringLiteral("/usr/bin/python3");

// Empty, with `skip` saying why, when the interpreter or a reader module (exit status 3) is missing.
inline QJsonObject RunPythonReader(const QStringList& arguments, QString& skip) {
    if (!QFileInfo(kPython).isExecutable()) {
        skip = kPython + " is not installed";
        return {};
    }
    QProcess process;
    process.start(kPython, arguments);
    if (!process.waitForFinished(300000)) {
        ADD_FAILURE() << "the reader did not finish";
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

inline QString Md5(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

}  // namespace plantrek::test
