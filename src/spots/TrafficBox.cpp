#include "spots/TrafficBox.h"

namespace velm {

void TrafficBox::replace(const QString& text)
{
    m_text = text.right(kTrimAbove);
    m_caret = 0;
    ++m_rewrites;
}

void TrafficBox::append(QStringView piece)
{
    if (piece.size() > kMaxPiece)
        piece = piece.right(kMaxPiece);
    m_text += piece;
}

void TrafficBox::TrimTrafficBox()
{
    if (m_text.size() > kTrimAbove) {
        m_text = m_text.right(kKeep);
        ++m_rewrites;
    }
    if (m_text.size() >= 3)
        m_caret = m_text.size() - 1;
    else
        m_caret = qMin(m_caret, m_text.size());
}

bool TrafficBox::occursInRecent(QStringView text) const
{
    const qsizetype from = qMax<qsizetype>(0, m_text.size() - kRecent);
    return QStringView(m_text).indexOf(text, from, Qt::CaseInsensitive) >= 0;
}

QString TrafficBox::displayText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            shown += QLatin1Char('\n');
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            shown += c;
        }
    }
    return shown;
}

qsizetype TrafficBox::displayPosition(QStringView text, qsizetype position)
{
    position = qBound<qsizetype>(0, position, text.size());
    qsizetype shown = position;
    for (qsizetype i = 0; i + 1 < position; ++i) {
        if (text[i] == QLatin1Char('\r') && text[i + 1] == QLatin1Char('\n'))
            --shown;
    }
    // A pair ending at or after the caret is not counted: a caret between CR and LF stands after the break.
    return shown;
}

} // namespace velm
