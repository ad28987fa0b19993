#pragma once
// Responsibilities: what the system says about its serial devices: the list it has (with the stable
// /dev/serial/by-id names of USB adapters) and whether this user may open a given path, without opening it
// (opening a port raises RTS and DTR). Used by the Serial Ports window and by port-number fields.

#include <QList>
#include <QString>

namespace velm {

struct SerialDeviceInfo {
    QString path;        // what to store: the /dev/serial/by-id link when there is one, else the device
    QString devicePath;  // the device node itself, e.g. /dev/ttyUSB0
    QString description; // maker and product as the system reports them; may be empty
};

enum class SerialAccess { Usable, Missing, NoPermission };

class SerialPortCatalog {
public:
    virtual ~SerialPortCatalog() = default;
    virtual QList<SerialDeviceInfo> devices() const = 0;
    virtual SerialAccess access(const QString& devicePath) const = 0;
};

} // namespace velm
