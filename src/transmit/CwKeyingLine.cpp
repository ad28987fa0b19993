#include "transmit/CwKeyingLine.h"

#include "platform/ParallelPort.h"
#include "platform/SerialPortTable.h"

namespace velm {

CwKeyingLine::CwKeyingLine(StationServices station, TransmitPorts& ports, QObject* parent)
    : QObject(parent), m_station(std::move(station)), m_ports(ports), m_serial(m_station.newSerialLine())
{
    m_rts = std::make_unique<SerialKeyLine>(*m_serial, ModemLine::Rts);
    m_dtr = std::make_unique<SerialKeyLine>(*m_serial, ModemLine::Dtr);
    connect(m_serial.get(), &SerialLine::failed, this, [this](SerialError, const QString& reason) {
        m_portNumber = 0;
        Q_EMIT lost(reason);
    });
}

CwKeyingLine::~CwKeyingLine()
{
    closeAll();
}

QString CwKeyingLine::CWSetup(int portNumber)
{
    closeSerial();
    if (portNumber <= 0)
        return {};
    m_ports.opening(TransmitPath::Cw);
    const QString device = m_station.serialPorts.devicePath(portNumber);
    if (!m_serial->open(device))
        return serialOpenFailureText(device, m_serial->error(), m_serial->errorString());
    m_portNumber = portNumber;
    return {};
}

bool CwKeyingLine::serialOpen() const
{
    return m_serial->isOpen();
}

void CwKeyingLine::closeSerial()
{
    if (m_serial->isOpen())
        m_serial->close();
    m_portNumber = 0;
}

KeyLine* CwKeyingLine::line(KeyingMethod method, const QString& parallelAddress, QString* reason)
{
    switch (method) {
    case KeyingMethod::Rts:
    case KeyingMethod::Dtr:
        if (!m_serial->isOpen()) {
            *reason = QStringLiteral("The CW port is not open.");
            return nullptr;
        }
        return method == KeyingMethod::Rts ? m_rts.get() : m_dtr.get();
    case KeyingMethod::Printer: {
        const std::optional<quint16> base = parseIoAddress(parallelAddress);
        if (!base) {
            *reason = QStringLiteral("\"%1\" is not a port address (for example &H378).").arg(parallelAddress);
            return nullptr;
        }
        if (!m_parallel || m_parallel->baseAddress() != *base) {
            if (m_parallel)
                m_parallel->setKeyed(false);
            if (!m_station.parallelPort.open(*base)) {
                m_parallel.reset();
                *reason = m_station.parallelPort.errorString();
                return nullptr;
            }
            m_parallel = std::make_unique<ParallelKeyLine>(m_station.parallelPort, *base);
        }
        return m_parallel.get();
    }
    case KeyingMethod::None:
    case KeyingMethod::WinKey:
        break;
    }
    *reason = QStringLiteral("No keying line for this method.");
    return nullptr;
}

void CwKeyingLine::releaseAll()
{
    m_rts->setKeyed(false);
    m_dtr->setKeyed(false);
    if (m_parallel)
        m_parallel->setKeyed(false);
}

void CwKeyingLine::closeAll()
{
    releaseAll();
    closeSerial();
    if (m_parallel) {
        m_parallel.reset();
        m_station.parallelPort.closeAll();
    }
}

} // namespace velm
