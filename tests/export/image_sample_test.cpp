// A plan as a surveyor would hand it over: several rooms in several materials, a bay window, an
// open deck and a selected room, exported in every picture format. Set PLANTREK_KEEP_PICTURES to
// a folder to keep the pictures for looking at.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "export/export_image.h"
#include "export_test_support.h"
#include "image_test_support.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek {
namespace {

Room* AddRoomAt(Site& site, PlanPoint at, const QString& name, int material,
                std::initializer_list<std::tuple<double, double, double>> walls,
                CloseRule rule = CloseRule::Square) {
    site.SetStartPoint(at);
    Room* room = site.AddRoom(name, material);
    room->SetCloseRule(rule);
    for (const auto& [length, bearing, arc] : walls) {
        room->AddWall(length, bearing, arc);
    }
    return room;
}

Site SampleHouse(Room** selected) {
    Site site;
    site.SetName(QStringLiteral("12 Harbour Lane"));
    site.AddMaterial(QStringLiteral("Carpet"), 1, MakeColour(204, 153, 102));
    site.AddMaterial(QStringLiteral("Ceramic tile"), 2, MakeColour(153, 204, 255));
    site.AddMaterial(QStringLiteral("Oak boards"), 3, MakeColour(204, 102, 51));
    site.AddMaterial(QStringLiteral("Vinyl"), 4, MakeColour(102, 204, 102));  // unused
    site.AddMaterial(QStringLiteral("Slate"), 5, MakeColour(102, 102, 102));

    AddRoomAt(site, {0.0, 0.0}, QStringLiteral("Living Room"), 1,
              {{5.0, 0.0, 0.0}, {6.0, 90.0, 0.0}, {5.0, 180.0, 0.0}});
    AddRoomAt(site, {6.0, 0.0}, QStringLiteral("Kitchen"), 2,
              {{5.0, 0.0, 0.0}, {4.0, 90.0, 0.0}, {5.0, 180.0, 0.0}});
    // The dining room's north wall is a bay window.
    AddRoomAt(site, {0.0, 5.0}, QStringLiteral("Dining"), 3,
              {{3.5, 0.0, 0.0}, {6.0, 90.0, 1.2}, {3.5, 180.0, 0.0}});
    *selected = AddRoomAt(site, {6.0, 5.0}, QStringLiteral("Hall"), 5,
                          {{3.5, 0.0, 0.0}, {4.0, 90.0, 0.0}, {3.5, 180.0, 0.0}});
    AddRoomAt(site, {7.0, 8.5}, QStringLiteral("WC"), 2,
              {{1.8, 0.0, 0.0}, {1.5, 90.0, 0.0}, {1.8, 180.0, 0.0}});
    // An open deck: its walls fold back under the reverse square rule, so it stays a line.
    AddRoomAt(site, {10.0, 0.0}, QStringLiteral("Deck"), 3, {{3.0, 90.0, 0.0}, {5.0, 0.0, 0.0}},
              CloseRule::ReverseSquare);
    site.SetStartPoint({-1.0, -1.0});
    return site;
}

TEST(ImageSample, HouseInEveryFormat) {
    PLANTREK_REQUIRE_GUI();
    Room* hall = nullptr;
    const Site site = SampleHouse(&hall);
    ASSERT_FALSE(site.GetRoom(5)->IsClosed());

    QTemporaryDir temporary;
    const QString keep = qEnvironmentVariable("PLANTREK_KEEP_PICTURES");
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    ImageExportOptions options;
    options.metric = true;
    options.selection.room = hall;
    options.selection.wall = hall->GetWall(1, true);

    ImageLayout layout;
    ASSERT_TRUE(LayoutImage(site, 96, true, &layout));
    for (const auto& [format, name] :
         {std::pair{ImageFormat::Jpeg, "house.jpg"}, std::pair{ImageFormat::Bmp, "house.bmp"},
          std::pair{ImageFormat::Gif, "house.gif"}}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        const ExportResult result = ExportImage(&site, options, path, format);
        ASSERT_TRUE(result.ok) << name << ": " << result.errorText.toStdString();
        // Plan (1, 1), inside the living room and clear of its name: carpet. The start point
        // at (-1, -1) is the lower left corner, half a meter in from the edges.
        const int h = static_cast<int>(layout.height);
        PLANTREK_READ_PICTURE(view, path, (std::vector<std::pair<int, int>>{{240, h - 240}}));
        EXPECT_EQ(view["size"].toArray(),
                  (QJsonArray{static_cast<int>(layout.width), static_cast<int>(layout.height)}))
            << name;
        const std::vector<int> carpet = test::Rgb(view["pixels"].toArray()[0]);
        ASSERT_EQ(carpet.size(), 3u);
        EXPECT_NEAR(carpet[0], 204, 6) << name;
        EXPECT_NEAR(carpet[1], 153, 6) << name;
        EXPECT_NEAR(carpet[2], 102, 6) << name;
    }
    // Five materials, four of them used: the legend lists four.
    const int c = layout.scaleBar.height / 4;
    EXPECT_EQ(layout.legend.height, 4 * (c + c / 2));
}

}  // namespace
}  // namespace plantrek
