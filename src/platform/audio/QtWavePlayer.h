#pragma once
// Responsibilities: WavePlayer on QSoundEffect: refuses to open or play when the system has no audio output
// (QSoundEffect would report "playing" for ever) and files that are not plain PCM (a decoding error can leave
// later sounds stuck loading), tracks "playing" from an accepted play (loading included) to the end, a stop
// or an error, and gives up on a play that outlasts its sound by far; plays on the system's default output
// or on a chosen one.

#include "platform/WavePlayer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class QSoundEffect;

namespace velm {

class QtWavePlayer final : public WavePlayer {
    Q_OBJECT
public:
    explicit QtWavePlayer(QObject* parent = nullptr);
    ~QtWavePlayer() override;

    bool open(const QString& path) override;
    bool play() override;
    bool isPlaying() const override { return m_playing; }
    void stop() override;
    void close() override;
    QString errorString() const override { return m_error; }

    // The output device by its id (QAudioDevice::id); empty for the system's default. Takes effect at the
    // next open.
    void setOutputDevice(const QByteArray& deviceId) { m_deviceId = deviceId; }

private:
    // A play still reported this long after its sound's length has lost its output.
    static constexpr int kOverrunMs = 3000;

    bool outputAvailable();
    void ended();
    void reportedEnd();

    std::unique_ptr<QSoundEffect> m_effect;
    QByteArray m_deviceId;
    QString m_error;
    bool m_playing = false;
    bool m_started = false; // QSoundEffect reported playing since the accepted play
    qint64 m_lengthMs = 0;  // of the open sound
    QElapsedTimer m_sincePlay;
    QTimer m_watchdog;
    QTimer m_endAfterLength; // an end reported before the sound's length is held back until then
};

} // namespace velm
