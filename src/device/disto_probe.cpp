#include "device/disto_probe.h"

#include <QThread>

#include <algorithm>
#include <cstring>
#include <limits>

#include "device/disto_protocol.h"
#include "device/serial_port.h"
#include "device/serial_port_names.h"

namespace plantrek {

namespace {

// How long the last command may take to leave before the port is closed under it.
constexpr int kLastCommandWaitMs = 1000;

}  // namespace

DistoProbe::DistoProbe(int comPort) : comPort_(comPort) {}

bool DistoProbe::run() {
    found_.store(false);
    partial_.store(false);
    replyCount_ = 0;
    storedCount_ = 0;
    semaphore_.tryAcquire(semaphore_.available());

    SerialPort port;
    port.setNotify(&DistoProbe::OnPortNotice);
    port.setOwner(this);
    // Set before the port opens so that the worker's first read already waits for a whole
    // reply; set afterwards, it would race the worker's start.
    port.setReadBlockSize(disto::kReplyLength);
    if (port.open(ComPortDeviceName(comPort_), disto::kBaudRate, kSerialParityNone,
                  disto::kDataBits, true) != kSerialOpenOk) {
        return false;
    }

    do {
        partial_.store(false);
        port.setReadBlockSize(disto::kReplyLength);
        QThread::msleep(kSettleMs);
        port.write(disto::kIdentifyCommand, sizeof disto::kIdentifyCommand - 1);
        semaphore_.tryAcquire(1, kReplyWaitMs);
    } while (partial_.load() && !found_.load(std::memory_order_acquire) && port.isRunning());

    if (found_.load(std::memory_order_acquire)) {
        writeDone_.tryAcquire(writeDone_.available());
        if (port.write(disto::kIdentifiedCommand, sizeof disto::kIdentifiedCommand - 1)) {
            // Stopping right away would cancel the command before it is written.
            writeDone_.tryAcquire(1, kLastCommandWaitMs);
        }
    }
    port.stop();
    return found_.load(std::memory_order_acquire);
}

void DistoProbe::OnPortNotice(SerialPort* port, int notice) {
    auto* probe = static_cast<DistoProbe*>(port->owner());
    if (probe == nullptr) {
        return;
    }
    if (notice == kSerialWriteDone) {
        probe->writeDone_.release();
    } else if (notice == kSerialDataRead) {
        probe->takeReply(port->receivedBytes(), port->receivedCount());
        // Keep reading: the rest of a reply that began in this read comes in the next.
        port->requestRead();
    }
}

void DistoProbe::takeReply(const char* bytes, int count) {
    if (bytes == nullptr || count <= 0) {
        return;
    }
    if (replyCount_ + count <= kReplyBufferSize) {
        std::memcpy(reply_ + replyCount_, bytes, static_cast<size_t>(count));
        storedCount_ = replyCount_ + count;
    }
    replyCount_ = static_cast<int>(
        std::min<qint64>(qint64{replyCount_} + count, std::numeric_limits<int>::max()));

    if (found_.load(std::memory_order_relaxed)) {
        return;
    }
    int typeNumber = 0;
    if (disto::ParseIdentificationReply(reply_, storedCount_, &typeNumber)) {
        typeNumber_ = typeNumber;
        modelClass_ = disto::ModelClassForTypeNumber(typeNumber);
        found_.store(true, std::memory_order_release);
        semaphore_.release();
    } else if (storedCount_ > 0 && reply_[0] == '1' &&
               (replyCount_ < disto::kReplyPrefixLength ||
                disto::IsIdentificationBegun(reply_, storedCount_))) {
        partial_.store(true);
    }
}

}  // namespace plantrek
