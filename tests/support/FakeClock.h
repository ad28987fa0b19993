#pragma once
// Responsibilities: a Clock a test sets by hand; local time is UTC plus a fixed offset in seconds.

#include "platform/Clock.h"

namespace velm::test {

class FakeClock final : public Clock {
public:
    QDateTime localNow() const override { return utc.toOffsetFromUtc(localOffsetSeconds); }
    QDateTime utcNow() const override { return utc; }
    qint64 milliseconds() const override { return ms; }

    void advanceMs(qint64 delta)
    {
        ms += delta;
        utc = utc.addMSecs(delta);
    }

    QDateTime utc = QDateTime(QDate(2011, 3, 5), QTime(14, 5, 33), Qt::UTC);
    int localOffsetSeconds = -5 * 3600;
    qint64 ms = 1000000;
};

} // namespace velm::test
