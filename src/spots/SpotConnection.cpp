// The spotting window's operations: settings, source choice, open and close, keys, sending, the poll and
// DispatchSpot. The three transports are in SpotTransports.cpp.
#include "spots/SpotConnection.h"

#include "log/ContestSession.h"
#include "platform/AgwEngine.h"
#include "platform/Prompts.h"
#include "platform/SerialLine.h"
#include "platform/TcpClient.h"
#include "spots/SpotStore.h"
#include "spots/SpotTexts.h"

namespace velm {

namespace {

QString trimmedBlanks(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

bool isChosen(const QString& source)
{
    return !source.isEmpty() && source != SpotSourceName::None;
}

} // namespace

SpotConnection::SpotConnection(Services services, StationServices station, AgwEngine& agw,
                               ContestSession& session, SpotStore& store, QObject* parent)
    : QObject(parent), m_services(services), m_station(std::move(station)), m_agw(agw), m_session(session),
      m_store(store), m_serial(m_station.newSerialLine()), m_tcp(m_station.newTcpClient()),
      m_file(session.programFolder().path()),
      m_paths(m_traffic,
              [this](const SpotFields& fields, const QString& line) { DispatchSpot(fields, line); }),
      m_caption(spottext::kWindowTitle)
{
    Timer1.setInterval(kPollIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &SpotConnection::PollSpotSource);
    connect(m_serial.get(), &SerialLine::failed, this, &SpotConnection::tncFailed);
    connect(m_tcp.get(), &TcpClient::received, this, &SpotConnection::readTelnet);
    connect(m_tcp.get(), &TcpClient::failed, this, &SpotConnection::telnetFailed);
    connect(&m_agw, &AgwEngine::lost, this, &SpotConnection::agwLost);
}

SpotConnection::~SpotConnection()
{
    shutdown();
}

QString SpotConnection::sendCaption() const
{
    return spottext::sendCaption(m_settings.source);
}

QString SpotConnection::ownCall() const
{
    return m_session.preferences().OwnCall.trimmed();
}

void SpotConnection::setOpen(bool open)
{
    m_open = open;
    Q_EMIT changed();
}

void SpotConnection::setCaption(const QString& caption)
{
    m_caption = caption;
    Q_EMIT changed();
}

void SpotConnection::refreshControls()
{
    const QString& source = m_settings.source;
    m_controls = SpotControls{};
    m_controls.serial = m_controls.commandHex = source == SpotSourceName::Tnc;
    m_controls.telnet = source == SpotSourceName::Telnet;
    m_controls.portButtons = isChosen(source);
}

void SpotConnection::LoadSpotSettings()
{
    m_loaded = true;
    m_controls = SpotControls{};
    m_loading = true;
    SpotSettings read;
    const FileResult loaded = m_file.LoadSpotSettings(read);
    if (!loaded.ok && m_file.unreadable()) {
        // The window keeps its design state; the file stays as it is until it reads again.
        m_traffic.replace(
            QStringLiteral("** The spotting settings were not loaded: %1 **\r\n\r\n").arg(loaded.error));
    }
    if (loaded.ok) {
        read.dxOnly = 0; // the box starts unchecked whatever the file says
        m_settings = read;
        m_paths.setDxOnly(false);
        if (!m_settings.source.isEmpty())
            List1_Click(m_settings.source);
        refreshControls();
        if (isChosen(m_settings.source))
            OpenSpotSource();
    }
    m_loading = false;
    m_paths.reset();
    Q_EMIT changed();
    notifyTraffic();
}

FileResult SpotConnection::SaveSpotSettings()
{
    return m_file.SaveSpotSettings(m_settings);
}

void SpotConnection::closeLinks()
{
    m_serial->close();
    m_tcp->close();
    if (m_agw.isOpen()) {
        if (!m_connectedCall.isEmpty())
            m_agw.putData(m_connectedCall.toLatin1(), {}, 'd');
        m_agw.close();
    }
    m_connectedCall.clear();
    Timer1.stop();
}

void SpotConnection::OpenSpotSource()
{
    // Whatever is open closes first, so a second open never leaves a link behind.
    if (m_open)
        CloseSpotSource();
    else
        closeLinks();
    m_traffic.replace(spottext::kAttempting);
    m_paths.reset();
    const QString source = m_settings.source;
    if (isChosen(source)) {
        setOpen(true);
        Q_EMIT sendFieldWanted();
    }
    if (source == SpotSourceName::Tnc)
        openTnc();
    else if (source == SpotSourceName::Agw)
        openAgw();
    else if (source == SpotSourceName::Telnet)
        connectTelnet();
    Q_EMIT changed();
    notifyTraffic();
}

void SpotConnection::CloseSpotSource()
{
    if (!m_open)
        return;
    m_open = false;
    m_traffic.append(spottext::kPortClosed);
    m_traffic.TrimTrafficBox();
    if (m_settings.source == SpotSourceName::Agw)
        m_caption = spottext::kCaption;
    closeLinks();
    Q_EMIT changed();
    notifyTraffic();
}

void SpotConnection::List1_Click(const QString& source)
{
    m_settings.dxOnly = 0;
    m_paths.setDxOnly(false);
    if (!m_loading) {
        CloseSpotSource();
        m_controls = SpotControls{};
        m_settings.source = source;
        if (source == SpotSourceName::Tnc)
            applyTncPresets(m_settings);
    }
    m_traffic.replace(spottext::help(source));
    m_traffic.setCaret(1);
    refreshControls();
    Q_EMIT changed();
    notifyTraffic();
}

void SpotConnection::option(const std::function<void()>& change)
{
    if (!m_loading)
        CloseSpotSource();
    change();
    Q_EMIT changed();
}

void SpotConnection::setBaud(const QString& baud)
{
    option([&] { m_settings.baud = baud; });
}

void SpotConnection::setParity(const QString& parity)
{
    option([&] { m_settings.parity = parity; });
}

void SpotConnection::setDataBits(const QString& bits)
{
    option([&] { m_settings.dataBits = bits; });
}

void SpotConnection::setStopBits(const QString& bits)
{
    option([&] { m_settings.stopBits = bits; });
}

void SpotConnection::setPort(int port)
{
    option([&] { m_settings.port = quint8(qBound(1, port, 10)); });
}

void SpotConnection::setPower(const QString& power)
{
    option([&] { m_settings.power = power; });
}

void SpotConnection::setHandshake(int handshake)
{
    option([&] { m_settings.handshake = quint8(qBound(1, handshake, 4)); });
}

void SpotConnection::setDxOnly(bool on)
{
    m_settings.dxOnly = on ? 1 : 0;
    m_paths.setDxOnly(on);
    Q_EMIT changed();
}

void SpotConnection::setListDisplay(bool list)
{
    m_settings.listDisplay = list;
    Q_EMIT changed();
}

SpotLastText SpotConnection::Command3_Click() const
{
    const LogStore& log = m_session.store();
    const QString call = log.QsoCount() > 0 ? log.record(log.QsoCount()).Call : QString();
    return {QStringLiteral("DX ") + spottext::kSpotLastFrequency + call, 3, 16};
}

void SpotConnection::cmdDone_Click()
{
    if (isChosen(m_settings.source) && !m_open)
        OpenSpotSource();
    m_session.SavePref(); // a failure is told by the main window
    const FileResult saved = SaveSpotSettings();
    if (!saved.ok)
        m_services.prompts.message(
            QStringLiteral("The spotting settings were not saved.\n\n%1").arg(saved.error),
            QStringLiteral("Settings Not Saved"), MessageIcon::Warning);
    Q_EMIT PacketResize();
}

void SpotConnection::Form_Activate()
{
    if (!isChosen(m_settings.source))
        return;
    m_traffic.TrimTrafficBox();
    notifyTraffic();
    Q_EMIT sendFieldWanted();
}

bool SpotConnection::commandModeKey()
{
    setDxOnly(false);
    if (!m_open)
        OpenSpotSource();
    if (m_settings.source != SpotSourceName::Tnc || !m_serial->isOpen())
        return false;
    const QString hex = m_settings.commandHex.trimmed();
    bool ok = false;
    const uint code = hex.toUInt(&ok, 16);
    if (hex.isEmpty() || hex.size() > 2 || !ok)
        return false;
    for (const QChar c : hex) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false; // toUInt would take "0x" and blanks
    }
    m_serial->write(QByteArray(1, char(code)));
    return true;
}

void SpotConnection::txtSent_Enter(const QString& text)
{
    if (!m_open)
        OpenSpotSource();
    const QString& source = m_settings.source;
    if (source == SpotSourceName::Tnc && m_serial->isOpen())
        m_serial->write(text.toUtf8() + '\r');
    else if (source == SpotSourceName::Telnet)
        sendTelnet(text);
    else if (source == SpotSourceName::Agw && Timer1.isActive())
        sendAgw(text);
    notifyTraffic();
}

bool SpotConnection::txtSent_Change(const QString& text)
{
    if (m_settings.source != SpotSourceName::Agw || !Timer1.isActive() || text.size() <= kWrapLength ||
        !text.endsWith(QLatin1Char(' ')))
        return false;
    sendAgw(text.chopped(1));
    notifyTraffic();
    return true;
}

void SpotConnection::PollSpotSource()
{
    if (m_settings.source == SpotSourceName::Tnc)
        readTnc();
    else if (m_settings.source == SpotSourceName::Agw)
        pollAgw();
    m_labelUpdateTimeCounter += 1;
    if (m_labelUpdateTimeCounter > kRedrawTicks) {
        m_labelUpdateTimeCounter = 0;
        Q_EMIT bandMapRedrawDue();
    }
}

void SpotConnection::DispatchSpot(const SpotFields& fields, const QString& line)
{
    m_labelUpdateTimeCounter = 0;
    const QString record = trimmedBlanks(line.mid(3));
    const SpotStore::Outcome outcome = m_store.BandMapSpots(fields.call, fields.frequency, record, ownCall());
    if (outcome.ownCall) {
        m_services.prompts.beep();
        const qsizetype cr = record.indexOf(QLatin1Char('\r'));
        Q_EMIT ownCallSpotted(cr < 0 ? record : record.left(cr));
    }
}

void SpotConnection::shutdown()
{
    // Program end: the AGW link says goodbye to its station; every line and socket is let go.
    m_open = false;
    closeLinks();
}

} // namespace velm
