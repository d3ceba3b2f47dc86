// The undo snapshot of a whole document, and the close rule on one very long room.
#include "bench/bench_fixtures.h"
#include "bench/site_generator.h"
#include "document/tracepad_doc.h"
#include "model/room.h"

namespace plantrek::bench {
namespace {

void BM_Snapshot(benchmark::State& state) {
    CTracepadDoc& doc = Fixture(static_cast<int>(state.range(0))).Document();
    for (auto _ : state) {
        const std::unique_ptr<CUndoSnapshot> snapshot = doc.CreateSnapshot();
        doc.RestoreSnapshot(*snapshot);
    }
    benchmark::DoNotOptimize(doc.GetCurrentRoom());
}
BENCHMARK(BM_Snapshot)->Apply(AtEverySize);

void BM_CloseRoom500(benchmark::State& state) {
    Room room = MakeStaircaseRoom(500);
    if (room.GetCloseState() != CloseState::Closed || room.WallCount() != 500) {
        state.SkipWithError("the staircase room does not close with 500 walls");
        return;
    }
    for (auto _ : state) {
        room.InvalidateClosing();
        benchmark::DoNotOptimize(room.GetCloseState());
    }
}
BENCHMARK(BM_CloseRoom500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plantrek::bench
