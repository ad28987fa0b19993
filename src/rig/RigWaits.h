#pragma once
// Responsibilities: the waits of a frequency or mode change (the radio's output drained, the delays a
// radio needs between commands), during which the window goes on taking clicks and keys; EventLoopWaits
// runs them on a nested event loop, tests on a fake clock.

#include <QObject>

#include <functional>

namespace velm {

class RigWaits {
public:
    virtual ~RigWaits() = default;
    // Lets pending events run once.
    virtual void processEvents() = 0;
    // Waits ms milliseconds, events running meanwhile.
    virtual void delay(int ms) = 0;
    // Waits until done() holds, at most timeoutMs, events running meanwhile; whether it held.
    virtual bool waitUntil(const std::function<bool()>& done, int timeoutMs) = 0;
};

// A nested QEventLoop ended by a QTimer; the condition is looked at every few milliseconds, the thread
// sleeping in between.
class EventLoopWaits final : public RigWaits {
public:
    static constexpr int kCheckIntervalMs = 2;

    void processEvents() override;
    void delay(int ms) override;
    bool waitUntil(const std::function<bool()>& done, int timeoutMs) override;
};

} // namespace velm
