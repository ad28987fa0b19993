#pragma once
// Responsibilities: the real UART that key-line tests drive and watch (/dev/ttyS0, a 16550 on these
// machines), opened for watching before the port under test, and the reason to skip where it cannot be.
// For the line tests of the platform, CW keying and voice PTT; take the CTest RESOURCE_LOCK ttyS0.

#include "platform/io/ModemLineMonitor.h"

#include <QFileInfo>
#include <QString>

namespace velm::test {

inline QString testUartPath()
{
    return QStringLiteral("/dev/ttyS0");
}

// Opens monitor on the test UART. Empty when it watches; else why the test must skip. Call it before the
// code under test opens the port: the monitor's own open raises RTS and DTR.
inline QString watchTestUart(ModemLineMonitor& monitor)
{
    if (!QFileInfo::exists(testUartPath()))
        return QStringLiteral("no serial port %1 on this machine").arg(testUartPath());
    if (!monitor.open(testUartPath()))
        return QStringLiteral("cannot watch %1: %2").arg(testUartPath(), monitor.errorString());
    return {};
}

} // namespace velm::test

// Skips the calling test function, with the reason, when the test UART cannot be watched. A macro, because a
// QSKIP inside a helper function would only leave the helper and the test would run on without the port.
#define VELM_NEED_TEST_UART(monitor)                                                                         \
    do {                                                                                                     \
        const QString velmUartSkip = ::velm::test::watchTestUart(monitor);                                   \
        if (!velmUartSkip.isEmpty())                                                                         \
            QSKIP(qPrintable(velmUartSkip));                                                                 \
    } while (false)
