#pragma once
// Responsibilities: the frames of the AGW Packet Engine TCP/IP API (a 36-byte little-endian header, then
// DataLen payload bytes): building one, and reading them back out of a byte stream that TCP splits and
// merges.

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace velm {

// One frame as it travels. Calls are ASCII "CALL-SSID" of at most 9 characters, without the NUL padding.
struct AgwFrame {
    quint8 port = 0; // radio port, 0 = first
    char kind = 0;   // DataKind letter; case matters ('C' is not 'c')
    quint8 pid = 0;  // AX.25 protocol id; 0xF0 for plain text
    QByteArray callFrom, callTo;
    QByteArray data;

    friend bool operator==(const AgwFrame&, const AgwFrame&) = default;
};

namespace agw {
constexpr qsizetype kHeaderBytes = 36;
constexpr qsizetype kCallField = 10; // 9 characters and a NUL
constexpr qsizetype kMaxCall = 9;
// The largest payload taken from an engine: an AX.25 frame is a few hundred bytes, a port list a few dozen.
constexpr quint32 kMaxDataBytes = 64 * 1024;
constexpr quint8 kPidNoLayer3 = 0xF0;
} // namespace agw

// The frame's bytes: header with the calls NUL-padded (a call longer than 9 characters is cut, so check
// validAgwCall first), DataLen = the data's size, User 0, then the data.
QByteArray encodeAgwFrame(const AgwFrame& frame);

// A call the header can carry: 1 to 9 printable ASCII characters without blanks.
bool validAgwCall(QByteArrayView call);

// Reads frames out of the received bytes. Holds at most one frame's bytes beyond what it hands out: take()
// says how many more bytes it wants, so the caller reads no more than that from the socket.
class AgwFrameReader {
public:
    enum class Status {
        NeedMore, // the next frame is not complete yet
        Frame,    // frame filled in
        Oversized // the header announces more than agw::kMaxDataBytes: the stream cannot be trusted further
    };

    // Bytes received, at most wanted() of them at a time.
    void append(QByteArrayView bytes);
    // How many bytes complete the next header or frame (always at least 1).
    qsizetype wanted() const;
    Status next(AgwFrame& frame);
    // The DataLen of the frame that was refused.
    quint32 oversizedLength() const { return m_oversized; }
    qsizetype buffered() const { return m_buffer.size(); }
    void clear();

private:
    QByteArray m_buffer;
    quint32 m_oversized = 0;
};

} // namespace velm
