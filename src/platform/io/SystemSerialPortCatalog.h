#pragma once
// Responsibilities: SerialPortCatalog of this system. On Linux it reads /sys/class/tty and /dev/serial/by-id
// and never opens a device: QSerialPortInfo opens every 16550 port to see whether it is real, and an open
// raises RTS and DTR, a key-down pulse on a port that keys a transmitter (and, as root, a lasting key-down on
// a port this program holds with its lines released). Elsewhere it lists QSerialPortInfo's ports.
// Built by main for the Serial Ports window and the port-number fields.

#include "platform/SerialPortCatalog.h"

namespace velm {

class SystemSerialPortCatalog final : public SerialPortCatalog {
public:
    // The folders are parameters so a test can point them at a prepared tree.
    explicit SystemSerialPortCatalog(QString sysClassTty = QStringLiteral("/sys/class/tty"),
                                     QString byIdFolder = QStringLiteral("/dev/serial/by-id"),
                                     QString deviceFolder = QStringLiteral("/dev"));
    QList<SerialDeviceInfo> devices() const override;
    SerialAccess access(const QString& devicePath) const override;

private:
    QString m_sysClassTty;
    QString m_byIdFolder;
    QString m_deviceFolder;
};

} // namespace velm
