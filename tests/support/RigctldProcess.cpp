#include "support/RigctldProcess.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace velm::test {

RigctldProcess::~RigctldProcess()
{
    kill();
}

bool RigctldProcess::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty();
}

bool RigctldProcess::start(int timeoutMs)
{
    // A port the system hands out as free; the daemon binds it a moment later.
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) {
            m_error = QStringLiteral("no free port: ") + probe.errorString();
            return false;
        }
        m_port = probe.serverPort();
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("rigctld"),
                    {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(m_port)});
    const QDeadlineTimer deadline(timeoutMs);
    if (!m_process.waitForStarted(int(deadline.remainingTime()))) {
        m_error = QStringLiteral("rigctld did not start: ") + m_process.errorString();
        return false;
    }
    // Ready when it answers: a connection accepted and a command answered.
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("rigctld ended: ") + QString::fromLocal8Bit(m_process.readAll());
            return false;
        }
        if (command("+\\get_freq\n", 500).contains("RPRT 0"))
            return true;
        m_process.waitForReadyRead(50); // lets the daemon run; its output is only kept for the error text
    }
    m_error = QStringLiteral("rigctld not ready on port %1: %2")
                  .arg(m_port)
                  .arg(QString::fromLocal8Bit(m_process.readAll()));
    kill();
    return false;
}

void RigctldProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

QByteArray RigctldProcess::command(const QByteArray& line, int timeoutMs) const
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_port);
    const QDeadlineTimer deadline(timeoutMs);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return {};
    socket.write(line.endsWith('\n') ? line : line + '\n');
    QByteArray answer;
    // Extended answers end in "RPRT n"; plain ones are a line ("RPRT 0" for a set, the value for a get).
    while (!deadline.hasExpired() &&
           socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
        answer += socket.readAll();
        if (answer.contains("RPRT ") && answer.endsWith('\n'))
            break;
        if (!line.startsWith('+') && answer.endsWith('\n'))
            break;
    }
    return answer;
}

} // namespace velm::test
