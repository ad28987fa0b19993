#include "support/SocatPair.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>

namespace velm::test {

SocatPair::SocatPair() = default;

SocatPair::~SocatPair()
{
    kill();
}

bool SocatPair::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

bool SocatPair::start(int timeoutMs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                              QStringLiteral("pty,raw,echo=0,link=") + pathA(),
                                              QStringLiteral("pty,raw,echo=0,link=") + pathB()});
    const QDeadlineTimer deadline(timeoutMs);
    if (!m_process.waitForStarted(int(deadline.remainingTime()))) {
        m_error = QStringLiteral("socat did not start: ") + m_process.errorString();
        return false;
    }
    QByteArray log;
    // socat says "starting data transfer loop" once both ends are set up.
    while (!log.contains("starting data transfer loop")) {
        if (deadline.hasExpired() ||
            !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            m_error = QStringLiteral("socat not ready: ") + QString::fromLocal8Bit(log + m_process.readAll());
            kill();
            return false;
        }
        log += m_process.readAll();
    }
    if (!QFileInfo::exists(pathA()) || !QFileInfo::exists(pathB())) {
        m_error = QStringLiteral("socat links missing");
        kill();
        return false;
    }
    return true;
}

void SocatPair::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

} // namespace velm::test
