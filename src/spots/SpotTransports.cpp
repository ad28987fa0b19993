// The spotting window's three transports: the TNC on a serial line, the Telnet cluster on a TCP connection,
// and the AGW Packet Engine.
#include "spots/SpotConnection.h"

#include "log/WriteFormat.h"
#include "platform/AgwEngine.h"
#include "platform/Prompts.h"
#include "platform/SerialLine.h"
#include "platform/SerialPortTable.h"
#include "platform/SettingsStore.h"
#include "platform/TcpClient.h"
#include "spots/SpotTexts.h"

namespace velm {

namespace {

Handshake handshakeOf(int option)
{
    switch (option) {
    case 2:
        return Handshake::XonXoff;
    case 3:
        return Handshake::RtsCts;
    case 4:
        return Handshake::RtsCtsXonXoff;
    default:
        return Handshake::None;
    }
}

// A TCP port as typed: a plain decimal number from 1 to 65535.
std::optional<quint16> telnetPortOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 5)
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int port = trimmed.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

} // namespace

// --- TNC ---

void SpotConnection::openTnc()
{
    const std::optional<SerialLineSettings> lineSettings =
        parseSerialSettings(m_settings.serialSettingsText());
    const QString device = m_station.serialPorts.devicePath(m_settings.port);
    const int handshake = m_settings.handshake;
    QString failure;
    m_serial->close();
    if (!lineSettings) {
        failure = QStringLiteral("the settings %1 are not valid").arg(m_settings.serialSettingsText());
    } else if (!m_serial->open(device, *lineSettings, handshakeOf(handshake))) {
        failure = serialOpenFailureText(device, m_serial->error(), m_serial->errorString());
    } else {
        // The line opened with RTS and DTR off; handshaking and the interface's power raise them again.
        if (handshake == 3 || handshake == 4 || m_settings.power == QLatin1String("R"))
            m_serial->setRts(true);
        if (m_settings.power == QLatin1String("D"))
            m_serial->setDtr(true);
        Timer1.start();
        m_traffic.append(spottext::kTncOpen);
        return;
    }
    m_services.prompts.beep();
    m_traffic.append(spottext::kTncUnable);
    // Closed first, then the window and the message: whatever the operator opens meanwhile stays open.
    CloseSpotSource();
    Timer1.stop();
    Q_EMIT windowWanted();
    notifyTraffic();
    m_services.prompts.detailedMessage(spottext::kInvalidComm, failure, spottext::kInvalidCommTitle,
                                       MessageIcon::Warning);
}

void SpotConnection::readTnc()
{
    if (!m_serial->isOpen())
        return;
    const QByteArray received = m_serial->read(kReadChunk);
    if (received.isEmpty())
        return;
    m_paths.SpotLineProcessor(received);
    notifyTraffic();
}

void SpotConnection::tncFailed(SerialError, const QString& reason)
{
    if (!m_open)
        return;
    // The port is gone (an unplugged adapter): closed at once, once, with the reason.
    m_traffic.append(QStringLiteral("\r\n** TNC Serial Port lost: %1 **\r\n").arg(reason));
    m_services.prompts.beep();
    CloseSpotSource();
    notifyTraffic();
}

// --- Telnet ---

void SpotConnection::connectTelnet()
{
    m_tcp->close();
    const QString host = m_settings.telnetHost.trimmed();
    const std::optional<quint16> port = telnetPortOf(m_settings.telnetPort);
    if (!port) {
        telnetFailed(SocketError::InvalidProperty, QStringLiteral("the port is not 1 to 65535"));
        return;
    }
    m_tcp->connectToHost(host, *port);
    m_traffic.replace(QStringLiteral("Attempting connection to: %1:%2\r\n\r\n").arg(host).arg(*port));
    Timer1.start(); // here it only keeps the band map's ages moving
}

void SpotConnection::readTelnet()
{
    // Bounded work per event, so a flood never holds the window; the rest is read on the next pass.
    qint64 taken = 0;
    while (m_tcp->bytesAvailable() > 0 && taken < 4 * kReadChunk) {
        const QByteArray received = m_tcp->read(kReadChunk);
        if (received.isEmpty())
            break;
        taken += received.size();
        m_paths.telnetReceived(received);
    }
    notifyTraffic();
    if (m_tcp->bytesAvailable() > 0 && !m_telnetReadQueued) {
        m_telnetReadQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_telnetReadQueued = false;
                readTelnet();
            },
            Qt::QueuedConnection);
    }
}

void SpotConnection::telnetFailed(int errorNumber, const QString&)
{
    if (!m_open || m_settings.source != SpotSourceName::Telnet)
        return;
    // What arrived before the server closed still counts; the line it cut off is shown, not parsed.
    while (m_tcp->bytesAvailable() > 0) {
        const QByteArray received = m_tcp->read(kReadChunk);
        if (received.isEmpty())
            break;
        m_paths.telnetReceived(received);
    }
    m_paths.telnetEnded();
    m_tcp->close();
    m_traffic.append(spottext::telnetError(errorNumber));
    CloseSpotSource();
    m_traffic.TrimTrafficBox();
    m_services.prompts.beep();
    notifyTraffic();
}

void SpotConnection::sendTelnet(const QString& text)
{
    if (m_tcp->state() == TcpClient::State::Connected) {
        m_tcp->send(text.toUtf8() + "\r\n");
        return;
    }
    m_traffic.append(spottext::kNotYetConnected);
    m_traffic.TrimTrafficBox();
}

// --- AGW Packet Engine ---

void SpotConnection::openAgw()
{
    const QString call = ownCall().toUpper();
    if (call.isEmpty()) {
        m_services.prompts.beep();
        setOpen(false); // nothing was opened, so nothing is listening
        m_services.prompts.message(spottext::kCallRequired, spottext::kCallRequiredTitle,
                                   MessageIcon::Warning);
        return;
    }
    if (!validAgwCall(call.toLatin1())) {
        m_services.prompts.beep();
        setOpen(false);
        m_traffic.append(spottext::agwCallRefused(call));
        return;
    }
    const QString host = m_services.settings.value(kAgwHostKey, QStringLiteral("127.0.0.1")).trimmed();
    bool portOk = false;
    const uint port =
        m_services.settings.value(kAgwPortKey, QString::number(AgwEngine::kDefaultPort)).toUInt(&portOk);
    if (portOk && port >= 1 && port <= 65535 && m_agw.startPoll(host, quint16(port), call.toLatin1())) {
        Timer1.start();
        m_traffic.append(spottext::kAgwConnected);
        return;
    }
    const QString reason = portOk && port >= 1 && port <= 65535
                               ? m_agw.errorString()
                               : QStringLiteral("the engine's port %1 is not 1 to 65535")
                                     .arg(m_services.settings.value(kAgwPortKey));
    m_agw.close();
    setOpen(false);
    m_traffic.append(spottext::agwUnableTraffic());
    Timer1.stop();
    Q_EMIT windowWanted();
    notifyTraffic();
    m_services.prompts.detailedMessage(spottext::agwUnableMessage(),
                                       QStringLiteral("%1:%2: %3").arg(host).arg(port).arg(reason),
                                       spottext::kAgwUnableTitle, MessageIcon::Warning);
}

void SpotConnection::sendAgw(const QString& text)
{
    if (text.startsWith(QLatin1Char(':'))) {
        const QString letter = text.mid(1, 1).toUpper();
        const QString argument = text.mid(2).trimmed();
        if (letter == QLatin1String("D")) {
            if (!m_connectedCall.isEmpty())
                m_agw.putData(m_connectedCall.toLatin1(), {}, 'd');
        } else if (letter == QLatin1String("C")) {
            if (argument.isEmpty()) {
                m_services.prompts.message(spottext::kConnectCallRequired,
                                           spottext::kConnectCallRequiredTitle, MessageIcon::Warning);
                return;
            }
            const QString call = argument.toUpper();
            if (!validAgwCall(call.toLatin1())) {
                m_traffic.append(spottext::agwCallRefused(call));
                m_traffic.TrimTrafficBox();
                return;
            }
            m_agw.putData(call.toLatin1(), {}, 'c');
            m_agw.putData(call.toLatin1(), {}, 'P');
        }
        return;
    }
    if (!m_connectedCall.isEmpty())
        m_agw.putData(m_connectedCall.toLatin1(), text.toUtf8() + '\r', 'D');
}

void SpotConnection::pollAgw()
{
    for (int n = 0; n < kFramesPerTick && m_agw.isOpen(); ++n) {
        const std::optional<AgwFrame> frame = m_agw.getData();
        if (!frame)
            break;
        const QString sender = QString::fromLatin1(frame->callFrom);
        const QString data = decodeText(frame->data);
        const QString frameText = QChar::fromLatin1(frame->kind) + sender + QLatin1Char(' ') + data;
        m_paths.agwFrame(data, frameText, sender, m_connectedCall);
        if (frame->kind == 'd' && !m_connectedCall.isEmpty() &&
            sender.compare(m_connectedCall, Qt::CaseInsensitive) == 0) {
            m_services.prompts.beep();
            m_services.prompts.beep();
            m_traffic.append(QStringLiteral("\r\n** Disconnected from %1 **\r\n").arg(m_connectedCall));
            m_traffic.TrimTrafficBox();
            m_connectedCall.clear();
            setCaption(spottext::kCaption);
        } else if (frame->kind == 'c' && m_connectedCall.isEmpty()) {
            m_connectedCall = sender;
            m_traffic.append(QStringLiteral("** Connected to %1 **").arg(sender));
            setCaption(spottext::kConnectedCaption + sender);
            m_traffic.TrimTrafficBox();
            m_services.prompts.beep();
        }
    }
    notifyTraffic();
}

void SpotConnection::agwLost(const QString& reason)
{
    if (!m_open || m_settings.source != SpotSourceName::Agw)
        return;
    m_traffic.append(spottext::kAgwLost);
    if (!reason.isEmpty())
        m_traffic.append(QStringLiteral("(%1)\r\n").arg(reason));
    m_connectedCall.clear(); // nobody to say goodbye to: the engine is gone
    m_services.prompts.beep();
    CloseSpotSource();
    notifyTraffic();
}

} // namespace velm
