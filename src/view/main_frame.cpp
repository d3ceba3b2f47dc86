#include "view/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "document/measurement_router.h"
#include "document/tracepad_doc.h"
#include "document/view_settings.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "view/child_frame.h"
#include "view/commands/command_bars.h"
#include "view/dialogs/customize_dialog.h"
#include "view/print_export_session.h"
#include "view/toolbar_layout.h"
#include "view/commands/command_presentation.h"
#include "view/commands/command_router.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/handlers/annotation_handlers.h"
#include "view/frame_audio.h"
#include "view/handlers/menu_handlers.h"
#include "view/handlers/move_handlers.h"
#include "view/handlers/room_handlers.h"
#include "view/handlers/wall_handlers.h"
#include "view/dialogs/qt_form_dialogs.h"
#include "view/help_window.h"
#include "view/input_line.h"
#include "view/keypad.h"
#include "view/meter_connection.h"
#include "view/meter_indicator.h"
#include "view/tracepad_view.h"
#include "view/dialogs/print_dialogs.h"
#include "document/recent_files.h"
#include "view/core/selection_text.h"
#include "view/window_prompts.h"
#include "view/dialogs/recovery_dialog.h"

// Resources of a static library are registered by hand.
static void InitViewResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(manual);
}

namespace plantrek {

namespace {

using namespace command_id;
constexpr int kSep = CommandRouter::kSeparator;

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
            [this](std::shared_ptr<CTracepadDoc> doc) { return AddChild(std::move(doc)); },
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
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CTracepadMainFrame::OnChildActivated);

    keypad_ = new CKeypadDlg(this);
    connect(keypad_, &CKeypadDlg::submitted, this, &CTracepadMainFrame::EnterText);
    connect(keypad_, &CKeypadDlg::hiddenByUser, this, [this] {
        services_.store.SetDisplayKeypad(false);
        router_->Refresh();
    });

    RegisterCommands();
    BuildMenus();
    BuildToolBars();
    BuildStatusBar();
    RestoreLayout();
    connect(router_, &CommandRouter::refreshed, this, &CTracepadMainFrame::RefreshRecentActions);
    UpdateFrame();
}

CTracepadMainFrame::~CTracepadMainFrame() {
    // The area reports its windows going away; nothing here may answer that any more.
    disconnect(mdi_, nullptr, this, nullptr);
    // Readings stop before the documents they would reach go away.
    meter_.reset();
    // Windows already closed but not yet deleted too: each tells the documents it has gone.
    for (CTracepadChildFrame* child : findChildren<CTracepadChildFrame*>()) {
        delete child;
    }
    audio_.reset();
}

// ------------------------------------------------------------------------------------------
// Commands

void CTracepadMainFrame::RegisterCommands() {
    CommandRouter& r = *router_;
    ViewSettings& view = services_.store.View();
    // Each rule is answered by the object whose state it reads; the catalog says which.
    r.SetRuleAnswer(RuleScope::Document, [this](int id, CommandRule) {
        return DocumentCommandState(ActiveDocument(), id, clip_.Item());
    });
    r.SetRuleAnswer(RuleScope::View, [this](int id, CommandRule) {
        CTracepadChildFrame* c = ActiveChild();
        return c != nullptr ? c->Plan().GetCommandState(id) : CommandState{};
    });
    r.SetRuleAnswer(RuleScope::Frame, [this, &view](int id, CommandRule rule) {
        switch (rule) {
        case CommandRule::KeypadShown:
            return CommandState{true, keypad_->isVisible()};
        case CommandRule::StatusBarShown:
            return CommandState{true, statusBar()->isVisible()};
        case CommandRule::ChildActive:
            return CommandState{ActiveChild() != nullptr, false};
        case CommandRule::RecentFile:
            return CommandState{id - kFileMru1 < documents_->RecentFiles().Files().size(), false};
        case CommandRule::MeterIdle:
            return CommandState{meter_ && !meter_->Searching(), false};
        case CommandRule::WallLengthsShown:
            return CommandState{true, view.ShowWallLengths()};
        case CommandRule::DragModeOn:
            return CommandState{true, view.DragMode()};
        default:
            return CommandState{};
        }
    });

    FrameCommands frame;
    frame.activeChild = [this] { return ActiveChild(); };
    frame.activeDocument = [this] { return ActiveDocument(); };
    frame.newDocument = [this] { NewDocument(); };
    frame.openDocument = [this] { documents_->ChooseAndOpen(ActiveDocument()); };
    frame.save = [this](CTracepadChildFrame& c) { SaveDocument(c); };
    frame.saveAs = [this](CTracepadChildFrame& c) { SaveDocumentAs(c); };
    frame.exportActive = [this] {
        if (CTracepadDoc* doc = ActiveDocument()) {
            printSession_->Export(*doc);
        }
    };
    frame.print = [this](bool preview) {
        if (CTracepadDoc* doc = ActiveDocument()) {
            printSession_->Print(*doc, preview);
        }
    };
    frame.printSetup = [this] { printSession_->SetUpPage(); };
    frame.openRecent = [this](int index) { documents_->OpenRecent(index); };
    frame.recentCount = RecentFileList::kSize;
    frame.exit = [this] { close(); };
    frame.toggleKeypad = [this] {
        keypad_->setVisible(!keypad_->isVisible());
        services_.store.SetDisplayKeypad(keypad_->isVisible());
    };
    frame.toggleStatusBar = [this] { statusBar()->setVisible(!statusBar()->isVisible()); };
    frame.customize = [this] {
        CustomizeDialog dialog(*toolBars_, *router_, this);
        dialog.exec();
    };
    frame.reconnect = [this] { meter_->Reconnect(); };
    frame.newWindow = [this] { NewWindow(); };
    frame.cascade = [this] { mdi_->cascadeSubWindows(); };
    frame.tile = [this] { mdi_->tileSubWindows(); };
    frame.arrangeIcons = [this] {
        // Minimised windows line up along the bottom edge.
        int x = 0;
        for (QMdiSubWindow* window : mdi_->subWindowList()) {
            if (window->isMinimized()) {
                window->move(x, mdi_->viewport()->height() - window->height());
                x += window->width();
            }
        }
    };
    frame.help = [this] { ShowHelp(); };

    frame.about = [this] {
        CAboutDlg dialog(this);
        dialog.exec();
    };

    RegisterFileHandlers(r, frame);
    RegisterEditHandlers(r, frame, clip_);
    RegisterRoomWallOperationHandlers(r, frame);
    const EditingContext editing{
        [this] { return ActiveDocument(); }, services_.prompts,
        std::make_shared<QtFormDialogs>(this, *services_.prompts, services_.store)};
    RegisterWallHandlers(r, editing);
    RegisterMoveHandlers(r, editing);
    RegisterViewHandlers(r, frame, view);
    RegisterWindowHandlers(r, frame);
    RegisterHelpHandlers(r, frame);
    RegisterRoomHandlers(r, editing, [this](int id) {
        return DocumentCommandState(ActiveDocument(), id, clip_.Item());
    });
    RegisterAnnotationHandlers(
        r, {[this] { return ActiveDocument(); },
            [this](AnnotationList& list, std::function<void()> modified) {
                ShowAnnotations(list, std::move(modified));
            }});

    // The snap command's text names what it would snap.
    connect(router_, &CommandRouter::refreshed, this, [this] {
        CTracepadChildFrame* c = ActiveChild();
        router_->Action(kSnapSelection)
            ->setText(c != nullptr ? c->Plan().MenuText(kSnapSelection)
                                   : PresentationOf(kSnapSelection).menuText);
    });
    connect(&view, &ViewSettings::changed, router_, &CommandRouter::Refresh);
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
            windowMenu_ = menu;
            AddWindowSwitching();
        }
    }
    // A check mark says more than an icon for a window that is shown or not.
    r.Action(kKeypad)->setIcon(QIcon());
}

// After the Window menu's commands: the keys that switch windows, then the list of windows.
void CTracepadMainFrame::AddWindowSwitching() {
    windowMenu_->addSeparator();
    // Sites are switched with these, from the input line as from a plan; Tab never switches.
    QAction* next = windowMenu_->addAction(QStringLiteral("Ne&xt Window"), mdi_,
                                           &QMdiArea::activateNextSubWindow);
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    QAction* previous = windowMenu_->addAction(QStringLiteral("Pre&vious Window"), mdi_,
                                               &QMdiArea::activatePreviousSubWindow);
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    windowMenu_->addSeparator();
    connect(windowMenu_, &QMenu::aboutToShow, this, &CTracepadMainFrame::RefreshWindowMenu);
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
    connect(input_, &QLineEdit::returnPressed, this, &CTracepadMainFrame::SubmitInput);
    connect(input_, &InputLine::undoPlan, this, [this] { router_->Run(kEditUndo); });
    connect(input_, &InputLine::redoPlan, this, [this] { router_->Run(kEditRedo); });
    input_->SetPlanPaste([this] {
        if (!DocumentCommandState(ActiveDocument(), kEditPaste, clip_.Item()).enabled) {
            return false;
        }
        router_->Run(kEditPaste);
        return true;
    });
}

void CTracepadMainFrame::BuildStatusBar() {
    selectionPane_ = new QLabel(statusBar());
    selectionPane_->setObjectName(QStringLiteral("SelectionPane"));
    // No accessible name: a label's name hides its text, and screen readers must hear what is
    // selected ("Selected: ...") and be told when it changes.
    statusBar()->addPermanentWidget(selectionPane_);
    statusBar()->installEventFilter(this);
    // The meter's state, and Reconnect enabled again once a search has ended.
    statusBar()->addPermanentWidget(new MeterIndicator(*meter_, statusBar()));
    connect(meter_.get(), &MeterConnection::stateChanged, router_, &CommandRouter::Refresh);
}

bool CTracepadMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusBar() && event->type() == QEvent::Resize) {
        selectionPane_->setFixedWidth(statusBar()->width() / 4);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------------------------------
// Layout and settings

void CTracepadMainFrame::RestoreLayout() {
    keypadNeedsPlace_ = !layoutStore_.Restore(*this, *toolBars_, *keypad_);
}

void CTracepadMainFrame::SaveLayout() {
    layoutStore_.Save(*this, *toolBars_, *keypad_);
}

void CTracepadMainFrame::closeEvent(QCloseEvent* event) {
    // Each modified document is asked about once, however many windows show it.
    if (!documents_->MayCloseAll()) {
        event->ignore();
        return;
    }
    SaveLayout();
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

CTracepadChildFrame* CTracepadMainFrame::AddChild(std::shared_ptr<CTracepadDoc> doc) {
    CTracepadDoc* raw = doc.get();
    auto* child = new CTracepadChildFrame(
        std::move(doc), [this](CTracepadChildFrame& c) {
            if (!SaveModified(c)) {
                return false;
            }
            // Gone from the documents' windows at once, though deleted later: opening its file
            // again opens a new window.
            documents_->RemoveWindow(&c);
            return true;
        });
    connect(raw, &CTracepadDoc::keypadUnitsChanged, keypad_, &CKeypadDlg::SetUnits,
            Qt::UniqueConnection);
    connect(raw, &CTracepadDoc::changed, this, &CTracepadMainFrame::OnDocumentChanged,
            Qt::UniqueConnection);
    // The view's double click; its context menus show the router's own actions.
    connect(&child->Plan(), &CTracepadView::commandRequested, router_,
            [this](int id) { router_->Run(id); });
    child->Plan().SetCommandRouter(router_);
    child->SetFocusPass([this](bool next) { return focusNextPrevChild(next); });
    child->Plan().SetAnnotationHooks(
        ViewAnnotationHooks(child->Plan(), audio_->Services(), [this] { router_->Refresh(); }));
    // Tied to the player rather than the frame: windows still go away while the frame is being
    // destroyed, after its sound has gone.
    connect(child, &QObject::destroyed, &audio_->Services().player,
            [audio = audio_.get()] { audio->KeepListening(); });
    connect(child, &QObject::destroyed, this, [this, window = static_cast<DocumentWindow*>(child)] {
        documents_->RemoveWindow(window);
        // The last window gone: the frame shows no document. The windows left on a document
        // are numbered again.
        QTimer::singleShot(0, this, [this] {
            documents_->RenumberWindows();
            UpdateFrame();
        });
    });
    // The first window fills the frame, as do later ones while the active one does.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    const bool maximise = active == nullptr || active->isMaximized();
    mdi_->addSubWindow(child);
    if (maximise) {
        child->showMaximized();
    } else {
        child->resize(std::max(400, mdi_->width() * 3 / 4), std::max(300, mdi_->height() * 3 / 4));
        child->show();
    }
    mdi_->setActiveSubWindow(child);
    documents_->AddWindow(child);
    connect(child, &QMdiSubWindow::windowStateChanged, this, &CTracepadMainFrame::UpdateFrame);
    keypad_->SetUnits(raw->Prefs().GetInputValues().Input);
    input_->setFocus();
    UpdateFrame();
    return child;
}

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

CTracepadChildFrame* CTracepadMainFrame::ActiveChild() const {
    return qobject_cast<CTracepadChildFrame*>(mdi_->activeSubWindow());
}

CTracepadDoc* CTracepadMainFrame::ActiveDocument() const {
    CTracepadChildFrame* child = ActiveChild();
    return child != nullptr ? &child->Document() : nullptr;
}

CTracepadChildFrame* CTracepadMainFrame::NewWindow() {
    CTracepadChildFrame* active = ActiveChild();
    return active != nullptr ? AddChild(active->SharedDocument()) : nullptr;
}

QList<CTracepadChildFrame*> CTracepadMainFrame::Children() const {
    QList<CTracepadChildFrame*> children;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (auto* child = qobject_cast<CTracepadChildFrame*>(window)) {
            children.append(child);
        }
    }
    return children;
}

void CTracepadMainFrame::OnChildActivated(QMdiSubWindow* window) {
    if (auto* child = qobject_cast<CTracepadChildFrame*>(window)) {
        keypad_->SetUnits(child->Document().Prefs().GetInputValues().Input);
        // The child window hands the focus to its plan as it activates; the field takes it
        // back once that is done.
        input_->setFocus();
        QTimer::singleShot(0, input_, [this] { input_->setFocus(); });
    }
    UpdateFrame();
}

void CTracepadMainFrame::OnDocumentChanged() {
    UpdateFrame();
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
    const CTracepadDoc* active = ActiveDocument();
    selectionPane_->setText(active != nullptr ? SelectionText(*active) : QString());
    router_->Refresh();
}

// ------------------------------------------------------------------------------------------
// Input

void CTracepadMainFrame::SubmitInput() {
    const QString text = input_->text();
    CTracepadDoc* doc = ActiveDocument();
    if (doc == nullptr) {
        // The text stays for when a site is open.
        ReportNoSite(text);
        return;
    }
    // A refused entry stays on the line for correction.
    if (doc->EnterInputText(text)) {
        input_->clear();
    }
    input_->setFocus();
}

void CTracepadMainFrame::EnterText(const QString& text) {
    CTracepadDoc* doc = ActiveDocument();
    if (doc == nullptr) {
        ReportNoSite(text);
    } else if (!doc->EnterInputText(text)) {
        keypad_->RestoreEntry();
    }
}

void CTracepadMainFrame::ReportNoSite(const QString& text) {
    const QString open = QStringLiteral("Start one with File > New or open one with File > Open.");
    statusBar()->showMessage(
        text.trimmed().isEmpty()
            ? QStringLiteral("No site is open. ") + open
            : QStringLiteral("No site is open to take \"%1\". ").arg(text.trimmed()) + open);
}

bool CTracepadMainFrame::focusNextPrevChild(bool next) {
    // The stops in focus order: the frame's own controls and the widgets of the active site's
    // window. Another site's window is never a stop: reaching it would make it the active site
    // and send the next wall there; the window commands switch sites.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    QList<QWidget*> stops;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (w->window() != this || w == mdi_ || qobject_cast<QMdiSubWindow*>(w) != nullptr ||
            !w->isVisible() || !w->isEnabled() || (w->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        QWidget* site = w->parentWidget();
        while (site != nullptr && qobject_cast<QMdiSubWindow*>(site) == nullptr) {
            site = site->parentWidget();
        }
        if (site == nullptr || site == active) {
            stops.append(w);
        }
    }
    if (stops.isEmpty()) {
        return false;
    }
    const qsizetype at = stops.indexOf(focusWidget());
    const qsizetype count = stops.size();
    const qsizetype target =
        at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    stops[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// ------------------------------------------------------------------------------------------
// Recent files, window list, customising, export, help

void CTracepadMainFrame::RefreshRecentActions() {
    const QStringList& files = documents_->RecentFiles().Files();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QAction* action = router_->Action(kFileMru1 + i);
        const bool used = i < files.size();
        action->setVisible(used);
        if (used) {
            action->setText(RecentFileMenuText(i + 1, files[i]));
            action->setStatusTip(QDir::toNativeSeparators(files[i]));  // the whole path
        }
    }
}

void CTracepadMainFrame::RefreshWindowMenu() {
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    int number = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        ++number;
        QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = windowMenu_->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        action->setCheckable(true);
        action->setChecked(window == mdi_->activeSubWindow());
        connect(action, &QAction::triggered, this,
                [this, window] { mdi_->setActiveSubWindow(window); });
        windowListActions_.append(action);
    }
}

bool CTracepadMainFrame::ToolBarButtonShown(const QString& toolBar, int id) const {
    return toolBars_->ButtonShown(toolBar, id);
}

void CTracepadMainFrame::SetToolBarButtonShown(const QString& toolBar, int id, bool shown) {
    toolBars_->SetButtonShown(toolBar, id, shown);
}

void CTracepadMainFrame::ShowAnnotations(AnnotationList& list, std::function<void()> modified) {
    {
        AnnotationDialog dialog(list, audio_->Services(), std::move(modified), this);
        dialog.exec();
    }
    audio_->KeepListening();
    router_->Refresh();
}

void CTracepadMainFrame::ShowHelp() {
    if (!help_) {
        help_ = new HelpWindow(this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

}  // namespace plantrek
