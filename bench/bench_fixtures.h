#pragma once

#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QString>

#include <memory>
#include <vector>

#include "model/drawing_values.h"
#include "model/geometry.h"
#include "model/site.h"
#include "render/plan_renderer.h"
#include "render/view_transform.h"

namespace plantrek {
class CTracepadDoc;
}

// What the benchmarks of one site size share, made once per size on first use: the generated
// site, its .tcd file, the plan view's transform for a 1920 × 1080 window, a selected room, and
// random points over the plan.
namespace plantrek::bench {

inline constexpr int kWindowWidth = 1920;
inline constexpr int kWindowHeight = 1080;

struct SizeFixture {
    int roomCount = 0;
    std::unique_ptr<Site> site;
    QString path;
    // The same site with a door and a window in every room, and its file.
    std::unique_ptr<Site> openingsSite;
    QString openingsPath;
    ViewTransform transform;
    PlanSelection selection;
    DrawingValues drawing;
    std::vector<PlanPoint> randomPoints;  // a power of two of them

    // The floor of the repaint: every room's outline in device pixels, and its fill.
    std::vector<QPolygon> outlines;
    std::vector<QColor> fills;

    // A document with the file open, for the undo snapshot (made on first use).
    CTracepadDoc& Document();

private:
    std::shared_ptr<CTracepadDoc> document_;
};

SizeFixture& Fixture(int roomCount);

// Registers a benchmark at every site size, timed in milliseconds.
inline void AtEverySize(benchmark::internal::Benchmark* b) {
    for (const int rooms : {10, 100, 1000, 10000}) {
        b->Arg(rooms);
    }
    b->Unit(benchmark::kMillisecond);
}

// A path in the run's scratch folder.
QString ScratchPath(const QString& name);

// The view's layout at zoom 1: the site's bounds fitted into the window with a fifth to spare,
// centred.
ViewTransform FitTransform(const Site& site, int width, int height);

}  // namespace plantrek::bench
