#pragma once
// Responsibilities: the station services main builds once beside Services: the port-number table, the
// system's serial devices, the one parallel port CW and voice PTT share, and a way to make a serial line or
// TCP client per use (each subsystem opens its own). Handed to CW keying, WinKey, rig control, the spot
// sources and the voice keyer; tests build one from fakes (tests/support/TestStationServices.h).

#include <functional>
#include <memory>

namespace velm {

class ParallelPort;
class SerialLine;
class SerialPortCatalog;
class SerialPortTable;
class TcpClient;

struct StationServices {
    SerialPortTable& serialPorts;
    const SerialPortCatalog& serialCatalog;
    ParallelPort& parallelPort;
    std::function<std::unique_ptr<SerialLine>()> newSerialLine;
    std::function<std::unique_ptr<TcpClient>()> newTcpClient;
};

} // namespace velm
