#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include <QPainter>

#include "model/material.h"
#include "model/site.h"
#include "render/painter_surface.h"
#include "view/core/plan_picture.h"
#include "view/core/plan_viewport.h"

namespace plantrek {
namespace {

// The fit itself is plan_fit_test's ("the plan view": 0.8 of the area, centred); here the zoom
// widens the area the site is fitted into, and a site of a single point counts as 1 × 1 m.
TEST(PlanViewportLayout, FitsTheSiteIntoTheZoomedArea) {
    Site site;
    site.SetStartPoint({2.0, 3.0});
    PlanViewport viewport;
    viewport.SetClientSize({400, 300});
    for (const auto& [zoom, scale] : {std::pair{1, 240.0}, {2, 480.0}}) {
        while (viewport.Zoom() < zoom) {
            viewport.ZoomIn();
        }
        viewport.Layout(&site);
        const ViewTransform& t = viewport.Transform();
        EXPECT_DOUBLE_EQ(t.scale, scale);
        EXPECT_DOUBLE_EQ(t.xOffset, 200 * zoom - 2 * scale);
        EXPECT_DOUBLE_EQ(t.yOffset, 150 * zoom - 3 * scale);
        EXPECT_EQ(t.height, 300 * zoom);
        EXPECT_EQ(viewport.TotalSize(), QSize(400, 300) * zoom);
    }
}

TEST(PlanViewportZoom, StepsKeepTheCentreAndStopAtTheLimits) {
    Site site;
    site.AddRoom(QStringLiteral("Hall"), 0)->AddWall(8.0, 90.0);
    PlanViewport viewport;
    viewport.SetClientSize({400, 300});
    viewport.Layout(&site);

    EXPECT_FALSE(viewport.ZoomToFit());
    // Below fit: the plan drawn half and a quarter as large, still centred; no further.
    const double fitScale = viewport.Transform().scale;
    for (const double part : {0.5, 0.25}) {
        ASSERT_TRUE(viewport.ZoomOut());
        viewport.Layout(&site);
        EXPECT_DOUBLE_EQ(viewport.Transform().scale, fitScale * part);
        EXPECT_EQ(viewport.TotalSize(), QSize(400, 300));
        EXPECT_LT(Distance(viewport.WindowToPlan({200, 150}), {4, 0}),
                  1.0 / viewport.Transform().scale);
    }
    EXPECT_FALSE(viewport.ZoomOut());
    EXPECT_FALSE(viewport.AtFit());
    ASSERT_TRUE(viewport.ZoomIn());
    ASSERT_TRUE(viewport.ZoomToFit());
    viewport.Layout(&site);
    EXPECT_DOUBLE_EQ(viewport.Transform().scale, fitScale);

    struct Step {
        bool (PlanViewport::*zoom)();
        int zoom_after;
        QPoint scroll;
    };
    const Step steps[] = {
        {&PlanViewport::ZoomIn, 2, {200, 150}},  // (0 + 200) × 2 − 200
        {&PlanViewport::ZoomIn, 4, {600, 450}},
        {&PlanViewport::ZoomOut, 2, {200, 150}},  // (600 + 200) / 2 − 200
        {&PlanViewport::ZoomIn, 4, {600, 450}},
        {&PlanViewport::ZoomIn, 8, {1400, 1050}},
        {&PlanViewport::ZoomIn, 16, {3000, 2250}},
        {&PlanViewport::ZoomToFit, 1, {0, 0}},
    };
    for (const Step& step : steps) {
        const PlanPoint centre = viewport.WindowToPlan({200, 150});
        ASSERT_TRUE((viewport.*step.zoom)());
        viewport.Layout(&site);
        EXPECT_EQ(viewport.Zoom(), step.zoom_after);
        EXPECT_EQ(viewport.ScrollPosition(), step.scroll);
        if (step.zoom_after != 1) {
            // The window's centre shows the same plan point, to a pixel or two.
            const PlanPoint after = viewport.WindowToPlan({200, 150});
            EXPECT_LT(Distance(after, centre), 3.0 / viewport.Transform().scale);
        }
        if (step.zoom_after == 16) {
            EXPECT_FALSE(viewport.ZoomIn());
        }
    }
}

// The pixels at which the pictures differ by more than a shade. Smoothed text drawn in two
// pieces may come out a shade apart from text drawn whole, and a line cut by the edge of a
// strip may end a pixel apart at a corner; anything missing from a strip differs by far more.
int DifferentPixels(const QImage& a, const QImage& b) {
    constexpr int kShade = 0x40;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            count += d > kShade ? 1 : 0;
        }
    }
    return count;
}

// Scrolling moves the kept picture and draws only what came into view, skipping rooms that lie
// outside it: the result must be the picture drawn afresh, names overflowing small rooms too.
TEST(PlanPictureScroll, MatchesAPictureDrawnAfresh) {
    Site site;
    for (int i = 0; i < 40; ++i) {
        Room* room = site.AddRoom(QStringLiteral("A rather long room name %1").arg(i), 0);
        room->SetLocation({(i % 8) * 0.6, (i / 8) * 0.6});
        for (const auto& [length, direction] : {std::pair{0.15, 90.0}, {0.05, 0.0}, {0.15, 270.0}}) {
            room->AddWall(length, direction);
        }
    }
    PlanViewport viewport;
    viewport.SetClientSize({300, 200});
    viewport.ZoomIn();
    viewport.ZoomIn();
    viewport.Layout(&site);
    const auto picture = [&] {
        PlanPicture p;
        p.SetContent(&site, {site.GetRoom(5), nullptr, false}, DrawingValues{});
        p.Update(viewport.ClientSize(), viewport.WindowTransform());
        return p;
    };
    PlanPicture scrolled = picture();
    std::vector<QPoint> steps(12, QPoint(23, 0));
    steps.insert(steps.end(), 8, QPoint(0, 17));
    steps.insert(steps.end(), 5, QPoint(-41, -29));
    steps.insert(steps.end(), {QPoint(250, 60), QPoint(0, 400), QPoint(-299, -1)});
    for (const QPoint step : steps) {
        const QPoint before = viewport.ScrollPosition();
        viewport.SetScrollPosition(before + step);
        const QPoint moved = viewport.ScrollPosition() - before;
        scrolled.Scroll(-moved.x(), -moved.y(), viewport.WindowTransform());
        ASSERT_LE(DifferentPixels(scrolled.Image(), picture().Image()), 4)
            << "by " << step.x() << ", " << step.y();
    }
}

// The faint level below is kept as a picture of its own between changes. Whatever changes, on
// either level, and however the window scrolls, the picture must be the one drawn afresh in a
// single pass. The faint colours are too pale for DifferentPixels, so pixels are compared
// exactly; without names there is no text to come out a shade apart.
TEST(PlanPictureFaintLevel, FollowsChangesOnBothLevelsAndScrolls) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, 0x2080E0);
    const int upper = site.AddLevel(Level{QStringLiteral("Upper Floor"), 3.0, 0.0});
    std::vector<Room*> below;
    for (int i = 0; i < 12; ++i) {
        Room* room = site.AddRoom(QStringLiteral("Below %1").arg(i), i % 2);
        room->SetLocation({(i % 4) * 1.1, (i / 4) * 1.1});
        for (const auto& [length, direction] : {std::pair{1.0, 90.0}, {1.0, 0.0}, {1.0, 270.0}}) {
            room->AddWall(length, direction);
        }
        below.push_back(room);
    }
    Room* landing = site.AddRoom(QStringLiteral("Landing"), 1);
    landing->SetLocation({0.5, 0.5});
    for (const auto& [length, direction] : {std::pair{2.0, 90.0}, {1.5, 0.0}, {2.0, 270.0}}) {
        landing->AddWall(length, direction);
    }
    site.MoveRoomToLevel(landing, upper);
    DrawingValues values;
    values.ShowNames = false;
    values.Level = upper;
    values.FaintLevelBelow = true;

    PlanViewport viewport;
    viewport.SetClientSize({240, 160});
    viewport.ZoomIn();
    viewport.Layout(&site, upper);
    PlanSelection selection{landing, nullptr, false};
    PlanPicture kept;
    const auto afresh = [&] {
        QImage image(viewport.ClientSize(), QImage::Format_RGB32);
        image.fill(PlanPicture::kBackground);
        QPainter painter(&image);
        PainterSurface surface(painter);
        RenderSiteRegion(site, surface, viewport.WindowTransform(), selection, values, nullptr,
                         MeasureRoomReach(site, values, false),
                         {0, 0, image.width(), image.height()});
        return image;
    };
    const auto differing = [](const QImage& a, const QImage& b) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
            }
        }
        return count;
    };
    const auto redraw = [&] {
        kept.SetContent(&site, selection, values);
        kept.Update(viewport.ClientSize(), viewport.WindowTransform());
    };
    const auto scroll = [&](QPoint step) {
        const QPoint before = viewport.ScrollPosition();
        viewport.SetScrollPosition(before + step);
        const QPoint moved = viewport.ScrollPosition() - before;
        kept.Scroll(-moved.x(), -moved.y(), viewport.WindowTransform());
    };
    // Every command ends in a snapshot of the site, before the views draw again.
    const auto commit = [&] { site.Snapshot(); };
    const auto kept0 = site.Snapshot();
    const struct {
        const char* what;
        std::function<void()> change;
        // Pixels a strip's edge may leave a pixel apart.
        int allowed;
    } steps[] = {
        {"the first picture", [&] { redraw(); }, 0},
        {"the landing grows", [&] { landing->AddWall(0.5, 90.0), redraw(); }, 0},
        {"a room below moves",
         [&] { below[5]->Translate({0.3, 0.2}), commit(), redraw(); }, 0},
        {"a room below is removed",
         [&] { site.RemoveRoom(below[11]), below.pop_back(), redraw(); }, 0},
        {"the tile turns red",
         [&] { site.FindMaterialByIndex(1)->SetColour(0x0000FF), redraw(); }, 0},
        {"the wall colour changes", [&] { values.WallColor = 0x808000, redraw(); }, 0},
        {"scrolled right", [&] { scroll({37, 0}); }, 4},
        {"scrolled down and left", [&] { scroll({-11, 29}); }, 4},
        {"the landing moves after scrolling",
         [&] { landing->Translate({0.1, 0.0}), commit(), redraw(); }, 4},
        {"a room below is selected in another window",
         [&] { selection = {below[2], nullptr, false}, redraw(); }, 4},
        {"undone back to the start",
         [&] {
             site.RestoreSnapshot(*kept0);
             landing = site.GetRoom(site.RoomCount() - 1);
             selection = {};
             redraw();
         },
         4},
        {"the level below hidden", [&] { values.FaintLevelBelow = false, redraw(); }, 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        ASSERT_LE(differing(kept.Image(), afresh()), step.allowed);
    }
}

}  // namespace
}  // namespace plantrek
