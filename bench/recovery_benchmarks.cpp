// Recovery: what a change costs the window thread with recovery on, and how long the worker
// takes to put a state on disk.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "bench/bench_fixtures.h"
#include "document/document_manager.h"
#include "document/recovery/recovery_store.h"
#include "document/tracepad_doc.h"

namespace plantrek::bench {
namespace {

class Quiet : public WindowPrompts, public FileChooser {
public:
    void ShowMessage(const QString&, MessageIcon) override {}
    bool AskYesNo(const QString&) override { return true; }
    void ShowCaptioned(const QString&, const QString&, MessageIcon) override {}
    SaveAnswer AskYesNoCancel(const QString&) override { return SaveAnswer::No; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    ChosenFile ChooseSaveFile(const QString&, const QString&, const QStringList&, int,
                              const QString&) override {
        return {};
    }
};

class BenchWindow : public DocumentWindow {
public:
    explicit BenchWindow(std::shared_ptr<CTracepadDoc> doc) : doc_(std::move(doc)) {}
    CTracepadDoc& Document() override { return *doc_; }
    void SetWindowNumber(int) override {}
    void Activate() override {}

private:
    std::shared_ptr<CTracepadDoc> doc_;
};

// A wall typed into the middle room of a site of that size: the change with its undo step and,
// with recovery on (second argument 1), the state handed to the worker. The worker finishes
// between changes, untimed, as it does between a surveyor's measurements.
void BM_ChangeOnWindowThread(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    Quiet quiet;
    const QString folder = ScratchPath(QStringLiteral("change-%1").arg(rooms));
    std::unique_ptr<BenchWindow> window;
    DocumentManager* manager = nullptr;
    DocumentManager documents(quiet, quiet, SettingsStore::AtFile(folder + "/settings.ini"),
                              TemplateLocation{folder, QString()},
                              {[&](std::shared_ptr<CTracepadDoc> doc) {
                                   window = std::make_unique<BenchWindow>(std::move(doc));
                                   manager->AddWindow(window.get());
                                   return window.get();
                               },
                               {}});
    manager = &documents;
    RecoveryStore recovery(folder + QStringLiteral("/state"));
    if (state.range(1) != 0) {
        documents.SetRecoveryStore(&recovery);
    }
    if (documents.OpenDocument(Fixture(rooms).path) == nullptr) {
        state.SkipWithError("the site did not open");
        return;
    }
    CTracepadDoc& doc = window->Document();
    auto selectMiddleRoom = [&doc] {
        doc.SelectRoom(doc.GetSite()->GetRoom(doc.GetSite()->RoomCount() / 2));
    };
    selectMiddleRoom();
    for (auto _ : state) {
        doc.EnterInputText(QStringLiteral("3 n"));
        state.PauseTiming();
        recovery.WaitUntilIdle();
        doc.Undo();
        selectMiddleRoom();
        recovery.WaitUntilIdle();
        state.ResumeTiming();
    }
    documents.RemoveWindow(window.get());
}
BENCHMARK(BM_ChangeOnWindowThread)
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// What recovery alone adds to a change on the window thread: the shared copy taken and handed
// over (here the same one each time, which the worker then skips).
void BM_RecoveryHandover(benchmark::State& state) {
    CTracepadDoc& doc = Fixture(static_cast<int>(state.range(0))).Document();
    RecoveryStore recovery(ScratchPath(QStringLiteral("handover-%1").arg(state.range(0))));
    const int document = recovery.AddDocument();
    doc.EnterInputText(QStringLiteral("3 n"));
    for (auto _ : state) {
        recovery.Submit(document, RecoveryState{doc.SharedSite(), doc.GetPathName(), doc.GetTitle(),
                                                QDateTime::currentDateTimeUtc()});
    }
    recovery.WaitUntilIdle();
    recovery.Remove(document);
    doc.Undo();
}
BENCHMARK(BM_RecoveryHandover)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The worker: a state of a site of that size written as a site file, checksummed and
// put on disk durably (two files, each synced with its folder), the older one deleted.
void BM_RecoveryWrite(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    const QString folder = ScratchPath(QStringLiteral("write-%1").arg(rooms));
    RecoveryStore recovery(folder);
    // Two copies taken in turn, so that each state handed over is a new one.
    const std::shared_ptr<const Site> copies[2] = {Site(*Fixture(rooms).site).Snapshot(),
                                                   Site(*Fixture(rooms).site).Snapshot()};
    const int document = recovery.AddDocument();
    int next = 0;
    for (auto _ : state) {
        recovery.Submit(document,
                        RecoveryState{copies[next], QString(), QStringLiteral("Plantrek1"),
                                      QDateTime::currentDateTimeUtc()});
        recovery.WaitUntilIdle();
        next = 1 - next;
    }
    const QDir session(recovery.SessionFolder());
    const QStringList written = session.entryList({QStringLiteral("*.tcd")});
    if (!written.isEmpty()) {
        state.SetBytesProcessed(state.iterations() *
                                QFileInfo(session.filePath(written[0])).size());
    }
    recovery.Remove(document);
}
BENCHMARK(BM_RecoveryWrite)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace plantrek::bench
