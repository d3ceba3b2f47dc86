#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

// The recovery store: the state of every modified open document, on disk within moments of each
// change, so that a crash, a killed program or a dead battery loses nothing that was shown.
//
// Layout of the state folder (other tools, the manual and people recovering by hand rely on
// these names; keep them):
//
//   <state folder>/                  $XDG_STATE_HOME/plantrek, else ~/.local/state/plantrek
//     sessions/<session>/            one folder per running program: "<date>-<time>-<pid>-<random>"
//       lock                         held by that program while it runs (QLockFile: pid, host, app)
//       site<N>-<G>.tcd              document N's state, generation G: a plain site file that
//                                    plantrek and plantrek-cli open like any other
//       site<N>-<G>.recovery         its record: path, title, time of change, checksums
//                                    (see recovery_record.h)
//       .site<N>-<G>.*.XXXXXX        a write in progress; never read
//
// A state is written whole to a temporary file, synced and renamed into place (durable_file.h),
// the .tcd first and its record second; older generations are deleted only after both. A program
// whose lock is held is alive and its states are never offered; a lock left by a program that
// is gone, or no lock at all, marks states to recover. Per document the highest generation whose
// record reads, whose checksums hold and whose site file loads is offered; file dates play no
// part.
//
// All disk work runs on a worker thread, which takes a change up a tenth of a second after it
// was handed over (the window paints first; a burst of changes is written once). The window
// thread hands over a shared, read-only copy of the site; only the newest state of each
// document waiting to be written is kept.
namespace plantrek {

class Site;

struct RecoveryState {
    std::shared_ptr<const Site> site;  // from Site::Snapshot: read on the store's own thread
    QString path;  // empty for an unnamed site
    QString title;
    QDateTime changed;
};

// A state left by a program that is no longer running.
struct RecoverableSite {
    QString session;  // the folder it lies in
    int document = 0;
    int generation = 0;
    QString path;
    QString title;
    QDateTime changed;
    int rooms = 0;
    QString statePath;  // its .tcd file
    std::shared_ptr<const Site> site;
    // The saved file at path was written after the state's last change, by another program.
    bool savedFileNewer = false;
};

class RecoveryStore : public QObject {
    Q_OBJECT

public:
    // PLANTREK_STATE_DIR when set; on Linux $XDG_STATE_HOME/plantrek or ~/.local/state/plantrek
    // (never the temporary folder, which a reboot empties); elsewhere "Recovery" in the local
    // application data folder.
    static QString DefaultFolder();

    explicit RecoveryStore(const QString& folder = DefaultFolder(), QObject* parent = nullptr);
    // Writes what was handed over, then removes this program's session unless states remain.
    ~RecoveryStore() override;

    QString Folder() const { return folder_; }
    QString SessionFolder() const;

    // A number for a new document of this program.
    int AddDocument();
    // Hands over a document's state; the worker writes the newest one handed over.
    void Submit(int document, RecoveryState state);
    // Deletes a document's state once what is being written now is done.
    void Remove(int document);
    // Returns once everything handed over so far is written or removed.
    void WaitUntilIdle();
    // Whether the newest state handed over for document is on disk (after WaitUntilIdle).
    bool IsWritten(int document) const;

    // The states of programs no longer running, newest change first, read afresh on each call.
    // Their sessions stay locked by this program until Release, so that a second program started
    // meanwhile does not offer them too.
    std::vector<RecoverableSite> FindRecoverable();
    // Once document, handed over with a recovered site's state, is written into this session,
    // deletes the site's old state. The reason when it could not be written: the old one stays.
    std::optional<QString> Adopt(const RecoverableSite& site, int document);
    // Deletes every state of that document in its session.
    void Discard(const RecoverableSite& site);
    // Lets go of the sessions FindRecoverable locked; those left without states are deleted,
    // the others are offered again at the next start.
    void Release();

signals:
    // A state could not be written: said once until a write succeeds again (writesResumed).
    // Emitted from the worker thread; the document in memory is never touched.
    void writeFailed(const QString& reason);
    void writesResumed();

private:
    class Worker;

    QString folder_;
    std::unique_ptr<Worker> worker_;
    std::map<QString, std::unique_ptr<QLockFile>> probed_;
    int lastDocument_ = 0;
};

}  // namespace plantrek
