// Painting the whole site into a full-screen window, against bare polygons; picking and
// snapping at random points.
#include <QPainter>
#include <QPen>

#include "bench/bench_fixtures.h"
#include "render/painter_surface.h"
#include "render/plan_hit_test.h"
#include "view/core/room_snap.h"

namespace plantrek::bench {
namespace {

// The whole site into a full-screen window, as the view paints it at zoom 1.
void RepaintSite(benchmark::State& state, bool names) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    DrawingValues drawing = fixture.drawing;
    drawing.ShowNames = names;
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        QPainter painter(&window);
        PainterSurface surface(painter);
        RenderSite(*fixture.site, surface, fixture.transform, fixture.selection, drawing);
    }
}

void BM_Repaint(benchmark::State& state) {
    RepaintSite(state, true);
}
BENCHMARK(BM_Repaint)->Apply(AtEverySize);

// The same without the room names, to tell what the names cost.
void BM_RepaintWithoutNames(benchmark::State& state) {
    RepaintSite(state, false);
}
BENCHMARK(BM_RepaintWithoutNames)->Apply(AtEverySize);

// The floor: the same outlines as filled polygons, with nothing else drawn.
void BM_PolygonFloor(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        window.fill(Qt::white);
        QPainter painter(&window);
        painter.setPen(QPen(Qt::black, 1));
        for (std::size_t i = 0; i < fixture.outlines.size(); ++i) {
            painter.setBrush(fixture.fills[i]);
            painter.drawPolygon(fixture.outlines[i], Qt::OddEvenFill);
        }
    }
}
BENCHMARK(BM_PolygonFloor)->Apply(AtEverySize);

// The view lays the site out for clicks and drags once per document change.
void BM_HitIndex(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const PlanHitIndex index(*fixture.site);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_HitIndex)->Apply(AtEverySize);

// Queries at random points over the plan, with the index the view keeps.
template <typename Query>
void AtRandomPoints(benchmark::State& state, Query query) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const PlanHitIndex index(*fixture.site);
    const double tolerance = PickTolerance(fixture.transform);
    const std::size_t mask = fixture.randomPoints.size() - 1;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            query(index, fixture, fixture.randomPoints[i++ & mask], tolerance));
    }
}

void BM_Pick(benchmark::State& state) {
    AtRandomPoints(state, [](const PlanHitIndex& index, const SizeFixture&, PlanPoint p,
                             double tolerance) { return index.Pick(p, tolerance); });
}
BENCHMARK(BM_Pick)->Apply(AtEverySize);

// A drag of the selected room.
void BM_Snap(benchmark::State& state) {
    AtRandomPoints(state, [](const PlanHitIndex& index, const SizeFixture& fixture, PlanPoint p,
                             double tolerance) {
        return index.SnapPoint(p, fixture.selection.room, false, tolerance);
    });
}
BENCHMARK(BM_Snap)->Apply(AtEverySize);

// The snap command on the selected room: the nearest corner however far.
void BM_SnapCommand(benchmark::State& state) {
    AtRandomPoints(state, [](const PlanHitIndex& index, const SizeFixture& fixture, PlanPoint p,
                             double) { return index.SnapPoint(p, fixture.selection.room, true, 0.0); });
}
BENCHMARK(BM_SnapCommand)->Apply(AtEverySize);

// A drag step with every corner and wall of the selected room snapping: the room's start point
// at random points over the plan, at the tolerance of the fitted window.
void BM_RoomSnap(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const RoomSnapIndex index(*fixture.site);
    const Room& room = *fixture.selection.room;
    const double tolerance = PickTolerance(fixture.transform);
    const std::size_t mask = fixture.randomPoints.size() - 1;
    std::size_t i = 0;
    for (auto _ : state) {
        const PlanPoint shift = fixture.randomPoints[i++ & mask] - room.GetStartPoint();
        benchmark::DoNotOptimize(index.Snap(room, shift, tolerance));
    }
}
BENCHMARK(BM_RoomSnap)->Apply(AtEverySize);

// Built once when a drag starts after a change of the document.
void BM_RoomSnapIndex(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const RoomSnapIndex index(*fixture.site);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_RoomSnapIndex)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
