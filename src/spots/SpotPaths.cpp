#include "spots/SpotPaths.h"

#include "log/WriteFormat.h"

namespace velm {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Every CR, LF and CR LF becomes one CR LF.
QString withCrLf(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString result;
    result.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            result += kLineEnd;
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

QString trimmedBlanks(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

SpotPaths::SpotPaths(TrafficBox& traffic, SpotDispatch dispatch)
    : m_traffic(traffic), m_dispatch(std::move(dispatch))
{
}

void SpotPaths::show(QStringView piece)
{
    m_traffic.append(piece);
    m_traffic.TrimTrafficBox();
}

void SpotPaths::reset()
{
    m_tnc.reset();
    m_telnet.reset();
    m_telnetShown = 0;
}

void SpotPaths::SpotLineProcessor(QByteArrayView received)
{
    m_lines.clear();
    m_tnc.feed(received, m_lines);
    for (const ReceivedLine& received_line : m_lines) {
        const QString line = received_line.text + kLineEnd;
        if (received_line.cut) {
            if (!m_dxOnly)
                show(line);
            continue;
        }
        if (m_traffic.occursInRecent(line))
            continue; // a TNC often hears the same spot from several nodes
        if (beginsWithDx(line)) {
            show(line);
            m_dispatch(spotFields(line), line);
        } else if (!m_dxOnly) {
            show(line);
        }
    }
}

void SpotPaths::telnetReceived(QByteArrayView received)
{
    m_lines.clear();
    m_telnet.feed(received, m_lines);
    for (const ReceivedLine& received_line : m_lines) {
        const QString line = received_line.text + kLineEnd;
        if (!m_dxOnly)
            showLine(QStringView(received_line.text).mid(m_telnetShown)); // a prompt shown is not shown twice
        m_telnetShown = 0;
        if (received_line.cut)
            continue;
        if (beginsWithDx(line)) {
            m_dispatch(spotFields(line), line);
            if (m_dxOnly)
                show(line);
        }
    }
    if (!m_dxOnly) {
        const QString pending = decodeText(m_telnet.pendingWhole());
        if (pending.size() > m_telnetShown) {
            show(QStringView(pending).mid(m_telnetShown));
            m_telnetShown = pending.size();
        }
    }
}

void SpotPaths::telnetEnded()
{
    const qsizetype shown = m_telnetShown;
    m_telnetShown = 0;
    if (const std::optional<ReceivedLine> cut = m_telnet.flush())
        showLine(QStringView(cut->text).mid(qMin(shown, cut->text.size())));
}

void SpotPaths::agwFrame(QString data, QString frameText, const QString& sender, const QString& connectedCall)
{
    data = withCrLf(data);
    frameText = withCrLf(frameText);
    if (connectedCall.isEmpty()) {
        // Monitoring: the first line is the engine's header ("1:Fm W3LPL To DX <UI ...>[hh:mm:ss]").
        data = trimmedBlanks(data.mid(data.indexOf(QLatin1Char('\n')) + 1));
    }
    if (data == kLineEnd)
        data.clear();
    else if (data.size() > 4 && data.endsWith(QStringLiteral("\r\n\r\n")))
        data.chop(2);

    const bool spot = beginsWithDx(data, true);
    if (spot && !m_traffic.occursInRecent(data)) {
        show(data);
        m_dispatch(spotFields(data), data);
    }
    if (spot || m_dxOnly)
        return;
    if (!connectedCall.isEmpty() && sender.compare(connectedCall, Qt::CaseInsensitive) == 0)
        show(data);
    else if (connectedCall.isEmpty() && !frameText.contains(QLatin1String("DX "), Qt::CaseInsensitive))
        show(frameText);
}

} // namespace velm
