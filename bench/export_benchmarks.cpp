// The exports of a whole site.
#include "bench/bench_fixtures.h"
#include "export/dxf_exporter.h"
#include "export/export_image.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "export/room_summary_export.h"
#include "model/units.h"

namespace plantrek::bench {
namespace {

void BM_ExportDxf(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.dxf").arg(fixture.roomCount));
    for (auto _ : state) {
        if (!ExportDxf(fixture.site.get(), true, fixture.drawing.WallColor, path).ok) {
            state.SkipWithError("the DXF export failed");
            break;
        }
    }
}
BENCHMARK(BM_ExportDxf)->Apply(AtEverySize);

void ExportSummary(benchmark::State& state, const char* extension) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const auto units = CreateLengthUnits(kMetricUnitCode);
    const QString path = ScratchPath(
        QStringLiteral("summary-%1.%2").arg(fixture.roomCount).arg(QLatin1String(extension)));
    for (auto _ : state) {
        if (!ExportRoomSummary(fixture.site.get(), *units, path).ok) {
            state.SkipWithError("the room summary export failed");
            break;
        }
    }
}

void BM_ExportXls(benchmark::State& state) {
    ExportSummary(state, "xls");
}
BENCHMARK(BM_ExportXls)->Apply(AtEverySize);

void BM_ExportCsv(benchmark::State& state) {
    ExportSummary(state, "csv");
}
BENCHMARK(BM_ExportCsv)->Apply(AtEverySize);

void BM_ExportJpeg(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.jpg").arg(fixture.roomCount));
    ImageExportOptions options;
    options.metric = true;
    for (auto _ : state) {
        const ExportResult result =
            ExportImage(fixture.site.get(), options, path, ImageFormat::Jpeg);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.errorText));
            break;
        }
    }
}
BENCHMARK(BM_ExportJpeg)->Apply(AtEverySize);

// PDF pages at the largest scale that fits, with every wall's length: the layout measures what
// is drawn at each scale it tries.
void BM_ExportPdf(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.pdf").arg(fixture.roomCount));
    const auto units = CreateLengthUnits(kMetricUnitCode);
    PlanPageOptions options;
    options.image.metric = true;
    options.image.drawing.ShowWallLengths = true;
    options.image.wallLengthUnits = units.get();
    for (auto _ : state) {
        const ExportResult result =
            ExportPdf(fixture.site.get(), options, DefaultPageLayout(), path, false);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.errorText));
            break;
        }
    }
}
BENCHMARK(BM_ExportPdf)->Apply(AtEverySize);

void BM_ExportSvg(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.svg").arg(fixture.roomCount));
    ImageExportOptions options;
    options.metric = true;
    for (auto _ : state) {
        const ExportResult result = ExportSvg(fixture.site.get(), options, path);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.errorText));
            break;
        }
    }
}
BENCHMARK(BM_ExportSvg)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
