#pragma once
// Responsibilities: a MorseClock whose time moves only when the engine waits (each sleep or spin jumps to
// its deadline, each busy-loop iteration takes a set time), so keying tests run at once and their edge times
// are exact; it may start at any count (past 2^32 ms, for example). For the Morse engine and CW tests.

#include "transmit/MorseClock.h"

#include <atomic>
#include <chrono>

namespace velm::test {

class VirtualMorseClock final : public MorseClock {
public:
    explicit VirtualMorseClock(qint64 startNs = 1'000'000'000) : m_now(startNs) {}

    qint64 nowNs() const override { return m_now.load(); }
    bool sleepUntil(qint64 deadlineNs, const std::atomic<bool>& stop) override
    {
        ++sleeps;
        return reach(deadlineNs, stop);
    }
    bool spinUntil(qint64 deadlineNs, const std::atomic<bool>& stop) override
    {
        const qint64 from = m_now.load();
        const bool reached = reach(deadlineNs, stop);
        spunNs += std::max<qint64>(0, deadlineNs - from);
        return reached;
    }
    bool busyLoop(qint64 iterations, const std::atomic<bool>& stop) override
    {
        if (stop.load())
            return false;
        m_now += qint64(double(iterations) * nsPerIteration);
        loopIterations += iterations;
        return true;
    }

    // The time as a steady-clock point, for RecordingKeyLine.
    std::chrono::steady_clock::time_point timePoint() const
    {
        return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(m_now.load()));
    }
    void advance(qint64 ns) { m_now += ns; }

    double nsPerIteration = 1.0;
    std::atomic<qint64> spunNs{0};
    std::atomic<qint64> loopIterations{0};
    std::atomic<int> sleeps{0};

private:
    bool reach(qint64 deadlineNs, const std::atomic<bool>& stop)
    {
        if (stop.load())
            return false;
        qint64 now = m_now.load();
        while (now < deadlineNs && !m_now.compare_exchange_weak(now, deadlineNs)) {
        }
        return true;
    }

    std::atomic<qint64> m_now;
};

} // namespace velm::test
