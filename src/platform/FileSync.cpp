#include "platform/FileSync.h"

#include <QFileDevice>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velm {

QString DeviceFileSync::syncToDevice(QFileDevice& file)
{
    const int fd = file.handle();
    if (fd < 0)
        return QStringLiteral("the file is not open");
#if defined(Q_OS_WIN)
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle))
        return QStringLiteral("the system could not write the file to the disk (error %1)")
            .arg(GetLastError());
    return {};
#else
    int result = 0;
    do {
#if defined(Q_OS_MACOS)
        result = ::fcntl(fd, F_FULLFSYNC);
#elif defined(Q_OS_LINUX)
        result = ::fdatasync(fd);
#else
        result = ::fsync(fd);
#endif
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
#endif
}

} // namespace velm
