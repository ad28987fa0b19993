// AGW Packet Engine TCP/IP API frames, as the original API tutorial defines the header and Dire Wolf's
// server speaks it: port at byte 0, DataKind at 4, PID at 6, CallFrom at 8, CallTo at 18, DataLen at 28,
// User at 32, integers little-endian.
#include "platform/AgwFrame.h"

namespace velm {

namespace {

void putCall(char* field, const QByteArray& call)
{
    const qsizetype length = qMin(call.size(), agw::kMaxCall);
    for (qsizetype i = 0; i < length; ++i)
        field[i] = call[i];
}

void putUint32(char* at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char((value >> (8 * i)) & 0xFF);
}

quint32 uint32At(const char* at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(quint8(at[i])) << (8 * i);
    return value;
}

QByteArray callAt(const char* field)
{
    // Dire Wolf forces the tenth byte to NUL; a sender that does not is read up to the ninth.
    qsizetype length = 0;
    while (length < agw::kMaxCall && field[length] != '\0')
        ++length;
    return QByteArray(field, length);
}

} // namespace

QByteArray encodeAgwFrame(const AgwFrame& frame)
{
    QByteArray bytes(agw::kHeaderBytes, '\0');
    char* header = bytes.data();
    header[0] = char(frame.port);
    header[4] = frame.kind;
    header[6] = char(frame.pid);
    putCall(header + 8, frame.callFrom);
    putCall(header + 18, frame.callTo);
    putUint32(header + 28, quint32(frame.data.size()));
    bytes += frame.data;
    return bytes;
}

bool validAgwCall(QByteArrayView call)
{
    if (call.isEmpty() || call.size() > agw::kMaxCall)
        return false;
    for (const char c : call) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}

void AgwFrameReader::append(QByteArrayView bytes)
{
    m_buffer.append(bytes.data(), bytes.size());
}

qsizetype AgwFrameReader::wanted() const
{
    if (m_buffer.size() < agw::kHeaderBytes)
        return agw::kHeaderBytes - m_buffer.size();
    const quint32 length = uint32At(m_buffer.constData() + 28);
    if (length > agw::kMaxDataBytes)
        return 1;
    const qsizetype total = agw::kHeaderBytes + qsizetype(length);
    return qMax<qsizetype>(1, total - m_buffer.size());
}

AgwFrameReader::Status AgwFrameReader::next(AgwFrame& frame)
{
    if (m_buffer.size() < agw::kHeaderBytes)
        return Status::NeedMore;
    const char* header = m_buffer.constData();
    const quint32 length = uint32At(header + 28);
    if (length > agw::kMaxDataBytes) {
        m_oversized = length;
        return Status::Oversized;
    }
    const qsizetype total = agw::kHeaderBytes + qsizetype(length);
    if (m_buffer.size() < total)
        return Status::NeedMore;
    frame.port = quint8(header[0]);
    frame.kind = header[4];
    frame.pid = quint8(header[6]);
    frame.callFrom = callAt(header + 8);
    frame.callTo = callAt(header + 18);
    frame.data = m_buffer.mid(agw::kHeaderBytes, length);
    m_buffer.remove(0, total);
    return Status::Frame;
}

void AgwFrameReader::clear()
{
    m_buffer.clear();
    m_oversized = 0;
}

} // namespace velm
