#pragma once
// Responsibilities: the spotting window's traffic box as text (CR LF line ends) with its caret: appends,
// the trim that keeps it bounded, the recent-traffic test, and what the widget needs to mirror it.

#include <QString>
#include <QStringView>

namespace velm {

class TrafficBox {
public:
    static constexpr qsizetype kTrimAbove = 10000; // TrimTrafficBox cuts a box longer than this ...
    static constexpr qsizetype kKeep = 9000;       // ... to its last this many characters
    static constexpr qsizetype kRecent = 800;      // the recent traffic: the last this many characters
    static constexpr qsizetype kMaxPiece = 9000;   // a piece longer than this is cut to its end first

    const QString& text() const { return m_text; }
    qsizetype caret() const { return m_caret; }
    void setCaret(qsizetype position) { m_caret = qBound<qsizetype>(0, position, m_text.size()); }

    // Replaces the whole text; the caret goes to its start.
    void replace(const QString& text);
    // Appends a piece (at most its last kMaxPiece characters); the caret stays.
    void append(QStringView piece);
    // Longer than kTrimAbove: only the last kKeep characters stay. Then, with at least 3 characters, the
    // caret goes before the last character so that the newest text stays in view.
    void TrimTrafficBox();

    // Whether text occurs, letter case ignored, at or after position (length - kRecent).
    bool occursInRecent(QStringView text) const;

    // The widget's mirror: the text changed other than by appends since the revision was last seen.
    quint64 rewriteRevision() const { return m_rewrites; }
    // The text as a plain-text widget shows it (CR LF and a lone CR as one line break) and where the caret
    // falls in it.
    static QString displayText(QStringView text);
    static qsizetype displayPosition(QStringView text, qsizetype position);

private:
    QString m_text;
    qsizetype m_caret = 0;
    quint64 m_rewrites = 0;
};

} // namespace velm
