#include "platform/SystemClock.h"

#include <chrono>

namespace velm {

QDateTime SystemClock::localNow() const { return QDateTime::currentDateTime(); }

QDateTime SystemClock::utcNow() const { return QDateTime::currentDateTimeUtc(); }

qint64 SystemClock::milliseconds() const
{
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace velm
