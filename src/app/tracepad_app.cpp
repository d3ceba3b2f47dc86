#include "app/tracepad_app.h"

#include <QCoreApplication>
#include <QTextStream>

#include "view/main_frame.h"
#include "view/window_prompts.h"

namespace plantrek {

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Plantrek"));
}

CTracepadApp::CTracepadApp()
    : prompts_(std::make_unique<QtWindowPrompts>()), files_(std::make_unique<QtFileChooser>()) {}

CTracepadApp::~CTracepadApp() = default;

std::optional<int> CTracepadApp::InitInstance(const QStringList& arguments) {
    if (arguments.size() > 1) {
        QTextStream(stderr) << "usage: plantrek [SITE.tcd]\n";
        return kExitUsage;
    }

    FrameServices services;
    services.prompts = prompts_.get();
    services.files = files_.get();
    // Machines and test runs without a meter skip the search and its message.
    services.searchMeter = qEnvironmentVariableIsEmpty("PLANTREK_NO_METER");
    frame_ = std::make_unique<CTracepadMainFrame>(services);
    prompts_->SetParent(frame_.get());
    files_->SetParent(frame_.get());

    // Every argument is a file name, even one that starts with a dash.
    if (arguments.isEmpty()) {
        frame_->NewDocument();
    } else if (frame_->OpenDocument(arguments.constFirst()) == nullptr) {
        return kExitOpenFailed;
    }
    frame_->show();
    return std::nullopt;
}

}  // namespace plantrek
