#pragma once

#include <QString>
#include <QStringList>

// Serial ports are known to the program by COM number, as the meter's search counts them. Where
// there are no COM devices, COM n is the n-th entry of a list of device paths:
//   1. the environment variable PLANTREK_SERIAL_PORTS (paths separated by ":"), when not empty;
//   2. else the setting "SerialPorts" (a string list, or one string of ":"-separated paths);
//   3. else the serial devices present: /dev/rfcomm*, /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*,
//      each group in numeric order.
// An empty entry leaves its number without a device, so a list can skip numbers.
namespace plantrek {

inline constexpr const char* kSerialPortsVariable = "PLANTREK_SERIAL_PORTS";
inline constexpr const char* kSerialPortsSetting = "SerialPorts";

// "\\.\COM<n>", the name under which the meter's search opens a port.
QString ComPortDeviceName(int comPort);
// The number of a "\\.\COM<n>" (or plain "COM<n>") name; false for any other name.
bool ParseComPortDeviceName(const QString& name, int* comPort);

// The list COM numbers are counted in (entry 0 is COM1).
QStringList SerialDevicePaths();
// The serial devices present in a device folder, in the order above.
QStringList PresentSerialDevices(const QString& deviceFolder = QStringLiteral("/dev"));
// The device path of COM n; empty when no device stands behind the number.
QString SerialDevicePathForComPort(int comPort);

// What the port actually opens for a name given to it: a COM name becomes its device path
// (empty when there is none), any other name is used as it is.
QString ResolveSerialDeviceName(const QString& name);

}  // namespace plantrek
