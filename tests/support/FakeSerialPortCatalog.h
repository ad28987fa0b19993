#pragma once
// Responsibilities: a SerialPortCatalog with the devices and per-path access a test sets.

#include "platform/SerialPortCatalog.h"

#include <QHash>

namespace velm::test {

class FakeSerialPortCatalog final : public SerialPortCatalog {
public:
    QList<SerialDeviceInfo> devices() const override { return deviceList; }
    SerialAccess access(const QString& devicePath) const override
    {
        return accessOf.value(devicePath, SerialAccess::Missing);
    }

    QList<SerialDeviceInfo> deviceList;
    QHash<QString, SerialAccess> accessOf; // paths not listed are Missing
};

} // namespace velm::test
