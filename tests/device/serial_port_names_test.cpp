#include "device/serial_port_names.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "device/simulated_meter.h"

namespace plantrek {
namespace {

using test::ScopedSerialPorts;

TEST(ComPortNames, RoundTrip) {
    EXPECT_EQ(ComPortDeviceName(5), QStringLiteral("\\\\.\\COM5"));
    int number = 0;
    EXPECT_TRUE(ParseComPortDeviceName(ComPortDeviceName(17), &number));
    EXPECT_EQ(number, 17);
    EXPECT_TRUE(ParseComPortDeviceName(QStringLiteral("com3"), &number));
    EXPECT_EQ(number, 3);
    for (const char* other :
         {"", "COM", "\\\\.\\COMx", "/dev/ttyS0", "\\\\.\\COM5 ", "COM123456"}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(ParseComPortDeviceName(QString::fromLatin1(other), &number));
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
    settings.setValue(QLatin1String(kSerialPortsSetting),
                      QStringList{QStringLiteral("/dev/a"), QStringLiteral("/dev/b")});
    settings.sync();
    EXPECT_EQ(SerialDevicePathForComPort(2), QStringLiteral("/dev/b"));

    settings.setValue(QLatin1String(kSerialPortsSetting), QStringLiteral("/dev/p:/dev/q"));
    settings.sync();
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
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
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
