#pragma once
// Responsibilities: an AgwEngine for tests: records start-ups and every frame put, hands out the frames a
// test queued, answers or stays silent on cue, and vanishes (lost) like an engine that was ended.
// For the spotting window's AGW logic tests.

#include "platform/AgwEngine.h"

#include <QList>
#include <deque>

namespace velm::test {

class FakeAgwEngine final : public AgwEngine {
    Q_OBJECT
public:
    struct Start {
        QString host;
        quint16 port;
        QByteArray call;
    };
    struct Put {
        QByteArray destination, data;
        char kind;
    };

    using AgwEngine::AgwEngine;

    bool startPoll(const QString& host, quint16 port, const QByteArray& ownCall, int timeoutMs) override
    {
        Q_UNUSED(timeoutMs);
        close();
        starts.append({host, port, ownCall});
        if (!answers) {
            m_error = QStringLiteral("no answer");
            return false;
        }
        m_open = true;
        ++openLinks;
        return true;
    }
    bool putData(const QByteArray& destination, const QByteArray& data, char kind) override
    {
        if (!m_open || !validAgwCall(destination))
            return false;
        puts.append({destination, data, kind});
        return true;
    }
    std::optional<AgwFrame> getData() override
    {
        ++getCalls;
        if (!m_open || frames.empty())
            return std::nullopt;
        AgwFrame frame = std::move(frames.front());
        frames.pop_front();
        return frame;
    }
    void close() override
    {
        if (m_open)
            --openLinks;
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    QString errorString() const override { return m_error; }

    // Test controls.
    void queue(char kind, const QByteArray& from, const QByteArray& data, const QByteArray& to = "N0CALL")
    {
        AgwFrame frame;
        frame.kind = kind;
        frame.callFrom = from;
        frame.callTo = to;
        frame.data = data;
        frames.push_back(frame);
    }
    void vanish(const QString& reason = QStringLiteral("the engine closed the connection"))
    {
        close();
        Q_EMIT lost(reason);
    }

    bool answers = true;
    QList<Start> starts;
    QList<Put> puts;
    std::deque<AgwFrame> frames;
    int openLinks = 0; // links open now: never more than one
    int getCalls = 0;

private:
    bool m_open = false;
    QString m_error;
};

} // namespace velm::test
