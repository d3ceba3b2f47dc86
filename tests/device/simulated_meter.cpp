#include "device/simulated_meter.h"

#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>

#include "device/disto_protocol.h"

namespace plantrek::test {

SimulatedMeter::SimulatedMeter() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        return;
    }
    // A program started by a test must not inherit the meter's ends: it would keep the device
    // alive after the meter has vanished.
    fcntl(master, F_SETFD, FD_CLOEXEC);
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname(master) == nullptr) {
        ::close(master);
        return;
    }
    path_ = QString::fromLocal8Bit(ptsname(master));
    holder_ = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (holder_ < 0) {
        ::close(master);
        return;
    }
    // Raw from the start, so nothing the meter sends before the port is set up is echoed.
    termios raw{};
    tcgetattr(holder_, &raw);
    cfmakeraw(&raw);
    tcsetattr(holder_, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    master_ = master;
    thread_ = std::thread(&SimulatedMeter::serve, this);
}

SimulatedMeter::~SimulatedMeter() {
    vanish();
}

void SimulatedMeter::vanish() {
    quit_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (holder_ >= 0) {
        ::close(holder_);
        holder_ = -1;
    }
}

void SimulatedMeter::serve() {
    while (!quit_.load()) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN)) {
            continue;
        }
        char bytes[512];
        const ssize_t got = ::read(master_, bytes, sizeof bytes);
        if (got <= 0) {
            continue;
        }
        int requests = 0;
        {
            std::lock_guard lock(mutex_);
            received_.append(bytes, got);
            requests = static_cast<int>(received_.count(disto::kIdentifyCommand)) -
                       identifyRequestsAnswered_;
            identifyRequestsAnswered_ += requests;
        }
        const int typeNumber = typeNumber_.load();
        for (int i = 0; i < requests && typeNumber >= 0; ++i) {
            send("13....+" + QByteArray::number(typeNumber).rightJustified(8, '0') + " \r\n");
        }
    }
}

void SimulatedMeter::send(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size() && master_ >= 0) {
        const ssize_t put =
            ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (put > 0) {
            done += put;
        } else if (put < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            QThread::usleep(500);
        }
    }
}

void SimulatedMeter::sendByteByByte(const QByteArray& bytes) {
    for (char byte : bytes) {
        send(QByteArray(1, byte));
        QThread::usleep(300);
    }
}

void SimulatedMeter::writeAsProgram(const QByteArray& bytes) {
    if (holder_ >= 0) {
        [[maybe_unused]] const ssize_t put =
            ::write(holder_, bytes.constData(), static_cast<size_t>(bytes.size()));
    }
}

}  // namespace plantrek::test
