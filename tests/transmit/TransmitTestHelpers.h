#pragma once
// Responsibilities: small helpers the transmit tests share: sending one character on the engine and
// waiting for it, and the key edges of a fake serial line's RTS or DTR.

#include "support/FakeSerialLine.h"
#include "support/MorseDecoder.h"
#include "transmit/MorseEngine.h"

#include <QEventLoop>
#include <QTimer>

namespace velm::test {

// Waits (event loop running) until ready() or timeoutMs passed; true when ready.
template <class Ready>
bool waitUntil(Ready ready, int timeoutMs = 5000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ready())
            loop.quit();
    });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(1);
    timeout.start(timeoutMs);
    if (!ready())
        loop.exec();
    return ready();
}

// Hands each pattern to the engine as the send loop does and returns once the last one ended.
inline bool keyPatterns(MorseEngine& engine, const QList<MorseCharacter>& characters)
{
    for (const MorseCharacter& c : characters) {
        if (!waitUntil([&] { return engine.acceptsNext(); }) || !engine.send(c))
            return false;
    }
    return waitUntil([&] { return engine.idle(); });
}

// The level changes of one modem line of a fake serial line, starting from released.
inline KeyEdges lineEdges(const FakeSerialLine& line, ModemLine which)
{
    KeyEdges edges;
    bool level = false;
    for (const FakeSerialLine::LineChange& change : line.lineChanges) {
        if (change.line != which || change.on == level)
            continue;
        level = change.on;
        edges.emplace_back(change.on, change.atNs);
    }
    return edges;
}

} // namespace velm::test
