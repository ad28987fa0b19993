#pragma once
// Responsibilities: the real clock: QDateTime for wall time, std::chrono::steady_clock for the millisecond count.

#include "platform/Clock.h"

namespace velm {

class SystemClock final : public Clock {
public:
    QDateTime localNow() const override;
    QDateTime utcNow() const override;
    qint64 milliseconds() const override;
};

} // namespace velm
