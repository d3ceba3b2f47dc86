#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <functional>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "document/clip_item.h"
#include "document/document_manager.h"
#include "document/files/site_template.h"
#include "document/settings_store.h"
#include "export/page_layout.h"
#include "view/dialogs/print_dialogs.h"
#include "view/window_layout_store.h"

class QLabel;
class QMdiArea;

// The main window, assembled from its parts: menus and toolbars built through one command
// router, the documents in child windows, the input line, the keypad, the status bar with the
// selection pane, the kept clip item and the meter. What the parts do lives in their own
// classes; the frame's commands are bound in handlers/frame_bindings.
namespace plantrek {

class CClipItem;
class ChildWindows;
class CKeypadDlg;
class FrameAudio;
class FreeSpaceSource;
class SoundDevice;
class CommandRouter;
class CTracepadChildFrame;
class CTracepadDoc;
class FileChooser;
class HelpWindow;
class InputLine;
class LevelChooser;
class MeasurementRouter;
class MeterConnection;
class WindowPrompts;
class PrintDialogs;
class PrintExportSession;
class RecoveryPrompt;
class RecoveryStore;
class StatusBarPanes;
class ToolBarLayout;

// What the frame needs from outside: where boxes and file dialogs go, where settings and the
// template live, whether to look for a meter, and the sound device and free space notes are
// recorded with (the system's when not given).
struct FrameServices {
    WindowPrompts* prompts = nullptr;
    FileChooser* files = nullptr;
    SoundDevice* sound = nullptr;
    const FreeSpaceSource* freeSpace = nullptr;
    PrintDialogs* printing = nullptr;  // the Qt Print Support dialogs when not given
    SettingsStore store;
    TemplateLocation templates = TemplateLocation::Default();
    bool searchMeter = true;
    int firstComPort = 1;
    int lastComPort = 20;
    RecoveryStore* recovery = nullptr;  // keeps changed sites for recovery; none when null
};

class CTracepadMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CTracepadMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CTracepadMainFrame() override;

    // File > New: "Plantrek1", "Plantrek2", ...
    CTracepadChildFrame* NewDocument();
    // Opens the file, or activates its window when it is open already. On failure the reason
    // has been shown and nothing is opened.
    CTracepadChildFrame* OpenDocument(const QString& path);
    bool SaveDocument(CTracepadChildFrame& child);
    bool SaveDocumentAs(CTracepadChildFrame& child);
    // The not-saved question for one document; false when the user cancels.
    bool SaveModified(CTracepadChildFrame& child);

    CTracepadChildFrame* ActiveChild() const;
    CTracepadDoc* ActiveDocument() const;
    QList<CTracepadChildFrame*> Children() const;

    CommandRouter& Router() { return *router_; }
    InputLine& Input() { return *input_; }
    CKeypadDlg& Keypad() { return *keypad_; }
    QLabel& SelectionPane();
    QLabel& TotalsPane();
    // The "Levels" toolbar and its list of the active site's levels.
    LevelChooser& Levels() { return *levels_; }
    QMdiArea& MdiArea() { return *mdi_; }
    MeasurementRouter& Measurements() { return *measurements_; }
    MeterConnection& Meter() { return *meter_; }
    FrameAudio& Audio() { return *audio_; }
    const RecentFileList& RecentFiles() const;
    const CClipItem* KeptClipItem() const { return clip_.Item(); }
    HelpWindow* Help() const;

    // The button toolbars, what they may show and what the user hid (View > Customize).
    ToolBarLayout& ToolBars() { return *toolBars_; }
    // Toolbar buttons the user has hidden with Customize stay hidden across restarts.
    bool ToolBarButtonShown(const QString& toolBar, int id) const;
    void SetToolBarButtonShown(const QString& toolBar, int id, bool shown);

    // Starts the meter search; the program does this once the window shows.
    void SearchForMeter();
    // "Recover Sites" for what programs no longer running left; returns how many opened.
    int OfferRecovery(RecoveryPrompt& prompt);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab and Shift+Tab walk the frame's controls and the active site's window only.
    bool focusNextPrevChild(bool next) override;

private:
    // The rule answers and what the frame's commands do live with the handlers.
    friend void BindFrameCommands(CTracepadMainFrame& frame);

    void BuildMenus();
    void BuildToolBars();
    void UpdateFrame();

    FrameServices services_;
    CommandRouter* router_;
    std::unique_ptr<ToolBarLayout> toolBars_;
    std::unique_ptr<PrintExportSession> printSession_;
    WindowLayoutStore layoutStore_;
    QMdiArea* mdi_;
    InputLine* input_ = nullptr;
    CKeypadDlg* keypad_ = nullptr;
    StatusBarPanes* statusPanes_ = nullptr;
    LevelChooser* levels_ = nullptr;
    ChildWindows* windows_ = nullptr;
    CClipHolder clip_;  // the one kept item of Cut, Copy and Paste
    std::unique_ptr<DocumentManager> documents_;
    std::unique_ptr<MeasurementRouter> measurements_;
    std::unique_ptr<MeterConnection> meter_;
    std::unique_ptr<FrameAudio> audio_;
    QPointer<HelpWindow> help_;
    bool shownOnce_ = false;
    bool keypadNeedsPlace_ = false;
};

}  // namespace plantrek
