#pragma once
// Responsibilities: TcpClient on QTcpSocket: Qt's socket errors turned into the Windows Sockets numbers,
// a bounded connect (a silent host times out as 10060 instead of after minutes), one failure notice per
// connection. Built by main for the Telnet DX cluster, the AGW Packet Engine link and rigctld.

#include "platform/TcpClient.h"

#include <QAbstractSocket>
#include <QTcpSocket>
#include <QTimer>

namespace velm {

class QtTcpClient final : public TcpClient {
    Q_OBJECT
public:
    explicit QtTcpClient(QObject* parent = nullptr);
    ~QtTcpClient() override;

    void connectToHost(const QString& host, quint16 port) override;
    void close() override;
    State state() const override;
    qint64 send(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes = 65536) override;
    qint64 bytesAvailable() const override;

    void setConnectTimeoutMs(int ms) { m_connectTimer.setInterval(ms); }
    static constexpr int kDefaultConnectTimeoutMs = 15000;
    static constexpr qint64 kReadBufferBytes = 1 << 20;

    // The Windows Sockets number of a Qt socket error.
    static int errorNumber(QAbstractSocket::SocketError error);

private:
    void onError(QAbstractSocket::SocketError error);
    void report(int errorNumber, const QString& reason);

    QTcpSocket m_socket;
    QTimer m_connectTimer;
    bool m_reported = false;
};

} // namespace velm
