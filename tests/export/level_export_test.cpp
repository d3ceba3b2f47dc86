// A house of three floors exported floor by floor: pages read back by pdftotext, layers by
// ezdxf, groups by an XML reader, pictures by their file names.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>

#include "export/dxf_exporter.h"
#include "export/export_image.h"
#include "export/export_levels.h"
#include "export/page_layout.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "export_test_support.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek {
namespace {

// Standard output of a poppler tool, or a skip when it is not installed.
#define PLANTREK_POPPLER(out, tool, ...)                  \
    if (QStandardPaths::findExecutable(tool).isEmpty()) { \
        GTEST_SKIP() << "poppler-utils are missing";      \
    }                                                     \
    QProcess process_##out;                               \
    process_##out.start(tool, {__VA_ARGS__});             \
    ASSERT_TRUE(process_##out.waitForFinished(60000));    \
    ASSERT_EQ(process_##out.exitCode(), 0);               \
    const QString out = QString::fromUtf8(process_##out.readAllStandardOutput())

// Ground Floor: Hall (with a door) and Kitchen; First Floor: Study, right over the hall;
// "Attic/Loft": Loft, whose name holds a character neither file nor layer names may.
Site House() {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, MakeColour(255, 153, 51));
    site.AddMaterial(QStringLiteral("Carpet"), 2, MakeColour(51, 153, 255));
    site.SetLevel(0, {QStringLiteral("Ground Floor"), 0.0, 0.0});
    site.AddLevel({QStringLiteral("First Floor"), 3.0, 0.0});
    site.AddLevel({QStringLiteral("Attic/Loft"), 6.0, 0.0});
    const auto room = [&](const char* name, int material, int level, double x) {
        site.SetStartPoint({x, 0.0});
        Room* made = site.AddRoom(QString::fromUtf8(name), material, level);
        made->AddWall(3.0, 0.0);
        made->AddWall(4.0, 90.0);
        made->AddWall(3.0, 180.0);
        return made;
    };
    Room* hall = room("Hall", 1, 0, 0.0);
    Opening door;
    door.offset = 1.0;
    door.width = 0.9;
    door.height = 2.0;
    hall->UserWalls()[1]->SetOpenings({door});
    room("Kitchen", 1, 0, 4.0);
    room("Study", 2, 1, 0.0);
    room("Loft", 2, 2, 0.0);
    site.SetStartPoint({0.0, -1.0});
    return site;
}

PlanPageOptions Pages(int level) {
    PlanPageOptions options;
    options.image.metric = true;
    options.image.drawing.Level = level;
    options.siteName = QStringLiteral("Elm Street");
    options.scale = PaperScale{100, QStringLiteral("1:100")};
    return options;
}

const QPageLayout kA4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                      QPageLayout::Millimeter);

// Page by page, each level's page is titled with its name and shows its own rooms only; one
// level chosen, its page alone.
TEST(LevelExport, PdfHasAPageSetPerLevelTitledWithItsName) {
    const Site site = House();
    QTemporaryDir dir;
    const QString every = dir.filePath(QStringLiteral("every.pdf"));
    const QString first = dir.filePath(QStringLiteral("first.pdf"));
    ASSERT_TRUE(ExportPdf(&site, Pages(-1), kA4, every).ok);
    ASSERT_TRUE(ExportPdf(&site, Pages(1), kA4, first).ok);
    const std::vector<std::pair<QString, QStringList>> pages = {
        {QStringLiteral("Ground Floor"), {QStringLiteral("Hall"), QStringLiteral("Kitchen")}},
        {QStringLiteral("First Floor"), {QStringLiteral("Study")}},
        {QStringLiteral("Attic/Loft"), {QStringLiteral("Loft")}},
    };
    const QStringList rooms{QStringLiteral("Hall"), QStringLiteral("Kitchen"),
                            QStringLiteral("Study"), QStringLiteral("Loft")};
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        const bool single = page == 4;  // the one page of the first floor alone
        const auto& [level, own] = pages[single ? 1 : page - 1];
        PLANTREK_POPPLER(text, QStringLiteral("pdftotext"), QStringLiteral("-f"),
                         QString::number(single ? 1 : page), QStringLiteral("-l"),
                         QString::number(single ? 1 : page), single ? first : every,
                         QStringLiteral("-"));
        EXPECT_TRUE(text.startsWith(level + QStringLiteral(" \u2014 Elm Street")))
            << text.toStdString();
        for (const QString& name : rooms) {
            EXPECT_EQ(text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(name))),
                      own.contains(name))
                << name.toStdString();
        }
    }
    PLANTREK_POPPLER(info, QStringLiteral("pdfinfo"), every);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    PLANTREK_POPPLER(one, QStringLiteral("pdfinfo"), first);
    EXPECT_TRUE(one.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

// Each level's rooms on layers named after it, as a CAD program reads them; the border and
// the legend stay shared; one level chosen, only its layers and rooms.
TEST(LevelExport, DxfPutsEachLevelOnLayersNamedAfterIt) {
    const Site site = House();
    QTemporaryDir dir;
    const QString every = dir.filePath(QStringLiteral("every.dxf"));
    ASSERT_TRUE(ExportDxf(&site, true, 0, every).ok);
    PLANTREK_READ_EXPORT(view, QStringLiteral("dxf"), every);
    QStringList layers;
    for (const QJsonValue& layer : view["layers"].toArray()) {
        layers << layer["name"].toString();
    }
    for (const char* name :
         {"Ground Floor-Rooms", "Ground Floor-Room Color", "Ground Floor-A-DOOR",
          "First Floor-Rooms", "First Floor-Room Color", "Attic_Loft-Rooms", "Border", "Legend"}) {
        EXPECT_TRUE(layers.contains(QString::fromUtf8(name))) << name;
    }
    EXPECT_FALSE(layers.contains(QStringLiteral("Rooms")));
    EXPECT_FALSE(layers.contains(QStringLiteral("First Floor-A-DOOR")));  // it has no door
    std::map<QString, int> inserts;
    for (const QJsonValue& entity : view["modelspace"].toArray()) {
        ++inserts[entity["layer"].toString()];
    }
    EXPECT_EQ(inserts[QStringLiteral("Ground Floor-Rooms")], 2);
    EXPECT_EQ(inserts[QStringLiteral("First Floor-Rooms")], 1);
    EXPECT_EQ(inserts[QStringLiteral("Attic_Loft-Room Color")], 1);

    const QString first = dir.filePath(QStringLiteral("first.dxf"));
    ASSERT_TRUE(ExportDxf(&site, true, 0, first, 1).ok);
    PLANTREK_READ_EXPORT(one, QStringLiteral("dxf"), first);
    for (const QJsonValue& layer : one["layers"].toArray()) {
        EXPECT_FALSE(layer["name"].toString().startsWith(QStringLiteral("Ground")));
    }
    int rooms = 0;
    for (const QJsonValue& entity : one["modelspace"].toArray()) {
        rooms += entity["layer"].toString() == QStringLiteral("First Floor-Rooms") ? 1 : 0;
    }
    EXPECT_EQ(rooms, 1);
    const Site empty;
    EXPECT_EQ(ExportDxf(&empty, true, 0, first, 0).errorText, kErrorNoRooms);
}

// A group per level, named and titled after it, holding its own rooms.
TEST(LevelExport, SvgHasAGroupPerLevel) {
    const Site site = House();
    QTemporaryDir dir;
    for (const int level : {-1, 2}) {
        SCOPED_TRACE(level);
        const QString path = dir.filePath(QStringLiteral("plan.svg"));
        ImageExportOptions options;
        options.drawing.Level = level;
        ASSERT_TRUE(ExportSvg(&site, options, path).ok);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList seen;  // "level: title" and "level: room"
        QString current;
        bool wantTitle = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            const auto kind = xml.attributes().value("class");
            if (kind == QStringLiteral("level")) {
                current = xml.attributes().value("data-name").toString();
                wantTitle = true;
            } else if (kind == QStringLiteral("room")) {
                seen << current + QStringLiteral(": ") +
                            xml.attributes().value("data-name").toString();
            } else if (wantTitle && xml.name() == QStringLiteral("title")) {
                seen << current + QStringLiteral(": title ") + xml.readElementText();
                wantTitle = false;
            }
        }
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        QStringList expected{QStringLiteral("Attic/Loft: title Attic/Loft"),
                             QStringLiteral("Attic/Loft: Loft")};
        if (level < 0) {
            expected = QStringList{QStringLiteral("Ground Floor: title Ground Floor"),
                                   QStringLiteral("Ground Floor: Hall"),
                                   QStringLiteral("Ground Floor: Kitchen"),
                                   QStringLiteral("First Floor: title First Floor"),
                                   QStringLiteral("First Floor: Study")} +
                       expected;
        }
        EXPECT_EQ(seen, expected);
    }
}

// Every level: a picture per level named after it, none at the chosen name; one level: the
// chosen name.
TEST(LevelExport, PicturesPerLevelAreNamedAfterTheirLevel) {
    const Site site = House();
    QTemporaryDir dir;
    ImageExportOptions options;
    ASSERT_TRUE(
        ExportImage(&site, options, dir.filePath(QStringLiteral("plan.png")), ImageFormat::Png).ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("plan - Attic_Loft.png"),
                           QStringLiteral("plan - First Floor.png"),
                           QStringLiteral("plan - Ground Floor.png")}));
    options.drawing.Level = 0;
    const QString ground = dir.filePath(QStringLiteral("ground.png"));
    ASSERT_TRUE(ExportImage(&site, options, ground, ImageFormat::Png).ok);
    // The ground floor is two rooms side by side, wider than the floors above.
    const QImage one(ground);
    const QImage above(dir.filePath(QStringLiteral("plan - First Floor.png")));
    EXPECT_GT(one.width(), above.width());
    EXPECT_EQ(LevelFilePath(QStringLiteral("/a.b/plan"), QStringLiteral(" Roof: East ")),
              QStringLiteral("/a.b/plan - Roof_ East"));
}

}  // namespace
}  // namespace plantrek
