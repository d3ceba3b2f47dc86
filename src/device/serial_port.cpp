#include "device/serial_port.h"

#include <algorithm>
#include <chrono>
#include <cstring>

// The platform-neutral half of the port: the requests other threads make, and the worker's
// start and end. Opening the device and the worker's loop live in the platform's own file.
namespace plantrek {

SerialPort::SerialPort() : platform_(CreatePlatform()) {}

SerialPort::~SerialPort() {
    if (worker_.joinable()) {
        if (onWorkerThread()) {
            // Destroyed from its own notify function: the thread cannot wait for itself.
            worker_.detach();
        } else {
            // The worker uses this object to its last instruction, so it is always waited for;
            // tearing down around a live worker would crash it.
            running_.store(false);
            signal(kStopEvent);
            joinWorker();
        }
    }
    closeDevice();
}

void SerialPort::setReadBlockSize(int size) {
    readBlockSize_.store(std::clamp(size, 1, kBufferSize));
}

int SerialPort::open(const QString& name, quint32 baudRate, quint32 parity, int dataBits,
                     bool monitorLine) {
    if (worker_.joinable()) {
        // Opened once in normal use; a second open must not leave the first worker behind.
        stop();
        joinWorker();
    }
    closeDevice();

    int code = kSerialOpenOk;
    if (name.isEmpty()) {
        code = kSerialEmptyName;
    } else {
        baudRate_ = baudRate;
        parity_ = parity;
        monitorLine_ = monitorLine;
        code = openDevice(name, dataBits);
    }
    if (!eventsValid()) {
        code = kSerialEventsInvalid;
    }
    if (code != kSerialOpenOk) {
        closeDevice();
        return code;
    }

    // Cleared here rather than by the worker, so that a write issued right after open is not
    // forgotten by a worker that starts late.
    work_.store(0);
    writePending_.store(false);
    readPending_ = false;
    linePending_ = false;
    bytesRead_ = 0;
    running_.store(true);
    {
        std::lock_guard lock(endedMutex_);
        workerEnded_ = false;
    }
    worker_ = std::thread(&SerialPort::workerMain, this);
    return kSerialOpenOk;
}

bool SerialPort::write(const char* bytes, int length) {
    if (bytes == nullptr || length <= 0 || length >= kBufferSize || !running_.load()) {
        return false;
    }
    bool expected = false;
    if (!writePending_.compare_exchange_strong(expected, true)) {
        return false;
    }
    std::memcpy(writeBuffer_, bytes, static_cast<size_t>(length));
    writeLength_ = static_cast<quint32>(length);
    signal(kStartWriteEvent);
    return true;
}

void SerialPort::requestRead() {
    signal(kStartReadEvent);
}

void SerialPort::stop() {
    running_.store(false);
    signal(kStopEvent);
    if (onWorkerThread()) {
        return;
    }
    if (waitForWorker(kStopWaitMs)) {
        joinWorker();
    }
}

void SerialPort::notify(int notice) {
    if (notify_ != nullptr) {
        notify_(this, notice);
    }
}

bool SerialPort::waitForWorker(int timeoutMs) {
    std::unique_lock lock(endedMutex_);
    return endedChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [this] { return workerEnded_; });
}

void SerialPort::joinWorker() {
    if (worker_.joinable() && !onWorkerThread()) {
        worker_.join();
    }
}

bool SerialPort::onWorkerThread() const {
    return workerId_.load() == std::this_thread::get_id();
}

}  // namespace plantrek
