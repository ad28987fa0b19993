#pragma once
// Responsibilities: a KeyLine that records every call with its steady-clock time (thread-safe, as the Morse
// engine keys from its worker thread), and can refuse on cue; another time source (a virtual clock) may
// stand in for the steady clock. For CW keying and voice PTT tests.

#include "platform/KeyLine.h"

#include <QMutex>
#include <chrono>
#include <functional>
#include <vector>

namespace velm::test {

class RecordingKeyLine final : public KeyLine {
public:
    struct Edge {
        bool down;
        std::chrono::steady_clock::time_point at;
    };

    bool setKeyed(bool down) override
    {
        const QMutexLocker lock(&m_mutex);
        m_calls.push_back({down, clock ? clock() : std::chrono::steady_clock::now()});
        if (m_refuse || (m_refuseAfter >= 0 && int(m_calls.size()) > m_refuseAfter))
            return false;
        if (down != m_keyed)
            m_edges.push_back(m_calls.back());
        m_keyed = down;
        return true;
    }
    bool isKeyed() const override
    {
        const QMutexLocker lock(&m_mutex);
        return m_keyed;
    }

    // Level changes only.
    std::vector<Edge> edges() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_edges;
    }
    // Every call, including a release of a line already released.
    std::vector<Edge> calls() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    void clear()
    {
        const QMutexLocker lock(&m_mutex);
        m_edges.clear();
        m_calls.clear();
    }
    // While set, every call fails and the level stays.
    void setRefuse(bool refuse)
    {
        const QMutexLocker lock(&m_mutex);
        m_refuse = refuse;
    }
    // Every call after the first n fails (-1: none), as a line that vanishes in the middle of a character.
    void setRefuseAfter(int n)
    {
        const QMutexLocker lock(&m_mutex);
        m_refuseAfter = n;
    }
    // The level changes as (down, nanoseconds) pairs, for the Morse decoder.
    std::vector<std::pair<bool, qint64>> edgesNs() const
    {
        const QMutexLocker lock(&m_mutex);
        std::vector<std::pair<bool, qint64>> out;
        for (const Edge& e : m_edges)
            out.emplace_back(e.down, std::chrono::duration_cast<std::chrono::nanoseconds>(e.at.time_since_epoch()).count());
        return out;
    }

    // Set before keying starts; called from the keying thread.
    std::function<std::chrono::steady_clock::time_point()> clock;

private:
    mutable QMutex m_mutex;
    std::vector<Edge> m_edges;
    std::vector<Edge> m_calls;
    bool m_keyed = false;
    bool m_refuse = false;
    int m_refuseAfter = -1;
};

} // namespace velm::test
