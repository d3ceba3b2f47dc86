#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;

// One program per user and display: a second start hands its files to the running program over
// a local socket and ends, as users of document programs expect from opening a file in the file
// manager while the program is open.
namespace plantrek {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,    // no program was running: this one listens and goes on to start
        HandedOver, // the running program took the files: this one ends with status 0
        Failed,     // the running program did not answer: this one ends with status 1
    };

    // The name defaults to ServerName(); tests pass their own.
    explicit SingleInstance(QString name = ServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands the files (made absolute against the current folder) to a running program, or
    // claims the name for this one. An empty list asks the running program for a new document.
    Role Start(const QStringList& files);

    // How long Start waits for another start that is looking at the same moment before it
    // goes ahead regardless; tests shorten it.
    void SetLockWait(int milliseconds) { lockWaitMs_ = milliseconds; }

    // The socket name: the user's private runtime folder when there is one (else the temporary
    // folder with the user's id in the name), and the display, so two sessions keep apart.
    static QString ServerName();

signals:
    // Another start handed these absolute paths over (empty: it asked for a new document).
    void filesReceived(const QStringList& files);

private:
    void Accept();
    void Read(QLocalSocket* socket);

    QString name_;
    int lockWaitMs_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace plantrek
