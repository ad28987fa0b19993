#pragma once
// Responsibilities: Dire Wolf as a real AGW Packet Engine for tests: started with a config of its own on free
// random ports (AGW over TCP, received audio over UDP, FRACK 1, RETRY 2), ready when it says it accepts AGW
// clients, fed packets as 1200 baud AFSK made by gen_packets, and ended by its pid.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

namespace velm::test {

class Direwolf {
public:
    Direwolf();
    ~Direwolf();
    Direwolf(const Direwolf&) = delete;
    Direwolf& operator=(const Direwolf&) = delete;

    // direwolf and gen_packets are on the PATH (tests skip with a reason when not).
    static bool available();
    bool start(int timeoutMs = 10000);
    quint16 agwPort() const { return m_agwPort; }
    // A packet heard on the air: text in the monitor format "W3LPL>DX:DX de W3LPL: ..." (no line end).
    bool sendPacket(const QByteArray& text);
    // Silence streamed as received audio while on: the engine's timers (FRACK) and transmitter run on the
    // audio clock, so a connect attempt only times out while audio flows.
    void streamSilence(bool on);
    void stop();
    QString errorString() const { return m_error; }
    QByteArray output() const { return m_output; }

private:
    // Queued, then sent at a few times real time: a burst larger than the engine's socket buffer is lost.
    void sendAudio(const QByteArray& pcm);
    void pace();

    QTemporaryDir m_dir;
    QProcess m_process;
    QUdpSocket m_audio;
    QTimer m_pacer;
    QByteArray m_pending;
    bool m_silenceOn = false;
    quint16 m_agwPort = 0, m_audioPort = 0;
    QByteArray m_output;
    QString m_error;
};

} // namespace velm::test
