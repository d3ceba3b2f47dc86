// The window: start-up to the first painted frame, empty and with a site given on the command
// line, and a wall typed into a large site until the plan has been painted again.
#include <QApplication>
#include <QPixmap>

#include "bench/bench_fixtures.h"
#include "document/recovery/recovery_store.h"
#include "document/tracepad_doc.h"
#include "view/child_frame.h"
#include "view/main_frame.h"
#include "view/tracepad_view.h"
#include "view/window_prompts.h"

namespace plantrek::bench {
namespace {

class QuietPrompts : public WindowPrompts {
public:
    void ShowMessage(const QString&, MessageIcon) override {}
    bool AskYesNo(const QString&) override { return true; }
    void ShowCaptioned(const QString&, const QString&, MessageIcon) override {}
    SaveAnswer AskYesNoCancel(const QString&) override { return SaveAnswer::No; }
};

class NoFiles : public FileChooser {
public:
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    ChosenFile ChooseSaveFile(const QString&, const QString&, const QStringList&, int,
                              const QString&) override {
        return {};
    }
};

FrameServices Services(RecoveryStore* recovery = nullptr) {
    static QuietPrompts prompts;
    static NoFiles files;
    FrameServices services;
    services.prompts = &prompts;
    services.files = &files;
    services.store = SettingsStore::AtFile(ScratchPath(QStringLiteral("window-settings.ini")));
    services.templates = TemplateLocation{ScratchPath(QStringLiteral("window-template")),
                                          ScratchPath(QStringLiteral("window-template"))};
    services.searchMeter = false;
    services.recovery = recovery;
    return services;
}

// What the program does from creating its frame to its first picture on screen.
void BM_WindowStartup(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    const QString path = rooms > 0 ? Fixture(rooms).path : QString();
    for (auto _ : state) {
        CTracepadMainFrame frame(Services());
        if (path.isEmpty()) {
            frame.NewDocument();
        } else if (frame.OpenDocument(path) == nullptr) {
            state.SkipWithError("the site did not open");
            return;
        }
        frame.resize(kWindowWidth, kWindowHeight);
        frame.show();
        benchmark::DoNotOptimize(frame.grab());
        state.PauseTiming();
        frame.ActiveDocument()->SetModifiedFlag(false);
        frame.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowStartup)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

// Enter on the input line of a site of that size until its plan is painted again; with recovery
// on (second argument 1) the state goes to the recovery worker on the way.
void BM_TypedWallRepaint(benchmark::State& state) {
    RecoveryStore recovery(ScratchPath(QStringLiteral("window-state")));
    CTracepadMainFrame frame(Services(state.range(1) != 0 ? &recovery : nullptr));
    CTracepadChildFrame* child = frame.OpenDocument(Fixture(static_cast<int>(state.range(0))).path);
    if (child == nullptr) {
        state.SkipWithError("the site did not open");
        return;
    }
    frame.resize(kWindowWidth, kWindowHeight);
    frame.show();
    QApplication::processEvents();
    if (!child->Plan().isVisible()) {
        state.SkipWithError("the plan is not on screen");
        return;
    }
    state.counters["width"] = child->Plan().width();
    state.counters["height"] = child->Plan().height();
    CTracepadDoc& doc = child->Document();
    auto selectMiddleRoom = [&doc] {
        Site& site = *doc.GetSite();
        doc.SelectRoom(site.GetRoom(site.RoomCount() / 2));
    };
    selectMiddleRoom();
    for (auto _ : state) {
        doc.EnterInputText(QStringLiteral("3 n"));
        child->Plan().viewport()->repaint();
        state.PauseTiming();
        doc.Undo();  // back to the plan as opened, where the start point is selected
        selectMiddleRoom();
        recovery.WaitUntilIdle();
        state.ResumeTiming();
    }
    doc.SetModifiedFlag(false);
}
BENCHMARK(BM_TypedWallRepaint)->Args({1000, 0})->Args({1000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plantrek::bench
