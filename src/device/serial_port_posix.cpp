// The serial port on POSIX systems: termios for the line settings, a non-blocking descriptor
// watched with poll() together with a wake-up pipe, and the modem-status lines read with
// TIOCMGET where the device has them.
#if !defined(_WIN32)

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <bit>
#include <cerrno>
#include <chrono>

#include "device/serial_port.h"
#include "device/serial_port_names.h"

namespace plantrek {

namespace {

// The line-event bits as the event mask reports them.
constexpr quint32 kLineEventCarrier = 0x0020;
constexpr quint32 kLineEventRing = 0x0100;

// Modem-status lines are not interrupts here; they are looked at this often while a line-event
// wait is outstanding.
constexpr int kLineCheckIntervalMs = 100;
// How long closing lets a last short command leave the port before the rest is discarded.
constexpr int kCloseDrainMs = 200;

bool SpeedFor(quint32 baudRate, speed_t* speed) {
    struct Entry {
        quint32 rate;
        speed_t speed;
    };
    static const Entry kSpeeds[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
        {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
        {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
        {460800, B460800},
#endif
#ifdef B921600
        {921600, B921600},
#endif
    };
    for (const Entry& entry : kSpeeds) {
        if (entry.rate == baudRate) {
            *speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool SizeFor(int dataBits, tcflag_t* size) {
    switch (dataBits) {
        case 5:
            *size = CS5;
            return true;
        case 6:
            *size = CS6;
            return true;
        case 7:
            *size = CS7;
            return true;
        case 8:
            *size = CS8;
            return true;
        default:
            return false;
    }
}

// The device simply has no modem-status lines (a pseudo-terminal, for one).
bool IsUnsupported(int error) {
    return error == ENOTTY || error == EINVAL || error == ENOSYS;
}

// Raw line from scratch: no flow control of any kind, no character translation or stripping,
// reads that wait for data, DTR and RTS low.
bool ApplyLineSettings(int fd, quint32 baudRate, quint32 parity, int dataBits) {
    speed_t speed = B0;
    tcflag_t size = CS8;
    if (!SpeedFor(baudRate, &speed) || !SizeFor(dataBits, &size)) {
        return false;
    }
    termios settings{};
    settings.c_cflag = CREAD | CLOCAL | size;
    if (parity == kSerialParityOdd) {
        settings.c_cflag |= PARENB | PARODD;
        settings.c_iflag |= INPCK;
    } else if (parity == kSerialParityEven) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
    }
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    settings.c_cc[VSTART] = 0x13;
    settings.c_cc[VSTOP] = 0x19;
    if (cfsetispeed(&settings, speed) != 0 || cfsetospeed(&settings, speed) != 0) {
        return false;
    }
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        return false;
    }
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fd, TIOCMBIC, &lines) != 0 && !IsUnsupported(errno)) {
        return false;
    }
    // Whatever arrived before the port was ours belongs to nobody.
    tcflush(fd, TCIFLUSH);
    return true;
}

}  // namespace

struct SerialPort::Platform {
    int fd = -1;
    int wakeRead = -1;
    int wakeWrite = -1;

    // The read under way: readFilled of readTarget bytes have arrived.
    int readTarget = 0;
    int readFilled = 0;
    // The write under way.
    bool writing = false;
    quint32 writeOffset = 0;

    // Whether the device reports its modem-status lines at all.
    bool modemLines = false;
    int lineBaseline = 0;
    std::chrono::steady_clock::time_point nextLineCheck{};
};

SerialPort::Platform* SerialPort::CreatePlatform() {
    auto* platform = new Platform;
    int fds[2] = {-1, -1};
    if (::pipe(fds) == 0) {
        for (int fd : fds) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        platform->wakeRead = fds[0];
        platform->wakeWrite = fds[1];
    }
    return platform;
}

void SerialPort::DestroyPlatform(Platform* platform) {
    if (platform == nullptr) {
        return;
    }
    if (platform->wakeRead >= 0) {
        ::close(platform->wakeRead);
    }
    if (platform->wakeWrite >= 0) {
        ::close(platform->wakeWrite);
    }
    delete platform;
}

bool SerialPort::eventsValid() const {
    return platform_ != nullptr && platform_->wakeRead >= 0 && platform_->wakeWrite >= 0;
}

void SerialPort::signal(Event event) {
    work_.fetch_or(1u << event, std::memory_order_acq_rel);
    if (eventsValid()) {
        const char byte = 0;
        // A full pipe already holds a wake-up, so a failed write loses nothing.
        [[maybe_unused]] const ssize_t written = ::write(platform_->wakeWrite, &byte, 1);
    }
}

int SerialPort::openDevice(const QString& name, int dataBits) {
    const QString path = ResolveSerialDeviceName(name);
    if (path.isEmpty() || platform_ == nullptr) {
        return kSerialDeviceNotOpened;
    }
    // Only an existing device, never a new file; not shared with other programs.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return kSerialDeviceNotOpened;
    }
    ioctl(fd, TIOCEXCL);
    platform_->fd = fd;

    int code = kSerialOpenOk;
    platform_->modemLines = false;
    if (monitorLine_) {
        int status = 0;
        if (ioctl(fd, TIOCMGET, &status) == 0) {
            platform_->modemLines = true;
        } else if (!IsUnsupported(errno)) {
            code = kSerialLineEventsRefused;
        }
    }
    // Reads never time out: a read ends only when its whole block has arrived. The worker
    // waits in poll(), so the descriptor itself must never block.
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        code = kSerialTimeoutsRefused;
    }
    if (!ApplyLineSettings(fd, baudRate_, parity_, dataBits)) {
        code = kSerialLineSettingsRefused;
    }
    return code;
}

void SerialPort::closeDevice() {
    if (platform_ == nullptr || platform_->fd < 0) {
        return;
    }
    const int fd = platform_->fd;
    // Let a last short command go out, but never wait long: close() itself would wait for
    // all queued output.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kCloseDrainMs);
    int queued = 0;
    while (ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0 &&
           std::chrono::steady_clock::now() < deadline) {
        ::poll(nullptr, 0, 5);
    }
    // Only output the device still holds is discarded: on a pseudo-terminal a flush would
    // also take back what the other end has not read yet.
    if (queued > 0) {
        tcflush(fd, TCOFLUSH);
    }
    ioctl(fd, TIOCNXCL);
    ::close(fd);
    platform_->fd = -1;
}

void SerialPort::workerMain() {
    Platform& p = *platform_;
    workerId_.store(std::this_thread::get_id());
    p.readTarget = 0;
    p.readFilled = 0;
    p.writing = false;
    p.writeOffset = 0;

    notify(kSerialWorkerStarted);
    signal(kStartReadEvent);
    if (monitorLine_) {
        signal(kStartLineWaitEvent);
    }

    // Advances the device side: the read and write under way and the line watch. This is what
    // the platform does on its own elsewhere; completions become events 1, 3 and 5. Returns
    // false when the device has failed or gone.
    auto serviceDevice = [&](int timeoutMs) -> bool {
        const bool reading = readPending_ && p.readFilled < p.readTarget;
        const bool watchingLines = linePending_ && p.modemLines;
        if (timeoutMs < 0 && watchingLines) {
            timeoutMs = kLineCheckIntervalMs;
        }
        pollfd fds[2] = {{p.wakeRead, POLLIN, 0}, {p.fd, 0, 0}};
        if (reading) {
            fds[1].events |= POLLIN;
        }
        if (p.writing) {
            fds[1].events |= POLLOUT;
        }
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            return errno == EINTR;
        }
        if (fds[0].revents & POLLIN) {
            char sink[64];
            while (::read(p.wakeRead, sink, sizeof sink) > 0) {
            }
        }

        const short device = fds[1].revents;
        if (device & POLLNVAL) {
            return false;
        }
        if (reading && (device & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t got = ::read(p.fd, readBuffer_ + p.readFilled,
                                       static_cast<size_t>(p.readTarget - p.readFilled));
            if (got > 0) {
                p.readFilled += static_cast<int>(got);
                if (p.readFilled == p.readTarget) {
                    work_.fetch_or(1u << kReadCompleteEvent);
                }
            } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                return false;  // hung up, or the device failed
            }
        } else if (device & (POLLHUP | POLLERR)) {
            // Gone with nothing left to read. Work already signalled is handled first; the
            // next pass ends the worker.
            if ((work_.load() & ~(1u << kStopEvent)) == 0) {
                return false;
            }
        }
        if (p.writing && (device & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t put =
                ::write(p.fd, writeBuffer_ + p.writeOffset, writeLength_ - p.writeOffset);
            if (put > 0) {
                p.writeOffset += static_cast<quint32>(put);
                if (p.writeOffset == writeLength_) {
                    p.writing = false;
                    work_.fetch_or(1u << kWriteCompleteEvent);
                }
            } else if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                return false;
            }
        }
        if (watchingLines && !(work_.load() & (1u << kLineCompleteEvent)) &&
            std::chrono::steady_clock::now() >= p.nextLineCheck) {
            p.nextLineCheck =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(kLineCheckIntervalMs);
            int status = 0;
            if (ioctl(p.fd, TIOCMGET, &status) != 0) {
                return false;
            }
            quint32 mask = 0;
            if ((status & TIOCM_RI) && !(p.lineBaseline & TIOCM_RI)) {
                mask |= kLineEventRing;
            }
            if ((status ^ p.lineBaseline) & TIOCM_CD) {
                mask |= kLineEventCarrier;
            }
            p.lineBaseline = status;
            if (mask != 0) {
                lineEventMask_ = mask;
                work_.fetch_or(1u << kLineCompleteEvent);
            }
        }
        return true;
    };

    for (;;) {
        // Never block while work is waiting, but always give the device its turn, so that a
        // stream of requests cannot starve the I/O under way.
        if (!serviceDevice(work_.load(std::memory_order_acquire) != 0 ? 0 : -1)) {
            break;
        }
        const quint32 pending = work_.load(std::memory_order_acquire);
        if (pending == 0) {
            continue;
        }
        const int index = std::countr_zero(pending);
        if (index >= kEventCount) {
            break;
        }
        work_.fetch_and(~(1u << index), std::memory_order_acq_rel);

        bool keepGoing = true;
        switch (index) {
            case kStopEvent:
                keepGoing = false;
                break;
            case kReadCompleteEvent:
                readPending_ = false;
                bytesRead_ = static_cast<quint32>(p.readFilled);
                p.readTarget = 0;
                p.readFilled = 0;
                if (bytesRead_ != 0) {
                    notify(kSerialDataRead);
                }
                break;
            case kStartReadEvent:
                if (!readPending_) {
                    readPending_ = true;
                    p.readTarget = readBlockSize_.load();
                    p.readFilled = 0;
                }
                break;
            case kWriteCompleteEvent:
                writePending_.store(false);
                notify(kSerialWriteDone);
                break;
            case kStartWriteEvent:
                if (!p.writing && writeLength_ > 0) {
                    p.writing = true;
                    p.writeOffset = 0;
                }
                break;
            case kLineCompleteEvent: {
                linePending_ = false;
                int status = 0;
                if (ioctl(p.fd, TIOCMGET, &status) != 0) {
                    keepGoing = false;
                    break;
                }
                if ((lineEventMask_ & kLineEventRing) && (status & TIOCM_RI)) {
                    notify(kSerialRingOn);
                }
                if (lineEventMask_ & kLineEventCarrier) {
                    notify((status & TIOCM_CD) ? kSerialCarrierOn : kSerialCarrierOff);
                }
                signal(kStartLineWaitEvent);
                break;
            }
            case kStartLineWaitEvent:
                if (!linePending_ && monitorLine_ && p.modemLines) {
                    if (ioctl(p.fd, TIOCMGET, &p.lineBaseline) != 0) {
                        keepGoing = false;
                        break;
                    }
                    linePending_ = true;
                    lineEventMask_ = 0;
                    p.nextLineCheck = std::chrono::steady_clock::now() +
                                      std::chrono::milliseconds(kLineCheckIntervalMs);
                }
                break;
            default:
                keepGoing = false;
                break;
        }
        if (!keepGoing) {
            break;
        }
    }

    running_.store(false);
    closeDevice();
    notify(kSerialWorkerEnded);
    {
        std::lock_guard lock(endedMutex_);
        workerEnded_ = true;
    }
    endedChanged_.notify_all();
}

}  // namespace plantrek

#endif  // !_WIN32
