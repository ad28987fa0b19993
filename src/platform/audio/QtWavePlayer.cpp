#include "platform/audio/QtWavePlayer.h"

#include "platform/WaveFileInfo.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace velm {

QtWavePlayer::QtWavePlayer(QObject* parent) : WavePlayer(parent)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        m_error = QStringLiteral("The sound did not end.");
        if (m_effect)
            m_effect->stop();
        ended();
    });
    m_endAfterLength.setSingleShot(true);
    connect(&m_endAfterLength, &QTimer::timeout, this, &QtWavePlayer::ended);
}

QtWavePlayer::~QtWavePlayer()
{
    close();
}

bool QtWavePlayer::outputAvailable()
{
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        m_error = QStringLiteral("There is no audio output on this computer.");
        return false;
    }
    return true;
}

bool QtWavePlayer::open(const QString& path)
{
    close();
    if (!outputAvailable())
        return false;
    if (!QFileInfo(path).isFile()) {
        m_error = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    const WaveFileCheck wave = readWaveFileInfo(path);
    if (!wave.ok()) {
        m_error = QStringLiteral("%1: %2").arg(path, wave.problem);
        return false;
    }
    m_lengthMs = wave.format->durationMs();
    m_effect = std::make_unique<QSoundEffect>();
    if (!m_deviceId.isEmpty()) {
        for (const QAudioDevice& device : QMediaDevices::audioOutputs()) {
            if (device.id() == m_deviceId)
                m_effect->setAudioDevice(device);
        }
    }
    connect(m_effect.get(), &QSoundEffect::playingChanged, this, [this] {
        if (m_effect->isPlaying())
            m_started = true;
        else if (m_started)
            reportedEnd();
    });
    connect(m_effect.get(), &QSoundEffect::statusChanged, this, [this] {
        if (m_effect->status() == QSoundEffect::Error) {
            m_error = QStringLiteral("The sound could not be played.");
            ended();
        }
    });
    m_effect->setSource(QUrl::fromLocalFile(path));
    if (m_effect->status() == QSoundEffect::Error) {
        m_error = QStringLiteral("%1: the sound could not be loaded").arg(path);
        m_effect.reset();
        return false;
    }
    return true;
}

bool QtWavePlayer::play()
{
    if (!m_effect) {
        m_error = QStringLiteral("No sound is open.");
        return false;
    }
    if (!outputAvailable() || m_effect->status() == QSoundEffect::Error)
        return false;
    m_started = false;
    m_playing = true;
    m_endAfterLength.stop();
    m_sincePlay.start();
    m_watchdog.start(int(qMin<qint64>(m_lengthMs + kOverrunMs, 3600 * 1000)));
    m_effect->play();
    return true;
}

void QtWavePlayer::stop()
{
    if (m_effect)
        m_effect->stop();
    ended();
}

void QtWavePlayer::close()
{
    const bool wasPlaying = m_playing;
    m_watchdog.stop();
    m_endAfterLength.stop();
    m_playing = false;
    m_started = false;
    if (m_effect) {
        m_effect->disconnect(this);
        m_effect->stop();
        m_effect.reset();
    }
    if (wasPlaying)
        Q_EMIT playingEnded();
}

// Under load the audio output can report the end while the sound is still in its buffers: the transmitter
// would be released with the message unfinished. "Playing" therefore lasts at least the sound's length.
void QtWavePlayer::reportedEnd()
{
    const qint64 left = m_lengthMs - m_sincePlay.elapsed();
    if (left > 0 && m_playing)
        m_endAfterLength.start(int(left));
    else
        ended();
}

void QtWavePlayer::ended()
{
    m_watchdog.stop();
    m_endAfterLength.stop();
    m_started = false;
    if (!m_playing)
        return;
    m_playing = false;
    Q_EMIT playingEnded();
}

} // namespace velm
