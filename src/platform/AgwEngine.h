#pragma once
// Responsibilities: the AGW Packet Engine as the spotting window calls it: start polling (connect, register
// the own call, monitor), put a frame, get the next frame, close; and one notice when the engine goes away.
// Stands where the engine's library stood; main builds QtAgwEngine (velm_platform_io, the TCP/IP API of an
// engine such as Dire Wolf), tests use FakeAgwEngine or the real one against a test engine (tests/support).

#include "platform/AgwFrame.h"

#include <QObject>
#include <QString>

#include <optional>

namespace velm {

class AgwEngine : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 8000;
    static constexpr int kStartPollTimeoutMs = 2000;

    using QObject::QObject;
    ~AgwEngine() override = default;

    // AGWStartPoll: opens the link to the engine at host:port (closing first what was open), asks its
    // version, registers ownCall and switches monitoring on once. True when the engine answered within
    // timeoutMs; the window keeps painting meanwhile, but takes no input. False leaves nothing open,
    // errorString() says why.
    virtual bool startPoll(const QString& host, quint16 port, const QByteArray& ownCall,
                           int timeoutMs = kStartPollTimeoutMs) = 0;

    // AGWPutData to destination: kind 'c' a connect request, 'P' its companion (the request goes out
    // once, on 'c'), 'D' data to the connected station, 'd' a disconnect. False when the link is not open,
    // the kind is none of these or destination is not a call the engine can carry (validAgwCall).
    virtual bool putData(const QByteArray& destination, const QByteArray& data, char kind) = 0;

    // AGWGetData: the next frame the engine sent, without the replies to the link's own queries (version,
    // registration, port list) and without the NUL ending the engine's texts; a link established arrives as
    // kind 'c'. std::nullopt when no complete frame waits.
    virtual std::optional<AgwFrame> getData() = 0;

    // AGWClose.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorString() const = 0;

Q_SIGNALS:
    // The engine closed the link, the connection failed, or it sent what cannot be a frame. Emitted once;
    // the link is already closed.
    void lost(const QString& reason);
};

} // namespace velm
