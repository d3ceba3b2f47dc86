// Levels: the plan view's full redraw of one level of a ten-floor building of 10,000 rooms
// (1,000 a floor, one over the other), alone and over the faint floor below, against the
// redraw of a one-floor site of 1,000 rooms; and opening the ten-floor building's file against
// a one-floor file of 10,000 rooms.
#include <QPainter>

#include "bench/bench_fixtures.h"
#include "bench/site_generator.h"
#include "document/files/site_file.h"
#include "render/plan_hit_test.h"
#include "view/core/plan_picture.h"
#include "view/core/plan_viewport.h"

namespace plantrek::bench {
namespace {

constexpr int kRoomsPerFloor = 1000;
constexpr int kFloors = 10;
constexpr int kShownFloor = 5;

// The 1,000-room site copied onto each floor; the drawing order is floor by floor.
std::unique_ptr<Site> Building(int floors) {
    std::unique_ptr<Site> site = GenerateSite(kRoomsPerFloor);
    for (int floor = 1; floor < floors; ++floor) {
        site->AddLevel({QStringLiteral("Level %1").arg(floor + 1), 3.0 * floor, 0.0});
    }
    const Room* last = site->GetRoom(site->RoomCount() - 1);
    for (int floor = 1; floor < floors; ++floor) {
        for (int i = 0; i < kRoomsPerFloor; ++i) {
            auto copy = std::make_unique<Room>(*site->GetRoom(i));
            copy->SetLevel(floor);
            last = site->InsertRoomAfter(std::move(copy), last);
        }
    }
    return site;
}

// The building as the program holds it once it has opened the building's file: rooms laid out
// in memory in file order, as a surveyor's site is. (Rooms copied floor by floor above lie
// wherever the copies landed, which would weigh on one floor and not the other.)
std::unique_ptr<Site> Opened(int floors) {
    const QString path = ScratchPath(QStringLiteral("repaint-%1-floors.tcd").arg(floors));
    auto site = std::make_unique<Site>();
    if (!SaveSiteFile(*Building(floors), path).ok || !LoadSiteFile(path, *site).ok) {
        return Building(floors);
    }
    return site;
}

const Site& OneFloor() {
    static const std::unique_ptr<Site> site = Opened(1);
    return *site;
}

const Site& TenFloors() {
    static const std::unique_ptr<Site> site = Opened(kFloors);
    return *site;
}

// What the view does on the document's changed() with a level shown: the hit index of that
// level, the layout, the whole picture; or the picture alone.
void Repaint(benchmark::State& state, const Site& site, const DrawingValues& values,
             bool pictureOnly = false) {
    const QSize window(kWindowWidth, kWindowHeight);
    PlanViewport layout;
    layout.SetClientSize(window);
    layout.Layout(&site, values.Level);
    PlanPicture picture;
    QImage shown(window, QImage::Format_RGB32);
    // The middle room of the floor shown is selected.
    const int first = values.Level < 0 ? 0 : values.Level * kRoomsPerFloor;
    const PlanSelection selection{site.GetRoom(first + kRoomsPerFloor / 2), nullptr, false};
    for (auto _ : state) {
        if (!pictureOnly) {
            const PlanHitIndex index(site, values.Level);
            benchmark::DoNotOptimize(&index);
            layout.Layout(&site, values.Level);
        }
        picture.SetContent(&site, selection, values);
        picture.Update(window, layout.WindowTransform());
        QPainter painter(&shown);
        painter.drawImage(0, 0, picture.Image());
    }
}

// Arg 1: the picture alone.
void BM_RepaintOneFloorOf1000(benchmark::State& state) {
    Repaint(state, OneFloor(), DrawingValues{}, state.range(0) != 0);
}
BENCHMARK(BM_RepaintOneFloorOf1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// First arg 1: the floor below drawn faintly underneath; second arg 1: the picture alone.
void BM_RepaintAFloorOfTen(benchmark::State& state) {
    DrawingValues values;
    values.Level = kShownFloor;
    values.FaintLevelBelow = state.range(0) != 0;
    Repaint(state, TenFloors(), values, state.range(1) != 0);
}
BENCHMARK(BM_RepaintAFloorOfTen)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// Arg 1: the ten-floor building; arg 0: the same 10,000 rooms on one floor.
void BM_OpenTenFloors(benchmark::State& state) {
    const bool floors = state.range(0) != 0;
    const QString path =
        ScratchPath(floors ? QStringLiteral("ten-floors.tcd") : QStringLiteral("one-floor.tcd"));
    {
        std::unique_ptr<Site> site = Building(kFloors);
        if (!floors) {
            for (const auto& room : site->Rooms()) {
                room->SetLevel(0);
            }
            site->SetLevels({});
        }
        if (!SaveSiteFile(*site, path).ok) {
            state.SkipWithError("the site was not saved");
            return;
        }
    }
    for (auto _ : state) {
        Site site;
        if (!LoadSiteFile(path, site).ok) {
            state.SkipWithError("the site did not open");
            break;
        }
        benchmark::DoNotOptimize(site.RoomCount());
    }
}
BENCHMARK(BM_OpenTenFloors)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plantrek::bench
