#pragma once
// Responsibilities: an AGW Packet Engine on a local QTcpServer (free random port) speaking the TCP/IP API's
// frames as Dire Wolf does: version, registration, monitor toggle, connected mode ('C' answered by a
// "*** CONNECTED With Station" frame, 'D' kept, 'd' answered); the test sends monitored spots, data or a
// disconnect from any station, hostile bytes, or closes. Counts the clients connected at once.

#include "platform/AgwFrame.h"

#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <map>

namespace velm::test {

class AgwTestEngine final : public QObject {
    Q_OBJECT
public:
    explicit AgwTestEngine(QObject* parent = nullptr);
    ~AgwTestEngine() override;

    bool start();
    quint16 port() const { return m_server.serverPort(); }

    // Frames every client sent, in order (the start-up queries included).
    QList<AgwFrame> received;
    bool answerStartUp = true;  // false: an engine that accepts and never answers
    bool acceptConnects = true; // a 'C' request is answered by CONNECTED (else by RETRYOUT)
    int clientsNow() const { return int(m_clients.size()); }
    int mostClients = 0;

    bool waitForClients(int count, int timeoutMs = 5000);
    bool waitForFrame(char kind, int timeoutMs = 5000);
    int count(char kind) const;

    // To every client: a monitored UI frame as Dire Wolf formats it, connected data from a station, a
    // disconnect from a station, any frame, raw bytes.
    void sendMonitored(const QByteArray& from, const QByteArray& to, const QByteArray& info);
    void sendData(const QByteArray& from, const QByteArray& data);
    void sendDisconnect(const QByteArray& from);
    void sendFrame(AgwFrame frame);
    void sendRaw(const QByteArray& bytes);
    void closeClients();

private:
    void handle(QTcpSocket* socket, const AgwFrame& frame);
    void reply(QTcpSocket* socket, AgwFrame frame);

    QTcpServer m_server;
    std::map<QTcpSocket*, AgwFrameReader> m_clients;
    QByteArray m_ownCall; // the call the last client registered
};

} // namespace velm::test
