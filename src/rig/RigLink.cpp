// The rig link's per-family steps: opening and closing the serial port or the rigctld connection, what a
// send tick may write, and what a read tick takes.

#include "rig/Rig.h"

#include "platform/SerialLine.h"
#include "platform/SerialPortTable.h"
#include "platform/TcpClient.h"
#include "rig/RigctldReplies.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcRig)

namespace velm {

bool Rig::linkOpen() const
{
    switch (rigTransport(m_settings.RigType)) {
    case RigTransport::Tcp:
        return m_rigctld && m_rigctld->state() != TcpClient::State::Unconnected;
    case RigTransport::Files:
        return true;
    default:
        return m_line && m_line->isOpen();
    }
}

QString Rig::linkName() const
{
    switch (rigTransport(m_settings.RigType)) {
    case RigTransport::Tcp:
        return m_rigctldName.isEmpty() ? rigctldAddress() : m_rigctldName;
    case RigTransport::Files:
        return pegasusFolder();
    default:
        return m_line && m_line->isOpen() ? m_line->devicePath()
                                          : m_station.serialPorts.devicePath(m_settings.PortNumber);
    }
}

bool Rig::openLink(QString& why)
{
    closeLink();
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp)
        return openRigctld(why);
    return openSerial(why);
}

bool Rig::openSerial(QString& why)
{
    if (!m_line) {
        m_line = m_station.newSerialLine();
        connect(m_line.get(), &SerialLine::failed, this, &Rig::lineFailed);
        connect(m_line.get(), &SerialLine::readyRead, this, &Rig::dropIdleInput);
    }
    const QString device = m_station.serialPorts.devicePath(m_settings.PortNumber);
    const std::optional<SerialLineSettings> lineSettings = parseSerialSettings(m_settings.CommSettings);
    if (!lineSettings) {
        why = QStringLiteral("%1: the line settings \"%2\" are not valid.")
                  .arg(device, m_settings.CommSettings);
        return false;
    }
    // Handshaking is set on every open: the Ten-Tec radios that want RTS/CTS must not leave it on for the
    // next type. The line drives RTS and DTR off at once (Linux raises both, and a CAT cable may key with
    // either).
    const Handshake handshake =
        usesHardwareHandshake(m_settings.RigType) ? Handshake::RtsCts : Handshake::None;
    if (!m_line->open(device, *lineSettings, handshake)) {
        why = serialOpenFailureText(device, m_line->error(), m_line->errorString());
        return false;
    }
    // Only the chosen power line goes up; a pseudo-terminal has none, which is no failure.
    if (m_settings.PowerLine == QLatin1String("R") && !m_line->setRts(true))
        qCInfo(lcRig) << "RTS not raised on" << device;
    if (m_settings.PowerLine == QLatin1String("D") && !m_line->setDtr(true))
        qCInfo(lcRig) << "DTR not raised on" << device;
    const QByteArray opening = openBytes(m_settings.RigType);
    m_closeBytes = sendsYaesuOpenClose(m_settings.RigType) ? yaesuCloseBytes() : QByteArray();
    // A crash still tells the radio the program is gone.
    m_line->setEmergencyBytes(m_closeBytes);
    if (!opening.isEmpty())
        m_line->write(opening);
    return true;
}

bool Rig::openRigctld(QString& why)
{
    const QString address = rigctldAddress();
    const std::optional<rigctld::Address> parsed = rigctld::parseAddress(address);
    if (!parsed) {
        why = QStringLiteral("rigctld address \"%1\": give it as host:port, for example %2.")
                  .arg(address, rigctld::DefaultAddress);
        return false;
    }
    if (!m_rigctld) {
        m_rigctld = m_station.newTcpClient();
        connect(m_rigctld.get(), &TcpClient::connected, this, [this] { m_rigctldUp = true; });
        connect(m_rigctld.get(), &TcpClient::failed, this, &Rig::rigctldFailed);
        connect(m_rigctld.get(), &TcpClient::received, this, &Rig::dropIdleInput);
    }
    m_rigctldName = address;
    m_rigctldUp = false;
    m_poller.rigctldReplies.reset();
    m_rigctld->connectToHost(parsed->host, parsed->port);
    return true;
}

void Rig::closeLink()
{
    if (m_line && m_line->isOpen()) {
        if (!m_closeBytes.isEmpty())
            m_line->write(m_closeBytes);
        // The close command, or a request still queued, reaches the radio before the port goes.
        m_line->drain(kDrainBeforeCloseMs);
        m_line->close();
    }
    if (m_line)
        m_line->setEmergencyBytes({});
    m_closeBytes.clear();
    if (m_rigctld && m_rigctld->state() != TcpClient::State::Unconnected)
        m_rigctld->close();
    m_rigctldUp = false;
}

bool Rig::readyToSend() const
{
    switch (rigTransport(m_settings.RigType)) {
    case RigTransport::Tcp:
        return m_rigctldUp && m_poller.rigctldReplies.pending() == 0;
    case RigTransport::Serial:
        return m_line && m_line->isOpen() && m_line->bytesToWrite() == 0;
    default:
        return true;
    }
}

void Rig::sendRequest(const QByteArray& bytes)
{
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp) {
        if (m_rigctld->send(bytes) > 0)
            m_poller.rigctldReplies.expect(rigctld::kRepliesPerPoll);
        return;
    }
    if (!m_line || !m_line->isOpen())
        return;
    // Whatever is still waiting belongs to an earlier request (a reply slower than the tick, chatter): read
    // with this request's reply it would shift every later decode.
    for (int i = 0; i < 16 && m_line->bytesAvailable() > 0; ++i)
        m_line->read(kMaxReadBytes);
    m_line->write(bytes);
}

QByteArray Rig::receiveReply()
{
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp)
        return m_rigctld && m_rigctldUp ? m_rigctld->read(kMaxReadBytes) : QByteArray();
    return m_line && m_line->isOpen() ? m_line->read(kMaxReadBytes) : QByteArray();
}

void Rig::dropIdleInput()
{
    // While polling, the read tick takes what arrived; otherwise nobody asked for it.
    if (polling())
        return;
    if (changing() && m_rigctld && m_rigctldUp) {
        // A change awaits rigctld's answers: they are read as they come.
        m_poller.rigctldReplies.feed(m_rigctld->read(kMaxReadBytes), m_poller);
        return;
    }
    if (m_line && m_line->isOpen()) {
        for (int i = 0; i < 16 && m_line->bytesAvailable() > 0; ++i)
            m_line->read(kMaxReadBytes);
    }
    if (m_rigctld && m_rigctld->state() == TcpClient::State::Connected) {
        m_rigctld->read(kMaxReadBytes);
        m_poller.rigctldReplies.reset();
    }
}

void Rig::lineFailed(SerialError, const QString& reason)
{
    // The line has closed itself; nothing more may be written to it.
    m_closeBytes.clear();
    portLost(m_line->devicePath(), reason);
}

void Rig::rigctldFailed(int errorNumber, const QString& reason)
{
    const QString because = QStringLiteral("%1 (error %2)").arg(reason).arg(errorNumber);
    if (!m_rigctldUp) {
        // The connect itself failed: as a port that would not open.
        const QString name = m_rigctldName;
        const bool wasPolling = polling();
        EndTest();
        if (wasPolling)
            Q_EMIT failure({RigFailure::Kind::OpenFailed, InvalidCommText,
                            QStringLiteral("rigctld at %1: %2").arg(name, because)});
        return;
    }
    portLost(m_rigctldName, because);
}

void Rig::portLost(const QString& name, const QString& reason)
{
    const bool wasPolling = polling();
    EndTest();
    if (wasPolling)
        Q_EMIT failure(
            {RigFailure::Kind::PortLost, QStringLiteral("Rig port lost: %1 (%2)").arg(name, reason), {}});
}

} // namespace velm
