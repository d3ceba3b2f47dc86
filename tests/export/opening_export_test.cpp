// Doors, windows and passages in the drawings: the sample house with a door in every room and
// two windows, read back by ezdxf, and its picture looked at where the openings stand.
#include <gtest/gtest.h>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>

#include "document/files/site_file.h"
#include "export/dxf_exporter.h"
#include "export/export_image.h"
#include "export_test_support.h"
#include "model/site.h"
#include "model/units.h"
#include "render/view_transform.h"

namespace plantrek {
namespace {

using test::EntitiesOf;
using test::ExpectJsonHas;

// The sample house of the command line's tests and the README's picture, with a door into every
// room and two windows. The living room: its front door on the west wall from 0.6 m, 0.9 m
// wide, hinged on the left, opening in; a window beside it from 2.4 m, 1.6 m wide; on its north
// wall from 1.4 m a 0.9 m door into the dining room, hinged on the right, opening out. The
// kitchen: a 0.8 m door on the wall it shares with the living room (west, from 1.2 m, hinged on
// the left, in); a 1 m passage to the hall from 2.6 m on its north wall. The hall: doors on its
// west wall from 0.3 m (0.9 m, right, in) and into the bedroom on its north wall from 1.6 m
// (0.8 m, left, out). The bathroom: a 0.7 m door from the bedroom on its east wall from 2.6 m
// (right, in). The bedroom: a 1.5 m window on its north wall from 1 m.
void LoadHouseWithOpenings(Site& site) {
    const QString path = QStringLiteral(PLANTREK_TEST_DATA_DIR "/export_cli/house-openings.tcd");
    ASSERT_TRUE(LoadSiteFile(path, site).ok);
}

QJsonArray OnLayer(const QJsonArray& entities, const QString& layer, const QString& type) {
    QJsonArray found;
    for (const auto& e : entities) {
        if (e.toObject()["layer"] == layer && e.toObject()["type"] == type) {
            found.append(e);
        }
    }
    return found;
}

QJsonObject Line(double x1, double y1, double x2, double y2) {
    return {{"start", QJsonArray{x1, y1}}, {"end", QJsonArray{x2, y2}}};
}

TEST(OpeningDxf, DoorsAndWindowsOnTheirOwnLayersAsArcsAndLines) {
    Site site;
    LoadHouseWithOpenings(site);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("house.dxf"));
    ASSERT_TRUE(ExportDxf(&site, true, 0, path).ok);
    PLANTREK_READ_EXPORT(view, "dxf", path);

    QStringList layers;
    for (const auto& layer : view["layers"].toArray()) {
        layers << layer.toObject()["name"].toString();
    }
    EXPECT_TRUE(layers.contains("A-DOOR") && layers.contains("A-GLAZ"))
        << layers.join(',').toStdString();

    // The living room's west wall, seen from inside: the front door hinged on the left (south)
    // opening in, a quarter circle from the open leaf (east) to the far jamb (north); the window
    // as two lines 5 cm either side of the wall between its jambs.
    const QJsonArray living = EntitiesOf(view, "BlockLivingRoom");
    ExpectJsonHas(OnLayer(living, "A-DOOR", "ARC"),
                  QJsonArray{QJsonObject{{"center", QJsonArray{0.0, 0.6}},
                                         {"radius", 0.9},
                                         {"angles", QJsonArray{0.0, 90.0}}},
                             // Its north wall's door opens out, into the dining room, hinged on
                             // the right (east): from north round to west.
                             QJsonObject{{"center", QJsonArray{2.3, 5.0}},
                                         {"radius", 0.9},
                                         {"angles", QJsonArray{90.0, 180.0}}}},
                  1e-6);
    const QJsonArray doorLines = OnLayer(living, "A-DOOR", "LINE");
    ASSERT_EQ(doorLines.size(), 6);
    ExpectJsonHas(doorLines[0], Line(-0.05, 0.6, 0.05, 0.6), 1e-6);  // jambs
    ExpectJsonHas(doorLines[1], Line(-0.05, 1.5, 0.05, 1.5), 1e-6);
    ExpectJsonHas(doorLines[2], Line(0.0, 0.6, 0.9, 0.6), 1e-6);  // the leaf
    ExpectJsonHas(doorLines[5], Line(2.3, 5.0, 2.3, 5.9), 1e-6);
    ExpectJsonHas(OnLayer(living, "A-GLAZ", "LINE"),
                  QJsonArray{Line(-0.05, 2.4, 0.05, 2.4), Line(-0.05, 4.0, 0.05, 4.0),
                             Line(-0.05, 2.4, -0.05, 4.0), Line(0.05, 2.4, 0.05, 4.0)},
                  1e-6);

    // Each opening once, in the room that holds it: six doors, the passage's two jambs, the
    // bedroom's window; the living room's neighbours draw nothing of its doors.
    int arcs = 0;
    int doorLayerLines = 0;
    int windowLines = 0;
    for (const auto& block : view["blocks"].toArray()) {
        const QJsonArray entities = block.toObject()["entities"].toArray();
        arcs += OnLayer(entities, "A-DOOR", "ARC").size();
        doorLayerLines += OnLayer(entities, "A-DOOR", "LINE").size();
        windowLines += OnLayer(entities, "A-GLAZ", "LINE").size();
    }
    EXPECT_EQ(arcs, 6);
    EXPECT_EQ(doorLayerLines, 6 * 3 + 2);
    EXPECT_EQ(windowLines, 2 * 4);
    EXPECT_EQ(OnLayer(EntitiesOf(view, "BlockDining"), "A-DOOR", "ARC").size(), 0);
    ExpectJsonHas(OnLayer(EntitiesOf(view, "BlockKitchen"), "A-DOOR", "ARC"),
                  QJsonArray{QJsonObject{{"center", QJsonArray{6.0, 1.2}}}}, 1e-6);

    // In feet the same drawing, scaled.
    const QString feet = dir.filePath(QStringLiteral("feet.dxf"));
    ASSERT_TRUE(ExportDxf(&site, false, 0, feet).ok);
    PLANTREK_READ_EXPORT(imperial, "dxf", feet);
    ExpectJsonHas(OnLayer(EntitiesOf(imperial, "BlockLivingRoom"), "A-DOOR", "ARC")[0],
                  QJsonObject{{"center", QJsonArray{0.0, 0.6 / kFoot}}, {"radius", 0.9 / kFoot}},
                  1e-6);
}

// Black pixels within `reach` of the plan point, the picture being at 96 pixels per meter with
// 48 pixels of white round the plan (whose lower left corner is the origin).
int BlackNear(const QImage& image, double x, double y, int reach) {
    const int px = static_cast<int>(96 * x + 48);
    const int py = image.height() - static_cast<int>(96 * y + 48);
    int black = 0;
    for (int dx = -reach; dx <= reach; ++dx) {
        for (int dy = -reach; dy <= reach; ++dy) {
            black += image.pixel(px + dx, py + dy) == qRgb(0, 0, 0);
        }
    }
    return black;
}

TEST(OpeningPicture, GapsLeavesSwingsAndGlazingWhereTheOpeningsStand) {
    Site site;
    LoadHouseWithOpenings(site);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("house.png"));
    ImageExportOptions options;
    options.metric = true;
    ResetMarkerUnit();
    ASSERT_TRUE(ExportImage(&site, options, path, ImageFormat::Png).ok);
    const QImage image(path);
    ASSERT_FALSE(image.isNull());

    // The living room's west wall: black beside the front door, open in its gap, the leaf
    // opened into the room along the door's south jamb.
    EXPECT_GT(BlackNear(image, 0.0, 0.3, 1), 0);
    EXPECT_EQ(BlackNear(image, 0.0, 1.05, 1), 0);
    EXPECT_GT(BlackNear(image, 0.45, 0.6, 1), 0);
    // The window: no wall line in the middle, glazing two pixels either side of it.
    EXPECT_EQ(BlackNear(image, 0.0, 3.2, 1), 0);
    EXPECT_GT(BlackNear(image, -2.0 / 96, 3.2, 0) + BlackNear(image, 2.0 / 96, 3.2, 0), 1);
    // The passage from the kitchen to the hall: a gap and nothing in it.
    EXPECT_EQ(BlackNear(image, 9.1, 3.5, 2), 0);
}

}  // namespace
}  // namespace plantrek
