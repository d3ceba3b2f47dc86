#include "device/serial_port.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#include "device/serial_port_names.h"
#include "device/simulated_meter.h"

namespace plantrek {
namespace {

using test::ScopedSerialPorts;
using test::SimulatedMeter;

// Records what a port reports; an optional hook runs on the worker thread with each notice.
class Recorder {
public:
    void attach(SerialPort& port) {
        port.setOwner(this);
        port.setNotify(&Recorder::Notify);
    }
    std::vector<int> notices() const {
        std::lock_guard lock(mutex_);
        return notices_;
    }
    std::vector<QByteArray> reads() const {
        std::lock_guard lock(mutex_);
        return reads_;
    }
    int count(int notice) const {
        const std::vector<int> all = notices();
        return static_cast<int>(std::count(all.begin(), all.end(), notice));
    }
    bool waitForNotice(int notice, int times = 1) {
        return test::WaitUntil([&] { return count(notice) >= times; });
    }
    std::function<void(SerialPort*, int)> hook;

private:
    static void Notify(SerialPort* port, int notice) {
        auto* self = static_cast<Recorder*>(port->owner());
        {
            std::lock_guard lock(self->mutex_);
            self->notices_.push_back(notice);
            if (notice == kSerialDataRead) {
                self->reads_.emplace_back(port->receivedBytes(), port->receivedCount());
            }
        }
        if (self->hook) {
            self->hook(port, notice);
        }
    }

    mutable std::mutex mutex_;
    std::vector<int> notices_;
    std::vector<QByteArray> reads_;
};

// A port attached to a recorder, and a meter at the far end of its device.
class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(meter.isValid());
        recorder.attach(port);
    }
    int Open(bool keepReading, bool monitorLine = false) {
        if (keepReading) {
            recorder.hook = [](SerialPort* p, int notice) {
                if (notice == kSerialDataRead) {
                    p->requestRead();
                }
            };
        }
        return port.open(meter.devicePath(), 9600, kSerialParityNone, 8, monitorLine);
    }

    SimulatedMeter meter;
    Recorder recorder;  // declared before the port, so that it outlives the port's worker
    SerialPort port;
};

TEST(SerialPortOpen, FailuresStartNoWorker) {
    SimulatedMeter meter;
    ASSERT_TRUE(meter.isValid());
    QTemporaryDir dir;
    const QString plainFile = dir.filePath(QStringLiteral("not-a-tty"));
    ASSERT_TRUE(QFile(plainFile).open(QIODevice::WriteOnly));
    const ScopedSerialPorts ports(meter.devicePath() + QStringLiteral("::/nonexistent/tty9"));

    const std::tuple<QString, quint32, int> cases[] = {
        {QString(), 9600, kSerialEmptyName},
        {QStringLiteral("\\\\.\\COM3"), 9600, kSerialDeviceNotOpened},  // listed, absent
        {plainFile, 9600, kSerialLineSettingsRefused},
        {meter.devicePath(), 12345, kSerialLineSettingsRefused},
    };
    for (const auto& [name, baud, expected] : cases) {
        SCOPED_TRACE(name.toStdString());
        Recorder recorder;
        SerialPort port;
        recorder.attach(port);
        EXPECT_EQ(port.open(name, baud, kSerialParityNone, 8, true), expected);
        EXPECT_FALSE(port.isRunning());
        EXPECT_FALSE(port.write("x", 1));
        port.stop();
        EXPECT_TRUE(recorder.notices().empty());
    }

    // The device stays usable after the refused attempts.
    Recorder recorder;
    SerialPort port;
    recorder.attach(port);
    EXPECT_EQ(port.open(QStringLiteral("\\\\.\\COM1"), 9600, kSerialParityNone, 8, true), 0);
    EXPECT_TRUE(recorder.waitForNotice(kSerialWorkerStarted));
}

// The meter's line: 9600 baud, eight bits, no parity (the only one the program asks for), one
// stop bit, and nothing that would change or swallow a byte.
TEST_F(SerialPortTest, SetsUpARawLine) {
    ASSERT_EQ(Open(false, true), 0);
    termios settings{};
    ASSERT_TRUE(meter.deviceSettings(&settings));
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | PARMRK |
                                  BRKINT | IGNBRK | INPCK),
              0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_EQ(settings.c_cflag & (CRTSCTS | CSTOPB | PARODD), 0u);
    EXPECT_NE(settings.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
}

TEST_F(SerialPortTest, ReadCompletesOnlyWithTheWholeBlockAndPassesEveryByte) {
    port.setReadBlockSize(4);
    ASSERT_EQ(Open(true), 0);
    ASSERT_TRUE(recorder.waitForNotice(kSerialWorkerStarted));
    meter.send("ab");
    QThread::msleep(30);  // let the first half be read on its own
    meter.send(QByteArray("c\x00\x11\x13\r\n\xff\x7f", 8));
    ASSERT_TRUE(recorder.waitForNotice(kSerialDataRead, 2));
    meter.send("zz");
    ASSERT_TRUE(recorder.waitForNotice(kSerialDataRead, 3));
    EXPECT_EQ(recorder.reads(),
              (std::vector<QByteArray>{QByteArray("abc\x00", 4), QByteArray("\x11\x13\r\n", 4),
                                       QByteArray("\xff\x7fzz", 4)}));
}

TEST_F(SerialPortTest, OneWriteAtATime) {
    std::vector<bool> accepted;
    // On the worker thread the first write cannot finish before the second is asked for.
    recorder.hook = [&accepted](SerialPort* p, int notice) {
        if (notice == kSerialWorkerStarted) {
            accepted.push_back(p->write("A\n", 2));
            accepted.push_back(p->write("B", 1));
        }
    };
    ASSERT_EQ(Open(false), 0);
    ASSERT_TRUE(recorder.waitForNotice(kSerialWriteDone));
    EXPECT_EQ(accepted, (std::vector<bool>{true, false}));

    EXPECT_FALSE(port.write(nullptr, 3));
    EXPECT_FALSE(port.write("C", 0));
    const QByteArray tooLong(256, 'L');
    EXPECT_FALSE(port.write(tooLong.constData(), tooLong.size()));
    const QByteArray longest(255, 'M');
    EXPECT_TRUE(port.write(longest.constData(), longest.size()));
    ASSERT_TRUE(recorder.waitForNotice(kSerialWriteDone, 2));
    EXPECT_TRUE(port.write("\r\0z", 3));
    ASSERT_TRUE(recorder.waitForNotice(kSerialWriteDone, 3));
    ASSERT_TRUE(test::WaitUntil([&] { return meter.received().size() >= 2 + 255 + 3; }));
    EXPECT_EQ(meter.received(), QByteArray("A\n") + longest + QByteArray("\r\0z", 3));
}

TEST_F(SerialPortTest, StopWinsOverWorkAskedForWithIt) {
    recorder.hook = [](SerialPort* p, int notice) {
        if (notice == kSerialDataRead) {
            p->requestRead();
            p->write("X", 1);
            p->stop();  // on the worker thread: only asks
        }
    };
    ASSERT_EQ(Open(false), 0);
    meter.send("q");
    ASSERT_TRUE(recorder.waitForNotice(kSerialWorkerEnded));
    EXPECT_FALSE(port.isRunning());
    // Whatever the port had written would reach the meter before this.
    meter.writeAsProgram("Z");
    ASSERT_TRUE(test::WaitUntil([&] { return meter.received().contains('Z'); }));
    EXPECT_EQ(meter.received(), QByteArray("Z"));
    EXPECT_EQ(recorder.count(kSerialWriteDone), 0);
    EXPECT_EQ(recorder.count(kSerialDataRead), 1);
}

// COM port names and the devices behind them.
TEST(ComPortNames, RoundTrip) {
    EXPECT_EQ(ComPortDeviceName(5), QStringLiteral("\\\\.\\COM5"));
    const auto parsed = [](const QString& name) {
        int number = -1;
        return ParseComPortDeviceName(name, &number) ? number : -1;
    };
    EXPECT_EQ(parsed(ComPortDeviceName(17)), 17);
    EXPECT_EQ(parsed(QStringLiteral("com3")), 3);
    for (const char* other :
         {"", "COM", "\\\\.\\COMx", "/dev/ttyS0", "\\\\.\\COM5 ", "COM123456"}) {
        EXPECT_EQ(parsed(QString::fromLatin1(other)), -1) << other;
    }
}

TEST(ComPortNames, EnvironmentListCountsFromOneAndKeepsGaps) {
    const ScopedSerialPorts ports(QStringLiteral("/dev/rfcomm0::/dev/ttyUSB3"));
    const char* expected[] = {"", "", "/dev/rfcomm0", "", "/dev/ttyUSB3", ""};  // COM-1 to COM4
    for (int port = -1; port <= 4; ++port) {
        EXPECT_EQ(SerialDevicePathForComPort(port), QString::fromLatin1(expected[port + 1]))
            << port;
    }
    EXPECT_EQ(ResolveSerialDeviceName(QStringLiteral("\\\\.\\COM3")),
              QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(ResolveSerialDeviceName(QStringLiteral("/dev/pts/4")), QStringLiteral("/dev/pts/4"));
}

TEST(ComPortNames, SettingIsUsedWhenTheEnvironmentSaysNothing) {
    const ScopedSerialPorts none{QString()};
    QSettings settings(QStringLiteral("Corvane Software"), QStringLiteral("Plantrek"));
    const auto set = [&settings](const QVariant& value) {
        settings.setValue(QLatin1String(kSerialPortsSetting), value);
        settings.sync();
    };
    set(QStringList{QStringLiteral("/dev/a"), QStringLiteral("/dev/b")});
    EXPECT_EQ(SerialDevicePathForComPort(2), QStringLiteral("/dev/b"));
    set(QStringLiteral("/dev/p:/dev/q"));
    EXPECT_EQ(SerialDevicePathForComPort(1), QStringLiteral("/dev/p"));
    EXPECT_EQ(SerialDevicePathForComPort(2), QStringLiteral("/dev/q"));
    {
        const ScopedSerialPorts env(QStringLiteral("/dev/env"));
        EXPECT_EQ(SerialDevicePathForComPort(1), QStringLiteral("/dev/env"));
    }
    settings.remove(QLatin1String(kSerialPortsSetting));
    settings.sync();
}

TEST(ComPortNames, PresentDevicesInGroupAndNumberOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "rfcomm3", "ttyACM0",
                             "ttySAC0", "ttyS", "tty0", "console", "rfcomm12"}) {
        ASSERT_TRUE(QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    }
    QStringList expected;
    for (const char* name :
         {"rfcomm3", "rfcomm12", "ttyUSB0", "ttyUSB1", "ttyACM0", "ttyS2", "ttyS10"}) {
        expected.append(dir.filePath(QString::fromLatin1(name)));
    }
    EXPECT_EQ(PresentSerialDevices(dir.path()), expected);
}

}  // namespace
}  // namespace plantrek
