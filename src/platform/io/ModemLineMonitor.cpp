#include "platform/io/ModemLineMonitor.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velm {

ModemLineMonitor::~ModemLineMonitor()
{
    close();
}

bool ModemLineMonitor::open(const QString& devicePath)
{
    close();
#ifdef Q_OS_UNIX
    m_fd = ::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_errorString =
            QStringLiteral("%1: %2").arg(devicePath, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    int bits = 0;
    if (::ioctl(m_fd, TIOCMGET, &bits) != 0) {
        m_errorString = QStringLiteral("%1 has no modem lines: %2")
                            .arg(devicePath, QString::fromLocal8Bit(std::strerror(errno)));
        close();
        return false;
    }
    return true;
#else
    m_errorString = QStringLiteral("not available on this system");
    Q_UNUSED(devicePath);
    return false;
#endif
}

void ModemLineMonitor::close()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
    m_fd = -1;
}

std::optional<ModemLines> ModemLineMonitor::lines() const
{
#ifdef Q_OS_UNIX
    int bits = 0;
    if (m_fd < 0 || ::ioctl(m_fd, TIOCMGET, &bits) != 0)
        return std::nullopt;
    return ModemLines{(bits & TIOCM_RTS) != 0, (bits & TIOCM_DTR) != 0};
#else
    return std::nullopt;
#endif
}

void ModemLineMonitor::releaseLines()
{
#ifdef Q_OS_UNIX
    int bits = TIOCM_RTS | TIOCM_DTR;
    if (m_fd >= 0)
        ::ioctl(m_fd, TIOCMBIC, &bits);
#endif
}

} // namespace velm
