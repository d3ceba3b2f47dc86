// The exports of a whole site.
#include "bench/bench_fixtures.h"
#include "export/dxf_exporter.h"
#include "export/export_image.h"
#include "export/pdf_export.h"
#include "export/room_schedule_export.h"
#include "export/room_summary_export.h"
#include "export/svg_export.h"
#include "model/units.h"

namespace plantrek::bench {
namespace {

// Runs the export again and again; the first failure ends the benchmark with its reason.
template <typename Export>
void Repeat(benchmark::State& state, Export exportOnce) {
    for (auto _ : state) {
        const ExportResult result = exportOnce();
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.errorText));
            break;
        }
    }
}

void BM_ExportDxf(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.dxf").arg(fixture.roomCount));
    Repeat(state,
           [&] { return ExportDxf(fixture.site.get(), true, fixture.drawing.WallColor, path); });
}
BENCHMARK(BM_ExportDxf)->Apply(AtEverySize);

void ExportSummary(benchmark::State& state, const char* extension) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const auto units = CreateLengthUnits(kMetricUnitCode);
    const QString path = ScratchPath(
        QStringLiteral("summary-%1.%2").arg(fixture.roomCount).arg(QLatin1String(extension)));
    Repeat(state, [&] { return ExportRoomSummary(fixture.site.get(), *units, path); });
}

void BM_ExportXls(benchmark::State& state) {
    ExportSummary(state, "xls");
}
BENCHMARK(BM_ExportXls)->Apply(AtEverySize);

void BM_ExportCsv(benchmark::State& state) {
    ExportSummary(state, "csv");
}
BENCHMARK(BM_ExportCsv)->Apply(AtEverySize);

// The room schedule of the same site with a door and a window in every room, beside the
// summary above.
void ExportSchedule(benchmark::State& state, const char* extension) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const auto units = CreateLengthUnits(kMetricUnitCode);
    const QString path = ScratchPath(
        QStringLiteral("schedule-%1.%2").arg(fixture.roomCount).arg(QLatin1String(extension)));
    Repeat(state,
           [&] { return ExportRoomSchedule(fixture.openingsSite.get(), *units, 2.5, path); });
}

void BM_ExportScheduleXls(benchmark::State& state) {
    ExportSchedule(state, "xls");
}
BENCHMARK(BM_ExportScheduleXls)->Apply(AtEverySize);

void BM_ExportScheduleCsv(benchmark::State& state) {
    ExportSchedule(state, "csv");
}
BENCHMARK(BM_ExportScheduleCsv)->Apply(AtEverySize);

void BM_ExportJpeg(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.jpg").arg(fixture.roomCount));
    ImageExportOptions options;
    options.metric = true;
    Repeat(state,
           [&] { return ExportImage(fixture.site.get(), options, path, ImageFormat::Jpeg); });
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
    Repeat(state, [&] {
        return ExportPdf(fixture.site.get(), options, DefaultPageLayout(), path, false);
    });
}
BENCHMARK(BM_ExportPdf)->Apply(AtEverySize);

void BM_ExportSvg(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    const QString path = ScratchPath(QStringLiteral("export-%1.svg").arg(fixture.roomCount));
    ImageExportOptions options;
    options.metric = true;
    Repeat(state, [&] { return ExportSvg(fixture.site.get(), options, path); });
}
BENCHMARK(BM_ExportSvg)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
