#include "platform/io/QtSerialLine.h"

#include "platform/io/LineSafety.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velm {

namespace {

QSerialPort::Parity qtParity(Parity parity)
{
    switch (parity) {
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl qtFlowControl(Handshake handshake)
{
    switch (handshake) {
    case Handshake::XonXoff:
        return QSerialPort::SoftwareControl;
    case Handshake::RtsCts:
    case Handshake::RtsCtsXonXoff:
        return QSerialPort::HardwareControl;
    case Handshake::None:
        break;
    }
    return QSerialPort::NoFlowControl;
}

bool fatal(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
           error == QSerialPort::ResourceError;
}

#ifdef Q_OS_UNIX
// Bytes the device itself has not sent yet.
int kernelOutputQueue(int fd)
{
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
}
#endif

} // namespace

QtSerialLine::QtSerialLine(QObject* parent) : SerialLine(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLine::onPortError);
}

QtSerialLine::~QtSerialLine()
{
    close();
}

bool QtSerialLine::open(const QString& devicePath, const SerialLineSettings& settings, Handshake handshake)
{
    close();
    m_error = SerialError::None;
    m_errorString.clear();
    m_path = devicePath;
    m_hasModemLines = false;
    if (devicePath.trimmed().isEmpty()) {
        m_error = SerialError::NotFound;
        m_errorString = QStringLiteral("no device chosen");
        return false;
    }
    m_port.setPortName(devicePath);
    m_port.setReadBufferSize(kReadBufferBytes);
    if (!m_port.open(QIODevice::ReadWrite)) {
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            m_error = SerialError::NotFound;
            break;
        case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
            // Qt reports a port another program holds as a permission error too.
            m_error = ::access(devicePath.toLocal8Bit().constData(), R_OK | W_OK) == 0
                          ? SerialError::Busy
                          : SerialError::PermissionDenied;
#else
            m_error = SerialError::PermissionDenied;
#endif
            break;
        case QSerialPort::OpenError:
            m_error = SerialError::Busy;
            break;
        case QSerialPort::UnsupportedOperationError:
            m_error = SerialError::SettingsRejected;
            break;
        default:
            m_error = SerialError::Other;
            break;
        }
        m_errorString = m_port.errorString();
        m_port.clearError();
        return false;
    }
    const int fd = int(m_port.handle());
    // Linux raised RTS and DTR in the open itself: release them before anything else happens.
    releaseLines(fd);
    m_fd = fd;
    ++m_generation;
    m_safetyTicket = LineSafety::registerSerial(fd, LineSafety::kRts | LineSafety::kDtr);
    if (!m_emergencyBytes.isEmpty())
        LineSafety::setReleaseBytes(m_safetyTicket, m_emergencyBytes);

    if (!applySettings(settings) || !applyHandshake(handshake)) {
        const QString reason = m_errorString;
        close();
        m_error = SerialError::SettingsRejected;
        m_errorString = reason;
        return false;
    }
    return true;
}

void QtSerialLine::releaseLines(int fd)
{
#ifdef Q_OS_UNIX
    int bits = TIOCM_RTS | TIOCM_DTR;
    m_hasModemLines = ::ioctl(fd, TIOCMBIC, &bits) == 0;
#else
    Q_UNUSED(fd);
    m_hasModemLines = m_port.setRequestToSend(false) && m_port.setDataTerminalReady(false);
    m_port.clearError();
#endif
}

bool QtSerialLine::applySettings(const SerialLineSettings& settings)
{
    const bool applied =
        m_port.setBaudRate(wireBaudRate(settings.baudRate)) &&
        m_port.setDataBits(QSerialPort::DataBits(settings.dataBits)) &&
        m_port.setParity(qtParity(settings.parity)) &&
        m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    if (!applied) {
        m_error = SerialError::SettingsRejected;
        m_errorString = QStringLiteral("line settings %1 rejected: %2")
                            .arg(formatSerialSettings(settings), m_port.errorString());
        m_port.clearError();
    }
    return applied;
}

bool QtSerialLine::applyHandshake(Handshake handshake)
{
    bool applied = m_port.setFlowControl(qtFlowControl(handshake));
#ifdef Q_OS_UNIX
    if (applied && handshake == Handshake::RtsCtsXonXoff) {
        // QSerialPort offers one kind at a time; add Xon/Xoff to the hardware handshake by hand.
        termios attributes{};
        const int fd = m_fd.load();
        applied = ::tcgetattr(fd, &attributes) == 0;
        attributes.c_iflag |= IXON | IXOFF;
        applied = applied && ::tcsetattr(fd, TCSANOW, &attributes) == 0;
    }
#endif
    if (!applied) {
        m_error = SerialError::SettingsRejected;
        m_errorString = QStringLiteral("handshaking rejected: %1").arg(m_port.errorString());
        m_port.clearError();
    }
    return applied;
}

bool QtSerialLine::setSettings(const SerialLineSettings& settings)
{
    return isOpen() && applySettings(settings);
}

bool QtSerialLine::setHandshake(Handshake handshake)
{
    return isOpen() && applyHandshake(handshake);
}

bool QtSerialLine::setLine(ModemLine line, bool on)
{
    const int fd = m_fd.load();
    if (fd < 0 || (on && LineSafety::releasing()))
        return false;
#ifdef Q_OS_UNIX
    int bit = line == ModemLine::Rts ? TIOCM_RTS : TIOCM_DTR;
    return ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0;
#else
    const bool taken = line == ModemLine::Rts ? m_port.setRequestToSend(on) : m_port.setDataTerminalReady(on);
    m_port.clearError();
    return taken;
#endif
}

qint64 QtSerialLine::write(const QByteArray& bytes)
{
    if (!isOpen())
        return -1;
    return m_port.write(bytes);
}

QByteArray QtSerialLine::read(qint64 maxBytes)
{
    if (!isOpen() || maxBytes <= 0)
        return {};
    return m_port.read(maxBytes);
}

qint64 QtSerialLine::bytesAvailable() const
{
    return isOpen() ? m_port.bytesAvailable() : 0;
}

qint64 QtSerialLine::bytesToWrite() const
{
    return isOpen() ? m_port.bytesToWrite() : 0;
}

bool QtSerialLine::drain(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return qMax<qint64>(0, timeoutMs - clock.elapsed()); };
    while (isOpen() && m_port.bytesToWrite() > 0 && left() > 0)
        m_port.waitForBytesWritten(int(left()));
    if (!isOpen())
        return false;
    if (m_port.bytesToWrite() > 0)
        return false;
#ifdef Q_OS_UNIX
    while (kernelOutputQueue(m_fd.load()) > 0) {
        if (left() <= 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
#endif
    return true;
}

void QtSerialLine::setEmergencyBytes(const QByteArray& bytes)
{
    m_emergencyBytes = bytes.left(LineSafety::kMaxReleaseBytes);
    if (m_safetyTicket >= 0)
        LineSafety::setReleaseBytes(m_safetyTicket, m_emergencyBytes);
}

void QtSerialLine::shutDown(int fd, bool discardQueued)
{
    LineSafety::unregister(m_safetyTicket);
    m_safetyTicket = -1;
    m_fd = -1;
#ifdef Q_OS_UNIX
    // Whatever is still queued would hold the close for up to 30 s on a stalled line. Only then: on a
    // pseudo-terminal the flush also throws away what the other end has not read yet (a keyer's close).
    if (discardQueued)
        ::tcflush(fd, TCOFLUSH);
#else
    Q_UNUSED(fd);
    Q_UNUSED(discardQueued);
#endif
}

void QtSerialLine::close()
{
    const int fd = m_fd.load();
    bool drained = false;
    if (fd >= 0) {
        releaseLines(fd);
        drained = drain(kCloseDrainMs);
    }
    if (m_fd.load() >= 0)
        shutDown(m_fd.load(), !drained);
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

void QtSerialLine::onPortError(QSerialPort::SerialPortError error)
{
    if (!fatal(error) || !isOpen())
        return;
    const QString reason = m_port.errorString();
    const int fd = m_fd.load();
    releaseLines(fd);
    shutDown(fd, true);
    m_error = SerialError::Lost;
    m_errorString = reason;
    // Closing inside QSerialPort's own notification is not safe; the descriptor is already out of use (no
    // key, no write, no second notice), and the close itself follows at once.
    QMetaObject::invokeMethod(
        this, [this, generation = m_generation] { finishFailure(generation); }, Qt::QueuedConnection);
}

void QtSerialLine::finishFailure(quint64 generation)
{
    if (generation != m_generation)
        return; // reopened meanwhile: the new port is closed by that open already
    if (m_port.isOpen()) {
        m_port.close();
        m_port.clearError();
    }
    Q_EMIT failed(m_error, m_errorString);
}

} // namespace velm
