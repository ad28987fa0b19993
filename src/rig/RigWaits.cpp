#include "rig/RigWaits.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace velm {

void EventLoopWaits::processEvents()
{
    QCoreApplication::processEvents();
}

void EventLoopWaits::delay(int ms)
{
    processEvents();
    if (ms > 0) {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    processEvents();
}

bool EventLoopWaits::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    bool held = false;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            held = true;
            loop.quit();
        } else if (deadline.hasExpired()) {
            loop.quit();
        }
    });
    check.start(kCheckIntervalMs);
    loop.exec();
    return held;
}

} // namespace velm
