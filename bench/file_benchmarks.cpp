// Opening and saving the .tcd file, against the floor of merely tokenizing it.
#include <QFile>
#include <QXmlStreamReader>

#include "bench/bench_fixtures.h"
#include "document/files/site_file.h"

namespace plantrek::bench {
namespace {

void BM_Open(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Site site;
        const SiteFileResult result = LoadSiteFile(fixture.path, site);
        if (!result.ok) {
            state.SkipWithError("the site did not open");
            break;
        }
        benchmark::DoNotOptimize(site.RoomCount());
    }
}
BENCHMARK(BM_Open)->Apply(AtEverySize);

// The floor: the same file through a bare reader loop that looks at nothing.
void BM_TokenizeFloor(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QFile file(fixture.path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the site file did not open");
            break;
        }
        QXmlStreamReader xml(&file);
        int tokens = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            ++tokens;
        }
        if (xml.hasError()) {
            state.SkipWithError("the site file is not well-formed");
            break;
        }
        benchmark::DoNotOptimize(tokens);
    }
}
BENCHMARK(BM_TokenizeFloor)->Apply(AtEverySize);

void BM_Save(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("saved-%1.tcd").arg(fixture.roomCount));
    for (auto _ : state) {
        if (!SaveSiteFile(*fixture.site, path).ok) {
            state.SkipWithError("the site was not saved");
            break;
        }
    }
}
BENCHMARK(BM_Save)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
