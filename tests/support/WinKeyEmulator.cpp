#include "support/WinKeyEmulator.h"

#include "platform/SerialLine.h"

namespace velm::test {

namespace {
// Parameter bytes of each immediate or buffered command 0x00..0x1F (0x00 admin handled apart).
constexpr int kParameters[0x20] = {
    0, 1, 1, 1, 2, 3, 1, 0, 0, 1, 0, 1, 1, 1, 1, 15, // 00-0F
    1, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 0, 0,  // 10-1F
};
constexpr quint8 kStatus = 0xC0;
constexpr quint8 kBusy = 0x04;
constexpr quint8 kBreakIn = 0x02;
constexpr quint8 kXoffBit = 0x01;
} // namespace

WinKeyEmulator::WinKeyEmulator(SerialLine& device, QObject* parent) : QObject(parent), m_device(device)
{
    m_keyTimer.setSingleShot(true);
    connect(&m_keyTimer, &QTimer::timeout, this, &WinKeyEmulator::keyNext);
    connect(&m_device, &SerialLine::readyRead, this, &WinKeyEmulator::readHost);
}

void WinKeyEmulator::send(const QByteArray& bytes)
{
    if (!silent)
        m_device.write(bytes);
}

void WinKeyEmulator::sendRaw(const QByteArray& bytes)
{
    m_device.write(bytes);
}

void WinKeyEmulator::readHost()
{
    const QByteArray bytes = m_device.read();
    hostBytes += bytes;
    if (silent)
        return;
    m_input += bytes;
    while (!m_input.isEmpty() && parseOne()) {
    }
}

bool WinKeyEmulator::parseOne()
{
    const quint8 command = quint8(m_input.at(0));
    if (command == 0x00) {
        if (m_input.size() < 2)
            return false;
        const quint8 sub = quint8(m_input.at(1));
        if (sub == 0x04) {
            if (m_input.size() < 3)
                return false;
            if (answerEcho)
                send(QByteArray(1, echoReply ? echoReply : m_input.at(2)));
            m_input.remove(0, 3);
            return true;
        }
        if (sub == 0x02) {
            hostOpen = true;
            if (answerOpen)
                send(QByteArray(1, char(version)));
        } else if (sub == 0x03) {
            hostOpen = false;
            ++hostCloses;
            m_buffer.clear();
            m_keyTimer.stop();
        }
        m_input.remove(0, 2);
        return true;
    }
    if (command == 0x13) {
        ++nulls;
        m_input.remove(0, 1);
        return true;
    }
    if (!hostOpen) {
        m_input.remove(0, 1); // a closed keyer only takes admin commands
        return true;
    }
    if (command >= 0x20) {
        queue(QString(QChar(command)));
        m_input.remove(0, 1);
        return true;
    }
    const int needed = 1 + kParameters[command];
    if (m_input.size() < needed)
        return false;
    const QByteArray p = m_input.mid(1, needed - 1);
    m_input.remove(0, needed);
    switch (command) {
    case 0x02:
        wpm = quint8(p.at(0));
        break;
    case 0x03:
        weight = quint8(p.at(0));
        break;
    case 0x04:
        leadIn = quint8(p.at(0));
        tail = quint8(p.at(1));
        break;
    case 0x07:
        send(QByteArray(1, char(0x80 | 10)));
        break;
    case 0x08:
        ++backspaces;
        if (!m_buffer.isEmpty())
            m_buffer.removeLast();
        break;
    case 0x09:
        pinConfiguration = quint8(p.at(0));
        break;
    case 0x0A:
        ++clears;
        m_buffer.clear();
        m_keyTimer.stop();
        m_busy = false;
        m_xoff = false;
        status();
        break;
    case 0x0E:
        mode = quint8(p.at(0));
        break;
    case 0x15:
        ++statusRequests;
        status();
        break;
    case 0x17:
        ratio = quint8(p.at(0));
        break;
    case 0x1B:
        queue(QStringLiteral("<%1%2>").arg(QChar(p.at(0)), QChar(p.at(1))));
        break;
    default:
        break;
    }
    return true;
}

void WinKeyEmulator::status()
{
    send(QByteArray(1, char(kStatus | (m_busy ? kBusy : 0) | (m_xoff ? kXoffBit : 0))));
}

void WinKeyEmulator::queue(const QString& item)
{
    if (m_buffer.size() >= bufferSize) {
        ++overflows; // a real keyer loses it
        return;
    }
    m_buffer.append(item);
    if (!m_xoff && m_buffer.size() > bufferSize * 2 / 3) {
        m_xoff = true;
        status();
    }
    if (!m_busy) {
        m_busy = true;
        status();
        m_keyTimer.start(msPerCharacter);
    }
}

void WinKeyEmulator::keyNext()
{
    if (m_buffer.isEmpty())
        return;
    const QString item = m_buffer.takeFirst();
    keyed += item;
    // Serial echo (mode bit 2): each character is echoed once keyed; a prosign echoes its two letters.
    if (mode >= 0 && (mode & 0x04)) {
        const QString letters = item.size() == 4 ? item.mid(1, 2) : item;
        send(letters.toLatin1());
    }
    if (m_xoff && m_buffer.size() <= bufferSize / 3) {
        m_xoff = false;
        status();
    }
    if (m_buffer.isEmpty()) {
        m_busy = false;
        status();
        return;
    }
    m_keyTimer.start(msPerCharacter);
}

void WinKeyEmulator::breakIn()
{
    m_buffer.clear();
    m_keyTimer.stop();
    m_busy = false;
    m_xoff = false;
    send(QByteArray(1, char(kStatus | kBusy | kBreakIn)));
    send(QByteArray(1, char(kStatus)));
}

void WinKeyEmulator::movePot(quint8 value)
{
    send(QByteArray(1, char(0x80 | (value & 0x3F))));
}

} // namespace velm::test
