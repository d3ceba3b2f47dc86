#include "app/single_instance.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace plantrek {

namespace {

// The request is the paths, one percent-encoded line each (a file name may hold a line
// break), ended by an empty line; the answer "ok" tells
// the new start that its files are taken, so it can end without losing them.
constexpr char kAnswer[] = "ok\n";
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 10000;
constexpr int kLockMs = 10000;
// A request is the files of one start: 1 MiB holds 85 of the longest paths the system allows
// (4096 bytes, each percent-encoded as three) and thousands of usual ones. Anything larger is
// not ours and is dropped.
constexpr qint64 kMaxRequest = 1 << 20;

QString UserPart() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME", QStringLiteral("user"));
#endif
}

QString DisplayPart() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
    }
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return display;
}

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)), lockWaitMs_(kLockMs) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    QString base = QStringLiteral("plantrek-") + UserPart();
    if (const QString display = DisplayPart(); !display.isEmpty()) {
        base += QLatin1Char('-') + display;
    }
    // Read directly: asking QStandardPaths makes up a folder, and warns, when there is none.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return QDir(runtime).filePath(base);
    }
    return base;
}

SingleInstance::Role SingleInstance::Start(const QStringList& files) {
    // Two starts at once (several files opened together from a file manager) must not both
    // find nobody and both listen: the lock makes the look-and-claim one step.
    const QString socketPath =
        QDir::isAbsolutePath(name_) ? name_ : QDir(QDir::tempPath()).filePath(name_);
    QLockFile lock(socketPath + QStringLiteral(".lock"));
    lock.tryLock(lockWaitMs_);

    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(kConnectMs)) {
        QByteArray request;
        for (const QString& file : files) {
            request += QUrl::toPercentEncoding(QFileInfo(file).absoluteFilePath(), "/") + '\n';
        }
        request += '\n';
        socket.write(request);
        socket.flush();
        QByteArray answer;
        while (!answer.endsWith('\n') && socket.waitForReadyRead(kAnswerMs)) {
            answer += socket.readAll();
        }
        socket.disconnectFromServer();
        return answer == kAnswer ? Role::HandedOver : Role::Failed;
    }

    // Nobody answered: a socket left by a program that crashed is removed before listening.
    QLocalServer::removeServer(name_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::Accept);
    // A program that cannot listen still works; later starts then open programs of their own.
    server_->listen(name_);
    return Role::Primary;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        Read(socket);
    }
}

void SingleInstance::Read(QLocalSocket* socket) {
    // The request so far lives on the socket until its empty line arrives; no more than one
    // byte past the limit is ever taken in.
    QByteArray request = socket->property("request").toByteArray();
    request += socket->read(kMaxRequest + 1 - request.size());
    if (request.size() > kMaxRequest) {
        socket->abort();
        return;
    }
    socket->setProperty("request", request);
    if (!request.endsWith("\n\n") && request != "\n") {
        return;
    }
    socket->setProperty("request", QByteArray());
    QStringList files;
    for (const QByteArray& line : request.split('\n')) {
        if (!line.isEmpty()) {
            files.append(QUrl::fromPercentEncoding(line));
        }
    }
    socket->write(kAnswer);
    socket->flush();
    emit filesReceived(files);
}

}  // namespace plantrek
