#pragma once
// Responsibilities: one outgoing TCP connection (connect, send, receive notice, close) whose failures carry
// the Windows Sockets error numbers the program's messages are keyed by (10061 refused, 11001 host not found,
// 10060 timed out, 10054 closed by the remote side, 10051 network unreachable, ...).
// Used by the Telnet DX cluster and the AGW Packet Engine link (spots) and the rigctld link (rig); main
// builds one QtTcpClient (velm_platform_io) per use, tests use FakeTcpClient (tests/support).

#include <QByteArray>
#include <QObject>
#include <QString>

namespace velm {

// The Windows Sockets numbers a failure is reported with.
namespace SocketError {
constexpr int OutOfMemory = 7;
constexpr int InvalidProperty = 380; // also used for a port outside 1..65535
constexpr int Access = 10013;
constexpr int MessageTooLarge = 10040;
constexpr int OperationNotSupported = 10045;
constexpr int AddressInUse = 10048;
constexpr int AddressNotAvailable = 10049;
constexpr int NetworkDown = 10050;
constexpr int NetworkUnreachable = 10051;
constexpr int ConnectionAborted = 10053;
constexpr int ConnectionReset = 10054;
constexpr int NoBufferSpace = 10055;
constexpr int NotConnected = 10057;
constexpr int TimedOut = 10060;
constexpr int ConnectionRefused = 10061;
constexpr int HostNotFound = 11001;
constexpr int TryAgain = 11002; // non-authoritative host not found: a name server did not answer
} // namespace SocketError

class TcpClient : public QObject {
    Q_OBJECT
public:
    enum class State { Unconnected, Connecting, Connected };

    using QObject::QObject;
    ~TcpClient() override = default;

    // Starts connecting (host name or address); the outcome arrives as connected() or failed(). A port of 0
    // fails at once with SocketError::InvalidProperty. Closes first what was open.
    virtual void connectToHost(const QString& host, quint16 port) = 0;
    // Ends the connection without a notice; bytes not yet sent are dropped.
    virtual void close() = 0;
    virtual State state() const = 0;
    // Queues bytes; -1 unless connected.
    virtual qint64 send(const QByteArray& bytes) = 0;
    // Everything received since the previous read, at most maxBytes.
    virtual QByteArray read(qint64 maxBytes = 65536) = 0;
    virtual qint64 bytesAvailable() const = 0;

Q_SIGNALS:
    void connected();
    void received();
    // The connection failed or ended from the other side (closed → ConnectionReset); emitted once per
    // connection, after which the client is unconnected. reason is the system's text.
    void failed(int errorNumber, const QString& reason);
};

} // namespace velm
