#include "document/document_manager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "doc_test_support.h"
#include "document/files/site_file.h"
#include "document/recovery/recovery_store.h"

namespace plantrek::test {
namespace {

// Answers the not-saved question from a queue (Yes when it is empty) and keeps every message.
class ManagerPrompts : public WindowPrompts {
public:
    void ShowMessage(const QString& text, MessageIcon) override { messages.append(text); }
    bool AskYesNo(const QString& text) override { return questions.append(text), true; }
    void ShowCaptioned(const QString&, const QString& text, MessageIcon) override {
        messages.append(text);
    }
    SaveAnswer AskYesNoCancel(const QString& text) override {
        questions.append(text);
        return answers.isEmpty() ? SaveAnswer::Yes : answers.takeFirst();
    }

    QStringList messages;
    QStringList questions;
    QList<SaveAnswer> answers;
};

// Gives the next prepared path to each file dialog; an empty queue is a cancelled dialog.
class ScriptedChooser : public FileChooser {
public:
    QString ChooseOpenFile(const QString&, const QString&) override { return Next(); }
    ChosenFile ChooseSaveFile(const QString&, const QString& proposedName, const QStringList&, int,
                              const QString&) override {
        proposed = proposedName;
        return {Next(), 1};
    }
    QString Next() { return paths.isEmpty() ? QString() : paths.takeFirst(); }

    QStringList paths;
    QString proposed;
};

class FakeWindow : public DocumentWindow {
public:
    FakeWindow(std::shared_ptr<CTracepadDoc> doc, FakeWindow** active)
        : doc_(std::move(doc)), active_(active) {}
    CTracepadDoc& Document() override { return *doc_; }
    void SetWindowNumber(int number) override { number_ = number; }
    void Activate() override { *active_ = this; }

    // What the window's title bar shows.
    QString Title() const { return DocumentWindowTitle(doc_->GetTitle(), number_); }
    const std::shared_ptr<CTracepadDoc>& Shared() const { return doc_; }

private:
    std::shared_ptr<CTracepadDoc> doc_;
    FakeWindow** active_;
    int number_ = 0;
};

class DocumentManagerTest : public DocTest {
protected:
    FakeWindow* Show(std::shared_ptr<CTracepadDoc> doc) {
        windows.push_back(std::make_unique<FakeWindow>(std::move(doc), &active));
        active = windows.back().get();
        program->AddWindow(active);
        return active;
    }
    FakeWindow* Window(DocumentWindow* window) { return static_cast<FakeWindow*>(window); }
    // Another window on the document, as Window > New Window opens one.
    FakeWindow* NewWindowOn(FakeWindow& window) { return Show(window.Shared()); }
    // Closes the window as its close box does; false when it stays.
    bool Close(FakeWindow* window) {
        if (!manager.MayCloseWindow(*window)) {
            return false;
        }
        manager.RemoveWindow(window);
        std::erase_if(windows, [window](const auto& w) { return w.get() == window; });
        manager.RenumberWindows();
        return true;
    }
    QStringList Titles() const {
        QStringList titles;
        for (const auto& window : windows) {
            titles.append(window->Title());
        }
        return titles;
    }
    QStringList RecentNames() const {
        QStringList names;
        for (const QString& path : manager.RecentFiles().Files()) {
            names.append(QFileInfo(path).fileName());
        }
        return names;
    }
    // A new site in a new window, changed by the entry typed.
    FakeWindow* ChangedSite(const char* entry = "3 n") {
        FakeWindow* window = Window(manager.NewDocument());
        window->Document().EnterInputText(QString::fromUtf8(entry));
        return window;
    }
    // A site with one wall, saved under the name.
    QString SavedSite(const QString& name) {
        FakeWindow* window = ChangedSite();
        chooser.paths = {FilePath(name)};
        EXPECT_TRUE(manager.SaveAs(window->Document()));
        return FilePath(name);
    }

    ManagerPrompts prompts;
    ScriptedChooser chooser;
    std::vector<std::unique_ptr<FakeWindow>> windows;
    FakeWindow* active = nullptr;
    // A program: its new windows are shown and added to it.
    std::unique_ptr<DocumentManager> Program() {
        return std::make_unique<DocumentManager>(
            prompts, chooser, store_, Location(),
            DocumentManager::Hooks{[this](std::shared_ptr<CTracepadDoc> doc) { return Show(doc); }, {}});
    }
    std::unique_ptr<DocumentManager> first = Program();
    DocumentManager& manager = *first;
    DocumentManager* program = first.get();  // the one new windows join
};

TEST_F(DocumentManagerTest, ClosingAChangedSiteAsksAndFollowsTheAnswer) {
    struct Case {
        SaveAnswer answer;
        bool closed;
        bool saved;
    };
    for (const Case c : {Case{SaveAnswer::Yes, true, true}, Case{SaveAnswer::No, true, false},
                         Case{SaveAnswer::Cancel, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        FakeWindow* window = Window(manager.NewDocument());
        const QString title = window->Document().GetTitle();
        window->Document().EnterInputText(QStringLiteral("3 n"));
        ASSERT_TRUE(window->Document().IsModified());
        const QString path = FilePath(title + QStringLiteral(".tcd"));
        chooser.paths = {path};
        prompts.questions.clear();
        prompts.answers = {c.answer};

        EXPECT_EQ(Close(window), c.closed);
        ASSERT_FALSE(prompts.questions.isEmpty());
        EXPECT_EQ(prompts.questions[0], QStringLiteral("Save changes to %1?").arg(title));
        EXPECT_EQ(QFileInfo::exists(path), c.saved);
        if (c.saved) {
            EXPECT_EQ(chooser.proposed, title + QStringLiteral(".tcd"));
        }
    }
    // An unchanged site closes without a question.
    prompts.questions.clear();
    EXPECT_TRUE(Close(Window(manager.NewDocument())));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(DocumentManagerTest, EndingTheProgramAsksOncePerChangedSite) {
    FakeWindow* a = ChangedSite();
    NewWindowOn(*a);
    manager.NewDocument();  // unchanged: not asked about
    ChangedSite("4 e");
    // Cancel keeps everything open, with the site asked about in front.
    prompts.answers = {SaveAnswer::Cancel};
    EXPECT_FALSE(manager.MayCloseAll());
    EXPECT_EQ(&active->Document(), &a->Document());
    prompts.questions.clear();
    prompts.answers = {SaveAnswer::No, SaveAnswer::No};
    EXPECT_TRUE(manager.MayCloseAll());
    EXPECT_EQ(prompts.questions, (QStringList{QStringLiteral("Save changes to Plantrek1?"),
                                              QStringLiteral("Save changes to Plantrek3?")}));
}

TEST_F(DocumentManagerTest, RecentFilesKeepTheFourNewestAndForgetAGoneFile) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << SavedSite(QStringLiteral("site%1.tcd").arg(i));
    }
    // The File menu lists four, the last saved first.
    EXPECT_EQ(RecentNames(), (QStringList{"site4.tcd", "site3.tcd", "site2.tcd", "site1.tcd"}));

    // Opening one moves it to the top; the list survives a restart.
    windows.clear();
    for (DocumentWindow* window : QList<DocumentWindow*>(manager.Windows())) {
        manager.RemoveWindow(window);
    }
    ASSERT_NE(manager.OpenDocument(paths[2]), nullptr);
    DocumentManager restarted(prompts, chooser, store_, Location(), {});
    EXPECT_EQ(restarted.RecentFiles().Files(), manager.RecentFiles().Files());
    EXPECT_EQ(RecentNames(), (QStringList{"site2.tcd", "site4.tcd", "site3.tcd", "site1.tcd"}));

    // A file gone since is taken off with a message naming it, and nothing opens.
    ASSERT_TRUE(QFile::remove(paths[4]));
    const size_t open = windows.size();
    manager.OpenRecent(1);
    EXPECT_EQ(RecentNames(), (QStringList{"site2.tcd", "site3.tcd", "site1.tcd"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("site4.tcd")));
    EXPECT_EQ(windows.size(), open);

    // An existing one opens.
    manager.OpenRecent(2);
    EXPECT_EQ(QFileInfo(active->Document().GetPathName()).fileName(), QStringLiteral("site1.tcd"));
}

TEST_F(DocumentManagerTest, OpeningAnOpenFileActivatesItsWindow) {
    SavedSite(QStringLiteral("b.tcd"));
    FakeWindow* shown = active;
    manager.NewDocument();
    ASSERT_NE(active, shown);
    const size_t open = windows.size();

    // However the path is spelt.
    const QString sameFile = dir_.path() + QStringLiteral("/./b.tcd");
    EXPECT_EQ(manager.OpenDocument(sameFile), shown);
    EXPECT_EQ(active, shown);
    EXPECT_EQ(windows.size(), open);
}

TEST_F(DocumentManagerTest, AFileThatCannotBeReadOpensNothing) {
    QFile junk(FilePath(QStringLiteral("junk.tcd")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write("not a site") > 0 && junk.flush());
    EXPECT_EQ(manager.OpenDocument(junk.fileName()), nullptr);
    EXPECT_TRUE(windows.empty());
    EXPECT_TRUE(manager.RecentFiles().Files().isEmpty());
}

TEST_F(DocumentManagerTest, SaveAsRenamesTheSiteAndItsWindows) {
    FakeWindow* first = ChangedSite();
    NewWindowOn(*first);
    EXPECT_EQ(Titles(), (QStringList{"Plantrek1:1", "Plantrek1:2"}));

    // A cancelled dialog changes nothing.
    chooser.paths.clear();
    EXPECT_FALSE(manager.SaveAs(first->Document()));
    EXPECT_EQ(Titles(), (QStringList{"Plantrek1:1", "Plantrek1:2"}));
    EXPECT_TRUE(first->Document().IsModified());

    chooser.paths = {FilePath(QStringLiteral("b.tcd"))};
    EXPECT_TRUE(manager.SaveAs(first->Document()));
    EXPECT_EQ(Titles(), (QStringList{"b.tcd:1", "b.tcd:2"}));
    EXPECT_FALSE(first->Document().IsModified());
    EXPECT_EQ(RecentNames(), QStringList{"b.tcd"});

    // Save keeps the name without asking for one.
    first->Document().EnterInputText(QStringLiteral("4 e"));
    EXPECT_TRUE(manager.Save(first->Document()));
    EXPECT_EQ(chooser.proposed, QStringLiteral("Plantrek1.tcd"));  // from the Save As only
    EXPECT_EQ(Titles(), (QStringList{"b.tcd:1", "b.tcd:2"}));

    chooser.paths = {FilePath(QStringLiteral("c.tcd"))};
    EXPECT_TRUE(manager.SaveAs(first->Document()));
    EXPECT_EQ(Titles(), (QStringList{"c.tcd:1", "c.tcd:2"}));
    EXPECT_EQ(RecentNames(), (QStringList{"c.tcd", "b.tcd"}));
    EXPECT_TRUE(QFileInfo::exists(FilePath(QStringLiteral("b.tcd"))));
}

TEST_F(DocumentManagerTest, WindowsOnOneSiteAreNumberedInTheOrderTheyOpened) {
    FakeWindow* first = Window(manager.NewDocument());
    manager.NewDocument();
    EXPECT_EQ(Titles(), (QStringList{"Plantrek1", "Plantrek2"}));

    FakeWindow* second = NewWindowOn(*first);
    NewWindowOn(*first);
    EXPECT_EQ(Titles(), (QStringList{"Plantrek1:1", "Plantrek2", "Plantrek1:2", "Plantrek1:3"}));

    // The others close up the numbers; the last one left loses its number.
    Close(second);
    EXPECT_EQ(Titles(), (QStringList{"Plantrek1:1", "Plantrek2", "Plantrek1:2"}));
    Close(first);
    EXPECT_EQ(Titles(), (QStringList{"Plantrek2", "Plantrek1"}));
}

int StatesIn(RecoveryStore& store) {
    store.WaitUntilIdle();
    return static_cast<int>(QDir(store.SessionFolder()).entryList({"*.tcd"}, QDir::Files).size());
}

TEST_F(DocumentManagerTest, AChangedSiteIsKeptForRecoveryUntilSavedUndoneOrClosed) {
    RecoveryStore recovery(FilePath(QStringLiteral("state")));
    manager.SetRecoveryStore(&recovery);
    FakeWindow* window = Window(manager.NewDocument());
    CTracepadDoc& doc = window->Document();
    EXPECT_EQ(StatesIn(recovery), 0) << "an unchanged site";
    doc.EnterInputText(QStringLiteral("3 n"));
    EXPECT_EQ(StatesIn(recovery), 1);
    doc.Undo();
    EXPECT_EQ(StatesIn(recovery), 0) << "undone back to where it started";
    doc.Redo();
    EXPECT_EQ(StatesIn(recovery), 1);

    // A recorded note changes the site outside the undo history, as the window records it.
    Annotation note;
    ASSERT_GT(note.SetAudioText(QStringLiteral("AAAAAAAA")), 0);
    doc.GetSite()->Annotations().InsertAt(note);
    doc.SetModifiedFlag(true);
    doc.Commit(false);
    ASSERT_EQ(StatesIn(recovery), 1);
    Site kept;
    const QDir session(recovery.SessionFolder());
    ASSERT_TRUE(LoadSiteFile(session.filePath(session.entryList({"*.tcd"})[0]), kept).ok);
    EXPECT_EQ(kept.Annotations().Count(), 1);
    EXPECT_EQ(kept.GetRoom(0)->WallCount(true), 1);

    chooser.paths = {FilePath(QStringLiteral("kept.tcd"))};
    EXPECT_TRUE(manager.Save(doc));
    EXPECT_EQ(StatesIn(recovery), 0) << "saved";
    doc.EnterInputText(QStringLiteral("4 e"));
    EXPECT_EQ(StatesIn(recovery), 1);
    prompts.answers = {SaveAnswer::No};
    EXPECT_TRUE(Close(window));
    EXPECT_EQ(StatesIn(recovery), 0) << "closed without saving";
}

// Chooses Later for "later.tcd" and what the dialog proposes for every other line.
class ScriptedRecovery : public RecoveryPrompt {
public:
    std::vector<RecoveryChoice> AskRecovery(const std::vector<RecoveryLine>& shown) override {
        lines = shown;
        std::vector<RecoveryChoice> choices;
        for (const RecoveryLine& line : shown) {
            choices.push_back(line.name.endsWith("later.tcd") ? RecoveryChoice::Later
                                                              : line.Proposed());
        }
        return choices;
    }
    std::vector<RecoveryLine> lines;
};

TEST_F(DocumentManagerTest, SitesLeftByAProgramThatEndedAreRecoveredDiscardedOrKeptAsChosen) {
    const QString folder = FilePath(QStringLiteral("state"));
    const QString later = SavedSite(QStringLiteral("later.tcd"));
    const QString newer = SavedSite(QStringLiteral("newer.tcd"));
    {
        // A program that is killed with three changed sites.
        RecoveryStore killed(folder);
        manager.SetRecoveryStore(&killed);
        for (const QString& path : {later, newer}) {
            manager.OpenDocument(path);
            active->Document().EnterInputText(QStringLiteral("5 s"));
        }
        CTracepadDoc& unnamed = Window(manager.NewDocument())->Document();
        unnamed.EnterInputText(QStringLiteral("3 n"));
        unnamed.EnterInputText(QStringLiteral("4 e"));
        killed.WaitUntilIdle();
        manager.SetRecoveryStore(nullptr);
    }
    // Saved by another program since.
    QFile saved(newer);
    ASSERT_TRUE(saved.open(QIODevice::ReadWrite));
    ASSERT_TRUE(saved.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                  QFileDevice::FileModificationTime));

    const auto next = Program();
    DocumentManager& restarted = *next;
    program = &restarted;
    const size_t before = windows.size();
    RecoveryStore recovery(folder);
    restarted.SetRecoveryStore(&recovery);
    ScriptedRecovery prompt;
    EXPECT_EQ(restarted.OfferRecovery(prompt), 1);

    ASSERT_EQ(prompt.lines.size(), 3u);
    for (const RecoveryLine& line : prompt.lines) {
        EXPECT_EQ(line.savedFileNewer, line.name == QDir::toNativeSeparators(newer))
            << line.name.toStdString();
        EXPECT_EQ(line.rooms, 1);
    }
    ASSERT_EQ(windows.size(), before + 1);
    CTracepadDoc& recovered = windows.back()->Document();
    EXPECT_TRUE(recovered.IsModified());
    EXPECT_TRUE(recovered.GetPathName().isEmpty());
    EXPECT_EQ(recovered.GetTitle(), QStringLiteral("Plantrek3"));
    EXPECT_EQ(recovered.GetSite()->GetRoom(0)->WallCount(true), 2);
    EXPECT_EQ(restarted.NewDocument()->Document().GetTitle(), QStringLiteral("Plantrek4"));

    // The recovered state now belongs to this program; only the one left for later is offered.
    EXPECT_EQ(StatesIn(recovery), 1);
    RecoveryStore third(folder);
    const auto offered = third.FindRecoverable();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].path, later);

    // An unnamed recovered site asks for a name; saved, its state goes.
    chooser.paths = {FilePath(QStringLiteral("recovered.tcd"))};
    EXPECT_TRUE(restarted.Save(recovered));
    EXPECT_EQ(chooser.proposed, QStringLiteral("Plantrek3.tcd"));
    EXPECT_EQ(StatesIn(recovery), 0);
}

}  // namespace
}  // namespace plantrek::test
