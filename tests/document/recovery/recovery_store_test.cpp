// The recovery store against what a crash leaves: torn and corrupt files, locks of live and of
// dead programs, a full disk and a folder that cannot be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include "document/recovery/recovery_store.h"
#include "model/site.h"
#include "support/file_size_limit.h"

namespace plantrek::test {
namespace {

std::shared_ptr<const Site> SiteWith(int rooms) {
    auto site = std::make_shared<Site>();
    for (int i = 0; i < rooms; ++i) {
        Room* room = site->AddRoom(QStringLiteral("Room %1").arg(i + 1), 0);
        for (int wall = 0; wall < 4; ++wall) {
            room->AddWall(3.0 + i, 90.0 * wall);
        }
    }
    return site;
}

RecoveryState StateWith(int rooms) {
    return {SiteWith(rooms), QStringLiteral("/no such/a b%\n.tcd"), QStringLiteral("a b%\n.tcd"),
            QDateTime::currentDateTimeUtc()};
}

// Hands the store a state of the site and waits until it is written or has failed.
void Keep(RecoveryStore& store, int doc, int rooms) {
    store.Submit(doc, StateWith(rooms));
    store.WaitUntilIdle();
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    QString Folder() const { return dir_.path() + QStringLiteral("/state"); }

    // What a program starting now would offer; the sessions are let go again.
    static std::vector<RecoverableSite> Offered(RecoveryStore& store) {
        auto found = store.FindRecoverable();
        store.Release();
        return found;
    }

    // Collects the reasons the store reports for writes that failed.
    static void CollectFailures(RecoveryStore& store, QStringList& failures) {
        QObject::connect(
            &store, &RecoveryStore::writeFailed, &store,
            [&failures](const QString& reason) { failures.append(reason); }, Qt::DirectConnection);
    }

    QTemporaryDir dir_;
};

TEST_F(RecoveryStoreTest, OffersTheNewestGenerationWhoseFilesHoldAndNeverATornOne) {
    QString session;
    QByteArray first[2];
    const char* extensions[2] = {"tcd", "recovery"};
    {
        RecoveryStore program(Folder());
        const int doc = program.AddDocument();
        session = program.SessionFolder();
        Keep(program, doc, 1);
        for (int i = 0; i < 2; ++i) {
            first[i] = Read(session + QStringLiteral("/site1-1.") + extensions[i]);
        }
        Keep(program, doc, 2);
        EXPECT_FALSE(QFile::exists(session + QStringLiteral("/site1-1.tcd")));
    }  // a program that ends with a state left behind has it offered at the next start
    RecoveryStore next(Folder());
    auto found = next.FindRecoverable();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].rooms, 2);
    EXPECT_EQ(found[0].path, QStringLiteral("/no such/a b%\n.tcd"));
    EXPECT_EQ(found[0].title, QStringLiteral("a b%\n.tcd"));
    EXPECT_FALSE(found[0].savedFileNewer);

    // A crash before the older generation was deleted: it is the fallback for a damaged newer one.
    for (int i = 0; i < 2; ++i) {
        Write(session + QStringLiteral("/site1-1.") + extensions[i], first[i]);
    }
    for (const char* extension : extensions) {
        const QString path = session + QStringLiteral("/site1-2.") + extension;
        const QByteArray whole = Read(path);
        for (qsizetype length = 0; length < whole.size(); ++length) {
            Write(path, whole.left(length));
            found = next.FindRecoverable();
            ASSERT_EQ(found.size(), 1u) << extension << " cut at " << length;
            ASSERT_EQ(found[0].rooms, 1) << extension << " cut at " << length;
        }
        QByteArray flipped = whole;
        flipped[whole.size() / 2] = static_cast<char>(flipped[whole.size() / 2] ^ 0x04);
        Write(path, flipped);
        found = next.FindRecoverable();
        ASSERT_EQ(found.size(), 1u) << extension;
        EXPECT_EQ(found[0].rooms, 1) << extension << " with a wrong checksum";
        Write(path, whole);
    }
    // Without a sound generation nothing is offered.
    QFile::remove(session + QStringLiteral("/site1-1.tcd"));
    Write(session + QStringLiteral("/site1-2.tcd"),
          Read(session + QStringLiteral("/site1-2.tcd")).chopped(2));
    EXPECT_TRUE(Offered(next).empty());
}

TEST_F(RecoveryStoreTest, ALiveProgramsStatesAreNotOfferedAndADeadOnesAre) {
    RecoveryStore live(Folder());
    Keep(live, live.AddDocument(), 1);
    RecoveryStore second(Folder());
    EXPECT_TRUE(Offered(second).empty());

    // The same states under the lock of a program that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString crashed = Folder() + QStringLiteral("/sessions/crashed");
    ASSERT_TRUE(QDir().mkpath(crashed));
    for (const char* name : {"site1-1.tcd", "site1-1.recovery"}) {
        ASSERT_TRUE(QFile::copy(live.SessionFolder() + '/' + name, crashed + '/' + name));
    }
    QByteArray lock = Read(live.SessionFolder() + QStringLiteral("/lock"));
    lock = QByteArray::number(deadPid) + lock.mid(lock.indexOf('\n'));
    Write(crashed + QStringLiteral("/lock"), lock);

    const auto found = Offered(second);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].session, crashed);
    EXPECT_TRUE(Offered(second).size() == 1u) << "offered again until the user decides";
    second.Discard(found[0]);
    EXPECT_TRUE(Offered(second).empty());
    EXPECT_FALSE(QDir(crashed).exists()) << "a session left empty is deleted";
}

TEST_F(RecoveryStoreTest, AFullDiskIsReportedOnceAndTheLastGoodStateStays) {
    RecoveryStore store(Folder());
    QStringList failures;
    int resumed = 0;
    CollectFailures(store, failures);
    QObject::connect(
        &store, &RecoveryStore::writesResumed, &store, [&] { ++resumed; }, Qt::DirectConnection);
    const int doc = store.AddDocument();
    Keep(store, doc, 1);
    const QByteArray good = Read(store.SessionFolder() + QStringLiteral("/site1-1.tcd"));
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.Active());
        Keep(store, doc, 20);
        Keep(store, doc, 21);
        EXPECT_FALSE(store.IsWritten(doc));
    }
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0], QStringLiteral("File too large"));
    EXPECT_EQ(Read(store.SessionFolder() + QStringLiteral("/site1-1.tcd")), good);
    EXPECT_EQ(QDir(store.SessionFolder()).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "nothing but the lock and the last good state";

    Keep(store, doc, 2);
    EXPECT_TRUE(store.IsWritten(doc));
    EXPECT_EQ(resumed, 1);
    store.Remove(doc);
    store.WaitUntilIdle();
    EXPECT_EQ(QDir(store.SessionFolder()).entryList(QDir::Files).size(), 1) << "the lock alone";
}

}  // namespace
}  // namespace plantrek::test
