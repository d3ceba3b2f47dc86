// The layers of src/ depend only downwards: no folder includes a higher one, and nothing below
// the window includes a widget header. Each break is reported with its file and line.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <map>

namespace plantrek::test {
namespace {

const QStringList kDocument{"document", "document/forms", "document/files",
                            "model",    "audio",          "resources"};
// Each layer with the layers it may include; a sub-folder not named is its parent's layer.
const std::map<QString, QStringList> kLayers{
    {"audio", {"audio"}},
    {"audio/io", {"audio/io", "audio"}},
    {"model", {"model", "audio"}},
    {"resources", {"resources"}},
    {"document/files", {"document/files", "model", "audio", "resources"}},
    {"document", kDocument},
    {"document/forms", kDocument},
    {"device", {"device"}},
    {"export/xls", {"export/xls"}},
    {"render", {"render", "model", "audio"}},
    {"export", QStringList{"export", "export/xls", "render"} + kDocument},
    {"view",
     QStringList{"view", "render", "export", "export/xls", "device", "audio/io"} + kDocument},
};
const QStringList kNoWidgets{"model",       "document", "document/files", "document/forms",
                             "render", "export",   "export/xls"};

// The layer of a folder relative to src/; empty for app/ (which may use anything) and others.
QString LayerOf(QString folder) {
    while (!folder.isEmpty() && kLayers.count(folder) == 0) {
        folder = folder.section(QLatin1Char('/'), 0, -2);
    }
    return folder;
}

// "src/file:line: what is wrong" for every forbidden include or link under `root`.
QStringList Violations(const QString& root) {
    static const QRegularExpression include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    QSet<QString> widgets{"QtWidgets", "QWidget", "QApplication", "QDialog", "QMessageBox"};
    for (const QString& name : QDir(QLibraryInfo::path(QLibraryInfo::HeadersPath) + "/QtWidgets")
                                   .entryList(QDir::Files)) {
        widgets.insert(name);
    }
    QStringList found;
    QDirIterator files(root, {"*.h", "*.cpp", "CMakeLists.txt"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = QDir(root).relativeFilePath(files.next());
        const QString layer = LayerOf(relative.section(QLatin1Char('/'), 0, -2));
        if (layer.isEmpty()) {
            continue;
        }
        const bool noWidgets = kNoWidgets.contains(layer);
        QFile file(files.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << relative.toStdString();
        QTextStream in(&file);
        for (int number = 1; !in.atEnd(); ++number) {
            const QString line = in.readLine();
            const QString at = QStringLiteral("src/%1:%2: ").arg(relative).arg(number);
            const auto match = include.match(line);
            if (relative.endsWith(QLatin1String("CMakeLists.txt"))) {
                if (noWidgets && line.contains(QLatin1String("Widgets"))) {
                    found.append(at + "links Qt Widgets below the window");
                }
            } else if (match.captured(1) == QLatin1String("<")) {
                const QString target = match.captured(2);
                if (noWidgets && (widgets.contains(target) ||
                                  widgets.contains(target.section(QLatin1Char('/'), 0, 0)))) {
                    found.append(at + "includes the widget header <" + target + ">");
                }
            } else if (match.hasMatch()) {
                const QString target = match.captured(2);
                const QString targetLayer = LayerOf(target.section(QLatin1Char('/'), 0, -2));
                const QStringList& allowed = kLayers.at(layer);
                if (!targetLayer.isEmpty() && !allowed.contains(targetLayer)) {
                    found.append(at + "includes \"" + target + "\" of " + targetLayer + "; " +
                                 layer + " may include only " + allowed.join(", "));
                }
            }
        }
    }
    return found;
}

TEST(IncludeRulesTest, EveryLayerIncludesOnlyWhatIsBelowIt) {
    const QStringList found = Violations(QStringLiteral(PLANTREK_SOURCE_DIR));
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

// The checker itself finds each kind of break, at its line, and lets allowed ones pass.
TEST(IncludeRulesTest, ReportsEachBreakWithFileAndLine) {
    QTemporaryDir root;
    const std::map<QString, QByteArray> files{
        {"model/room.cpp", "#include \"audio/annotation.h\"\n#include \"resources/names.h\"\n"},
        {"render/plan.cpp", "#include <QPainter>\n#include \"document/prefs.h\"\n"},
        {"document/forms/wall_form.h", "#include \"document/files/x.h\"\n  #  include <QDialog>\n"},
        {"export/CMakeLists.txt", "plantrek_add_library(x)\nQt6::Widgets\n"},
        {"app/cli/main.cpp", "#include <QApplication>\n#include \"view/main_frame.h\"\n"},
    };
    for (const auto& [name, text] : files) {
        QDir(root.path()).mkpath(name.section(QLatin1Char('/'), 0, -2));
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QStringList found;
    for (const QString& line : Violations(root.path())) {
        found.append(line.section(QLatin1Char(' '), 0, 0));
    }
    found.sort();
    EXPECT_EQ(found,
              (QStringList{"src/document/forms/wall_form.h:2:", "src/export/CMakeLists.txt:2:",
                           "src/model/room.cpp:2:", "src/render/plan.cpp:2:"}));
}

}  // namespace
}  // namespace plantrek::test
