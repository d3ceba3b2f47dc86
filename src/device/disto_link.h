#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// The lasting connection to a Disto meter: finds the meter on a range of COM ports, keeps its
// port open, splits the meter's lines into words and reports measurements and the enter and
// undo keys as signals.
//
// Words are parsed on the port's worker thread; the signals are always emitted on the thread the
// link lives in (the user interface thread), each carrying its own copy of the data, so
// receivers never see the worker thread.
namespace plantrek {

class SerialPort;

// The meter's messages to the main frame by number, for code that dispatches on them.
inline constexpr int WM_DISTO_MEASUREMENT = 0x8001;
inline constexpr int WM_DISTO_ENTER = 0x8002;
inline constexpr int WM_DISTO_UNDO = 0x8003;

// Texts of the search.
inline const QString kSearchingCaption = QStringLiteral("Searching");
inline const QString kSearchingText = QStringLiteral("Searching for Disto");
inline constexpr const char* kSearchingPortFormat = "Currently searching for a Disto on COM%d.";
inline const QString kNoDistoMessage = QStringLiteral(
    "There does not seem to be a Disto device available.\nMake sure the Disto is on and is "
    "using a port in the range COM1 to COM20.");

// A distance followed by a direction key.
struct DistoMeasurement {
    int unitCode = 0;  // 0 to 9; 7 has no unit
    QString digits;    // eight decimal digits
    int keyCode = 0;
};

class DistoLink : public QObject {
    Q_OBJECT

public:
    // Receives "Searching for Disto" once, then the text for each port as it is tried.
    using SearchProgress = std::function<void(const QString& text)>;

    static constexpr int kFirstComPort = 1;
    static constexpr int kLastComPort = 20;
    // The meter's line buffer: a line this long or longer cannot be a line of the meter's.
    static constexpr int kLineBufferSize = 100;
    // Pause after opening, and between the key set-up commands.
    static constexpr int kConnectSettleMs = 1000;
    static constexpr int kCommandSpacingMs = 100;

    explicit DistoLink(QObject* parent = nullptr);
    // Stops and closes the port.
    ~DistoLink() override;

    // Tries COM first to last in turn and remembers the first port where a meter answers.
    // Returns its number, or -1. A link with an open port returns its port at once. cancel,
    // when given, is looked at before each port. Blocks the calling thread.
    int search(int first, int last, const SearchProgress& progress = {},
               const std::atomic<bool>* cancel = nullptr);
    // Opens the port found by search (or set with setDevice). True when the link has a port.
    // (This hides QObject::connect inside the class; wire signals with QObject::connect.)
    bool connect();
    // Stops and closes the port; the meter found stays remembered.
    void closePort();

    // Uses a meter known from elsewhere instead of searching for it. Ignored while connected.
    void setDevice(int comPort, int typeNumber);

    bool hasPort() const { return port_ != nullptr; }
    // The port is open and its worker still runs.
    bool isConnected() const;
    int comPort() const { return comPort_; }
    int typeNumber() const { return typeNumber_; }
    int modelClass() const { return modelClass_; }

    // Bytes from the meter, in arrival order (on the worker thread while connected).
    virtual void dataReceived(const char* bytes, int count);

Q_SIGNALS:
    void measurement(int unitCode, const QString& digits, int keyCode);
    void enterPressed();
    void undoPressed();
    // The port's worker ended without being asked to: the meter went away.
    void connectionLost();
    // Bytes arrived from the meter (at most one of these waits at a time).
    void activity();

protected:
    // Port events on the worker thread; they do nothing here.
    virtual void portStarted() {}
    virtual void portStopped() {}
    virtual void writeDone() {}

private:
    static void Dispatch(SerialPort* port, int notice);
    void parseLines();
    void handleWord(const char* body, int length, bool endsLine);
    void acknowledge();
    void sendOwedAcknowledgement();
    void sendCommand(const char* command);

    std::unique_ptr<SerialPort> port_;
    // The same port as the worker sees it: it stays set until the worker has ended.
    SerialPort* workerPort_ = nullptr;
    int comPort_ = -1;

    // Worker-thread state while connected.
    char lineBuffer_[kLineBufferSize] = {};
    int lineCount_ = 0;
    bool discardingLine_ = false;
    DistoMeasurement measurement_;
    bool pendingDistance_ = false;
    int owedAcknowledgements_ = 0;

    int typeNumber_ = 0;
    int modelClass_ = 2;

    std::atomic<bool> closing_{false};
    std::atomic<bool> activityPosted_{false};
};

}  // namespace plantrek
