#include "platform/io/SystemStationServices.h"

#include "platform/io/QtSerialLine.h"
#include "platform/io/QtTcpClient.h"

namespace velm {

SystemStationServices::SystemStationServices(SettingsStore& settings)
    : m_serialPorts(settings), m_parallelPort(settings)
{
}

StationServices SystemStationServices::services()
{
    return StationServices{m_serialPorts, m_catalog, m_parallelPort,
                           [] { return std::unique_ptr<SerialLine>(std::make_unique<QtSerialLine>()); },
                           [] { return std::unique_ptr<TcpClient>(std::make_unique<QtTcpClient>()); }};
}

} // namespace velm
