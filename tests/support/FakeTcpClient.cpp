#include "support/FakeTcpClient.h"

#include <QTimer>

namespace velm::test {

void FakeTcpClient::connectToHost(const QString& host, quint16 port)
{
    close();
    connects.append({host, port});
    m_state = State::Connecting;
    if (acceptAtOnce)
        QTimer::singleShot(0, this, [this] {
            if (m_state == State::Connecting)
                accept();
        });
}

void FakeTcpClient::close()
{
    if (m_state == State::Unconnected)
        return;
    m_state = State::Unconnected;
    ++closeCount;
}

qint64 FakeTcpClient::send(const QByteArray& bytes)
{
    if (m_state != State::Connected)
        return -1;
    sent += bytes;
    sends.append(bytes);
    return bytes.size();
}

QByteArray FakeTcpClient::read(qint64 maxBytes)
{
    const QByteArray taken = m_input.left(maxBytes);
    m_input.remove(0, taken.size());
    return taken;
}

void FakeTcpClient::accept()
{
    m_state = State::Connected;
    Q_EMIT connected();
}

void FakeTcpClient::refuse(int errorNumber, const QString& reason)
{
    m_state = State::Unconnected;
    Q_EMIT failed(errorNumber, reason);
}

void FakeTcpClient::feed(const QByteArray& bytes)
{
    m_input += bytes;
    Q_EMIT received();
}

void FakeTcpClient::remoteClose()
{
    m_state = State::Unconnected;
    Q_EMIT failed(SocketError::ConnectionReset, QStringLiteral("The remote host closed the connection"));
}

} // namespace velm::test
