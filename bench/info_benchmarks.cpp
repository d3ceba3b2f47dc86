// "plantrek-cli info" against a plain open of the same site: opening the document as the tool
// does, then describing it as JSON.
#include <QFile>
#include <QTextStream>

#include "app/cli/info_json.h"
#include "bench/bench_fixtures.h"
#include "document/settings_store.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"

namespace plantrek::bench {
namespace {

class QuietPrompts : public UserPrompts {
public:
    void ShowMessage(const QString&, MessageIcon) override {}
    bool AskYesNo(const QString&) override { return true; }
};

// Opens the fixture's file in a new document, as "run --in SITE.tcd" does, and hands it on.
template <typename Use>
bool OpenDocument(const SizeFixture& fixture, Use use, bool openings = false) {
    static QuietPrompts prompts;
    const QString folder = ScratchPath(QStringLiteral("info-%1").arg(fixture.roomCount));
    CTracepadDoc doc(prompts, SettingsStore::AtFile(folder + QStringLiteral("/settings.ini")),
                     TemplateLocation{folder, QString()});
    if (!doc.OnOpenDocument(openings ? fixture.openingsPath : fixture.path)) {
        return false;
    }
    use(doc);
    return true;
}

void BM_OpenDocument(benchmark::State& state) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!OpenDocument(fixture, [](CTracepadDoc& doc) {
                benchmark::DoNotOptimize(doc.GetSite()->RoomCount());
            })) {
            state.SkipWithError("the document did not open");
            break;
        }
    }
}
BENCHMARK(BM_OpenDocument)->Apply(AtEverySize);

void Info(benchmark::State& state, bool openings) {
    const SizeFixture& fixture = Fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!OpenDocument(
                fixture,
                [](CTracepadDoc& doc) {
                    // Written as the tool writes it to its standard output.
                    QFile sink(QStringLiteral("/dev/null"));
                    if (sink.open(QIODevice::WriteOnly)) {
                        QTextStream out(&sink);
                        cli::WriteDocumentInfoJson(doc, out);
                    }
                },
                openings)) {
            state.SkipWithError("the document did not open");
            break;
        }
    }
}

void BM_Info(benchmark::State& state) {
    Info(state, false);
}
BENCHMARK(BM_Info)->Apply(AtEverySize);

// The same site with a door and a window in every room.
void BM_InfoOpenings(benchmark::State& state) {
    Info(state, true);
}
BENCHMARK(BM_InfoOpenings)->Apply(AtEverySize);

}  // namespace
}  // namespace plantrek::bench
