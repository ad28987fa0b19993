#pragma once
// Responsibilities: AgwEngine over the AGW Packet Engine TCP/IP API (shared/reference: Dire Wolf's AGW port,
// 127.0.0.1:8000 by default) on a TcpClient: the start-up exchange ('R', 'X', 'm' once) waited for with
// painting going on, the described frame kinds mapped onto the API's, frames read out of the stream only
// as they are asked for (so TCP holds back a busy engine instead of memory growing), and a frame longer than
// 64 KiB or a vanished engine ending the link with one notice.

#include "platform/AgwEngine.h"
#include "platform/AgwFrame.h"
#include "platform/TcpClient.h"

#include <QEventLoop>

#include <deque>
#include <memory>

namespace velm {

class QtAgwEngine final : public AgwEngine {
    Q_OBJECT
public:
    // client: the connection to use; a QtTcpClient when none is given.
    explicit QtAgwEngine(std::unique_ptr<TcpClient> client = {}, QObject* parent = nullptr);
    ~QtAgwEngine() override;

    bool startPoll(const QString& host, quint16 port, const QByteArray& ownCall,
                   int timeoutMs = kStartPollTimeoutMs) override;
    bool putData(const QByteArray& destination, const QByteArray& data, char kind) override;
    std::optional<AgwFrame> getData() override;
    void close() override;
    bool isOpen() const override { return m_phase == Phase::Open; }
    QString errorString() const override { return m_error; }

    // Whether the engine accepted the own call's registration (it refuses on a channel without a radio).
    bool registered() const { return m_registered; }
    // Frames read before the start-up replies came, kept for getData; beyond this many the link is ended.
    static constexpr std::size_t kMaxEarlyFrames = 256;

private:
    enum class Phase { Closed, Starting, Open };
    enum class Read { None, Frame, Broken };

    bool send(const AgwFrame& frame);
    // Reads one frame from the stream, taking no more bytes from the client than it needs.
    Read readFrame(AgwFrame& frame);
    // A start-up or query reply: taken here, true. Anything else is for getData.
    bool takeReply(const AgwFrame& frame);
    void onFailed(int errorNumber, const QString& reason);
    void end(const QString& reason);

    std::unique_ptr<TcpClient> m_client;
    AgwFrameReader m_reader;
    std::deque<AgwFrame> m_early;
    Phase m_phase = Phase::Closed;
    QByteArray m_ownCall;
    QString m_error;
    bool m_gotVersion = false, m_gotRegistration = false, m_registered = false;
    bool m_startFailed = false;
    QEventLoop* m_startLoop = nullptr; // the start-up wait, while it runs
};

} // namespace velm
