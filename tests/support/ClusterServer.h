#pragma once
// Responsibilities: a DX cluster node on a local QTcpServer (free random port) for the Telnet spot source: it
// sends "login: " without a line end, greets the call it is given, then sends what the test says (reference
// spot lines, NUL keep-alives, hostile bytes) and closes on cue, also in the middle of a line. Everything a
// client sends is kept.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace velm::test {

class ClusterServer final : public QObject {
    Q_OBJECT
public:
    explicit ClusterServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1 at a port the system chooses.
    bool start();
    quint16 port() const { return m_server.serverPort(); }

    // Waits in the event loop for a client (true when one is connected), for its bytes to contain text.
    bool waitForClient(int timeoutMs = 5000);
    bool waitForReceived(const QByteArray& text, int timeoutMs = 5000);
    // Waits until what was sent has left the socket.
    void flush();

    void send(const QByteArray& bytes);
    void sendLine(const QByteArray& line) { send(line + "\r\n"); }
    // Two NUL characters, as AR-Cluster sends after ten minutes without traffic.
    void sendKeepAlive() { send(QByteArray(2, '\0')); }
    // Sends bytes (a line begun), then closes at once.
    void closeClient(const QByteArray& lastBytes = {});
    // Refuses every new client from now on by closing the listening socket.
    void stopListening() { m_server.close(); }

    QByteArray received() const { return m_received; }
    int clientCount() const { return m_clients; }
    bool hasClient() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }

    // What a new client is sent first, and after its first line (the call).
    QByteArray prompt = "login: ";
    QByteArray greeting = "Hello, this is TEST-1 in Testland\r\nrunning DXSpider V1.55\r\n"
                          "N0CALL de TEST-1  9-Feb-2022 1234Z dxspider >\r\n";

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_received;
    bool m_greeted = false;
    int m_clients = 0;
};

} // namespace velm::test
