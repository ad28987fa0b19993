#include "platform/io/QtAgwEngine.h"

#include "platform/io/QtTcpClient.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

namespace velm {

namespace {

AgwFrame query(char kind, const QByteArray& callFrom = {})
{
    AgwFrame frame;
    frame.kind = kind;
    frame.callFrom = callFrom;
    return frame;
}

} // namespace

QtAgwEngine::QtAgwEngine(std::unique_ptr<TcpClient> client, QObject* parent)
    : AgwEngine(parent), m_client(client ? std::move(client) : std::make_unique<QtTcpClient>())
{
    connect(m_client.get(), &TcpClient::failed, this, &QtAgwEngine::onFailed);
    connect(m_client.get(), &TcpClient::connected, this, [this] {
        if (m_phase != Phase::Starting)
            return;
        // The version first (any engine answers it), then the call for incoming connects, then monitoring,
        // which is a toggle that starts off on every new connection: sent once here, never again.
        send(query('R'));
        send(query('X', m_ownCall));
        send(query('m'));
    });
}

QtAgwEngine::~QtAgwEngine()
{
    m_client->disconnect(this);
    m_client->close();
}

bool QtAgwEngine::startPoll(const QString& host, quint16 port, const QByteArray& ownCall, int timeoutMs)
{
    close();
    m_error.clear();
    m_gotVersion = m_gotRegistration = m_registered = m_startFailed = false;
    if (!validAgwCall(ownCall)) {
        m_error = QStringLiteral("the call %1 cannot be registered: a packet call has 1 to 9 characters")
                      .arg(QString::fromLatin1(ownCall));
        return false;
    }
    m_ownCall = ownCall;
    m_phase = Phase::Starting;

    QEventLoop loop;
    m_startLoop = &loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [this, &loop] {
        AgwFrame frame;
        while (!m_startFailed && !(m_gotVersion && m_gotRegistration)) {
            const Read read = readFrame(frame);
            if (read == Read::None)
                break;
            if (read == Read::Broken || m_early.size() >= kMaxEarlyFrames) {
                m_startFailed = true;
                if (read != Read::Broken)
                    m_error = QStringLiteral("the engine sent no reply to the start-up queries");
                break;
            }
            if (!takeReply(frame))
                m_early.push_back(std::move(frame));
        }
        if (m_startFailed || (m_gotVersion && m_gotRegistration))
            loop.quit();
    };
    const QMetaObject::Connection received = connect(m_client.get(), &TcpClient::received, &loop, check);
    m_client->connectToHost(host, port);
    deadline.start(timeoutMs);
    // Painting and the sockets go on while the engine answers; keys and clicks wait.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(received);
    m_startLoop = nullptr;

    if (m_phase == Phase::Starting && m_gotVersion && m_gotRegistration && !m_startFailed) {
        m_phase = Phase::Open;
        return true;
    }
    if (m_error.isEmpty())
        m_error = QStringLiteral("no answer from the engine at %1:%2 within %3 s")
                      .arg(host)
                      .arg(port)
                      .arg(timeoutMs / 1000.0);
    const QString reason = m_error;
    close();
    m_error = reason;
    return false;
}

bool QtAgwEngine::takeReply(const AgwFrame& frame)
{
    switch (frame.kind) {
    case 'R':
        m_gotVersion = true;
        return true;
    case 'X':
        m_gotRegistration = true;
        m_registered = !frame.data.isEmpty() && frame.data.at(0) == 1;
        return true;
    case 'G':
        return true;
    default:
        return false;
    }
}

QtAgwEngine::Read QtAgwEngine::readFrame(AgwFrame& frame)
{
    for (;;) {
        switch (m_reader.next(frame)) {
        case AgwFrameReader::Status::Frame:
            return Read::Frame;
        case AgwFrameReader::Status::Oversized:
            m_error = QStringLiteral("the engine announced a frame of %1 bytes; at most %2 are accepted")
                          .arg(m_reader.oversizedLength())
                          .arg(agw::kMaxDataBytes);
            return Read::Broken;
        case AgwFrameReader::Status::NeedMore:
            break;
        }
        if (m_client->bytesAvailable() <= 0)
            return Read::None;
        const QByteArray bytes = m_client->read(m_reader.wanted());
        if (bytes.isEmpty())
            return Read::None;
        m_reader.append(bytes);
    }
}

bool QtAgwEngine::send(const AgwFrame& frame)
{
    return m_client->send(encodeAgwFrame(frame)) >= 0;
}

bool QtAgwEngine::putData(const QByteArray& destination, const QByteArray& data, char kind)
{
    if (m_phase != Phase::Open || !validAgwCall(destination))
        return false;
    AgwFrame frame;
    frame.callFrom = m_ownCall;
    frame.callTo = destination;
    switch (kind) {
    case 'c':
        frame.kind = 'C';
        break;
    case 'P':
        return true; // the library's second half of a connect request; 'C' above was the whole of it
    case 'D':
        frame.kind = 'D';
        frame.pid = agw::kPidNoLayer3; // the engine passes the header's PID on to the I-frame
        frame.data = data;
        break;
    case 'd':
        frame.kind = 'd';
        break;
    default:
        return false;
    }
    return send(frame);
}

std::optional<AgwFrame> QtAgwEngine::getData()
{
    if (m_phase != Phase::Open)
        return std::nullopt;
    AgwFrame frame;
    for (;;) {
        if (!m_early.empty()) {
            frame = std::move(m_early.front());
            m_early.pop_front();
        } else {
            const Read read = readFrame(frame);
            if (read == Read::None)
                return std::nullopt;
            if (read == Read::Broken) {
                // Told from the event loop, so the caller's polling loop never sees the link end under it.
                const QString reason = m_error;
                close();
                m_error = reason;
                QMetaObject::invokeMethod(
                    this, [this, reason] { Q_EMIT lost(reason); }, Qt::QueuedConnection);
                return std::nullopt;
            }
        }
        if (takeReply(frame))
            continue;
        if (frame.kind != 'D' && frame.data.endsWith('\0'))
            frame.data.chop(1); // the engine ends its texts with a NUL it counts in DataLen
        if (frame.kind == 'C')
            frame.kind = 'c'; // the link stands: what the library called a 'c' frame
        return frame;
    }
}

void QtAgwEngine::close()
{
    m_phase = Phase::Closed;
    m_client->close();
    m_reader.clear();
    m_early.clear();
}

void QtAgwEngine::onFailed(int errorNumber, const QString& reason)
{
    const QString text = errorNumber == SocketError::ConnectionReset
                             ? QStringLiteral("the engine closed the connection")
                             : QStringLiteral("%1 (error %2)").arg(reason).arg(errorNumber);
    if (m_phase == Phase::Starting) {
        m_startFailed = true;
        m_error = text;
        if (m_startLoop)
            m_startLoop->quit();
        return;
    }
    if (m_phase == Phase::Open)
        end(text);
}

void QtAgwEngine::end(const QString& reason)
{
    close();
    m_error = reason;
    Q_EMIT lost(reason);
}

} // namespace velm
