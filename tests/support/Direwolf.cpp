#include "support/Direwolf.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>

namespace velm::test {

namespace {

constexpr int kSampleRate = 44100;
constexpr qsizetype kWavHeader = 44;
constexpr qsizetype kDatagram = 1024;
constexpr int kTickMs = 10;
constexpr qsizetype kTickBytes = kSampleRate * 2 * kTickMs / 1000; // 16-bit mono audio of one tick
constexpr int kSpeedUp = 4;

quint16 freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any);
    return probe.serverPort();
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::Any, 0);
    return probe.localPort();
}

} // namespace

Direwolf::Direwolf()
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_pacer.setInterval(kTickMs);
    QObject::connect(&m_pacer, &QTimer::timeout, [this] { pace(); });
}

Direwolf::~Direwolf()
{
    stop();
}

bool Direwolf::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("direwolf")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("gen_packets")).isEmpty();
}

bool Direwolf::start(int timeoutMs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    m_agwPort = freeTcpPort();
    m_audioPort = freeUdpPort();
    QFile config(m_dir.filePath(QStringLiteral("direwolf.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = config.errorString();
        return false;
    }
    config.write(QStringLiteral("ADEVICE UDP:%1 null\nARATE %2\nACHANNELS 1\nCHANNEL 0\nMYCALL N0CALL\n"
                                "MODEM 1200\nAGWPORT %3\nKISSPORT 0\nFRACK 1\nRETRY 2\n")
                     .arg(m_audioPort)
                     .arg(kSampleRate)
                     .arg(m_agwPort)
                     .toLatin1());
    config.close();
    m_process.setWorkingDirectory(m_dir.path());
    m_process.start(QStringLiteral("direwolf"),
                    {QStringLiteral("-c"), config.fileName(), QStringLiteral("-t"), QStringLiteral("0"),
                     QStringLiteral("-q"), QStringLiteral("hd")});
    const QDeadlineTimer deadline(timeoutMs);
    if (!m_process.waitForStarted(int(deadline.remainingTime()))) {
        m_error = QStringLiteral("direwolf did not start: ") + m_process.errorString();
        return false;
    }
    while (!m_output.contains("Ready to accept AGW client")) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running ||
            !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            m_output += m_process.readAll();
            m_error = QStringLiteral("direwolf not ready: ") + QString::fromLocal8Bit(m_output);
            stop();
            return false;
        }
        m_output += m_process.readAll();
    }
    return true;
}

void Direwolf::sendAudio(const QByteArray& pcm)
{
    m_pending += pcm;
    m_pacer.start();
}

void Direwolf::pace()
{
    // Silence while on keeps the audio flowing at about real time once the queue is empty.
    if (m_silenceOn && m_pending.size() < kTickBytes)
        m_pending += QByteArray(kTickBytes, '\0');
    const qsizetype budget = qMin(m_pending.size(), kTickBytes * kSpeedUp);
    for (qsizetype at = 0; at < budget; at += kDatagram)
        m_audio.writeDatagram(m_pending.mid(at, qMin(kDatagram, budget - at)), QHostAddress::LocalHost,
                              m_audioPort);
    m_pending.remove(0, budget);
    if (m_pending.isEmpty() && !m_silenceOn)
        m_pacer.stop();
}

bool Direwolf::sendPacket(const QByteArray& text)
{
    const QString textPath = m_dir.filePath(QStringLiteral("packet.txt"));
    const QString wavPath = m_dir.filePath(QStringLiteral("packet.wav"));
    QFile packet(textPath);
    if (!packet.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    packet.write(text);
    packet.close();
    QProcess generate;
    generate.setProcessChannelMode(QProcess::MergedChannels);
    generate.start(QStringLiteral("gen_packets"), {QStringLiteral("-r"), QString::number(kSampleRate),
                                                   QStringLiteral("-o"), wavPath, textPath});
    if (!generate.waitForFinished(10000) || generate.exitCode() != 0) {
        m_error = QStringLiteral("gen_packets failed: ") + QString::fromLocal8Bit(generate.readAll());
        return false;
    }
    QFile wav(wavPath);
    if (!wav.open(QIODevice::ReadOnly))
        return false;
    // Silence after the packet lets the demodulator finish the frame.
    sendAudio(wav.readAll().mid(kWavHeader) + QByteArray(kSampleRate / 5 * 2, '\0'));
    return true;
}

void Direwolf::streamSilence(bool on)
{
    m_silenceOn = on;
    if (on)
        m_pacer.start();
}

void Direwolf::stop()
{
    m_silenceOn = false;
    m_pacer.stop();
    m_pending.clear();
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill(); // SIGKILL to its pid
    m_process.waitForFinished(5000);
    m_output += m_process.readAll();
}

} // namespace velm::test
