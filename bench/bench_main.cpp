// The benchmark runner: a widget application on the offscreen platform (text is measured and
// drawn), then every registered benchmark. Sites are generated and written as the benchmarks
// first ask for them.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "bench/site_generator.h"
#include "document/files/site_file.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A widget application: the window benchmarks open the real main frame.
    QApplication app(argc, argv);
    // "--write-site ROOMS PATH" writes the generated site of that size, to time the tools
    // themselves on it (plantrek-cli info against run --in).
    if (argc == 4 && QByteArray(argv[1]) == "--write-site") {
        const auto site = plantrek::bench::GenerateSite(std::atoi(argv[2]));
        if (!plantrek::SaveSiteFile(*site, QString::fromLocal8Bit(argv[3])).ok) {
            std::fprintf(stderr, "plantrek_bench: could not write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
