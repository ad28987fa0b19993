// The voice keyer: FKeyPhone, the playback watcher, the repeat and the PTT lines.

#include "transmit/PhoneKeyer.h"

#include "log/BandMode.h"
#include "log/ContestSession.h"
#include "platform/ParallelPort.h"
#include "platform/Prompts.h"
#include "platform/SerialLine.h"
#include "platform/SerialPortTable.h"
#include "platform/WaveFileInfo.h"
#include "platform/WavePlayer.h"
#include "transmit/CwSettings.h"

#include <QDir>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcVoice, "velm.transmit.voice", QtWarningMsg)

namespace velm {

PhoneKeyer::PhoneKeyer(PhoneKeyerContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context)), m_serial(m_context.station.newSerialLine())
{
    m_rts = std::make_unique<SerialKeyLine>(*m_serial, ModemLine::Rts);
    m_dtr = std::make_unique<SerialKeyLine>(*m_serial, ModemLine::Dtr);
    Timer1.setInterval(kWatcherMs);
    connect(&Timer1, &QTimer::timeout, this, &PhoneKeyer::watch);
    tmrRepeat.setSingleShot(true);
    connect(&tmrRepeat, &QTimer::timeout, this, [this] {
        if (m_voiceRepeat && phoneMode())
            FKeyPhone(kF1Code);
    });
    m_overrun.setSingleShot(true);
    connect(&m_overrun, &QTimer::timeout, this, [this] {
        qCWarning(lcVoice) << "the sound did not end in time; the transmitter is released";
        m_context.player.stop();
        playEnded();
    });
    connect(&m_context.player, &WavePlayer::playingEnded, this, &PhoneKeyer::watch);
    connect(m_serial.get(), &SerialLine::failed, this, [this](SerialError, const QString& reason) {
        // The port is closed already: the play ends, nothing repeats on a dead line.
        const bool wasPlaying = m_playing;
        m_voiceRepeat = false;
        tmrRepeat.stop();
        if (wasPlaying) {
            m_context.player.stop();
            playEnded();
        }
        releasePtt();
        if (wasPlaying)
            invalidPort(reason);
    });
    // A mode switch to CW by mouse ends the phone repeat: it would key phone in CW.
    connect(&m_context.session, &ContestSession::changed, this, [this](SessionChanges what) {
        if (what.testFlag(SessionChange::BandMode) && !phoneMode())
            stopVoiceRepeat();
    });
    m_context.ports.setCloser(TransmitPath::Voice, [this] {
        stopVoice();
        closePttPort();
    });
}

PhoneKeyer::~PhoneKeyer()
{
    m_context.ports.setCloser(TransmitPath::Voice, {});
    shutdown();
}

bool PhoneKeyer::phoneMode() const
{
    return modeFromText(m_context.session.preferences().CurrentMode) == Mode::Phone;
}

SerialPortTable& PhoneKeyer::serialPorts()
{
    return m_context.station.serialPorts;
}

// --- Playing ---

void PhoneKeyer::FKeyPhone(int keyCode)
{
    if (keyCode < kF1Code || keyCode > kF9Code || m_stopping)
        return;
    // The play in progress ends; its PTT is held until it is known whether another play follows.
    m_playing = false;
    Timer1.stop();
    m_overrun.stop();
    m_context.player.close();
    if (keyCode == kF1Code && repeatSecondsOf(m_settings.repeatText).value_or(0) > 0)
        m_voiceRepeat = true;
    const QString path = m_settings.files[std::size_t(keyCode - kF1Code)].trimmed();
    // File and player first: nothing is keyed for a file that cannot play.
    const WaveFileCheck wave = path.isEmpty() ? WaveFileCheck{} : readWaveFileInfo(path);
    if (!wave.ok() || !m_context.player.open(path)) {
        if (!path.isEmpty())
            qCDebug(lcVoice) << path << (wave.ok() ? m_context.player.errorString() : wave.problem);
        releasePtt();
        Q_EMIT stateChanged();
        return;
    }
    if (!keyPtt() || !m_context.player.play()) {
        m_context.player.close();
        releasePtt();
        Q_EMIT stateChanged();
        return;
    }
    m_playing = true;
    Timer1.start();
    m_overrun.start(int(std::min<qint64>(wave.format->durationMs() + kOverrunMs, 3600 * 1000)));
    Q_EMIT stateChanged();
}

void PhoneKeyer::watch()
{
    if (m_playing && !m_context.player.isPlaying())
        playEnded();
}

void PhoneKeyer::playEnded()
{
    if (!m_playing)
        return;
    m_playing = false;
    Timer1.stop();
    m_overrun.stop();
    releasePtt();
    if (m_voiceRepeat && !m_stopping) {
        if (const double seconds = repeatSecondsOf(m_settings.repeatText).value_or(0); seconds > 0)
            tmrRepeat.start(int(seconds * 1000));
    }
    Q_EMIT stateChanged();
}

void PhoneKeyer::stopVoice()
{
    if (!m_playing)
        return;
    m_context.player.stop();
    playEnded();
}

void PhoneKeyer::stopVoiceRepeat()
{
    m_voiceRepeat = false;
    tmrRepeat.stop();
    Q_EMIT stateChanged();
}

// --- PTT ---

// Keys the lines the settings ask for: RTS or DTR of the PTT port when its number is above 0, and the
// parallel port with "Parallel". Lines a previous play keyed stay keyed (no release edge between two plays).
bool PhoneKeyer::keyPtt()
{
    std::vector<KeyLine*> wanted;
    if (pttPortOf(m_settings.portText) > 0) {
        if (!pttPortOpen() && !OpenPttPort())
            return false;
        wanted.push_back(m_settings.line == PttLine::Dtr ? m_dtr.get() : m_rts.get());
    }
    if (m_settings.line == PttLine::Parallel) {
        // An address that is neither decimal nor "&H" hexadecimal writes nothing.
        if (const std::optional<quint16> base = parseIoAddress(m_settings.parallelAddress)) {
            if (m_parallel && m_parallel->baseAddress() != *base) {
                if (std::erase(m_keyed, m_parallel.get()) > 0)
                    m_parallel->setKeyed(false);
                m_parallel.reset();
            }
            if (!m_parallel)
                m_parallel = std::make_unique<ParallelKeyLine>(m_context.station.parallelPort, *base);
            wanted.push_back(m_parallel.get());
        }
    }
    for (KeyLine* line : m_keyed) {
        if (std::find(wanted.begin(), wanted.end(), line) == wanted.end())
            line->setKeyed(false);
    }
    m_keyed.clear();
    for (KeyLine* line : wanted) {
        m_keyed.push_back(line);
        if (line->isKeyed())
            continue;
        if (!line->setKeyed(true)) {
            const QString why = line == m_parallel.get() ? m_context.station.parallelPort.errorString()
                                                         : m_serial->errorString();
            releasePtt();
            invalidPort(why.isEmpty() ? QStringLiteral("The PTT line could not be keyed.") : why);
            return false;
        }
    }
    return true;
}

void PhoneKeyer::releasePtt()
{
    for (KeyLine* line : m_keyed)
        line->setKeyed(false);
    m_keyed.clear();
}

bool PhoneKeyer::pttPortOpen() const
{
    return m_serial->isOpen();
}

bool PhoneKeyer::OpenPttPort()
{
    const int number = pttPortOf(m_settings.portText);
    if (number <= 0)
        return true;
    m_context.ports.opening(TransmitPath::Voice);
    closePttPort();
    const QString device = m_context.station.serialPorts.devicePath(number);
    if (!m_serial->open(device)) {
        invalidPort(serialOpenFailureText(device, m_serial->error(), m_serial->errorString()));
        return false;
    }
    return true;
}

void PhoneKeyer::closePttPort()
{
    for (KeyLine* line : {static_cast<KeyLine*>(m_rts.get()), static_cast<KeyLine*>(m_dtr.get())}) {
        if (std::erase(m_keyed, line) > 0 || line->isKeyed())
            line->setKeyed(false);
    }
    if (m_serial->isOpen())
        m_serial->close();
}

void PhoneKeyer::invalidPort(const QString& details)
{
    qCDebug(lcVoice) << kInvalidPortTitle << details;
    Prompts& prompts = m_context.services.prompts;
    prompts.beep();
    prompts.detailedMessage(kInvalidPortText, details, kInvalidPortTitle, MessageIcon::Information);
    Q_EMIT setupWindowWanted();
}

// --- Settings ---

QString PhoneKeyer::startUp()
{
    WaveSettingsFile file(m_context.session.programFolder().path());
    // A file that does not read leaves the rest at their defaults and is kept as it is until "Done".
    if (const FileResult read = file.read(m_settings); !read.ok)
        qCWarning(lcVoice) << read.error;
    Q_EMIT settingsChanged();
    return {};
}

FileResult PhoneKeyer::Command1_Click(QString* notice)
{
    WaveSettingsFile file(m_context.session.programFolder().path());
    QString keptAs;
    const FileResult result = file.write(m_settings, &keptAs);
    if (notice)
        *notice = keptAs.isEmpty() ? QString()
                                   : QStringLiteral("%1 could not be read when the program started; it is kept as %2 "
                                                    "and your settings are saved in a new %1.")
                                         .arg(QDir::toNativeSeparators(file.path()),
                                              QDir::toNativeSeparators(keptAs));
    return result;
}

bool PhoneKeyer::setMessageFile(int index, const QString& path)
{
    if (index < 0 || index >= kVoiceMessageCount || !storablePath(path))
        return false;
    m_settings.files[std::size_t(index)] = path;
    return true;
}

QString PhoneKeyer::leavePortField(const QString& text)
{
    m_settings.portText = numberOrZero(text);
    // Whatever the new number, the old port is given up: a port changed to 0 must not stay keyed.
    stopVoice();
    closePttPort();
    OpenPttPort();
    return m_settings.portText;
}

void PhoneKeyer::setPttLine(PttLine line)
{
    m_settings.line = line;
}

bool PhoneKeyer::leaveRepeatField(const QString& text)
{
    if (repeatSecondsOf(text)) {
        m_settings.repeatText = text;
        return true;
    }
    m_settings.repeatText = QStringLiteral("0");
    m_context.services.prompts.beep();
    return false;
}

QString PhoneKeyer::setParallelAddress(const QString& text)
{
    m_settings.parallelAddress = addressRule(text);
    return m_settings.parallelAddress;
}

bool PhoneKeyer::Command11_Click()
{
    FKeyPhone(kF1Code);
    return m_voiceRepeat;
}

// --- Closing ---

void PhoneKeyer::shutdown()
{
    m_stopping = true;
    m_voiceRepeat = false;
    tmrRepeat.stop();
    Timer1.stop();
    m_overrun.stop();
    m_playing = false;
    m_context.player.close();
    releasePtt();
    closePttPort();
    if (m_parallel)
        m_parallel->setKeyed(false);
}

} // namespace velm
