#include "platform/io/QtTcpClient.h"

#include <QMetaObject>

namespace velm {

QtTcpClient::QtTcpClient(QObject* parent) : TcpClient(parent)
{
    m_socket.setReadBufferSize(kReadBufferBytes);
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(kDefaultConnectTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] {
        m_socket.abort();
        report(SocketError::TimedOut, QStringLiteral("Connection timed out"));
    });
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_connectTimer.stop();
        Q_EMIT connected();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &TcpClient::received);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &QtTcpClient::onError);
    // A peer that closes cleanly gives RemoteHostClosedError first; this catches a close without one.
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        report(SocketError::ConnectionReset, QStringLiteral("The remote host closed the connection"));
    });
}

QtTcpClient::~QtTcpClient()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

int QtTcpClient::errorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return SocketError::ConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return SocketError::ConnectionReset;
    case QAbstractSocket::HostNotFoundError:
        return SocketError::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return SocketError::Access;
    case QAbstractSocket::SocketResourceError:
        return SocketError::NoBufferSpace;
    case QAbstractSocket::SocketTimeoutError:
        return SocketError::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return SocketError::MessageTooLarge;
    case QAbstractSocket::NetworkError:
        return SocketError::NetworkUnreachable;
    case QAbstractSocket::AddressInUseError:
        return SocketError::AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return SocketError::AddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return SocketError::OperationNotSupported;
    case QAbstractSocket::OperationError:
        return SocketError::NotConnected;
    default:
        // No Windows Sockets counterpart: the caller shows "Error number <n>" with Qt's own number.
        return int(error);
    }
}

void QtTcpClient::connectToHost(const QString& host, quint16 port)
{
    close();
    m_reported = false;
    if (port == 0 || host.trimmed().isEmpty()) {
        // Reported after the call returns, as every other failure is.
        QMetaObject::invokeMethod(
            this, [this] { report(SocketError::InvalidProperty, QStringLiteral("Invalid host or port")); },
            Qt::QueuedConnection);
        return;
    }
    m_connectTimer.start();
    m_socket.connectToHost(host.trimmed(), port);
}

void QtTcpClient::close()
{
    m_connectTimer.stop();
    m_reported = true; // a close by this side is no failure
    m_socket.abort();
}

TcpClient::State QtTcpClient::state() const
{
    switch (m_socket.state()) {
    case QAbstractSocket::ConnectedState:
        return State::Connected;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
        return State::Connecting;
    default:
        return State::Unconnected;
    }
}

qint64 QtTcpClient::send(const QByteArray& bytes)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        return -1;
    return m_socket.write(bytes);
}

QByteArray QtTcpClient::read(qint64 maxBytes)
{
    return maxBytes > 0 ? m_socket.read(maxBytes) : QByteArray();
}

qint64 QtTcpClient::bytesAvailable() const
{
    return m_socket.bytesAvailable();
}

void QtTcpClient::onError(QAbstractSocket::SocketError error)
{
    report(errorNumber(error), m_socket.errorString());
}

void QtTcpClient::report(int errorNumber, const QString& reason)
{
    m_connectTimer.stop();
    if (m_reported)
        return;
    m_reported = true;
    // Qt ends the connection itself; bytes that arrived before a remote close stay readable.
    Q_EMIT failed(errorNumber, reason);
}

} // namespace velm
