#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

#include "document/files/site_template.h"
#include "document/recent_files.h"
#include "document/settings_store.h"
#include "document/user_prompts.h"

// The open documents and their windows, without the windows' widgets: new, open, save, the
// not-saved question on closing, the recent files and the numbers of several windows on one
// document. It speaks to the person only through the prompts and the file chooser.
namespace plantrek {

class CTracepadDoc;
class RecoveryStore;

// A window showing a document, as far as managing documents needs one.
class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    virtual CTracepadDoc& Document() = 0;
    // 0 while this is its document's only window, else its place among them from 1.
    virtual void SetWindowNumber(int number) = 0;
    // Brings the window to the front as the active one.
    virtual void Activate() = 0;
};

// What a window on a document is called: "b.tcd" alone, "b.tcd:2" as the second of several.
QString DocumentWindowTitle(const QString& documentTitle, int windowNumber);

class DocumentManager {
public:
    struct Hooks {
        // Puts a document in a new window, which is then added with AddWindow.
        std::function<DocumentWindow*(std::shared_ptr<CTracepadDoc>)> showDocument;
        // Titles, the recent files or the modified marks may have changed.
        std::function<void()> changed;
    };

    DocumentManager(WindowPrompts& prompts, FileChooser& files, SettingsStore store,
                    TemplateLocation templates, Hooks hooks);
    ~DocumentManager();
    DocumentManager(const DocumentManager&) = delete;
    DocumentManager& operator=(const DocumentManager&) = delete;

    // From now on every modified document's state is handed to the store on each change, and
    // deleted when the document is saved, back to its saved state, or closed. Null: none kept.
    void SetRecoveryStore(RecoveryStore* store);
    // At start-up: offers the sites that programs no longer running left in the store; those
    // the user recovers open as modified documents. Returns how many opened.
    int OfferRecovery(RecoveryPrompt& prompt);

    // File > New: "Plantrek1", "Plantrek2", ...
    DocumentWindow* NewDocument();
    // Opens the file, or activates its window when it is open already. On failure the reason
    // has been shown and nothing is opened.
    DocumentWindow* OpenDocument(const QString& path);
    // File > Open: the chosen file, starting in OpenFolder; null when none was chosen.
    DocumentWindow* ChooseAndOpen(const CTracepadDoc* active);
    // One of the recent files; a file gone since is taken off the list with a message.
    void OpenRecent(int index);
    // Saves under the document's name, or asks for one when it has none.
    bool Save(CTracepadDoc& doc);
    bool SaveAs(CTracepadDoc& doc);
    // Whether the window may close: closing one of several windows on a document loses
    // nothing; the last one on a modified document asks whether to save it. False on Cancel.
    bool MayCloseWindow(DocumentWindow& window);
    // Whether the program may end: each modified document is asked about once, however many
    // windows show it. False as soon as the user cancels.
    bool MayCloseAll();

    // Where File > Open starts: the active site's folder, else the last site's, else the
    // user's documents.
    QString OpenFolder(const CTracepadDoc* active) const;
    const RecentFileList& RecentFiles() const { return recent_; }

    // The windows, in the order they were opened.
    void AddWindow(DocumentWindow* window);
    // Never touches the window: it may be half destroyed already.
    void RemoveWindow(DocumentWindow* window);
    const QList<DocumentWindow*>& Windows() const { return windows_; }
    QList<DocumentWindow*> WindowsOf(const CTracepadDoc& doc) const;
    // Numbers the windows of every document again ("Plantrek1:1", "Plantrek1:2").
    void RenumberWindows();

private:
    // The not-saved question for one document; false on Cancel or a failed save.
    bool AskToSave(CTracepadDoc& doc);
    void RenumberWindows(const CTracepadDoc& doc);
    DocumentWindow* Show(std::shared_ptr<CTracepadDoc> doc);
    std::unique_ptr<CTracepadDoc> MakeDocument() const;
    void Changed() const;
    // Hands the document's state to the recovery store, or deletes it when unmodified.
    void KeepState(CTracepadDoc& doc);
    void ForgetState(const CTracepadDoc* doc);

    WindowPrompts& prompts_;
    FileChooser& files_;
    SettingsStore store_;
    TemplateLocation templates_;
    Hooks hooks_;
    RecentFileList recent_;
    QList<DocumentWindow*> windows_;
    // What recovery keeps per document shown: its number in the store, whether a state was
    // handed over, and the connection to its changes. The windows' documents are remembered
    // because a window may be half destroyed when it is removed.
    struct KeptDocument {
        int number = 0;
        bool stored = false;
        QMetaObject::Connection changes;
    };
    RecoveryStore* recovery_ = nullptr;
    std::map<const CTracepadDoc*, KeptDocument> kept_;
    std::map<const DocumentWindow*, const CTracepadDoc*> windowDocuments_;
    int untitledCount_ = 0;
};

}  // namespace plantrek
