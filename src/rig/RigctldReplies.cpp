#include "rig/RigctldReplies.h"

#include "platform/SettingsStore.h"

#include <cmath>

namespace velm {

namespace rigctld {

QByteArray pollRequest()
{
    return QByteArrayLiteral("+\\get_freq\n+\\get_mode\n");
}

std::optional<Address> parseAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    QString host, port;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1String("]:"));
        if (close < 0)
            return std::nullopt;
        host = trimmed.mid(1, close - 1);
        port = trimmed.mid(close + 2);
    } else {
        const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
        if (colon < 0 || trimmed.indexOf(QLatin1Char(':')) != colon)
            return std::nullopt;
        host = trimmed.left(colon);
        port = trimmed.mid(colon + 1);
    }
    if (host.isEmpty() || host.contains(QLatin1Char(' ')) || port.isEmpty() || port.size() > 5)
        return std::nullopt;
    int number = 0;
    for (const QChar c : port) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
        number = number * 10 + (c.unicode() - '0');
    }
    if (number < 1 || number > 65535)
        return std::nullopt;
    return Address{host, quint16(number)};
}

QString rigctldAddress(const SettingsStore& settings)
{
    const QString stored = settings.value(AddressKey).trimmed();
    return stored.isEmpty() ? DefaultAddress : stored;
}

QString contestMode(QByteArrayView mode)
{
    if (mode == "CW" || mode == "CWR")
        return kModeCw;
    if (mode == "USB" || mode == "LSB" || mode == "AM" || mode == "FM")
        return kModePhone;
    return {};
}

} // namespace rigctld

namespace {

// "145000000" or "145000000.000000": hertz to MHz; nullopt for anything else or out of range.
std::optional<float> frequencyValue(QByteArrayView text)
{
    const qsizetype point = text.indexOf('.');
    const QByteArrayView whole = point < 0 ? text : text.first(point);
    if (point >= 0) {
        for (const char c : text.sliced(point + 1)) {
            if (c < '0' || c > '9')
                return std::nullopt;
        }
    }
    const std::optional<float> mhz = hzToMhz(whole);
    if (!mhz || !(*mhz > 0) || !(*mhz < 100000))
        return std::nullopt;
    return mhz;
}

} // namespace

void RigctldReplies::feed(QByteArrayView bytes, RigReadings& readings)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const QByteArrayView piece = bytes.sliced(start, (end < 0 ? bytes.size() : end) - start);
        start = end < 0 ? bytes.size() : end + 1;
        if (m_skippingLine) {
            if (end >= 0)
                m_skippingLine = false;
            continue;
        }
        if (m_partial.size() + piece.size() > rigctld::kMaxLineBytes) {
            m_partial.clear();
            m_blockBad = true;
            m_skippingLine = end < 0;
            continue;
        }
        if (end < 0) {
            m_partial += piece;
            break;
        }
        if (m_partial.isEmpty()) {
            line(piece, readings);
        } else {
            m_partial += piece;
            const QByteArray whole = std::move(m_partial);
            m_partial.clear();
            line(whole, readings);
        }
    }
}

void RigctldReplies::line(QByteArrayView text, RigReadings& readings)
{
    if (text.endsWith('\r'))
        text.chop(1);
    if (text.startsWith("RPRT ")) {
        bool ok = false;
        const int code = text.sliced(5).toByteArray().toInt(&ok);
        if (ok && code == 0 && !m_blockBad) {
            if (m_frequency)
                readings.RigFrequency = *m_frequency;
            if (!m_mode.isEmpty())
                readings.RigMode = m_mode;
        }
        if (m_pending > 0)
            --m_pending;
        m_sawReport = true;
        ++m_reports;
        m_lastCode = ok ? code : -1;
        endBlock();
        return;
    }
    if (text == "get_freq:" || text == "get_mode:") {
        endBlock();
        m_block = text == "get_freq:" ? Block::Frequency : Block::Mode;
        return;
    }
    if (m_block == Block::Frequency && text.startsWith("Frequency: ")) {
        m_frequency = frequencyValue(text.sliced(11));
        m_blockBad = m_blockBad || !m_frequency;
        return;
    }
    if (m_block == Block::Mode && text.startsWith("Mode: ")) {
        m_mode = rigctld::contestMode(text.sliced(6));
        return;
    }
    if (m_block == Block::Mode && text.startsWith("Passband: "))
        return;
    if (m_block == Block::None && text.endsWith(':')) {
        m_block = Block::Other; // the echo of another command, "set_freq: 7040000" included
        return;
    }
    if (m_block == Block::None && text.contains(": ") && !text.startsWith("Frequency") &&
        !text.startsWith("Mode")) {
        m_block = Block::Other;
        return;
    }
    // Anything else: the stream is out of step until the next RPRT line.
    m_blockBad = true;
}

void RigctldReplies::endBlock()
{
    m_block = Block::None;
    m_blockBad = false;
    m_frequency.reset();
    m_mode.clear();
}

void RigctldReplies::reset()
{
    m_partial.clear();
    m_skippingLine = false;
    endBlock();
    m_pending = 0;
    m_quietTicks = 0;
}

void RigctldReplies::tickPassed()
{
    if (m_sawReport || m_pending == 0) {
        m_quietTicks = 0;
        m_sawReport = false;
        return;
    }
    if (++m_quietTicks >= kTicksBeforeGivingUp) {
        m_pending = 0;
        m_quietTicks = 0;
    }
}

} // namespace velm
