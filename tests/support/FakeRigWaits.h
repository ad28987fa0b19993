#pragma once
// Responsibilities: RigWaits for tests: every wait recorded and the fake clock moved by it instead of
// sleeping; pending events run at each wait (fake replies arrive), and a test may act during a wait (the
// operator pressing "End Test" while a change waits).

#include "rig/RigWaits.h"
#include "support/FakeClock.h"

#include <QCoreApplication>
#include <QList>

#include <functional>

namespace velm::test {

class FakeRigWaits final : public RigWaits {
public:
    enum class Kind { Events, Delay, Until };
    struct Wait {
        Kind kind;
        int ms;    // a delay's length; a waitUntil's timeout
        bool held; // waitUntil: the condition held (no time passed)
    };

    explicit FakeRigWaits(FakeClock* clock = nullptr) : m_clock(clock) {}

    void processEvents() override { record({Kind::Events, 0, true}); }
    void delay(int ms) override
    {
        advance(ms);
        record({Kind::Delay, ms, true});
    }
    bool waitUntil(const std::function<bool()>& done, int timeoutMs) override
    {
        // What happens during the wait (the test's action, replies arriving) comes before the last look.
        const int index = int(waits.size());
        waits << Wait{Kind::Until, timeoutMs, false};
        QCoreApplication::processEvents();
        if (duringWait)
            duringWait(index);
        QCoreApplication::processEvents();
        const bool held = done();
        waits[index].held = held;
        if (!held)
            advance(timeoutMs);
        return held;
    }

    // The lengths of the delays, in order.
    QList<int> delays() const
    {
        QList<int> lengths;
        for (const Wait& wait : waits) {
            if (wait.kind == Kind::Delay)
                lengths << wait.ms;
        }
        return lengths;
    }
    qint64 elapsedMs = 0;
    QList<Wait> waits;
    // Runs after each wait with its number (0 the first).
    std::function<void(int)> duringWait;

private:
    void advance(int ms)
    {
        elapsedMs += ms;
        if (m_clock)
            m_clock->advanceMs(ms);
    }
    void record(const Wait& wait)
    {
        QCoreApplication::processEvents();
        waits << wait;
        if (duringWait)
            duringWait(int(waits.size()) - 1);
    }
    FakeClock* m_clock;
};

} // namespace velm::test
