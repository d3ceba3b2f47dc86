// What a meter sends, as any bytes in reads of any size: the link must never misbehave, and
// what it reports, applied to a document as the main frame applies it, must keep the plan
// finite.
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "device/disto_link.h"
#include "document/measurement_router.h"
#include "document/settings_store.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "fuzz/fuzz_support.h"

using namespace plantrek;

namespace {

class SilentPrompts : public UserPrompts {
public:
    void ShowMessage(const QString&, MessageIcon) override {}
    bool AskYesNo(const QString&) override { return true; }
};

// Meters of either key set and either model class, and type numbers no meter has.
constexpr int kTypeNumbers[] = {0, 500000, 739999, 740000, 760000, 12345678, -1};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    SilentPrompts prompts;
    const QString folder = fuzz::ScratchFolder();
    CTracepadDoc doc(prompts, SettingsStore::AtFile(folder + QStringLiteral("/meter.ini")),
                     TemplateLocation{folder + QStringLiteral("/meter"), QString()});
    doc.OnNewDocument();
    MeasurementRouter router([&doc] { return &doc; });

    DistoLink link;
    link.setDevice(1, kTypeNumbers[data[0] % std::size(kTypeNumbers)]);
    QObject::connect(&link, &DistoLink::measurement, &router, &MeasurementRouter::OnMeasurement);
    QObject::connect(&link, &DistoLink::enterPressed, &router, &MeasurementRouter::OnEnter);
    QObject::connect(&link, &DistoLink::undoPressed, &router, &MeasurementRouter::OnUndo);

    fuzz::Choices reads(data[1]);
    const char* bytes = reinterpret_cast<const char*>(data + 2);
    const std::size_t count = size - 2;
    for (std::size_t at = 0; at < count;) {
        const std::size_t n = std::min(reads.Size(64), count - at);
        link.dataReceived(bytes + at, static_cast<int>(n));
        at += n;
        // The queued signals reach the document as the event loop would deliver them.
        QCoreApplication::sendPostedEvents();
        fuzz::RequireFiniteSite(*doc.GetSite());
    }
    QCoreApplication::sendPostedEvents();
    return 0;
}
