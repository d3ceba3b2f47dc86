#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// The program's own asynchronous serial port. One worker thread per open port does every read,
// write and wait on the device; other threads only ask for work (start a read, start a write,
// stop), and everything that happens on the line is reported through one notify function that
// runs on the worker thread.
//
// Work requests and completions are seven flags, handled lowest index first, so a stop request
// always wins over work that was asked for at the same time.
namespace plantrek {

// What the notify function is told.
enum SerialNotice : int {
    kSerialWorkerStarted = 0,
    kSerialWorkerEnded = 1,  // the device has been closed
    kSerialWriteDone = 2,
    kSerialDataRead = 3,  // receivedBytes() holds receivedCount() bytes
    kSerialRingOn = 4,
    kSerialCarrierOn = 5,
    kSerialCarrierOff = 6,
};

// Failure codes of open; when several checks fail, the last one in this order is returned.
enum SerialOpenFailure : int {
    kSerialOpenOk = 0,
    kSerialLineEventsRefused = 1,
    kSerialTimeoutsRefused = 2,
    kSerialLineSettingsRefused = 4,
    kSerialDeviceNotOpened = 8,
    kSerialEmptyName = 16,
    kSerialEventsInvalid = 32,
};

enum SerialParity : quint32 {
    kSerialParityNone = 0,
    kSerialParityOdd = 1,
    kSerialParityEven = 2,
};

class SerialPort {
public:
    using NotifyFunction = void (*)(SerialPort* port, int notice);

    static constexpr int kBufferSize = 256;
    // How long stop (and destruction) waits for the worker to end.
    static constexpr int kStopWaitMs = 2000;

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Set before open: the worker calls notify from its first moment on.
    void setNotify(NotifyFunction notify) { notify_ = notify; }
    // Lets the notify function find the object it works for.
    void setOwner(void* owner) { owner_ = owner; }
    void* owner() const { return owner_; }

    // Bytes each read asks for, 1 to 256. Takes effect with the next read the worker starts, so
    // a size meant for the very first read is set before open.
    void setReadBlockSize(int size);
    int readBlockSize() const { return readBlockSize_.load(); }

    // name: a device path, or "\\.\COM<n>", which is looked up with SerialDevicePathForComPort.
    // Returns 0 and starts the worker, or one of the failure codes.
    int open(const QString& name, quint32 baudRate, quint32 parity, int dataBits, bool monitorLine);

    // Queues length bytes for the worker to write. Refused (false) while a write is still
    // pending, for an empty buffer and for 256 bytes or more; there is no queue.
    bool write(const char* bytes, int length);
    // Asks the worker to start the next read.
    void requestRead();

    // The bytes of the read that has just completed; only valid while notice 3 is handled.
    const char* receivedBytes() const { return readBuffer_; }
    int receivedCount() const { return static_cast<int>(bytesRead_); }

    // Asks the worker to end and waits at most kStopWaitMs for it. Called on the worker thread
    // itself (from the notify function) it only asks.
    void stop();

    // True while the worker thread is in its loop.
    bool isRunning() const { return running_.load(); }
    bool monitorsLine() const { return monitorLine_; }
    quint32 baudRate() const { return baudRate_; }
    quint32 parity() const { return parity_; }

private:
    enum Event : int {
        kStopEvent = 0,
        kReadCompleteEvent = 1,
        kStartReadEvent = 2,
        kWriteCompleteEvent = 3,
        kStartWriteEvent = 4,
        kLineCompleteEvent = 5,
        kStartLineWaitEvent = 6,
        kEventCount = 7,
    };

    // The device and the worker's waiting machinery; defined by the platform's source file.
    struct Platform;

    static Platform* CreatePlatform();
    static void DestroyPlatform(Platform* platform);
    struct PlatformDeleter {
        void operator()(Platform* platform) const { DestroyPlatform(platform); }
    };

    void signal(Event event);
    bool eventsValid() const;
    int openDevice(const QString& path, int dataBits);
    void closeDevice();
    void workerMain();
    void notify(int notice);
    bool waitForWorker(int timeoutMs);
    void joinWorker();
    bool onWorkerThread() const;

    std::unique_ptr<Platform, PlatformDeleter> platform_;

    std::atomic<bool> running_{false};
    bool monitorLine_ = false;
    quint32 baudRate_ = 0;
    quint32 parity_ = kSerialParityNone;

    // The seven events as bits; set by any thread, taken by the worker.
    std::atomic<quint32> work_{0};

    std::atomic<bool> writePending_{false};
    bool readPending_ = false;  // worker only
    bool linePending_ = false;  // worker only

    char readBuffer_[kBufferSize] = {};
    std::atomic<int> readBlockSize_{1};
    quint32 bytesRead_ = 0;
    char writeBuffer_[kBufferSize] = {};
    quint32 writeLength_ = 0;
    quint32 lineEventMask_ = 0;

    NotifyFunction notify_ = nullptr;
    void* owner_ = nullptr;

    std::thread worker_;
    std::atomic<std::thread::id> workerId_{};
    std::mutex endedMutex_;
    std::condition_variable endedChanged_;
    bool workerEnded_ = true;
};

}  // namespace plantrek
