#pragma once
// Responsibilities: a WavePlayer for tests: records every call ("open <path>", "play", "stop", "close"),
// refuses on cue, and plays until the test ends the sound (finish) or never, as an output that is gone.

#include "platform/WavePlayer.h"

#include <QStringList>

namespace velm::test {

class FakeWavePlayer final : public WavePlayer {
public:
    bool open(const QString& path) override
    {
        close();
        calls << QStringLiteral("open ") + path;
        if (refuseOpen)
            return false;
        m_open = path;
        return true;
    }
    bool play() override
    {
        calls << QStringLiteral("play");
        if (refusePlay || m_open.isEmpty())
            return false;
        m_playing = true;
        played << m_open;
        return true;
    }
    bool isPlaying() const override { return m_playing; }
    void stop() override
    {
        calls << QStringLiteral("stop");
        end();
    }
    void close() override
    {
        if (!m_open.isEmpty())
            calls << QStringLiteral("close");
        m_open.clear();
        end();
    }
    QString errorString() const override { return refuseOpen ? QStringLiteral("refused") : QString(); }

    // The sound reached its end.
    void finish() { end(); }
    QString openPath() const { return m_open; }

    bool refuseOpen = false;
    bool refusePlay = false;
    QStringList calls;
    QStringList played; // the paths of accepted plays, in order

private:
    void end()
    {
        if (!m_playing)
            return;
        m_playing = false;
        Q_EMIT playingEnded();
    }

    QString m_open;
    bool m_playing = false;
};

} // namespace velm::test
