#include "view/handlers/frame_bindings.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "document/recent_files.h"
#include "document/tracepad_doc.h"
#include "document/view_settings.h"
#include "resources/command_ids.h"
#include "view/child_frame.h"
#include "view/child_windows.h"
#include "view/commands/command_presentation.h"
#include "view/commands/command_router.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/dialogs/customize_dialog.h"
#include "view/dialogs/qt_form_dialogs.h"
#include "view/frame_audio.h"
#include "view/handlers/annotation_handlers.h"
#include "view/handlers/level_handlers.h"
#include "view/handlers/menu_handlers.h"
#include "view/handlers/move_handlers.h"
#include "view/handlers/room_handlers.h"
#include "view/handlers/wall_handlers.h"
#include "view/help_window.h"
#include "view/keypad.h"
#include "view/main_frame.h"
#include "view/meter_connection.h"
#include "view/print_export_session.h"
#include "view/tracepad_view.h"

namespace plantrek {

namespace {

using namespace command_id;

// Each File menu entry of a recent file shows its number and name; the status bar the whole path.
void ShowRecentFiles(CommandRouter& router, const RecentFileList& recent) {
    const QStringList& files = recent.Files();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QAction* action = router.Action(kFileMru1 + i);
        const bool used = i < files.size();
        action->setVisible(used);
        if (used) {
            action->setText(RecentFileMenuText(i + 1, files[i]));
            action->setStatusTip(QDir::toNativeSeparators(files[i]));
        }
    }
}

// Minimised windows line up along the bottom edge.
void ArrangeIcons(QMdiArea& area) {
    int x = 0;
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, area.viewport()->height() - window->height());
            x += window->width();
        }
    }
}

}  // namespace

void BindFrameCommands(CTracepadMainFrame& f) {
    CommandRouter& r = *f.router_;
    ViewSettings& view = f.services_.store.View();
    auto active = [&f] { return f.ActiveDocument(); };
    auto documentState = [&f](int id) {
        return DocumentCommandState(f.ActiveDocument(), id, f.clip_.Item());
    };
    // Each rule is answered by the object whose state it reads; the catalog says which.
    r.SetRuleAnswer(RuleScope::Document, [documentState](int id, CommandRule) {
        return documentState(id);
    });
    r.SetRuleAnswer(RuleScope::View, [&f](int id, CommandRule) {
        CTracepadChildFrame* c = f.ActiveChild();
        return c != nullptr ? c->Plan().GetCommandState(id) : CommandState{};
    });
    r.SetRuleAnswer(RuleScope::Frame, [&f, &view](int id, CommandRule rule) {
        switch (rule) {
        case CommandRule::KeypadShown:
            return CommandState{true, f.keypad_->isVisible()};
        case CommandRule::StatusBarShown:
            return CommandState{true, f.statusBar()->isVisible()};
        case CommandRule::ChildActive:
            return CommandState{f.ActiveChild() != nullptr, false};
        case CommandRule::RecentFile:
            return CommandState{id - kFileMru1 < f.documents_->RecentFiles().Files().size(), false};
        case CommandRule::MeterIdle:
            return CommandState{f.meter_ && !f.meter_->Searching(), false};
        case CommandRule::WallLengthsShown:
            return CommandState{true, view.ShowWallLengths()};
        case CommandRule::DragModeOn:
            return CommandState{true, view.DragMode()};
        case CommandRule::LevelBelowShown:
            return CommandState{true, view.ShowLevelBelow()};
        default:
            return CommandState{};
        }
    });

    FrameCommands frame;
    frame.activeChild = [&f] { return f.ActiveChild(); };
    frame.activeDocument = active;
    frame.newDocument = [&f] { f.NewDocument(); };
    frame.openDocument = [&f] { f.documents_->ChooseAndOpen(f.ActiveDocument()); };
    frame.save = [&f](CTracepadChildFrame& c) { f.SaveDocument(c); };
    frame.saveAs = [&f](CTracepadChildFrame& c) { f.SaveDocumentAs(c); };
    frame.exportActive = [&f] {
        if (CTracepadDoc* doc = f.ActiveDocument()) {
            f.printSession_->Export(*doc);
        }
    };
    frame.print = [&f](bool preview) {
        if (CTracepadDoc* doc = f.ActiveDocument()) {
            f.printSession_->Print(*doc, preview);
        }
    };
    frame.printSetup = [&f] { f.printSession_->SetUpPage(); };
    frame.openRecent = [&f](int index) { f.documents_->OpenRecent(index); };
    frame.recentCount = RecentFileList::kSize;
    frame.exit = [&f] { f.close(); };
    frame.toggleKeypad = [&f] {
        f.keypad_->setVisible(!f.keypad_->isVisible());
        f.services_.store.SetDisplayKeypad(f.keypad_->isVisible());
    };
    frame.toggleStatusBar = [&f] { f.statusBar()->setVisible(!f.statusBar()->isVisible()); };
    frame.customize = [&f] {
        CustomizeDialog dialog(*f.toolBars_, *f.router_, &f);
        dialog.exec();
    };
    frame.reconnect = [&f] { f.meter_->Reconnect(); };
    frame.newWindow = [&f] {
        if (CTracepadChildFrame* c = f.ActiveChild()) {
            f.windows_->Add(c->SharedDocument());
        }
    };
    frame.cascade = [&f] { f.mdi_->cascadeSubWindows(); };
    frame.tile = [&f] { f.mdi_->tileSubWindows(); };
    frame.arrangeIcons = [&f] { ArrangeIcons(*f.mdi_); };
    frame.help = [&f] {
        if (!f.help_) {
            f.help_ = new HelpWindow(&f);
            f.help_->setAttribute(Qt::WA_DeleteOnClose);
        }
        f.help_->show();
        f.help_->raise();
        f.help_->activateWindow();
    };
    frame.about = [&f] {
        CAboutDlg dialog(&f);
        dialog.exec();
    };

    RegisterFileHandlers(r, frame);
    RegisterEditHandlers(r, frame, f.clip_);
    RegisterRoomWallOperationHandlers(r, frame);
    const EditingContext editing{
        active, f.services_.prompts,
        std::make_shared<QtFormDialogs>(&f, *f.services_.prompts, f.services_.store)};
    RegisterWallHandlers(r, editing);
    RegisterMoveHandlers(r, editing);
    RegisterLevelHandlers(r, editing);
    RegisterViewHandlers(r, frame, view);
    RegisterWindowHandlers(r, frame);
    RegisterHelpHandlers(r, frame);
    RegisterRoomHandlers(r, editing, documentState);
    RegisterAnnotationHandlers(
        r, {active, [&f](AnnotationList& list, std::function<void()> modified) {
                {
                    AnnotationDialog dialog(list, f.audio_->Services(), std::move(modified), &f);
                    dialog.exec();
                }
                f.audio_->KeepListening();
                f.router_->Refresh();
            }});

    QObject::connect(&r, &CommandRouter::refreshed, &f, [&f] {
        // The snap command's text names what it would snap.
        CTracepadChildFrame* c = f.ActiveChild();
        f.router_->Action(kSnapSelection)
            ->setText(c != nullptr ? c->Plan().MenuText(kSnapSelection)
                                   : PresentationOf(kSnapSelection).menuText);
        ShowRecentFiles(*f.router_, f.documents_->RecentFiles());
    });
    QObject::connect(&view, &ViewSettings::changed, &r, &CommandRouter::Refresh);
    // Closed with its own button, the keypad stays hidden next time.
    QObject::connect(f.keypad_, &CKeypadDlg::hiddenByUser, &f, [&f] {
        f.services_.store.SetDisplayKeypad(false);
        f.router_->Refresh();
    });
}

}  // namespace plantrek
