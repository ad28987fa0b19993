#pragma once
// Responsibilities: the wall clock (local and UTC) and a monotonic millisecond count, so that timing-dependent
// logic can be driven by a fake clock in tests.

#include <QDateTime>

namespace velm {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime localNow() const = 0;
    virtual QDateTime utcNow() const = 0;
    // Monotonic milliseconds since an arbitrary start (the classic timeGetTime).
    virtual qint64 milliseconds() const = 0;
};

} // namespace velm
