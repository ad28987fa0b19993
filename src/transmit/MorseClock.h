#pragma once
// Responsibilities: the time base of the Morse keying thread: a monotonic nanosecond count, waiting for a
// deadline (asleep or spinning), and the counted busy loop of the "Loop" timing method; each wait ends early
// when the engine is told to stop. SteadyMorseClock is the real one; tests use VirtualMorseClock
// (tests/support), whose time moves only when the engine waits.

#include <QtGlobal>
#include <atomic>

namespace velm {

class MorseClock {
public:
    virtual ~MorseClock() = default;

    // Nanoseconds since an arbitrary start; never goes back, never wraps in practice (64 bits).
    virtual qint64 nowNs() const = 0;
    // Suspends the thread until nowNs() >= deadlineNs. False when stop turned true first (checked at least
    // every few milliseconds).
    virtual bool sleepUntil(qint64 deadlineNs, const std::atomic<bool>& stop) = 0;
    // The same by reading the clock in a tight loop: precise to microseconds, at the cost of a core.
    virtual bool spinUntil(qint64 deadlineNs, const std::atomic<bool>& stop) = 0;
    // Counts from 0 in steps of 1 up to iterations (a loop the compiler may not remove); false when stop
    // turned true first.
    virtual bool busyLoop(qint64 iterations, const std::atomic<bool>& stop) = 0;
};

class SteadyMorseClock final : public MorseClock {
public:
    qint64 nowNs() const override;
    bool sleepUntil(qint64 deadlineNs, const std::atomic<bool>& stop) override;
    bool spinUntil(qint64 deadlineNs, const std::atomic<bool>& stop) override;
    bool busyLoop(qint64 iterations, const std::atomic<bool>& stop) override;
};

} // namespace velm
