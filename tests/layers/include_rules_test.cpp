// The layers of src/ depend only downwards: no folder includes a higher one, and nothing below
// the window includes a widget header. Each break is reported with its file and line.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <map>

namespace plantrek::test {
namespace {

// Each layer with the layers it may include (itself included); a sub-folder not named here
// belongs to its parent's layer.
const std::map<QString, QStringList>& Layers() {
    static const QStringList kDocument{"document", "document/forms", "document/files",
                                       "model",    "audio",          "resources"};
    static const std::map<QString, QStringList> layers{
        {"audio", {"audio"}},
        {"audio/io", {"audio/io", "audio"}},
        {"model", {"model", "audio"}},
        {"resources", {"resources"}},
        {"document/files", {"document/files", "model", "audio", "resources"}},
        {"document", kDocument},
        {"document/forms", kDocument},
        {"device", {"device"}},
        {"export/xls", {"export/xls"}},
        {"view/render", {"view/render", "model", "audio"}},
        {"export", QStringList{"export", "export/xls", "view/render"} + kDocument},
        {"view", QStringList{"view", "view/render", "export", "export/xls", "device", "audio/io"} +
                     kDocument},
        {"app", {}},  // the top: anything
    };
    return layers;
}

// Layers that never see a widget.
const QStringList kNoWidgets{"model",       "document", "document/files", "document/forms",
                             "view/render", "export",   "export/xls"};

// The layer a folder (relative to src/) belongs to; empty for one outside every layer.
QString LayerOf(QString folder) {
    while (!folder.isEmpty()) {
        if (Layers().count(folder) != 0) {
            return folder;
        }
        folder = folder.section(QLatin1Char('/'), 0, -2);
    }
    return {};
}

QSet<QString> WidgetHeaders() {
    QSet<QString> names{"QtWidgets",   "QWidget",     "QApplication", "QDialog",
                        "QMainWindow", "QMessageBox", "QFileDialog",  "QMdiArea"};
    const QDir dir(QLibraryInfo::path(QLibraryInfo::HeadersPath) + "/QtWidgets");
    for (const QString& name : dir.entryList(QDir::Files)) {
        names.insert(name);
    }
    return names;
}

// "file:line: what is wrong" for every forbidden include under `root`.
QStringList Violations(const QString& root) {
    static const QRegularExpression include(
        QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    static const QSet<QString> widgets = WidgetHeaders();
    QStringList found;
    const QDir src(root);
    QDirIterator files(root, {"*.h", "*.cpp", "CMakeLists.txt"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = src.relativeFilePath(path);
        const QString layer = LayerOf(relative.section(QLatin1Char('/'), 0, -2));
        if (layer.isEmpty()) {
            continue;
        }
        const bool noWidgets = kNoWidgets.contains(layer);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            found.append(relative + ": cannot be read");
            continue;
        }
        QTextStream in(&file);
        const bool cmake = relative.endsWith(QLatin1String("CMakeLists.txt"));
        for (int number = 1; !in.atEnd(); ++number) {
            const QString line = in.readLine();
            const QString where = QStringLiteral("src/%1:%2: ").arg(relative).arg(number);
            if (cmake) {
                if (noWidgets && line.contains(QLatin1String("Widgets"))) {
                    found.append(where + "links Qt Widgets below the window");
                }
                continue;
            }
            const auto match = include.match(line);
            if (!match.hasMatch()) {
                continue;
            }
            const QString target = match.captured(2);
            if (match.captured(1) == QLatin1String("<")) {
                if (noWidgets && (widgets.contains(target) ||
                                  widgets.contains(target.section(QLatin1Char('/'), 0, 0)))) {
                    found.append(where + "includes the widget header <" + target + ">");
                }
                continue;
            }
            const QString targetLayer = LayerOf(target.section(QLatin1Char('/'), 0, -2));
            const QStringList& allowed = Layers().at(layer);
            if (!targetLayer.isEmpty() && layer != QLatin1String("app") &&
                !allowed.contains(targetLayer)) {
                found.append(where + "includes \"" + target + "\" of " + targetLayer + "; " +
                             layer + " may include only " + allowed.join(QLatin1String(", ")));
            }
        }
    }
    return found;
}

TEST(IncludeRulesTest, EveryLayerIncludesOnlyWhatIsBelowIt) {
    const QStringList found = Violations(QStringLiteral(PLANTREK_SOURCE_DIR));
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

// The checker itself finds each kind of break, at its line.
TEST(IncludeRulesTest, ReportsEachBreakWithFileAndLine) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const std::map<QString, QByteArray> files{
        {"model/wall.h",
         "#pragma once\n#include \"audio/annotation.h\"\n#include \"model/units.h\"\n"},
        {"model/room.cpp", "#include \"model/room.h\"\n\n#include \"resources/string_table.h\"\n"},
        {"view/render/plan.cpp", "#include <QPainter>\n#include \"document/prefs.h\"\n"},
        {"document/forms/wall_form.h", "#include <QString>\n  #  include <QDialog>\n"},
        {"export/CMakeLists.txt", "plantrek_add_library(x DEPENDS Qt6::Core)\nQt6::Widgets\n"},
        {"app/cli/main.cpp", "#include <QApplication>\n#include \"view/main_frame.h\"\n"},
        {"document/doc.cpp", "#include \"document/files/site_file.h\"\n#include \"app/cli/x.h\"\n"},
    };
    for (const auto& [name, text] : files) {
        QDir().mkpath(root.filePath(name.section(QLatin1Char('/'), 0, -2)));
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QStringList found;
    for (const QString& line : Violations(root.path())) {
        found.append(line.section(QLatin1Char(' '), 0, 0));
    }
    found.sort();
    EXPECT_EQ(found, (QStringList{"src/document/doc.cpp:2:", "src/document/forms/wall_form.h:2:",
                                  "src/export/CMakeLists.txt:2:", "src/model/room.cpp:3:",
                                  "src/view/render/plan.cpp:2:"}));
}

}  // namespace
}  // namespace plantrek::test
