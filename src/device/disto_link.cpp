#include "device/disto_link.h"

#include <QThread>

#include <algorithm>
#include <cstring>

#include "device/disto_probe.h"
#include "device/disto_protocol.h"
#include "device/serial_port.h"
#include "device/serial_port_names.h"

namespace plantrek {

namespace {

// Acknowledgements that could not be written at once wait for the port's next free moment; a
// full line holds fewer words than this.
constexpr int kMaxOwedAcknowledgements = 8;

bool Matches(const char* at, int available, const char* text, int length) {
    return available >= length && std::memcmp(at, text, static_cast<size_t>(length)) == 0;
}

}  // namespace

DistoLink::DistoLink(QObject* parent) : QObject(parent) {}

DistoLink::~DistoLink() {
    closePort();
}

int DistoLink::search(int first, int last, const SearchProgress& progress,
                      const std::atomic<bool>* cancel) {
    if (port_ != nullptr) {
        return comPort_;
    }
    if (first < 1 || last < 1 || first > last) {
        return -1;
    }
    if (progress) {
        progress(kSearchingText);
    }
    for (int port = first;; ++port) {
        if (cancel != nullptr && cancel->load()) {
            break;
        }
        if (progress) {
            progress(QString::asprintf(kSearchingPortFormat, port));
        }
        DistoProbe probe(port);
        if (probe.run()) {
            comPort_ = port;
            typeNumber_ = probe.typeNumber();
            modelClass_ = probe.modelClass();
            return port;
        }
        if (port == last) {
            break;
        }
    }
    return -1;
}

void DistoLink::setDevice(int comPort, int typeNumber) {
    if (port_ != nullptr) {
        return;
    }
    comPort_ = comPort;
    typeNumber_ = typeNumber;
    modelClass_ = disto::ModelClassForTypeNumber(typeNumber);
}

bool DistoLink::connect() {
    if (port_ != nullptr) {
        return true;
    }
    if (comPort_ < 1) {
        return false;
    }
    lineCount_ = 0;
    discardingLine_ = false;
    pendingDistance_ = false;
    owedAcknowledgements_ = 0;
    closing_.store(false);

    auto port = std::make_unique<SerialPort>();
    port->setNotify(&DistoLink::Dispatch);
    port->setOwner(this);
    port->setReadBlockSize(1);
    // The worker may call back as soon as the port opens, so the port is in place first.
    workerPort_ = port.get();
    if (port->open(ComPortDeviceName(comPort_), disto::kBaudRate, kSerialParityNone,
                   disto::kDataBits, true) != kSerialOpenOk) {
        workerPort_ = nullptr;
        return false;
    }
    port_ = std::move(port);

    QThread::msleep(kConnectSettleMs);
    if (typeNumber_ >= disto::kNewKeysTypeNumber) {
        for (const char* command : disto::kKeySetupCommands) {
            sendCommand(command);
            QThread::msleep(kCommandSpacingMs);
        }
    }
    return true;
}

void DistoLink::closePort() {
    if (port_ == nullptr) {
        return;
    }
    closing_.store(true);
    port_->stop();
    // Destroying the port waits for a worker that outlived the stop; only then is the pointer
    // the worker uses cleared.
    port_.reset();
    workerPort_ = nullptr;
}

bool DistoLink::isConnected() const {
    return port_ != nullptr && port_->isRunning();
}

void DistoLink::sendCommand(const char* command) {
    if (port_ != nullptr) {
        port_->write(command, static_cast<int>(std::strlen(command)));
    }
}

void DistoLink::Dispatch(SerialPort* port, int notice) {
    auto* link = static_cast<DistoLink*>(port->owner());
    if (link == nullptr) {
        return;
    }
    switch (notice) {
        case kSerialWorkerStarted:
            link->portStarted();
            break;
        case kSerialWorkerEnded:
            link->portStopped();
            if (!link->closing_.load()) {
                QMetaObject::invokeMethod(
                    link, [link] { Q_EMIT link->connectionLost(); }, Qt::QueuedConnection);
            }
            break;
        case kSerialWriteDone:
            link->writeDone();
            link->sendOwedAcknowledgement();
            break;
        case kSerialDataRead: {
            char bytes[SerialPort::kBufferSize];
            const int count = std::clamp(port->receivedCount(), 0, SerialPort::kBufferSize);
            std::memcpy(bytes, port->receivedBytes(), static_cast<size_t>(count));
            port->requestRead();
            link->dataReceived(bytes, count);
            break;
        }
        default:
            break;
    }
}

void DistoLink::dataReceived(const char* bytes, int count) {
    if (bytes == nullptr || count <= 0) {
        return;
    }
    if (!activityPosted_.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                activityPosted_.store(false);
                Q_EMIT activity();
            },
            Qt::QueuedConnection);
    }
    for (int i = 0; i < count; ++i) {
        const char byte = bytes[i];
        if (discardingLine_) {
            discardingLine_ = byte != '\n';
            continue;
        }
        if (lineCount_ + 1 >= kLineBufferSize) {
            // No line of the meter's is this long: it is noise. Dropping only the excess would
            // leave the buffer full for good, so the whole line goes, up to its end.
            lineCount_ = 0;
            pendingDistance_ = false;
            discardingLine_ = byte != '\n';
            continue;
        }
        lineBuffer_[lineCount_++] = byte;
        // Words are taken only from complete lines: whether a distance ends its line decides
        // what it means.
        if (byte == '\n' && lineCount_ >= 2 && lineBuffer_[lineCount_ - 2] == '\r') {
            parseLines();
        }
    }
}

void DistoLink::parseLines() {
    int start = 0;
    for (;;) {
        int end = -1;
        int terminator = 0;
        for (int at = start; at < lineCount_; ++at) {
            const char* here = lineBuffer_ + at;
            const int available = lineCount_ - at;
            if (Matches(here, available, "\r\n", 2)) {
                terminator = 2;
            } else if (Matches(here, available, " \r\n", 3)) {
                terminator = 3;
            } else if (*here == ' ') {
                terminator = 1;
            } else {
                continue;
            }
            end = at;
            break;
        }
        if (end < 0) {
            break;
        }
        handleWord(lineBuffer_ + start, end - start, terminator > 1);
        start = end + terminator;
    }
    lineCount_ -= start;
    std::memmove(lineBuffer_, lineBuffer_ + start, static_cast<size_t>(lineCount_));
}

void DistoLink::handleWord(const char* body, int length, bool endsLine) {
    const disto::Word word = disto::ClassifyWord(body, length, typeNumber_);
    switch (word.kind) {
        case disto::WordKind::Enter:
            pendingDistance_ = false;
            acknowledge();
            QMetaObject::invokeMethod(
                this, [this] { Q_EMIT enterPressed(); }, Qt::QueuedConnection);
            break;
        case disto::WordKind::Undo:
            pendingDistance_ = false;
            acknowledge();
            QMetaObject::invokeMethod(
                this, [this] { Q_EMIT undoPressed(); }, Qt::QueuedConnection);
            break;
        case disto::WordKind::Distance:
            measurement_.unitCode = word.unitCode;
            measurement_.digits = word.digits;
            if (endsLine && modelClass_ == 1) {
                // These meters send a lone distance for the enter key.
                acknowledge();
                QMetaObject::invokeMethod(
                    this, [this] { Q_EMIT enterPressed(); }, Qt::QueuedConnection);
                pendingDistance_ = false;
            } else {
                pendingDistance_ = true;
            }
            break;
        case disto::WordKind::DirectionKey:
            if (pendingDistance_) {
                measurement_.keyCode = word.keyCode;
                const DistoMeasurement copy = measurement_;
                QMetaObject::invokeMethod(
                    this,
                    [this, copy] { Q_EMIT measurement(copy.unitCode, copy.digits, copy.keyCode); },
                    Qt::QueuedConnection);
            }
            pendingDistance_ = false;
            acknowledge();
            break;
        case disto::WordKind::Other:
            pendingDistance_ = false;
            break;
    }
}

void DistoLink::acknowledge() {
    owedAcknowledgements_ = std::min(owedAcknowledgements_ + 1, kMaxOwedAcknowledgements);
    sendOwedAcknowledgement();
}

void DistoLink::sendOwedAcknowledgement() {
    // The port takes one write at a time; one refused now goes when the current one is done.
    if (owedAcknowledgements_ > 0 && workerPort_ != nullptr &&
        workerPort_->write(disto::kAcknowledgeCommand,
                           static_cast<int>(sizeof disto::kAcknowledgeCommand - 1))) {
        --owedAcknowledgements_;
    }
}

}  // namespace plantrek
