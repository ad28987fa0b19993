#include "support/AgwTestEngine.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace velm::test {

namespace {

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

AgwFrame frameOf(char kind, const QByteArray& from, const QByteArray& to, const QByteArray& data)
{
    AgwFrame frame;
    frame.kind = kind;
    frame.callFrom = from;
    frame.callTo = to;
    frame.data = data;
    return frame;
}

} // namespace

AgwTestEngine::AgwTestEngine(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            m_clients[socket];
            mostClients = qMax(mostClients, clientsNow());
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                auto found = m_clients.find(socket);
                if (found == m_clients.end())
                    return;
                found->second.append(socket->readAll());
                AgwFrame frame;
                while (found->second.next(frame) == AgwFrameReader::Status::Frame) {
                    received.append(frame);
                    handle(socket, frame);
                }
            });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_clients.erase(socket);
                socket->deleteLater();
            });
        }
    });
}

AgwTestEngine::~AgwTestEngine()
{
    // The server deletes its sockets after this object's members are gone: nothing may reach them then.
    for (const auto& [socket, reader] : m_clients)
        socket->disconnect(this);
    m_server.disconnect(this);
}

bool AgwTestEngine::start()
{
    return m_server.listen(QHostAddress::LocalHost);
}

void AgwTestEngine::reply(QTcpSocket* socket, AgwFrame frame)
{
    socket->write(encodeAgwFrame(frame));
}

void AgwTestEngine::handle(QTcpSocket* socket, const AgwFrame& frame)
{
    switch (frame.kind) {
    case 'R':
        if (answerStartUp)
            reply(socket, frameOf('R', {}, {}, QByteArray("\xD5\x07\x00\x00\x7F\x00\x00\x00", 8)));
        break;
    case 'X':
        m_ownCall = frame.callFrom;
        if (answerStartUp)
            reply(socket, frameOf('X', frame.callFrom, {}, QByteArray(1, '\x01')));
        break;
    case 'C':
        if (acceptConnects)
            reply(socket, frameOf('C', frame.callTo, frame.callFrom,
                                  "*** CONNECTED With Station " + frame.callTo + "\r" + QByteArray(1, '\0')));
        else
            reply(socket,
                  frameOf('d', frame.callTo, frame.callFrom,
                          "*** DISCONNECTED RETRYOUT With " + frame.callTo + "\r" + QByteArray(1, '\0')));
        break;
    case 'd':
        reply(socket, frameOf('d', frame.callTo, frame.callFrom,
                              "*** DISCONNECTED From Station " + frame.callTo + "\r" + QByteArray(1, '\0')));
        break;
    default:
        break;
    }
}

bool AgwTestEngine::waitForClients(int wanted, int timeoutMs)
{
    return waitUntil([this, wanted] { return clientsNow() == wanted; }, timeoutMs);
}

bool AgwTestEngine::waitForFrame(char kind, int timeoutMs)
{
    const int before = count(kind);
    return waitUntil([this, kind, before] { return count(kind) > before; }, timeoutMs);
}

int AgwTestEngine::count(char kind) const
{
    int n = 0;
    for (const AgwFrame& frame : received)
        n += frame.kind == kind ? 1 : 0;
    return n;
}

void AgwTestEngine::sendFrame(AgwFrame frame)
{
    const QByteArray bytes = encodeAgwFrame(frame);
    sendRaw(bytes);
}

void AgwTestEngine::sendRaw(const QByteArray& bytes)
{
    for (auto& [socket, reader] : m_clients)
        socket->write(bytes);
}

void AgwTestEngine::sendMonitored(const QByteArray& from, const QByteArray& to, const QByteArray& info)
{
    const QByteArray header = " 1:Fm " + from + " To " + to +
                              " <UI pid=F0 Len=" + QByteArray::number(info.size()) + " PF=0 >[04:28:03]\r";
    sendFrame(frameOf('U', from, to, header + info + "\r" + QByteArray(1, '\0')));
}

void AgwTestEngine::sendData(const QByteArray& from, const QByteArray& data)
{
    AgwFrame frame = frameOf('D', from, m_ownCall, data);
    frame.pid = agw::kPidNoLayer3;
    sendFrame(frame);
}

void AgwTestEngine::sendDisconnect(const QByteArray& from)
{
    sendFrame(
        frameOf('d', from, m_ownCall, "*** DISCONNECTED From Station " + from + "\r" + QByteArray(1, '\0')));
}

void AgwTestEngine::closeClients()
{
    const auto clients = m_clients;
    for (const auto& [socket, reader] : clients)
        socket->disconnectFromHost();
}

} // namespace velm::test
