// Check Plan over the whole site, and Snap Room's choice of a free corner for the selected room.
#include "bench/bench_fixtures.h"
#include "model/plan_check.h"

namespace plantrek::bench {
namespace {

void BM_CheckPlan(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckPlan(*fixture.site));
    }
}
BENCHMARK(BM_CheckPlan)->Apply(AtEverySize);

void BM_SnapRoomTarget(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SnapRoomTarget(*fixture.site, *fixture.selection.room));
    }
}
BENCHMARK(BM_SnapRoomTarget)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
