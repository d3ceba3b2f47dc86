// The hand-over between a second start and the running program, both in this process: the
// running program on the test's thread, a second start on a thread of its own as a second
// process would be, and raw sockets for what no start of ours would send.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "app/single_instance.h"
#include "support/wait_until.h"

namespace plantrek {
namespace {

using Role = SingleInstance::Role;
using test::WaitUntil;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Name() const { return dir_.filePath(QStringLiteral("hand-over")); }

    // The running program, remembering every list handed to it.
    Role StartRunning(int lockWait = 10000) {
        running_ = std::make_unique<SingleInstance>(Name());
        running_->SetLockWait(lockWait);
        QObject::connect(running_.get(), &SingleInstance::filesReceived,
                         [this](const QStringList& files) { received_.push_back(files); });
        return running_->Start({});
    }

    // A second start, answered by the running program on this thread meanwhile.
    Role SecondStart(const QStringList& files, int lockWait = 10000) {
        std::atomic<bool> done = false;
        Role role = Role::Failed;
        std::thread second([&] {
            SingleInstance start(Name());
            start.SetLockWait(lockWait);
            role = start.Start(files);
            done = true;
        });
        WaitUntil([&] { return done.load(); }, 60000);
        second.join();
        return role;
    }

    QTemporaryDir dir_;
    std::unique_ptr<SingleInstance> running_;
    std::vector<QStringList> received_;
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsFilesOver) {
    ASSERT_EQ(StartRunning(), Role::Primary);
    // Relative names are opened from the second start's folder; a name may hold a line break.
    const QStringList files{QStringLiteral("plan a.tcd"), QStringLiteral("/tmp/Zürich\nnord.tcd")};
    EXPECT_EQ(SecondStart(files), Role::HandedOver);
    EXPECT_EQ(SecondStart({}), Role::HandedOver);
    ASSERT_EQ(received_.size(), 2u);
    EXPECT_EQ(received_[0], (QStringList{QFileInfo(files[0]).absoluteFilePath(), files[1]}));
    EXPECT_EQ(received_[1], QStringList{}) << "a start without files asks for a new document";
}

// A socket may deliver a request in any pieces: mid-name, mid-escape, the ending empty line
// alone.
TEST_F(SingleInstanceTest, ARequestArrivingInPiecesIsTakenWhole) {
    ASSERT_EQ(StartRunning(), Role::Primary);
    QLocalSocket socket;
    socket.connectToServer(Name());
    ASSERT_TRUE(socket.waitForConnected(10000));
    for (const char* piece : {"/site/a%2", "0b.tcd\n/site/c", ".tcd\n"}) {
        socket.write(piece);
        ASSERT_TRUE(socket.waitForBytesWritten(10000));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_TRUE(received_.empty()) << "nothing before the empty line";
    }
    socket.write("\n");
    ASSERT_TRUE(WaitUntil([&] { return socket.bytesAvailable() >= 3; }, 60000));
    EXPECT_EQ(socket.readAll(), QByteArray("ok\n"));
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0],
              (QStringList{QStringLiteral("/site/a b.tcd"), QStringLiteral("/site/c.tcd")}));
}

// What a start may send is bounded: 85 of the longest paths the system allows (4095 bytes,
// each byte percent-encoded as three) pass; more than 1 MiB is refused while it still arrives.
TEST_F(SingleInstanceTest, RequestsUpToOneMebibyteAreTakenLargerOnesRefused) {
    ASSERT_EQ(StartRunning(), Role::Primary);
    const QString longest = QStringLiteral("/") + QString(2047, QChar(0xE9));  // é: two bytes
    ASSERT_EQ(longest.toUtf8().size(), 4095);
    const QStringList many(85, longest);
    EXPECT_EQ(SecondStart(many), Role::HandedOver);
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0], many);
    received_.clear();

    // A complete request of 16 MiB.
    const QByteArray huge = ('/' + QByteArray(1023, 'a') + '\n').repeated(16 << 10) + '\n';
    QLocalSocket socket;
    qint64 sent = 0;
    QObject::connect(&socket, &QLocalSocket::bytesWritten, [&](qint64 bytes) { sent += bytes; });
    socket.connectToServer(Name());
    ASSERT_TRUE(socket.waitForConnected(10000));
    socket.write(huge);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return socket.state() == QLocalSocket::UnconnectedState || socket.bytesAvailable() > 0;
        },
        60000));
    EXPECT_EQ(socket.readAll(), QByteArray()) << "no answer";
    EXPECT_TRUE(received_.empty());
    // Dropped once past the limit, not after reading all of it.
    EXPECT_LT(sent, 4 << 20);

    // The running program goes on taking files.
    EXPECT_EQ(SecondStart({QStringLiteral("/site/after.tcd")}), Role::HandedOver);
    ASSERT_EQ(received_.size(), 1u);
}

// A program that crashed leaves its socket file behind; the next start must listen in its place.
TEST_F(SingleInstanceTest, AStaleSocketOfADeadProgramIsReplaced) {
    const QByteArray path = Name().toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), qsizetype(sizeof address.sun_path));
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);  // bound, never listening, and the file stays
    ASSERT_TRUE(QFileInfo::exists(Name()));

    EXPECT_EQ(StartRunning(), Role::Primary);
    EXPECT_EQ(SecondStart({QStringLiteral("/site/a.tcd")}), Role::HandedOver);
    EXPECT_EQ(received_.size(), 1u);
}

// A lock that another start keeps (one hung while looking) delays a start but stops none: the
// first goes on to run, later ones still hand their files over.
TEST_F(SingleInstanceTest, ALockThatCannotBeTakenStopsNoStart) {
    QLockFile held(Name() + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    QLockFile other(Name() + QStringLiteral(".lock"));
    ASSERT_FALSE(other.tryLock(0)) << "the lock must be out of reach";

    EXPECT_EQ(StartRunning(100), Role::Primary);
    EXPECT_EQ(SecondStart({QStringLiteral("/site/a.tcd")}, 100), Role::HandedOver);
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0], QStringList{QStringLiteral("/site/a.tcd")});
}

}  // namespace
}  // namespace plantrek
