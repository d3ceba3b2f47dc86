#pragma once

#include <QByteArray>
#include <QString>

#include <termios.h>

#include "device/serial_port_names.h"
#include "support/wait_until.h"

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <thread>

// A Disto meter at the far end of a pseudo-terminal. The program opens devicePath() as its
// serial port; the meter answers identification requests, records everything the program
// sends, and sends whatever a test asks it to.
namespace plantrek::test {

class SimulatedMeter {
public:
    SimulatedMeter();
    ~SimulatedMeter();
    SimulatedMeter(const SimulatedMeter&) = delete;
    SimulatedMeter& operator=(const SimulatedMeter&) = delete;

    bool isValid() const { return master_ >= 0; }
    QString devicePath() const { return path_; }

    // The type number the meter reports; a negative number keeps it silent.
    void setTypeNumber(int typeNumber) { typeNumber_.store(typeNumber); }

    void send(const QByteArray& bytes);
    void sendByteByByte(const QByteArray& bytes);

    // Everything the program has sent so far.
    QByteArray received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    int countReceived(const QByteArray& command) const { return int(received().count(command)); }
    // Waits until the program has sent command at least times times.
    bool waitForReceived(const QByteArray& command, int times) const {
        return WaitUntil([&] { return countReceived(command) >= times; });
    }

    // Bytes written to the device by a second opener, as if by the program; they reach the
    // meter after everything the program wrote before them.
    void writeAsProgram(const QByteArray& bytes);
    // The device's line settings as the program left them.
    bool deviceSettings(termios* settings) const {
        return holder_ >= 0 && tcgetattr(holder_, settings) == 0;
    }

    // The meter is switched off or walks out of range: the device hangs up.
    void vanish();

private:
    void serve();

    int master_ = -1;
    int holder_ = -1;  // keeps the device alive between the program's opens
    QString path_;
    std::atomic<int> typeNumber_{-1};
    std::atomic<bool> quit_{false};
    mutable std::mutex mutex_;
    QByteArray received_;
    int identifyRequestsAnswered_ = 0;
    std::thread thread_;
};

// The meter's words: a distance of eight digits in the given unit code, a key, and a line of
// words as the meter ends it.
namespace meter {
inline QByteArray Distance(const char* digits, char unit = '0') {
    return QByteArray("31..0") + unit + '+' + digits;
}
inline QByteArray Key(int code) {
    return QByteArray("5000..+000000") + QByteArray::number(code).rightJustified(2, '0');
}
inline QByteArray Line(std::initializer_list<QByteArray> words) {
    QByteArray line;
    for (const QByteArray& word : words) {
        line += word + ' ';
    }
    return line + "\r\n";
}
}  // namespace meter

// Points the COM-number list at the given paths for the lifetime of the object.
class ScopedSerialPorts {
public:
    explicit ScopedSerialPorts(const QString& paths) { qputenv(kName, paths.toLocal8Bit()); }
    ~ScopedSerialPorts() { wasSet_ ? qputenv(kName, previous_) : qunsetenv(kName); }

private:
    static constexpr const char* kName = kSerialPortsVariable;
    const QByteArray previous_ = qgetenv(kName);
    const bool wasSet_ = qEnvironmentVariableIsSet(kName);
};

}  // namespace plantrek::test
