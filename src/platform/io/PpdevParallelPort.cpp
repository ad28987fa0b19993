#include "platform/io/PpdevParallelPort.h"

#include "platform/io/LineSafety.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace velm {

namespace {

QString addressText(quint16 address)
{
    return QStringLiteral("&H") + QString::number(address, 16).toUpper();
}

#ifdef Q_OS_LINUX
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The cure for each way opening a ppdev device fails.
QString cureFor(int error, const QString& device)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return QStringLiteral(
                   "Load the parallel-port driver (sudo modprobe ppdev) and check that the machine has "
                   "a parallel port at %1.")
            .arg(device);
    case EACCES:
    case EPERM:
        return QStringLiteral(
            "Add your user to the lp group (sudo adduser $USER lp), then log out and in again.");
    case ENOTTY:
    case EINVAL:
        return QStringLiteral(
                   "%1 is not a parallel port device; choose the right one in the ParallelPort setting.")
            .arg(device);
    case EBUSY:
        return QStringLiteral("Another program is using the port.");
    default:
        return {};
    }
}
#endif

} // namespace

PpdevParallelPort::PpdevParallelPort(const SettingsStore& settings) : m_settings(settings) {}

PpdevParallelPort::~PpdevParallelPort()
{
    closeAll();
}

bool PpdevParallelPort::open(quint16 baseAddress)
{
    const QMutexLocker lock(&m_mutex);
    return openLocked(baseAddress);
}

QString PpdevParallelPort::errorString() const
{
    const QMutexLocker lock(&m_mutex);
    return m_errorString;
}

bool PpdevParallelPort::openLocked(quint16 baseAddress)
{
    if (m_ports.contains(baseAddress))
        return true;
    const QString device = parallelDevicePath(baseAddress, m_settings);
    if (device.isEmpty()) {
        m_errorString = QStringLiteral("No parallel port device is known for the address %1. Name it in the "
                                       "setting %2 (for example /dev/parport0).")
                            .arg(addressText(baseAddress), parallelPortSettingKey(baseAddress));
        return false;
    }
#ifdef Q_OS_LINUX
    const auto failWith = [&](int error, const QString& step) {
        m_errorString =
            QStringLiteral("The parallel port %1 (%2) cannot be %3: %4. %5")
                .arg(device, addressText(baseAddress), step, systemReason(error), cureFor(error, device))
                .trimmed();
        return false;
    };
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return failWith(errno, QStringLiteral("opened"));
    // PPCLAIM of a port another program has claimed waits for it; one claim per address is held here for
    // every caller, so CW and PTT on one address never wait on each other.
    if (::ioctl(fd, PPCLAIM) != 0) {
        const int error = errno;
        ::close(fd);
        return failWith(error, QStringLiteral("claimed"));
    }
    Claimed claimed;
    claimed.fd = fd;
    if (!writeRegister(claimed, kParallelControlOffset, kParallelKeyUp)) {
        const int error = errno;
        ::ioctl(fd, PPRELEASE);
        ::close(fd);
        return failWith(error, QStringLiteral("written"));
    }
    claimed.safetyTicket = LineSafety::registerParallel(fd, kParallelKeyUp);
    m_ports.insert(baseAddress, claimed);
    m_errorString.clear();
    return true;
#else
    m_errorString = QStringLiteral("Parallel port keying is not available on this system (%1).").arg(device);
    return false;
#endif
}

bool PpdevParallelPort::writeRegister(const Claimed& port, int offset, quint8 value)
{
#ifdef Q_OS_LINUX
    unsigned char byte = value;
    if (offset == 0)
        return ::ioctl(port.fd, PPWDATA, &byte) == 0;
    if (offset == int(kParallelControlOffset))
        return ::ioctl(port.fd, PPWCONTROL, &byte) == 0;
#else
    Q_UNUSED(port);
    Q_UNUSED(offset);
    Q_UNUSED(value);
#endif
    return false;
}

bool PpdevParallelPort::write(quint16 address, quint8 value)
{
    const QMutexLocker lock(&m_mutex);
    const quint16 base = parallelBaseOf(address);
    const int offset = address - base;
    if (offset != 0 && offset != int(kParallelControlOffset)) {
        m_errorString =
            QStringLiteral("Only the data and control registers of a parallel port can be written "
                           "(address %1).")
                .arg(addressText(address));
        return false;
    }
    if (value != kParallelKeyUp && LineSafety::releasing())
        return false;
    if (!openLocked(base))
        return false;
    if (writeRegister(m_ports.value(base), offset, value))
        return true;
    m_errorString = QStringLiteral("Writing to the parallel port at %1 failed.").arg(addressText(base));
    return false;
}

void PpdevParallelPort::closeAll()
{
    const QMutexLocker lock(&m_mutex);
    for (auto it = m_ports.cbegin(); it != m_ports.cend(); ++it) {
        writeRegister(it.value(), kParallelControlOffset, kParallelKeyUp);
        LineSafety::unregister(it.value().safetyTicket);
#ifdef Q_OS_LINUX
        ::ioctl(it.value().fd, PPRELEASE);
        ::close(it.value().fd);
#endif
    }
    m_ports.clear();
}

} // namespace velm
