#include "rig/Rig.h"

#include "log/ContestSession.h"
#include "platform/SerialLine.h"
#include "platform/SerialPortTable.h"
#include "platform/SettingsStore.h"
#include "platform/TcpClient.h"
#include "rig/HexCodec.h"
#include "rig/PegasusFiles.h"
#include "rig/RigctldReplies.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRig, "velm.rig", QtWarningMsg)

namespace velm {

const QString Rig::InvalidCommText = QStringLiteral(
    "The comm port that you selected for rig interface is either in use, invalid or the settings that you "
    "have "
    "selected are invalid.  Please select another combination or choose None for your rig selection.");
const QString Rig::InvalidCommTitle = QStringLiteral("Invalid Comm Settings.");
const QString Rig::NoResponse = QStringLiteral("No Response");
const QString Rig::ChangeFrequencyTitle = QStringLiteral("Error Changing Frequency");
const QString Rig::ChangeModeTitle = QStringLiteral("Error Changing Mode");

Rig::Rig(ContestSession& session, Services services, StationServices station, QObject* parent)
    : QObject(parent), m_session(session), m_services(services), m_station(std::move(station)),
      m_file(session.programFolder().path()), m_choices(designDefaultChoices())
{
    m_tmrGetData.setTimerType(Qt::PreciseTimer);
    connect(&m_tmrGetData, &QTimer::timeout, this, &Rig::PollTick);
}

Rig::~Rig()
{
    m_tmrGetData.stop();
    closeLink();
}

// ---- RigPort and lifecycle ----

QString Rig::RigType() const
{
    // Until RigCntrl.txt is read the type is the one saved with the preferences.
    return m_loaded ? m_settings.RigType : m_session.preferences().RigType;
}

QString Rig::startUp()
{
    if (m_session.preferences().RigType.compare(rigtype::None, Qt::CaseInsensitive) == 0)
        return {};
    ensureLoaded();
    StartTest();
    return {};
}

void Rig::shutdown()
{
    ++m_pollGeneration;
    m_tmrGetData.stop();
    closeLink();
}

// ---- Settings ----

void Rig::ensureLoaded()
{
    if (!m_loaded)
        LoadRigSettings();
}

void Rig::LoadRigSettings()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_settings.RigType = m_session.preferences().RigType;
    FileResult result;
    const int fields = m_file.read(m_settings, &result);
    if (!result.ok)
        qCInfo(lcRig) << "rig settings read up to field" << fields << ":" << result.error;
    m_choices = designDefaultChoices();
    selectStoredSettings(m_choices, m_settings, fields);
    loadBandPlanTable();
    Q_EMIT changed(RigChange::Settings);
}

FileResult Rig::SaveRigSettings()
{
    ensureLoaded();
    takeCheckBoxes(m_settings, m_choices);
    return m_file.save(m_settings);
}

FileResult Rig::Done()
{
    ensureLoaded();
    if (m_settings.RigType != rigtype::None)
        StartTest();
    m_session.setRigType(m_settings.RigType); // a failed save is told by the session, as every SavePref
    return SaveRigSettings();
}

void Rig::ApplyRigPreset(const QString& rigType)
{
    ensureLoaded();
    EndTest();
    applyRigPreset(m_settings, m_choices, rigType);
    Q_EMIT changed(RigChange::Settings);
}

void Rig::chooseOption(RigOption group, int index)
{
    ensureLoaded();
    EndTest();
    m_choices[group] = index;
    Q_EMIT changed(RigChange::Settings);
}

void Rig::setFrequencyQuery(const QString& text)
{
    m_settings.FrequencyQuery = text;
}

void Rig::setModeQuery(const QString& text)
{
    m_settings.ModeQuery = text;
}

void Rig::setConvertToHex(bool on)
{
    m_choices.convertToHex = on;
    m_choices.convertFromHex = on;
    Q_EMIT changed(RigChange::Settings);
}

void Rig::setConvertFromHex(bool on)
{
    m_choices.convertFromHex = on;
}

void Rig::setUseFrequency(bool on)
{
    m_choices.useFrequency = on;
}

void Rig::setModeBy(ModeBy modeBy)
{
    m_choices.modeBy = modeBy;
    m_poller.RigMode.clear();
    RigReadouts readouts = m_readouts;
    readouts.mode = NoResponse;
    setReadouts(readouts);
}

QString Rig::rigctldAddress() const
{
    return rigctld::rigctldAddress(m_services.settings);
}

void Rig::setRigctldAddress(const QString& address)
{
    if (address.trimmed() == rigctldAddress())
        return;
    EndTest();
    m_services.settings.setValue(rigctld::AddressKey, address.trimmed());
}

QString Rig::pegasusFolder() const
{
    return velm::pegasusFolder(m_services.settings);
}

// ---- Test ----

void Rig::StartTest()
{
    ensureLoaded();
    const bool none = m_settings.RigType == rigtype::None;
    if (!none) {
        m_poller.RigMode.clear();
        setReadouts({NoResponse, NoResponse, m_readouts.unprocessed});
    }
    takeChoices(m_settings, m_choices);
    if (none)
        return;
    if (rigTransport(m_settings.RigType) != RigTransport::Files && !OpenRigPort()) {
        // OpenRigPort has said why; the port stays closed and nothing polls.
        Q_EMIT changed(RigChange::Polling);
        return;
    }
    PollTick();
    StartPolling();
}

bool Rig::OpenRigPort()
{
    QString why;
    if (openLink(why))
        return true;
    qCInfo(lcRig) << "rig port not opened:" << why;
    Q_EMIT failure({RigFailure::Kind::OpenFailed, InvalidCommText, why});
    return false;
}

void Rig::StartPolling()
{
    ++m_pollGeneration;
    m_tmrGetData.start(pollIntervalMs(m_settings.PollRate));
    Q_EMIT changed(RigChange::Polling);
}

int Rig::pollIntervalMs(const QString& pollRate)
{
    if (pollRate == QLatin1String("F"))
        return 50;
    if (pollRate == QLatin1String("S"))
        return 1000;
    if (pollRate == QLatin1String("R"))
        return 5000;
    return 250;
}

void Rig::EndTest()
{
    // A change in progress has paused the timer; it is ended too.
    const bool wasPolling = polling() || changing();
    ++m_pollGeneration;
    m_tmrGetData.stop();
    closeLink();
    setReadouts({});
    if (wasPolling)
        Q_EMIT changed(RigChange::Polling);
}

// ---- The polling cycle ----

void Rig::PollTick()
{
    // A message box opened while the session follows the radio runs its own event loop; the timer must not
    // start a second tick inside the first.
    if (m_inTick)
        return;
    m_inTick = true;
    if (!m_poller.AwaitingReply)
        sendTick();
    else
        readTick();
    m_inTick = false;
}

void Rig::sendTick()
{
    if (readyToSend()) {
        const PollRequest request = m_poller.request(m_settings, m_choices.convertToHex);
        if (request.outcome == PollRequest::Outcome::BadHex)
            return; // AwaitingReply stays false: the same request is tried on the next tick
        if (request.outcome == PollRequest::Outcome::Send)
            sendRequest(request.bytes);
    }
    m_poller.AwaitingReply = true;
}

void Rig::readTick()
{
    const bool pegasus = rigFamily(m_settings.RigType) == RigFamily::Pegasus;
    if (!pegasus)
        m_poller.ReplyBuffer = receiveReply();
    if (pegasus || !m_poller.ReplyBuffer.isEmpty()) {
        m_poller.decode(m_settings, pegasus ? pegasusFolder() : QString());
        if (m_choices.modeBy == ModeBy::Frequency)
            m_poller.ModeFromFrequency();
        RigReadouts readouts = m_readouts;
        if (m_poller.RigFrequency > 0)
            readouts.frequency = QString::number(double(m_poller.RigFrequency), 'f', 5);
        readouts.mode = m_poller.RigMode;
        readouts.unprocessed = unprocessedText(m_poller.ReplyBuffer, m_choices.convertFromHex);
        setReadouts(readouts);
        // Without a frequency read yet ("Other", a mode-only reply, no Pegasus file) the log would store
        // "0.000" with every contact.
        if (m_choices.useFrequency && m_poller.RigFrequency > 0)
            m_session.BandFreqConversion(m_poller.RigFrequency);
        if (m_choices.modeBy != ModeBy::DontUse)
            m_session.ModeSelection(m_poller.RigMode);
    }
    if (rigFamily(m_settings.RigType) == RigFamily::Rigctld)
        m_poller.rigctldReplies.tickPassed();
    m_poller.ReplyBuffer.clear();
    m_poller.AwaitingReply = false;
}

void Rig::setReadouts(const RigReadouts& readouts)
{
    if (readouts == m_readouts)
        return;
    m_readouts = readouts;
    Q_EMIT changed(RigChange::Readouts);
}

QString Rig::unprocessedText(QByteArrayView bytes, bool asHex)
{
    if (asHex)
        return BytesToHexSpaced(bytes.first(qMin<qsizetype>(bytes.size(), kMaxUnprocessedChars / 3 + 1)))
            .left(kMaxUnprocessedChars);
    QString text;
    text.reserve(qMin<qsizetype>(bytes.size(), kMaxUnprocessedChars));
    for (const char c : bytes) {
        if (text.size() >= kMaxUnprocessedChars)
            break;
        const auto byte = quint8(c);
        if (byte < 32 || byte == 127)
            text += QStringLiteral("<%1>").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        else
            text += QChar(byte); // Latin-1
    }
    return text.left(kMaxUnprocessedChars);
}

} // namespace velm
