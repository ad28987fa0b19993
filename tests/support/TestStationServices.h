#pragma once
// Responsibilities: StationServices from fakes: the port table on an in-memory store, a fake catalog and
// parallel port, and FakeSerialLine / FakeTcpClient objects made on request and kept in creation order so
// a test can script the one a subsystem opened.

#include "platform/SerialPortTable.h"
#include "platform/StationServices.h"
#include "support/FakeParallelPort.h"
#include "support/FakeSerialLine.h"
#include "support/FakeSerialPortCatalog.h"
#include "support/FakeTcpClient.h"
#include "support/MemorySettingsStore.h"

#include <QList>

#include <functional>

namespace velm::test {

struct TestStationServices {
    MemorySettingsStore settings;
    SerialPortTable serialPorts{settings};
    FakeSerialPortCatalog catalog;
    FakeParallelPort parallelPort;
    // Made by newSerialLine / newTcpClient, owned by the subsystem that asked; valid while it keeps them.
    QList<FakeSerialLine*> serialLines;
    QList<FakeTcpClient*> tcpClients;
    // Runs on each serial line as it is made, before the subsystem opens it (to script a failing first open).
    std::function<void(FakeSerialLine&)> prepareSerialLine;

    StationServices services()
    {
        return StationServices{serialPorts, catalog, parallelPort,
                               [this] {
                                   auto line = std::make_unique<FakeSerialLine>();
                                   serialLines.append(line.get());
                                   if (prepareSerialLine)
                                       prepareSerialLine(*line);
                                   return std::unique_ptr<SerialLine>(std::move(line));
                               },
                               [this] {
                                   auto client = std::make_unique<FakeTcpClient>();
                                   tcpClients.append(client.get());
                                   return std::unique_ptr<TcpClient>(std::move(client));
                               }};
    }
};

} // namespace velm::test
