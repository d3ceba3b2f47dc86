#include "device/serial_port_names.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

namespace plantrek {

namespace {

// Splits every entry at ":" and keeps empty parts, so that positions (COM numbers) are kept.
QStringList FlattenPathList(const QStringList& entries) {
    QStringList paths;
    for (const QString& entry : entries) {
        paths += entry.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    }
    return paths;
}

QStringList ConfiguredPaths() {
    const QString variable = qEnvironmentVariable(kSerialPortsVariable);
    if (!variable.isEmpty()) {
        return FlattenPathList({variable});
    }
    const QSettings settings(QStringLiteral("Corvane Software"), QStringLiteral("Plantrek"));
    const QVariant value = settings.value(QLatin1String(kSerialPortsSetting));
    if (!value.isValid()) {
        return {};
    }
    if (value.typeId() == QMetaType::QStringList) {
        return FlattenPathList(value.toStringList());
    }
    const QString text = value.toString();
    if (text.isEmpty()) {
        return {};
    }
    return FlattenPathList({text});
}

}  // namespace

QString ComPortDeviceName(int comPort) {
    return QStringLiteral("\\\\.\\COM%1").arg(comPort);
}

bool ParseComPortDeviceName(const QString& name, int* comPort) {
    static const QRegularExpression pattern(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM([0-9]{1,4})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch()) {
        return false;
    }
    if (comPort != nullptr) {
        *comPort = match.captured(1).toInt();
    }
    return true;
}

QStringList PresentSerialDevices(const QString& deviceFolder) {
    static const char* const kGroups[] = {"rfcomm", "ttyUSB", "ttyACM", "ttyS"};
    const QDir folder(deviceFolder);
    QStringList paths;
    for (const char* group : kGroups) {
        const QString prefix = QLatin1String(group);
        std::vector<std::pair<qulonglong, QString>> numbered;
        const QStringList names = folder.entryList({prefix + QLatin1Char('*')},
                                                   QDir::Files | QDir::System | QDir::Hidden);
        for (const QString& name : names) {
            bool ok = false;
            const QString suffix = name.mid(prefix.size());
            const qulonglong number = suffix.toULongLong(&ok);
            // Only the numbered devices themselves: "ttyS" must not pick up "ttySAC0".
            if (ok && !suffix.isEmpty() &&
                std::all_of(suffix.begin(), suffix.end(), [](QChar c) { return c.isDigit(); })) {
                numbered.emplace_back(number, folder.filePath(name));
            }
        }
        std::sort(numbered.begin(), numbered.end());
        for (const auto& entry : numbered) {
            paths.append(entry.second);
        }
    }
    return paths;
}

QStringList SerialDevicePaths() {
    QStringList paths = ConfiguredPaths();
    if (paths.isEmpty()) {
        paths = PresentSerialDevices();
    }
    return paths;
}

QString SerialDevicePathForComPort(int comPort) {
    if (comPort < 1) {
        return {};
    }
    const QStringList paths = SerialDevicePaths();
    if (comPort > paths.size()) {
        return {};
    }
    return paths.at(comPort - 1).trimmed();
}

QString ResolveSerialDeviceName(const QString& name) {
#ifdef _WIN32
    return name;
#else
    int comPort = 0;
    if (ParseComPortDeviceName(name, &comPort)) {
        return SerialDevicePathForComPort(comPort);
    }
    return name;
#endif
}

}  // namespace plantrek
