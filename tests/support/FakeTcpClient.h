#pragma once
// Responsibilities: a TcpClient for tests: records connects and every byte sent; the test accepts, refuses,
// feeds received bytes or closes from the remote side (each failure with its Windows Sockets number).
// For the Telnet cluster, AGW engine and rigctld logic tests.

#include "platform/TcpClient.h"

#include <QList>
#include <utility>

namespace velm::test {

class FakeTcpClient final : public TcpClient {
    Q_OBJECT
public:
    using TcpClient::TcpClient;

    void connectToHost(const QString& host, quint16 port) override;
    void close() override;
    State state() const override { return m_state; }
    qint64 send(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes = 65536) override;
    qint64 bytesAvailable() const override { return m_input.size(); }

    // Test controls.
    void accept(); // the pending connect succeeds
    void refuse(int errorNumber = SocketError::ConnectionRefused,
                const QString& reason = QStringLiteral("refused"));
    void feed(const QByteArray& bytes); // bytes arrive; received() follows
    void remoteClose();                 // the peer ends the connection: failed(10054)

    bool acceptAtOnce = false; // connectToHost accepts from the event loop by itself
    QList<std::pair<QString, quint16>> connects;
    QByteArray sent;
    QList<QByteArray> sends;
    int closeCount = 0;

private:
    State m_state = State::Unconnected;
    QByteArray m_input;
};

} // namespace velm::test
