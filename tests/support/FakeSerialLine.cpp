#include "support/FakeSerialLine.h"

#include <QTimer>
#include <chrono>

namespace velm::test {

namespace {
qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

bool FakeSerialLine::open(const QString& devicePath, const SerialLineSettings& newSettings,
                          Handshake newHandshake)
{
    close();
    path = devicePath;
    if (!openFailures.empty()) {
        m_error = openFailures.front().error;
        m_errorString = openFailures.front().reason;
        openFailures.pop_front();
        return false;
    }
    if (!settingsAccepted) {
        m_error = SerialError::SettingsRejected;
        m_errorString = QStringLiteral("settings rejected");
        return false;
    }
    m_error = SerialError::None;
    m_errorString.clear();
    settings = newSettings;
    handshake = newHandshake;
    m_open = true;
    ++openCount;
    // As the real line: both lines are off right after the open.
    rts = false;
    dtr = false;
    m_input.clear();
    return true;
}

void FakeSerialLine::close()
{
    if (!m_open)
        return;
    rts = false;
    dtr = false;
    m_open = false;
    ++closeCount;
}

bool FakeSerialLine::setSettings(const SerialLineSettings& newSettings)
{
    if (!m_open || !settingsAccepted || !settingsChangesAccepted) {
        m_error = SerialError::SettingsRejected;
        m_errorString = QStringLiteral("settings rejected");
        return false;
    }
    settings = newSettings;
    return true;
}

bool FakeSerialLine::setHandshake(Handshake newHandshake)
{
    if (!m_open)
        return false;
    handshake = newHandshake;
    return true;
}

bool FakeSerialLine::setLine(ModemLine line, bool on)
{
    if (!m_open || !modemLines)
        return false;
    (line == ModemLine::Rts ? rts : dtr) = on;
    lineChanges.append({line, on, clock ? clock() : nowNs()});
    return true;
}

qint64 FakeSerialLine::write(const QByteArray& bytes)
{
    if (!m_open)
        return -1;
    if (failWrites) {
        // As the real line: closed at once, the notice follows from the event loop.
        close();
        m_error = SerialError::Lost;
        m_errorString = QStringLiteral("Error writing to device");
        QTimer::singleShot(0, this, [this] {
            ++failedCount;
            Q_EMIT failed(SerialError::Lost, m_errorString);
        });
        return -1;
    }
    writes.append({bytes, clock ? clock() : nowNs(), rts, dtr});
    for (qsizetype i = 0; i < replies.size(); ++i) {
        const Reply reply = replies.at(i);
        if (!reply.whenWritten.isEmpty() && !bytes.contains(reply.whenWritten))
            continue;
        if (reply.once)
            replies.removeAt(i--);
        QTimer::singleShot(reply.delayMs, this, [this, bytes = reply.reply] {
            if (m_open)
                feed(bytes);
        });
    }
    return bytes.size();
}

QByteArray FakeSerialLine::read(qint64 maxBytes)
{
    const QByteArray taken = m_input.left(maxBytes);
    m_input.remove(0, taken.size());
    return taken;
}

bool FakeSerialLine::drain(int)
{
    ++drainCount;
    return m_open && outputQueue == 0;
}

void FakeSerialLine::feed(const QByteArray& bytes)
{
    if (!m_open)
        return;
    m_input += bytes;
    Q_EMIT readyRead();
}

void FakeSerialLine::vanish(const QString& reason)
{
    if (!m_open)
        return;
    close();
    m_error = SerialError::Lost;
    m_errorString = reason;
    ++failedCount;
    Q_EMIT failed(SerialError::Lost, reason);
}

QByteArray FakeSerialLine::written() const
{
    QByteArray all;
    for (const Write& w : writes)
        all += w.bytes;
    return all;
}

} // namespace velm::test
