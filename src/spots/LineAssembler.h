#pragma once
// Responsibilities: turns the bytes a spot source sends into lines: Telnet commands, ANSI escape sequences
// and control bytes (BEL, NUL keep-alives) removed, a line ended by LF, CR LF or a lone CR, decoded only
// when whole (so UTF-8 split across reads decodes right), and every line bounded.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace velm {

struct ReceivedLine {
    QString text;     // without its line end
    bool cut = false; // longer than the limit (only its start is kept), or cut off by the end of the link
};

class LineAssembler {
public:
    // A line longer than this is handed on cut, and its rest up to the next line end is dropped.
    static constexpr qsizetype kMaxLineBytes = 4096;

    // telnet: byte 255 begins a Telnet command (IAC), as on a cluster's Telnet port; a TNC sends it as data.
    explicit LineAssembler(bool telnet = false) : m_telnet(telnet) {}

    // Feeds bytes as they arrived; each line they end is added to lines.
    void feed(QByteArrayView bytes, std::vector<ReceivedLine>& lines);
    // The line begun and not yet ended, up to its last whole character (a UTF-8 sequence still missing bytes
    // waits), as bytes; a prompt such as "login: " is shown from this.
    QByteArrayView pendingWhole() const;
    // The link ended: the begun line, cut; std::nullopt when none was begun.
    std::optional<ReceivedLine> flush();
    void reset();

private:
    enum class State {
        Text,
        Escape,
        EscapeIntermediate,
        Csi,
        Osc,
        OscEscape,
        Iac,
        IacOption,
        IacSub,
        IacSubIac
    };

    void take(char byte, std::vector<ReceivedLine>& lines);
    void append(char c, std::vector<ReceivedLine>& lines);
    void endLine(std::vector<ReceivedLine>& lines);

    bool m_telnet;
    State m_state = State::Text;
    QByteArray m_line;
    bool m_afterCr = false;    // a LF right after a CR ends nothing more
    bool m_discarding = false; // the rest of a line already handed on cut
    qsizetype m_skipped = 0;   // bytes of an OSC or Telnet subnegotiation, bounded
};

} // namespace velm
