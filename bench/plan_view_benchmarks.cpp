// The plan view's steps at a 1920 × 1080 window: a mouse move of a drag (snap, then the outline
// over the kept picture), a scroll by an arrow key's step, and the full redraw after a document
// change.
#include <QPainter>

#include <cmath>

#include "bench/bench_fixtures.h"
#include "document/tracepad_doc.h"
#include "view/core/plan_interaction.h"
#include "view/core/plan_picture.h"
#include "view/core/plan_viewport.h"
#include "render/painter_surface.h"

namespace plantrek::bench {
namespace {

const QSize kWindow(kWindowWidth, kWindowHeight);

// The document of the size with the middle room selected, laid out in the window.
struct ViewState {
    CTracepadDoc& doc;
    PlanViewport layout;
    PlanPicture picture;
    QImage window{kWindow, QImage::Format_RGB32};

    ViewState(SizeFixture& fixture, int zoom) : doc(fixture.Document()) {
        doc.SelectRoom(doc.GetSite()->GetRoom(fixture.roomCount / 2));
        layout.SetClientSize(kWindow);
        while (layout.Zoom() < zoom) {
            layout.ZoomIn();
        }
        layout.Layout(doc.GetSite());
        picture.SetContent(doc.GetSite(), {doc.GetCurrentRoom(), nullptr, false},
                           doc.Prefs().GetDrawingValues());
        picture.Update(kWindow, layout.WindowTransform());
    }
};

void AtViewSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

void BM_ViewDragStep(benchmark::State& state) {
    ViewState view(Fixture(static_cast<int>(state.range(0))), 1);
    PlanInteraction interaction(&view.doc);
    const ViewTransform t = view.layout.WindowTransform();
    const DevicePoint press = t.ToDevice(view.doc.GetCurrentRoom()->GetCentroid());
    interaction.Press(t.ToPlan(press), view.layout.Tolerance());
    if (!interaction.IsDragging()) {
        state.SkipWithError("the press hit nothing to drag");
        return;
    }
    QRect previous;
    int step = 0;
    for (auto _ : state) {
        // The mouse circles the press point, a few pixels a step.
        const double angle = 0.02 * step++;
        const QPoint mouse(press.x + static_cast<int>(150 * std::cos(angle)),
                           press.y + static_cast<int>(150 * std::sin(angle)));
        interaction.Move(view.layout.WindowToPlan(mouse), view.layout.Tolerance());
        const DragOutline outline = OutlineOf(interaction, view.doc, t.scale);
        QPainter painter(&view.window);
        PainterSurface surface(painter);
        const DeviceRect box = OutlineBounds(outline, t, MarkerUnit(surface));
        const QRect now(box.left, box.top, box.Width(), box.Height());
        const QRect dirty = now.united(previous);
        previous = now;
        painter.setClipRect(dirty);
        painter.drawImage(dirty, view.picture.Image(), dirty);
        DrawOutline(surface, outline, t);
    }
}
BENCHMARK(BM_ViewDragStep)->Apply(AtViewSizes);

void BM_ViewScrollStep(benchmark::State& state) {
    ViewState view(Fixture(static_cast<int>(state.range(0))), 2);
    view.layout.SetScrollPosition(view.layout.MaxScroll() / 2);
    view.picture.Invalidate();
    view.picture.Update(kWindow, view.layout.WindowTransform());
    const int arrowStep = kWindowHeight / 20;
    int direction = 1;
    for (auto _ : state) {
        const QPoint before = view.layout.ScrollPosition();
        view.layout.SetScrollPosition(before + QPoint(0, direction * arrowStep));
        direction = -direction;
        const QPoint moved = view.layout.ScrollPosition() - before;
        view.picture.Scroll(-moved.x(), -moved.y(), view.layout.WindowTransform());
        // The window scrolls what it shows as well and paints only the strip uncovered.
        const QRect strip = moved.y() > 0
                                ? QRect(0, kWindowHeight - moved.y(), kWindowWidth, moved.y())
                                : QRect(0, 0, kWindowWidth, -moved.y());
        QPainter painter(&view.window);
        painter.drawImage(strip, view.picture.Image(), strip);
    }
}
BENCHMARK(BM_ViewScrollStep)->Apply(AtViewSizes);

// What the view does on the document's changed(): the hit index, the layout, the whole picture.
void BM_ViewRepaintAfterChange(benchmark::State& state) {
    ViewState view(Fixture(static_cast<int>(state.range(0))), 1);
    PlanInteraction interaction(&view.doc);
    for (auto _ : state) {
        interaction.DocumentChanged();
        view.layout.Layout(view.doc.GetSite());
        view.picture.SetContent(view.doc.GetSite(), {view.doc.GetCurrentRoom(), nullptr, false},
                                view.doc.Prefs().GetDrawingValues());
        view.picture.Update(kWindow, view.layout.WindowTransform());
        QPainter painter(&view.window);
        painter.drawImage(0, 0, view.picture.Image());
    }
}
BENCHMARK(BM_ViewRepaintAfterChange)->Apply(AtViewSizes);

}  // namespace
}  // namespace plantrek::bench
