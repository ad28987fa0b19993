#pragma once
// Responsibilities: a KeyLine that records every call with its steady-clock time (thread-safe, as the Morse
// engine keys from its worker thread), and can refuse on cue. For CW keying and voice PTT tests.

#include "platform/KeyLine.h"

#include <QMutex>
#include <chrono>
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
        m_calls.push_back({down, std::chrono::steady_clock::now()});
        if (m_refuse)
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

private:
    mutable QMutex m_mutex;
    std::vector<Edge> m_edges;
    std::vector<Edge> m_calls;
    bool m_keyed = false;
    bool m_refuse = false;
};

} // namespace velm::test
