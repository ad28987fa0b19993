#include "support/ClusterServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace velm::test {

namespace {

// Runs the event loop until done() or the deadline; true when done.
template <typename Done> bool waitUntil(Done done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

} // namespace

ClusterServer::ClusterServer(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            ++m_clients;
            if (m_client)
                m_client->deleteLater();
            m_client = socket;
            m_greeted = false;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                m_received += socket->readAll();
                if (!m_greeted && m_received.contains('\n')) {
                    m_greeted = true;
                    socket->write(greeting);
                }
            });
            socket->write(prompt);
        }
    });
}

bool ClusterServer::start()
{
    return m_server.listen(QHostAddress::LocalHost);
}

bool ClusterServer::waitForClient(int timeoutMs)
{
    return waitUntil([this] { return hasClient(); }, timeoutMs);
}

bool ClusterServer::waitForReceived(const QByteArray& text, int timeoutMs)
{
    return waitUntil([this, &text] { return m_received.contains(text); }, timeoutMs);
}

void ClusterServer::send(const QByteArray& bytes)
{
    if (m_client)
        m_client->write(bytes);
}

void ClusterServer::flush()
{
    if (!m_client)
        return;
    waitUntil([this] { return !m_client || m_client->bytesToWrite() == 0; }, 5000);
}

void ClusterServer::closeClient(const QByteArray& lastBytes)
{
    if (!m_client)
        return;
    if (!lastBytes.isEmpty())
        m_client->write(lastBytes);
    m_client->flush();
    m_client->disconnectFromHost();
}

} // namespace velm::test
