#include "view/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "document/measurement_router.h"
#include "document/tracepad_doc.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "view/child_frame.h"
#include "view/child_windows.h"
#include "view/commands/command_bars.h"
#include "view/commands/command_router.h"
#include "view/dialogs/recovery_dialog.h"
#include "view/frame_audio.h"
#include "view/handlers/frame_bindings.h"
#include "view/help_window.h"
#include "view/input_line.h"
#include "view/input_routing.h"
#include "view/keypad.h"
#include "view/level_chooser.h"
#include "view/meter_connection.h"
#include "view/print_export_session.h"
#include "view/status_bar_panes.h"
#include "view/tracepad_view.h"
#include "view/toolbar_layout.h"
#include "view/window_list_menu.h"
#include "view/window_prompts.h"

// Resources of a static library are registered by hand.
static void InitViewResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(manual);
}

namespace plantrek {

namespace {

using namespace command_id;

const QString kProgramName = QStringLiteral("Plantrek");

}  // namespace

CTracepadMainFrame::CTracepadMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      router_(new CommandRouter(this)),
      toolBars_(std::make_unique<ToolBarLayout>(*this, *router_)),
      printSession_(std::make_unique<PrintExportSession>(*services_.prompts, *services_.files,
                                                         services_.printing, this)),
      layoutStore_(services_.store) {
    InitViewResources();
    setObjectName(QStringLiteral("MainFrame"));
    documents_ = std::make_unique<DocumentManager>(
        *services_.prompts, *services_.files, services_.store, services_.templates,
        DocumentManager::Hooks{
            [this](std::shared_ptr<CTracepadDoc> doc) { return windows_->Add(std::move(doc)); },
            [this] { UpdateFrame(); }});
    if (services_.recovery != nullptr) {
        documents_->SetRecoveryStore(services_.recovery);
        ShowRecoveryFailures(*services_.recovery, *statusBar());
    }
    measurements_ = std::make_unique<MeasurementRouter>([this] { return ActiveDocument(); });
    measurements_->SetForegroundProvider([] {
        MeterForeground foreground;
        QWidget* modal = QApplication::activeModalWidget();
        foreground.dialogInFront = modal != nullptr;
        foreground.meterDialog = dynamic_cast<MeterInputDialog*>(modal);
        return foreground;
    });
    meter_ = std::make_unique<MeterConnection>(*measurements_, *services_.prompts, this);
    meter_->SetSearchRange(services_.firstComPort, services_.lastComPort);
    audio_ = std::make_unique<FrameAudio>(services_.sound, services_.freeSpace,
                                          *services_.prompts, this,
                                          [this] { router_->Refresh(); });

    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    keypad_ = new CKeypadDlg(this);

    BindFrameCommands(*this);
    BuildMenus();
    BuildToolBars();
    new InputRouting(*input_, *keypad_, *statusBar(), *router_, [this] { return ActiveDocument(); },
                     this);
    windows_ = new ChildWindows(*mdi_, *documents_, *router_, *keypad_, *audio_, *input_, this);
    connect(windows_, &ChildWindows::changed, this, &CTracepadMainFrame::UpdateFrame);
    statusPanes_ = new StatusBarPanes(*statusBar(), *meter_, *router_);
    keypadNeedsPlace_ = !layoutStore_.Restore(*this, *toolBars_, *keypad_);
    UpdateFrame();
}

CTracepadMainFrame::~CTracepadMainFrame() {
    // The area reports its windows going away; nothing here may answer that any more.
    disconnect(mdi_, nullptr, windows_, nullptr);
    // Readings stop before the documents they would reach go away.
    meter_.reset();
    // Windows already closed but not yet deleted too: each tells the documents it has gone.
    for (CTracepadChildFrame* child : findChildren<CTracepadChildFrame*>()) {
        delete child;
    }
    audio_.reset();
}

void CTracepadMainFrame::BuildMenus() {
    CommandRouter& r = *router_;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("Menu Bar"));

    for (const CommandBarInfo& info : CommandBars()) {
        const bool menuBarMenu =
            info.bar >= CommandBar::FileMenu && info.bar <= CommandBar::HelpMenu;
        if (!menuBarMenu) {
            continue;
        }
        QMenu* menu = bar->addMenu(QString::fromUtf8(info.title));
        FillMenu(r, *menu, info.bar);
        if (info.bar == CommandBar::WindowMenu) {
            new WindowListMenu(*menu, *mdi_);
        }
    }
    // A check mark says more than an icon for a window that is shown or not.
    r.Action(kKeypad)->setIcon(QIcon());
}

void CTracepadMainFrame::BuildToolBars() {
    auto make = [this](const QString& name) {
        QToolBar* bar = addToolBar(name);
        bar->setObjectName(name);
        bar->setIconSize(QSize(16, 16));
        return bar;
    };
    for (const CommandBarInfo& info : CommandBars()) {
        if (info.bar < CommandBar::MainToolBar || info.bar > CommandBar::AnnotationToolBar) {
            continue;
        }
        const QString name = QString::fromUtf8(info.title);
        toolBars_->Commands()[name] = ToolBarCommands(info.bar);
        // The close rules and the notes start a second row.
        if (info.bar == CommandBar::CloseToolBar) {
            addToolBarBreak();
        }
        make(name);
        toolBars_->Fill(name);
    }

    QToolBar* measurements = make(QStringLiteral("Measurements"));
    QString caption = LoadString(string_id::kMeasurementCaption);
    caption.insert(0, QLatin1Char('&'));  // Alt+M reaches the field
    auto* label = new QLabel(caption, measurements);
    input_ = new InputLine(measurements);
    input_->setObjectName(QStringLiteral("Measurement"));
    input_->setAccessibleName(LoadString(string_id::kMeasurementCaption));
    label->setBuddy(input_);
    label->setContentsMargins(4, 0, 4, 0);
    measurements->addWidget(label);
    measurements->addWidget(input_);
    levels_ = new LevelChooser(*this, [this] { return ActiveChild(); });
}

void CTracepadMainFrame::closeEvent(QCloseEvent* event) {
    // Each modified document is asked about once, however many windows show it.
    if (!documents_->MayCloseAll()) {
        event->ignore();
        return;
    }
    layoutStore_.Save(*this, *toolBars_, *keypad_);
    // Each document was asked about already.
    for (CTracepadChildFrame* child : Children()) {
        child->Document().SetModifiedFlag(false);
        child->close();
    }
    keypad_->hide();
    if (help_) {
        help_->close();
    }
    event->accept();
}

void CTracepadMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        input_->setFocus();
        if (keypadNeedsPlace_) {
            // First run: the keypad stands at the right, clear of where rooms usually are.
            const QRect frame = geometry();
            keypad_->move(frame.right() - keypad_->width() - 24, frame.top() + 120);
        }
        if (services_.searchMeter) {
            // After the window is on screen, so that the search dialog stands over it.
            QTimer::singleShot(0, this, &CTracepadMainFrame::SearchForMeter);
        }
    }
}

int CTracepadMainFrame::OfferRecovery(RecoveryPrompt& prompt) {
    return documents_->OfferRecovery(prompt);
}

void CTracepadMainFrame::SearchForMeter() {
    meter_->Reconnect();
    router_->Refresh();
}

// ------------------------------------------------------------------------------------------
// Documents

CTracepadChildFrame* CTracepadMainFrame::NewDocument() {
    return static_cast<CTracepadChildFrame*>(documents_->NewDocument());
}

CTracepadChildFrame* CTracepadMainFrame::OpenDocument(const QString& path) {
    return static_cast<CTracepadChildFrame*>(documents_->OpenDocument(path));
}

bool CTracepadMainFrame::SaveDocument(CTracepadChildFrame& child) {
    return documents_->Save(child.Document());
}

bool CTracepadMainFrame::SaveDocumentAs(CTracepadChildFrame& child) {
    return documents_->SaveAs(child.Document());
}

bool CTracepadMainFrame::SaveModified(CTracepadChildFrame& child) {
    return documents_->MayCloseWindow(child);
}

const RecentFileList& CTracepadMainFrame::RecentFiles() const {
    return documents_->RecentFiles();
}

HelpWindow* CTracepadMainFrame::Help() const {
    return help_;
}

QLabel& CTracepadMainFrame::SelectionPane() {
    return statusPanes_->Selection();
}

QLabel& CTracepadMainFrame::TotalsPane() {
    return statusPanes_->Totals();
}

CTracepadChildFrame* CTracepadMainFrame::ActiveChild() const {
    return qobject_cast<CTracepadChildFrame*>(mdi_->activeSubWindow());
}

CTracepadDoc* CTracepadMainFrame::ActiveDocument() const {
    CTracepadChildFrame* child = ActiveChild();
    return child != nullptr ? &child->Document() : nullptr;
}

QList<CTracepadChildFrame*> CTracepadMainFrame::Children() const {
    return windows_->All();
}

void CTracepadMainFrame::UpdateFrame() {
    CTracepadChildFrame* child = ActiveChild();
    if (child != nullptr) {
        const QString title = kProgramName + QStringLiteral(" - ") +
                              child->Document().GetTitle() + QStringLiteral("[*]");
        setWindowTitle(title);
        // A maximised window whose buttons sit in the menu bar adds " - [its title]" to the
        // frame's title itself; the program's name alone keeps the site from being named twice.
        if (windowTitle() != title) {
            setWindowTitle(kProgramName);
        }
        setWindowModified(child->Document().IsModified());
    } else {
        setWindowTitle(kProgramName);
        setWindowModified(false);
    }
    statusPanes_->ShowSelection(ActiveDocument());
    statusPanes_->ShowTotals(ActiveDocument(), child != nullptr ? child->Plan().Level() : 0);
    levels_->Update();
    router_->Refresh();
}

bool CTracepadMainFrame::focusNextPrevChild(bool next) {
    return FocusNextSiteStop(*this, *mdi_, next);
}

// ------------------------------------------------------------------------------------------
// Toolbar buttons

bool CTracepadMainFrame::ToolBarButtonShown(const QString& toolBar, int id) const {
    return toolBars_->ButtonShown(toolBar, id);
}

void CTracepadMainFrame::SetToolBarButtonShown(const QString& toolBar, int id, bool shown) {
    toolBars_->SetButtonShown(toolBar, id, shown);
}

}  // namespace plantrek
