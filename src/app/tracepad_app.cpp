#include "app/tracepad_app.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <utility>

#include "app/single_instance.h"
#include "document/recovery/recovery_store.h"
#include "view/dialogs/recovery_dialog.h"
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
    // Every argument is a file name, even one that starts with a dash; the desktop entry passes
    // all the files chosen in the file manager.
    instance_ = std::make_unique<SingleInstance>();
    switch (instance_->Start(arguments)) {
        case SingleInstance::Role::HandedOver:
            return kExitOk;
        case SingleInstance::Role::Failed:
            QTextStream(stderr) << "plantrek: the running Plantrek did not take the files\n";
            return kExitOpenFailed;
        case SingleInstance::Role::Primary:
            break;
    }

    FrameServices services;
    services.prompts = prompts_.get();
    services.files = files_.get();
    // Machines and test runs without a meter skip the search and its message.
    const bool searchMeter = qEnvironmentVariableIsEmpty("PLANTREK_NO_METER");
    // The search starts once the question about sites to recover is answered, so that its
    // messages never stand in front of that question.
    services.searchMeter = false;
    recovery_ = std::make_unique<RecoveryStore>();
    services.recovery = recovery_.get();
    frame_ = std::make_unique<CTracepadMainFrame>(services);
    recoveryPrompt_ = std::make_unique<QtRecoveryPrompt>(frame_.get());
    prompts_->SetParent(frame_.get());
    files_->SetParent(frame_.get());
    QObject::connect(instance_.get(), &SingleInstance::filesReceived, frame_.get(),
                     [this](const QStringList& files) { OpenHandedOver(files); });

    if (!arguments.isEmpty()) {
        bool opened = false;
        for (const QString& path : arguments) {
            opened = frame_->OpenDocument(path) != nullptr || opened;
        }
        if (!opened) {
            return kExitOpenFailed;
        }
    }
    frame_->show();
    // Once the window is on screen, so that the question stands over it. A start without files
    // shows the recovered sites, or a new one when none was recovered.
    QTimer::singleShot(0, frame_.get(), [this, fresh = arguments.isEmpty(), searchMeter] {
        if (frame_->OfferRecovery(*recoveryPrompt_) == 0 && fresh) {
            frame_->NewDocument();
        }
        if (searchMeter) {
            frame_->SearchForMeter();
        }
    });
    return std::nullopt;
}

void CTracepadApp::OpenHandedOver(const QStringList& files) {
    const bool waiting = !pending_.isEmpty();
    // An empty name stands for a start without files: a new document.
    pending_ += files.isEmpty() ? QStringList{QString()} : files;
    if (!waiting) {
        OpenPending();
    }
}

void CTracepadApp::OpenPending() {
    // Files that arrive while a dialog or message box is open wait until it has closed, so a
    // document never appears behind a dialog that belongs to another one.
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(250, frame_.get(), [this] { OpenPending(); });
        return;
    }
    const QStringList files = std::exchange(pending_, {});
    for (const QString& path : files) {
        if (path.isEmpty()) {
            frame_->NewDocument();
        } else {
            frame_->OpenDocument(path);
        }
    }
    frame_->setWindowState((frame_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}

}  // namespace plantrek
