#pragma once
// Responsibilities: the real station services in one object main keeps for the whole run: the port table
// on the settings store, the system's serial-device catalog, the ppdev parallel port, and QtSerialLine /
// QtTcpClient made per use.

#include "platform/SerialPortTable.h"
#include "platform/StationServices.h"
#include "platform/io/PpdevParallelPort.h"
#include "platform/io/SystemSerialPortCatalog.h"

namespace velm {

class SettingsStore;

class SystemStationServices {
public:
    explicit SystemStationServices(SettingsStore& settings);
    StationServices services();

private:
    SerialPortTable m_serialPorts;
    SystemSerialPortCatalog m_catalog;
    PpdevParallelPort m_parallelPort;
};

} // namespace velm
