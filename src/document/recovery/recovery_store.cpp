#include "document/recovery/recovery_store.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "document/files/durable_file.h"
#include "document/files/site_file.h"
#include "document/files/site_file_writer.h"
#include "document/files/system_error_text.h"
#include "document/recovery/recovery_record.h"
#include "model/site.h"

namespace plantrek {

namespace {

// A state that could not be written is tried again after this long, even without a new change.
constexpr auto kRetryDelay = std::chrono::seconds(2);
// How long a change waits before the worker takes it up: the window paints the change first,
// and a burst of changes (Undo held down) is written once. Well inside the second allowed.
constexpr auto kSettleDelay = std::chrono::milliseconds(100);

QString StateFile(int document, int generation, const char* extension) {
    return QStringLiteral("site%1-%2.%3")
        .arg(document)
        .arg(generation)
        .arg(QLatin1String(extension));
}

QString SessionsFolder(const QString& folder) {
    return folder + QStringLiteral("/sessions");
}

QString NewSessionName() {
    return QStringLiteral("%1-%2-%3")
        .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss")))
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate() & 0xffff, 4, 16, QLatin1Char('0'));
}

// The generations of every document with a record in the folder.
std::map<int, std::vector<int>> RecordsIn(const QString& session) {
    static const QRegularExpression name(QStringLiteral("^site(\\d+)-(\\d+)\\.recovery$"));
    std::map<int, std::vector<int>> found;
    for (const QString& file :
         QDir(session).entryList({QStringLiteral("site*.recovery")}, QDir::Files)) {
        const auto match = name.match(file);
        if (match.hasMatch()) {
            found[match.captured(1).toInt()].push_back(match.captured(2).toInt());
        }
    }
    for (auto& [document, generations] : found) {
        std::sort(generations.rbegin(), generations.rend());
    }
    return found;
}

// Deletes a document's states, records first: a state without its record is never offered.
void DeleteStates(const QString& session, int document) {
    const QDir folder(session);
    const QString prefix = QStringLiteral("site%1-").arg(document);
    for (const char* pattern : {"%1*.recovery", "%1*.tcd", ".%1*"}) {
        for (const QString& file : folder.entryList({QString::fromLatin1(pattern).arg(prefix)},
                                                    QDir::Files | QDir::Hidden)) {
            QFile::remove(folder.filePath(file));
        }
    }
}

bool HasStates(const QString& session) {
    return !QDir(session).entryList({QStringLiteral("*.tcd")}, QDir::Files).isEmpty();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The state of one generation, when its record reads, both checksums hold and the site loads.
std::optional<RecoverableSite> ReadState(const QString& session, int document, int generation) {
    const QDir folder(session);
    const auto record =
        ReadRecoveryRecord(ReadAll(folder.filePath(StateFile(document, generation, "recovery"))));
    if (!record || record->generation != generation) {
        return std::nullopt;
    }
    RecoverableSite state;
    state.statePath = folder.filePath(StateFile(document, generation, "tcd"));
    QByteArray bytes = ReadAll(state.statePath);
    if (Sha256(bytes) != record->stateSha256) {
        return std::nullopt;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    auto site = std::make_shared<Site>();
    if (!LoadSiteFile(buffer, *site).ok) {
        return std::nullopt;
    }
    state.session = session;
    state.document = document;
    state.generation = generation;
    state.path = record->path;
    state.title = record->title;
    state.changed = record->changed;
    state.rooms = site->RoomCount();
    state.site = std::move(site);
    const QFileInfo saved(state.path);
    state.savedFileNewer =
        !state.path.isEmpty() && saved.exists() && saved.lastModified() > state.changed;
    return state;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The worker: the one thread that writes this program's session.

class RecoveryStore::Worker {
public:
    Worker(RecoveryStore& store, QString session) : store_(store), session_(std::move(session)) {
        // Taken at once, so that no other program takes this session for a crashed one.
        EnsureSession();
        thread_ = std::thread([this] { Run(); });
    }

    // Writes what is waiting, then ends the thread.
    ~Worker() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
        if (lock_ != nullptr && lock_->isLocked()) {
            lock_->unlock();
            if (!HasStates(session_)) {
                QDir(session_).removeRecursively();
            }
        }
    }

    const QString& Session() const { return session_; }

    void Submit(int document, std::optional<RecoveryState> state) {
        {
            const std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                firstPending_ = std::chrono::steady_clock::now();
            }
            pending_[document] = std::move(state);
            retry_.erase(document);
        }
        wake_.notify_all();
    }

    // Writes what waits at once, without the settling delay.
    void WaitUntilIdle() {
        std::unique_lock lock(mutex_);
        ++flushes_;
        wake_.notify_all();
        idle_.wait(lock, [this] { return pending_.empty() && !busy_; });
        --flushes_;
    }

    bool IsWritten(int document) const {
        const std::lock_guard lock(mutex_);
        return onDisk_.count(document) != 0 && pending_.count(document) == 0 &&
               retry_.count(document) == 0;
    }

    QString LastFailure() const {
        const std::lock_guard lock(mutex_);
        return lastFailure_;
    }

private:
    // What has been written for a document; the worker's own.
    struct Written {
        int nextGeneration = 1;
        std::vector<int> generations;
        std::shared_ptr<const Site> site;
        QString path;
        QString title;
    };

    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (pending_.empty()) {
                if (stop_) {
                    return;
                }
                const auto ready = [this] { return stop_ || !pending_.empty(); };
                if (retry_.empty()) {
                    wake_.wait(lock, ready);
                } else if (!wake_.wait_for(lock, kRetryDelay, ready)) {
                    pending_.merge(retry_);
                    retry_.clear();
                    firstPending_ = std::chrono::steady_clock::now() - kSettleDelay;
                }
                continue;
            }
            const auto due = firstPending_ + kSettleDelay;
            if (!stop_ && flushes_ == 0 && std::chrono::steady_clock::now() < due) {
                wake_.wait_until(lock, due, [this] { return stop_ || flushes_ > 0; });
                continue;
            }
            auto job = pending_.extract(pending_.begin());
            busy_ = true;
            lock.unlock();
            bool wrote = false;
            const std::optional<QString> failure = Process(job.key(), job.mapped(), &wrote);
            lock.lock();
            busy_ = false;
            if (failure && pending_.count(job.key()) == 0) {
                retry_[job.key()] = std::move(job.mapped());
            } else if (!failure && job.mapped().has_value()) {
                onDisk_.insert(job.key());
            } else if (!failure) {
                onDisk_.erase(job.key());
            }
            // Only a write tells whether writing works again: a deletion or a state already on
            // disk says nothing about the disk's room.
            if (failure || wrote) {
                Report(failure, lock);
            }
            if (pending_.empty()) {
                idle_.notify_all();
            }
        }
    }

    // Said once when writing starts to fail, and once when it works again.
    void Report(const std::optional<QString>& failure, std::unique_lock<std::mutex>& lock) {
        if (failure.has_value() == failing_) {
            return;
        }
        failing_ = failure.has_value();
        lastFailure_ = failure.value_or(QString());
        lock.unlock();
        if (failure) {
            emit store_.writeFailed(*failure);
        } else {
            emit store_.writesResumed();
        }
        lock.lock();
    }

    std::optional<QString> EnsureSession() {
        if (lock_ != nullptr && lock_->isLocked() && QFileInfo::exists(lock_->fileName())) {
            return std::nullopt;
        }
        errno = 0;
        if (!QDir().mkpath(session_)) {
            const int code = errno;
            return QStringLiteral("The folder \"%1\" could not be made.%2")
                .arg(QDir::toNativeSeparators(session_),
                     code != 0 ? QLatin1Char(' ') + GetSystemErrorText(code) : QString());
        }
        QFile::setPermissions(session_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        lock_ = std::make_unique<QLockFile>(session_ + QStringLiteral("/lock"));
        lock_->setStaleLockTime(0);
        if (!lock_->tryLock(0)) {
            return QStringLiteral("The folder \"%1\" could not be locked.")
                .arg(QDir::toNativeSeparators(session_));
        }
        return std::nullopt;
    }

    std::optional<QString> Process(int document, const std::optional<RecoveryState>& state,
                                   bool* wrote) {
        Written& written = written_[document];
        if (!state) {
            DeleteStates(session_, document);
            written = Written{written.nextGeneration, {}, nullptr, {}, {}};
            return std::nullopt;
        }
        if (!written.generations.empty() && written.site == state->site &&
            written.path == state->path && written.title == state->title) {
            return std::nullopt;  // a change of the selection alone: the file would be the same
        }
        *wrote = true;
        return Write(document, written, *state);
    }

    std::optional<QString> Write(int document, Written& written, const RecoveryState& state) {
        QByteArray bytes;
        int rooms = 0;
        {
            // A snapshot has everything worked out already, so reading it here writes nothing
            // into it while the window thread reads it too.
            const Site& site = *state.site;
            rooms = site.RoomCount();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            CSiteFileWriter writer(
                buffer, state.path.isEmpty() ? state.title : QFileInfo(state.path).fileName());
            site.Traverse(writer);
            if (!writer.Finish()) {
                return writer.ErrorString();
            }
        }
        if (auto failure = EnsureSession()) {
            return failure;
        }
        const int generation = written.nextGeneration++;
        const QDir folder(session_);
        const QString statePath = folder.filePath(StateFile(document, generation, "tcd"));
        if (auto failure = WriteFileDurably(statePath, bytes)) {
            return failure;
        }
        const RecoveryRecord record{generation,    state.path, state.title,
                                    state.changed, rooms,      Sha256(bytes)};
        if (auto failure =
                WriteFileDurably(folder.filePath(StateFile(document, generation, "recovery")),
                                 WriteRecoveryRecord(record))) {
            QFile::remove(statePath);
            return failure;
        }
        for (const int older : written.generations) {
            QFile::remove(folder.filePath(StateFile(document, older, "recovery")));
            QFile::remove(folder.filePath(StateFile(document, older, "tcd")));
        }
        written.generations = {generation};
        written.site = state.site;
        written.path = state.path;
        written.title = state.title;
        return std::nullopt;
    }

    RecoveryStore& store_;
    const QString session_;
    std::unique_ptr<QLockFile> lock_;
    std::map<int, Written> written_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    // Per document the newest state to write, or nothing to delete its states.
    std::map<int, std::optional<RecoveryState>> pending_;
    std::map<int, std::optional<RecoveryState>> retry_;
    std::set<int> onDisk_;  // documents whose newest state written is whole on disk
    std::chrono::steady_clock::time_point firstPending_;
    int flushes_ = 0;
    bool busy_ = false;
    bool stop_ = false;
    bool failing_ = false;
    QString lastFailure_;
    std::thread thread_;
};

// ---------------------------------------------------------------------------------------------

QString RecoveryStore::DefaultFolder() {
    const QString chosen = qEnvironmentVariable("PLANTREK_STATE_DIR");
    if (!chosen.isEmpty()) {
        return chosen;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return base + QStringLiteral("/plantrek");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/Recovery");
#endif
}

RecoveryStore::RecoveryStore(const QString& folder, QObject* parent)
    : QObject(parent),
      folder_(folder),
      worker_(std::make_unique<Worker>(
          *this, SessionsFolder(folder) + QLatin1Char('/') + NewSessionName())) {}

RecoveryStore::~RecoveryStore() {
    Release();
    worker_.reset();
}

QString RecoveryStore::SessionFolder() const {
    return worker_->Session();
}

int RecoveryStore::AddDocument() {
    return ++lastDocument_;
}

void RecoveryStore::Submit(int document, RecoveryState state) {
    if (state.site != nullptr) {
        worker_->Submit(document, std::move(state));
    }
}

void RecoveryStore::Remove(int document) {
    worker_->Submit(document, std::nullopt);
}

void RecoveryStore::WaitUntilIdle() {
    worker_->WaitUntilIdle();
}

bool RecoveryStore::IsWritten(int document) const {
    return worker_->IsWritten(document);
}

std::vector<RecoverableSite> RecoveryStore::FindRecoverable() {
    std::vector<RecoverableSite> found;
    const QDir sessions(SessionsFolder(folder_));
    const QString own = QFileInfo(SessionFolder()).fileName();
    for (const QString& name : sessions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString session = sessions.filePath(name);
        if (name == own) {
            continue;
        }
        if (probed_.count(session) == 0) {
            auto lock = std::make_unique<QLockFile>(session + QStringLiteral("/lock"));
            // Only a lock whose program is gone is stale, however old it is.
            lock->setStaleLockTime(0);
            if (!lock->tryLock(0)) {
                continue;  // a running program's, or one on another computer
            }
            probed_[session] = std::move(lock);
        }
        for (const auto& [document, generations] : RecordsIn(session)) {
            for (const int generation : generations) {
                if (auto state = ReadState(session, document, generation)) {
                    found.push_back(std::move(*state));
                    break;
                }
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const RecoverableSite& a, const RecoverableSite& b) {
        return a.changed > b.changed;
    });
    return found;
}

std::optional<QString> RecoveryStore::Adopt(const RecoverableSite& site, int document) {
    WaitUntilIdle();
    if (!IsWritten(document)) {
        return worker_->LastFailure();
    }
    Discard(site);
    return std::nullopt;
}

void RecoveryStore::Discard(const RecoverableSite& site) {
    DeleteStates(site.session, site.document);
}

void RecoveryStore::Release() {
    for (auto& [session, lock] : probed_) {
        lock->unlock();
        if (!HasStates(session)) {
            QDir(session).removeRecursively();
        }
    }
    probed_.clear();
}

}  // namespace plantrek
