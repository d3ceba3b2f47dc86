// The layers of src/ depend only downwards: no folder includes a higher one, and nothing below
// the window includes a widget header. Each break is reported with its file and line.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <map>

namespace plantrek::test {
namespace {

const QStringList kDocument{"document", "document/forms", "document/files",
                            "model",    "audio",          "resources"};
const QStringList kExport = QStringList{"export", "export/xls", "render"} + kDocument;
const QStringList kViewCore = QStringList{"view/core"} + kExport;
const QStringList kView = QStringList{"view", "device", "audio/io"} + kViewCore;
const QStringList kEverything = QStringList{"app", "app/cli"} + kView;
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
    {"export", kExport},
    {"view/core", kViewCore},
    {"view", kView},
    {"app", kEverything},
    {"app/cli", kEverything},
};
// Only the window and the programs' entry points may show a widget.
const QStringList kWithWidgets{"view", "app", "app/cli"};

// The layer of a folder relative to src/; empty for src/ itself and for folders in no layer.
QString LayerOf(QString folder) {
    while (!folder.isEmpty() && kLayers.count(folder) == 0) {
        folder = folder.section(QLatin1Char('/'), 0, -2);
    }
    return folder;
}

QSet<QString> WidgetHeaders() {
    QSet<QString> widgets{"QtWidgets", "QWidget", "QApplication", "QDialog", "QMessageBox"};
    for (const QString& name : QDir(QLibraryInfo::path(QLibraryInfo::HeadersPath) + "/QtWidgets")
                                   .entryList(QDir::Files)) {
        widgets.insert(name);
    }
    return widgets;
}

// "src/file:line: what is wrong" for every forbidden include or link in `files` (each path
// relative to src/ with its text).
QStringList Violations(const std::map<QString, QString>& files) {
    static const QRegularExpression include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    static const QSet<QString> widgets = WidgetHeaders();
    QStringList found;
    for (const auto& [relative, text] : files) {
        const QString folder = relative.section(QLatin1Char('/'), 0, -2);
        if (folder.isEmpty()) {
            continue;
        }
        const QString layer = LayerOf(folder);
        if (layer.isEmpty()) {
            found.append(QStringLiteral("src/%1:1: is in no layer; name its folder in the table")
                             .arg(relative));
            continue;
        }
        const bool noWidgets = !kWithWidgets.contains(layer);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int index = 0; index < lines.size(); ++index) {
            const QString& line = lines[index];
            const QString at = QStringLiteral("src/%1:%2: ").arg(relative).arg(index + 1);
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

// Every header, source and CMakeLists.txt under `root`, by its path relative to it.
std::map<QString, QString> ReadTree(const QString& root) {
    std::map<QString, QString> files;
    QDirIterator it(root, {"*.h", "*.cpp", "CMakeLists.txt"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
        files[QDir(root).relativeFilePath(path)] = QString::fromUtf8(file.readAll());
    }
    return files;
}

TEST(IncludeRulesTest, EveryLayerIncludesOnlyWhatIsBelowIt) {
    const std::map<QString, QString> tree = ReadTree(QStringLiteral(PLANTREK_SOURCE_DIR));
    // The walk itself is checked: the layers reach down to app/ and its command line.
    EXPECT_TRUE(tree.count(QStringLiteral("app/main.cpp")));
    EXPECT_TRUE(tree.count(QStringLiteral("view/core/plan_viewport.h")));
    const QStringList found = Violations(tree);
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

// The checker itself finds each kind of break, at its line, and lets allowed ones pass (the
// real tree above holds every kind of allowed include).
TEST(IncludeRulesTest, ReportsEachBreakWithFileAndLine) {
    const std::map<QString, QString> files{
        {"model/room.cpp",
         "#include \"audio/annotation.h\"\n#include \"resources/names.h\"\n#include \"app/a.h\"\n"},
        {"document/forms/wall_form.h", "#include \"document/files/x.h\"\n  #  include <QDialog>\n"},
        {"export/CMakeLists.txt", "plantrek_add_library(x)\nQt6::Widgets\n"},
        {"export/pdf.cpp",
         "#include \"render/plan_renderer.h\"\n#include \"view/main_frame.h\"\n"
         "#include \"view/core/plan_viewport.h\"\n"},
        {"view/core/plan_viewport.cpp",
         "#include \"export/page_layout.h\"\n#include <QWidget>\n#include \"view/keypad.h\"\n"
         "#include <QImage>\n"},
        {"gadgets/thing.cpp", "#include \"model/site.h\"\n"},
    };
    QStringList found;
    for (const QString& line : Violations(files)) {
        found.append(line.section(QLatin1Char(' '), 0, 0));
    }
    found.sort();
    EXPECT_EQ(
        found,
        (QStringList{"src/document/forms/wall_form.h:2:", "src/export/CMakeLists.txt:2:",
                     "src/export/pdf.cpp:2:", "src/export/pdf.cpp:3:", "src/gadgets/thing.cpp:1:",
                     "src/model/room.cpp:2:", "src/model/room.cpp:3:",
                     "src/view/core/plan_viewport.cpp:2:", "src/view/core/plan_viewport.cpp:3:"}));
}

}  // namespace
}  // namespace plantrek::test
