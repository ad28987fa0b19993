#pragma once
// Responsibilities: one wave-file player as the voice keyer and the voice prompts use it: open a file, play
// it without blocking, whether it is playing, stop, close. main builds a QtWavePlayer (velm_platform_audio)
// for each; tests use FakeWavePlayer (tests/support).

#include <QObject>
#include <QString>

namespace velm {

class WavePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WavePlayer() override = default;

    // Loads the file, closing what was open. False, with errorString(), when the file cannot be played or
    // there is no audio output to play it on (a player without one would "play" for ever).
    virtual bool open(const QString& path) = 0;
    // Starts the open file and returns at once. False when nothing is open or the output is gone.
    virtual bool play() = 0;
    // True from an accepted play until the sound ended, was stopped or failed; also while still loading.
    virtual bool isPlaying() const = 0;
    virtual void stop() = 0;
    // Stops and unloads.
    virtual void close() = 0;
    virtual QString errorString() const = 0;

Q_SIGNALS:
    // isPlaying() went false: the sound ended, was stopped or failed.
    void playingEnded();
};

} // namespace velm
