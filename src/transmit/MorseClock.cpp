#include "transmit/MorseClock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace velm {

namespace {
using std::chrono::nanoseconds;
using std::chrono::steady_clock;

// A sleep never lasts longer than this in one piece, so a stop is noticed within it.
constexpr qint64 kSleepSliceNs = 2'000'000;
// Stop is looked at once per this many loop iterations.
constexpr qint64 kLoopCheckEvery = 4096;
} // namespace

qint64 SteadyMorseClock::nowNs() const
{
    return std::chrono::duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SteadyMorseClock::sleepUntil(qint64 deadlineNs, const std::atomic<bool>& stop)
{
    for (;;) {
        const qint64 now = nowNs();
        if (now >= deadlineNs)
            return true;
        if (stop.load(std::memory_order_relaxed))
            return false;
        const qint64 until = std::min(deadlineNs, now + kSleepSliceNs);
        std::this_thread::sleep_until(steady_clock::time_point(nanoseconds(until)));
    }
}

bool SteadyMorseClock::spinUntil(qint64 deadlineNs, const std::atomic<bool>& stop)
{
    while (nowNs() < deadlineNs) {
        if (stop.load(std::memory_order_relaxed))
            return false;
    }
    return true;
}

bool SteadyMorseClock::busyLoop(qint64 iterations, const std::atomic<bool>& stop)
{
    // volatile: the count itself is the delay, so the loop must really run.
    volatile qint64 count = 0;
    while (count < iterations) {
        count = count + 1;
        if (count % kLoopCheckEvery == 0 && stop.load(std::memory_order_relaxed))
            return false;
    }
    return true;
}

} // namespace velm
