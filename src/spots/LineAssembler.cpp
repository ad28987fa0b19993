#include "spots/LineAssembler.h"

#include "log/WriteFormat.h"

namespace velm {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kBel = 0x07;
constexpr unsigned char kIac = 0xFF;   // Telnet: interpret as command
constexpr unsigned char kSb = 0xFA;    // subnegotiation begins ...
constexpr unsigned char kSe = 0xF0;    // ... and ends (after IAC)
constexpr unsigned char kWill = 0xFB;  // WILL, WONT, DO, DONT (0xFB ... 0xFE) take one option byte
constexpr qsizetype kMaxSkipped = 512; // an OSC or subnegotiation longer than this is ended by force

// How many bytes at the end of text belong to a UTF-8 sequence that is not complete yet.
qsizetype incompleteUtf8Tail(QByteArrayView text)
{
    for (qsizetype back = 1; back <= qMin<qsizetype>(3, text.size()); ++back) {
        const auto byte = quint8(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        const qsizetype needed = (byte & 0xE0) == 0xC0   ? 2
                                 : (byte & 0xF0) == 0xE0 ? 3
                                 : (byte & 0xF8) == 0xF0 ? 4
                                                         : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

} // namespace

void LineAssembler::feed(QByteArrayView bytes, std::vector<ReceivedLine>& lines)
{
    for (const char byte : bytes)
        take(byte, lines);
}

void LineAssembler::take(char c, std::vector<ReceivedLine>& lines)
{
    const auto byte = quint8(c);
    switch (m_state) {
    case State::Text:
        break;
    case State::Escape:
        // ESC [ starts a control sequence, ESC ] an operating-system command; ESC with an intermediate byte
        // (a character-set choice such as ESC ( B) takes one more byte; any other byte ends the escape.
        m_state = byte == '['                      ? State::Csi
                  : byte == ']'                    ? State::Osc
                  : (byte >= 0x20 && byte <= 0x2F) ? State::EscapeIntermediate
                                                   : State::Text;
        m_skipped = 0;
        return;
    case State::EscapeIntermediate:
        m_state = State::Text;
        return;
    case State::Csi:
        if (byte >= 0x20 && byte <= 0x3F)
            return; // parameters and intermediates
        m_state = State::Text;
        if (byte >= 0x40 && byte <= 0x7E)
            return; // the final byte: "ESC[33m" is gone
        break;      // anything else ends a broken sequence and is read as text
    case State::Osc:
        if (byte == kBel || ++m_skipped > kMaxSkipped)
            m_state = State::Text;
        else if (byte == kEsc)
            m_state = State::OscEscape;
        return;
    case State::OscEscape:
        m_state = byte == '\\' ? State::Text : State::Osc;
        return;
    case State::Iac:
        if (byte == kIac) {
            m_state = State::Text; // IAC IAC: one data byte 255
            append(c, lines);
            return;
        }
        m_state = byte == kSb ? State::IacSub : byte >= kWill ? State::IacOption : State::Text;
        m_skipped = 0;
        return;
    case State::IacOption:
        m_state = State::Text;
        return;
    case State::IacSub:
        if (byte == kIac)
            m_state = State::IacSubIac;
        else if (++m_skipped > kMaxSkipped)
            m_state = State::Text;
        return;
    case State::IacSubIac:
        m_state = byte == kSe ? State::Text : State::IacSub;
        return;
    }

    if (byte == kEsc) {
        m_state = State::Escape;
        return;
    }
    if (m_telnet && byte == kIac && m_state == State::Text) {
        m_state = State::Iac;
        return;
    }
    if (byte == '\r' || byte == '\n') {
        const bool secondOfPair = byte == '\n' && m_afterCr;
        m_afterCr = byte == '\r';
        if (!secondOfPair)
            endLine(lines);
        return;
    }
    // Control bytes go (BEL from SET/BEEP, NUL keep-alives, the NUL after a Telnet CR); a tab reads as a
    // blank.
    if (byte < 0x20 || byte == 0x7F) {
        if (byte != '\t')
            return;
        c = ' ';
    }
    append(c, lines);
}

void LineAssembler::append(char c, std::vector<ReceivedLine>& lines)
{
    m_afterCr = false;
    if (m_discarding)
        return;
    if (m_line.size() == kMaxLineBytes) {
        // Over the limit: the start is handed on cut (at its last whole character), the rest is dropped.
        const QByteArrayView start(m_line);
        lines.push_back({decodeText(start.chopped(incompleteUtf8Tail(start))), true});
        m_line.clear();
        m_discarding = true;
        return;
    }
    m_line += c;
}

void LineAssembler::endLine(std::vector<ReceivedLine>& lines)
{
    if (!m_discarding)
        lines.push_back({decodeText(m_line), false});
    m_line.clear();
    m_discarding = false;
}

QByteArrayView LineAssembler::pendingWhole() const
{
    if (m_discarding)
        return {};
    const QByteArrayView line(m_line);
    return line.chopped(incompleteUtf8Tail(line));
}

std::optional<ReceivedLine> LineAssembler::flush()
{
    std::optional<ReceivedLine> line;
    if (!m_line.isEmpty() && !m_discarding)
        line = ReceivedLine{decodeText(m_line), true};
    reset();
    return line;
}

void LineAssembler::reset()
{
    m_state = State::Text;
    m_line.clear();
    m_afterCr = false;
    m_discarding = false;
    m_skipped = 0;
}

} // namespace velm
