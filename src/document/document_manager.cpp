#include "document/document_manager.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "document/recovery/recovery_store.h"
#include "document/tracepad_doc.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// Two spellings of one file (relative, through a link) are the same file.
QString SamePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString DocumentFilter() {
    return DocumentTemplateString(DocumentTemplatePart::FilterName);
}

}  // namespace

QString DocumentWindowTitle(const QString& documentTitle, int windowNumber) {
    return windowNumber > 0 ? documentTitle + QStringLiteral(":%1").arg(windowNumber)
                            : documentTitle;
}

DocumentManager::DocumentManager(WindowPrompts& prompts, FileChooser& files, SettingsStore store,
                                 TemplateLocation templates, Hooks hooks)
    : prompts_(prompts),
      files_(files),
      store_(store),
      templates_(std::move(templates)),
      hooks_(std::move(hooks)),
      recent_(std::move(store)) {}

DocumentManager::~DocumentManager() {
    // States of documents still open stay: nothing but a save or the user's choice deletes one.
    for (auto& [doc, kept] : kept_) {
        QObject::disconnect(kept.changes);
    }
}

std::unique_ptr<CTracepadDoc> DocumentManager::MakeDocument() const {
    return std::make_unique<CTracepadDoc>(prompts_, store_, templates_);
}

DocumentWindow* DocumentManager::Show(std::shared_ptr<CTracepadDoc> doc) {
    return hooks_.showDocument ? hooks_.showDocument(std::move(doc)) : nullptr;
}

void DocumentManager::Changed() const {
    if (hooks_.changed) {
        hooks_.changed();
    }
}

DocumentWindow* DocumentManager::NewDocument() {
    auto doc = MakeDocument();
    doc->OnNewDocument();
    doc->SetTitle(DocumentTemplateString(DocumentTemplatePart::FileNewName) +
                  QString::number(++untitledCount_));
    return Show(std::move(doc));
}

DocumentWindow* DocumentManager::OpenDocument(const QString& path) {
    const QString wanted = SamePath(path);
    for (DocumentWindow* window : windows_) {
        const QString& open = window->Document().GetPathName();
        if (!open.isEmpty() && SamePath(open) == wanted) {
            window->Activate();
            return window;
        }
    }
    auto doc = MakeDocument();
    if (!doc->OnOpenDocument(path)) {
        return nullptr;
    }
    recent_.Add(path);
    return Show(std::move(doc));
}

DocumentWindow* DocumentManager::ChooseAndOpen(const CTracepadDoc* active) {
    const QString path = files_.ChooseOpenFile(DocumentFilter(), OpenFolder(active));
    return path.isEmpty() ? nullptr : OpenDocument(path);
}

void DocumentManager::OpenRecent(int index) {
    if (index < 0 || index >= recent_.Files().size()) {
        return;
    }
    const QString path = recent_.Files()[index];
    if (!QFileInfo::exists(path)) {
        recent_.Remove(path);
        prompts_.ShowMessage(
            QStringLiteral("The file \"%1\" no longer exists. It has been removed from the list "
                           "of recent files.")
                .arg(QDir::toNativeSeparators(path)),
            MessageIcon::Warning);
        Changed();
        return;
    }
    OpenDocument(path);
}

bool DocumentManager::Save(CTracepadDoc& doc) {
    if (doc.GetPathName().isEmpty()) {
        return SaveAs(doc);
    }
    const bool saved = doc.Save();
    KeepState(doc);
    RenumberWindows(doc);
    Changed();
    return saved;
}

bool DocumentManager::SaveAs(CTracepadDoc& doc) {
    const ChosenFile chosen = files_.ChooseSaveFile(
        QStringLiteral("Save As"), doc.ProposedSaveAsName(), {DocumentFilter()}, 1,
        DocumentTemplateString(DocumentTemplatePart::FilterExtension).mid(1));
    if (chosen.path.isEmpty()) {
        return false;
    }
    const bool saved = doc.DoSave(chosen.path);
    if (saved) {
        recent_.Add(chosen.path);
    }
    KeepState(doc);
    RenumberWindows(doc);
    Changed();
    return saved;
}

bool DocumentManager::AskToSave(CTracepadDoc& doc) {
    if (!doc.IsModified()) {
        return true;
    }
    switch (prompts_.AskYesNoCancel(QStringLiteral("Save changes to %1?").arg(doc.GetTitle()))) {
        case SaveAnswer::Yes:
            return Save(doc);
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool DocumentManager::MayCloseWindow(DocumentWindow& window) {
    CTracepadDoc& doc = window.Document();
    if (!doc.IsModified() || WindowsOf(doc).size() > 1) {
        return true;
    }
    window.Activate();  // the question names the site the user then sees
    return AskToSave(doc);
}

bool DocumentManager::MayCloseAll() {
    QList<const CTracepadDoc*> asked;
    for (DocumentWindow* window : QList<DocumentWindow*>(windows_)) {
        CTracepadDoc& doc = window->Document();
        if (asked.contains(&doc)) {
            continue;
        }
        asked.append(&doc);
        if (!doc.IsModified()) {
            continue;
        }
        // Asked however many windows show the document: ending the program closes them all.
        WindowsOf(doc).last()->Activate();
        if (!AskToSave(doc)) {
            return false;
        }
    }
    return true;
}

QString DocumentManager::OpenFolder(const CTracepadDoc* active) const {
    QStringList candidates;
    if (active != nullptr && !active->GetPathName().isEmpty()) {
        candidates.append(active->GetPathName());
    }
    candidates.append(recent_.Files());
    for (const QString& path : candidates) {
        const QDir folder = QFileInfo(path).absoluteDir();
        if (folder.exists()) {
            return folder.absolutePath();
        }
    }
    // No site yet: the user's documents rather than wherever the program was started.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void DocumentManager::AddWindow(DocumentWindow* window) {
    if (!windows_.contains(window)) {
        windows_.append(window);
    }
    CTracepadDoc* doc = &window->Document();
    windowDocuments_[window] = doc;
    if (recovery_ != nullptr && kept_.count(doc) == 0) {
        KeptDocument& kept = kept_[doc];
        kept.number = recovery_->AddDocument();
        kept.changes =
            QObject::connect(doc, &CTracepadDoc::changed, [this, doc] { KeepState(*doc); });
        KeepState(*doc);
    }
    RenumberWindows(*doc);
}

void DocumentManager::RemoveWindow(DocumentWindow* window) {
    windows_.removeAll(window);
    const auto found = windowDocuments_.find(window);
    if (found == windowDocuments_.end()) {
        return;
    }
    const CTracepadDoc* doc = found->second;
    windowDocuments_.erase(found);
    for (const auto& [other, shown] : windowDocuments_) {
        if (shown == doc) {
            return;
        }
    }
    // The document's last window has gone: saved, closed unchanged or answered "No".
    ForgetState(doc);
}

// ---------------------------------------------------------------------------------------------
// Recovery

void DocumentManager::SetRecoveryStore(RecoveryStore* store) {
    recovery_ = store;
    for (DocumentWindow* window : QList<DocumentWindow*>(windows_)) {
        AddWindow(window);
    }
}

void DocumentManager::KeepState(CTracepadDoc& doc) {
    const auto found = kept_.find(&doc);
    if (recovery_ == nullptr || found == kept_.end()) {
        return;
    }
    KeptDocument& kept = found->second;
    if (doc.IsModified()) {
        // A change of the selection hands over the same site again, which the store skips.
        recovery_->Submit(kept.number,
                          RecoveryState{doc.SharedSite(), doc.GetPathName(), doc.GetTitle(),
                                        QDateTime::currentDateTimeUtc()});
        kept.stored = true;
    } else if (kept.stored) {
        recovery_->Remove(kept.number);
        kept.stored = false;
    }
}

void DocumentManager::ForgetState(const CTracepadDoc* doc) {
    const auto found = kept_.find(doc);
    if (found == kept_.end()) {
        return;
    }
    QObject::disconnect(found->second.changes);
    if (found->second.stored) {
        recovery_->Remove(found->second.number);
    }
    kept_.erase(found);
}

int DocumentManager::OfferRecovery(RecoveryPrompt& prompt) {
    if (recovery_ == nullptr) {
        return 0;
    }
    const std::vector<RecoverableSite> found = recovery_->FindRecoverable();
    std::vector<RecoveryLine> lines;
    for (const RecoverableSite& site : found) {
        lines.push_back({site.path.isEmpty() ? site.title : QDir::toNativeSeparators(site.path),
                         site.changed, site.rooms, site.savedFileNewer});
    }
    const std::vector<RecoveryChoice> choices =
        lines.empty() ? std::vector<RecoveryChoice>() : prompt.AskRecovery(lines);
    const QString untitled = DocumentTemplateString(DocumentTemplatePart::FileNewName);
    int opened = 0;
    for (std::size_t i = 0; i < choices.size() && i < found.size(); ++i) {
        const RecoverableSite& site = found[i];
        if (choices[i] == RecoveryChoice::Discard) {
            recovery_->Discard(site);
        }
        if (choices[i] != RecoveryChoice::Recover) {
            continue;
        }
        auto doc = MakeDocument();
        doc->OnRecoverDocument(*site.site, site.path, site.title);
        // A later File > New must not take the name of a recovered unnamed site.
        if (site.path.isEmpty() && site.title.startsWith(untitled)) {
            untitledCount_ = std::max(untitledCount_, site.title.mid(untitled.size()).toInt());
        }
        const CTracepadDoc* raw = doc.get();
        if (Show(std::move(doc)) == nullptr) {
            continue;
        }
        ++opened;
        // The state moves into this program's session; the old one goes once the new one is
        // written, so a crash in between leaves one of them.
        const auto kept = kept_.find(raw);
        if (kept != kept_.end()) {
            recovery_->Adopt(site, kept->second.number);
        }
    }
    recovery_->Release();
    Changed();
    return opened;
}

QList<DocumentWindow*> DocumentManager::WindowsOf(const CTracepadDoc& doc) const {
    QList<DocumentWindow*> windows;
    for (DocumentWindow* window : windows_) {
        if (&window->Document() == &doc) {
            windows.append(window);
        }
    }
    return windows;
}

void DocumentManager::RenumberWindows() {
    for (DocumentWindow* window : windows_) {
        RenumberWindows(window->Document());
    }
}

void DocumentManager::RenumberWindows(const CTracepadDoc& doc) {
    const QList<DocumentWindow*> windows = WindowsOf(doc);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->SetWindowNumber(windows.size() > 1 ? static_cast<int>(i) + 1 : 0);
    }
}

}  // namespace plantrek
