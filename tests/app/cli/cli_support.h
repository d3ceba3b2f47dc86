#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

namespace plantrek::test {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    static QStringList Lines(const QByteArray& text) {
        const QByteArray body = text.endsWith('\n') ? text.chopped(1) : text;
        return text.isEmpty() ? QStringList() : QString::fromUtf8(body).split(u'\n');
    }
    QStringList OutLines() const { return Lines(out); }
    QStringList ErrLines() const { return Lines(err); }
};

inline QString CliDataPath(const QString& name) {
    return QStringLiteral(PLANTREK_CLI_DATA) + QLatin1Char('/') + name;
}

inline QByteArray ReadDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

// The JSON objects printed one after another.
inline std::vector<QJsonObject> ParseObjects(const QByteArray& text) {
    std::vector<QJsonObject> objects;
    // Each object ends with a closing brace at the start of a line.
    for (const QByteArray& piece : QByteArray(text).replace("\n}\n", "\n}\n\x1e").split('\x1e')) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(piece, &error);
        if (!piece.trimmed().isEmpty()) {
            EXPECT_TRUE(document.isObject()) << error.errorString().toStdString() << "\n"
                                             << piece.toStdString();
            objects.push_back(document.object());
        }
    }
    return objects;
}

// Runs the tool in a folder of its own, with a home, settings and data folders of its own so
// that it never sees the user's settings or template.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home_.isValid()); }

    QString Work(const QString& name = QString()) const {
        return name.isEmpty() ? home_.path() : home_.filePath(name);
    }
    // Where QSettings and the template file of the user live for the tool.
    QString UserSettingsPath() const {
        return home_.filePath(QStringLiteral("config/Corvane Software/Plantrek.conf"));
    }
    QString UserTemplatePath() const {
        return home_.filePath(QStringLiteral("data/Corvane Software/Plantrek/TracepadTemplate"));
    }

    // Starts the tool in the working folder with the private home, settings and data folders.
    void Start(QProcess& process, const QStringList& arguments,
               QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) const {
        environment.insert(QStringLiteral("HOME"), home_.path());
        for (const QString folder : {"config", "data", "cache"}) {
            environment.insert("XDG_" + folder.toUpper() + "_HOME", home_.filePath(folder));
        }
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home_.path());
        process.start(QStringLiteral(PLANTREK_CLI_PATH), arguments);
    }

    CliResult Run(const QStringList& arguments, const QByteArray& input = QByteArray()) const {
        QProcess process;
        Start(process, arguments);
        process.write(input);
        process.closeWriteChannel();
        return Finish(process, 120000);
    }

    // Waits for the tool to end (killing it after timeoutMs) and adds what it still printed.
    static CliResult Finish(QProcess& process, int timeoutMs, CliResult result = {}) {
        if (!process.waitForFinished(timeoutMs)) {
            ADD_FAILURE() << "plantrek-cli did not finish";
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out += process.readAllStandardOutput();
        result.err += process.readAllStandardError();
        return result;
    }

    // Runs a script given as text from a file in the working folder.
    CliResult RunScript(const QByteArray& script, const QStringList& options = {}) const {
        QFile file(Work(QStringLiteral("script.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(script) == script.size());
        file.close();
        return Run(QStringList{QStringLiteral("run")} + options + QStringList{file.fileName()});
    }

    // The one ":info" object a run printed (an empty object, and a failure, otherwise).
    static QJsonObject OnlyObject(const CliResult& result) {
        const std::vector<QJsonObject> objects = ParseObjects(result.out);
        EXPECT_EQ(objects.size(), 1u) << result.out.toStdString() << result.err.toStdString();
        return objects.size() == 1 ? objects[0] : QJsonObject();
    }
    // The one ":info" object of a script that runs to its end (status 0).
    QJsonObject ScriptInfo(const QByteArray& script, const QStringList& options = {}) const {
        const CliResult result = RunScript(script, options);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return OnlyObject(result);
    }

    // What "info" says of a site file.
    QJsonObject Info(const QString& site) const {
        const CliResult info = Run({"info", site});
        EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.err.isEmpty()) << info.err.toStdString();
        return OnlyObject(info);
    }

    QTemporaryDir home_;
};

// The text with every number rounded to six decimals: the last bits of the trigonometry may
// differ between machines.
inline QString RoundedNumbers(const QByteArray& text) {
    static const QRegularExpression number(QStringLiteral(R"(-?\d+(\.\d+)?(e[-+]?\d+)?)"));
    QString rounded = QString::fromUtf8(text);
    for (auto match = number.match(rounded); match.hasMatch();) {
        const double value = std::round(match.captured().toDouble() * 1e6) / 1e6 + 0.0;
        const QString shown = QString::number(value, 'g', 15);
        rounded.replace(match.capturedStart(), match.capturedLength(), shown);
        match = number.match(rounded, match.capturedStart() + shown.size());
    }
    return rounded;
}

}  // namespace plantrek::test
