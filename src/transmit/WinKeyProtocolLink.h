#pragma once
// Responsibilities: WinKeyLink spoken over a SerialLine in the WinKeyer host protocol (K1EL WK1/WK2/WK3; see
// shared reference winkeyer.md): 1200 8N2, the power-up wait, resync, echo test and host open; text with
// serial echo counted back as sent; status bytes for XOFF, busy and paddle break-in; speed-pot bytes
// ignored; settings clamped to the keyer's ranges; a watchdog for a keyer gone silent; "clear, host close"
// on close and, through the line's emergency bytes, on a crash.

#include "platform/SerialLine.h"
#include "transmit/WinKeyLink.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

namespace velm {

class SerialPortTable;

struct WinKeyTimings {
    int powerUpMs = 400;         // after the port opens, before the first byte (a WK1 finishing power-up)
    int echoTimeoutMs = 2000;    // echo test
    int openTimeoutMs = 2000;    // host open: the version byte
    int quietMarginMs = 3000;    // silence beyond what the characters in flight need: ask for status
    int statusTimeoutMs = 2000;  // no answer to that: the keyer is gone
    int idleSettleGuardMs = 250; // an idle status this soon after a write may predate it
};

// The bytes wk_char writes for a character: printable ASCII (0x20-0x7E, letters upper-cased) except "!";
// "[", "]", ";" and backslash as merged prosigns AR, SK, KN, CL (1B c1 c2). Empty: nothing is sent.
QByteArray winKeyTextBytes(quint8 code);

class WinKeyProtocolLink final : public WinKeyLink {
    Q_OBJECT
public:
    WinKeyProtocolLink(const SerialPortTable& ports, std::unique_ptr<SerialLine> line,
                       WinKeyTimings timings = {}, QObject* parent = nullptr);
    ~WinKeyProtocolLink() override;

    int wk_open(quint8& version, int portNumber) override;
    int wk_close() override;
    int wk_char(quint8 code) override;
    int wk_getstatus() override;
    int wk_clearbuf() override;
    int wk_backspace() override;
    int wk_wpm(quint8 wordsPerMinute) override;
    int wk_weight(quint8 weight) override;
    int wk_ditdah_ratio(quint8 ratio) override;
    int wk_ptt_leadtail(quint8 leadIn, quint8 tail) override;
    int wk_pincfg(quint8 configuration) override;
    int wk_setmode(quint8 mode) override;
    bool isOpen() const override { return m_open; }

    // Why the last open failed at the port (-4, -5, -6): device and reason.
    QString openFailure() const override { return m_openFailure; }
    // The byte of the mode register last written (serial echo always on).
    static constexpr quint8 kSerialEcho = 0x04;

private:
    int failOpen(int code, const QString& reason);
    bool waitFor(const std::function<bool()>& done, int timeoutMs);
    int command(const QByteArray& bytes);
    void readBytes();
    void handle(quint8 byte);
    void watchQuiet();
    void quietTooLong();
    void lose(const QString& reason);

    const SerialPortTable& m_ports;
    std::unique_ptr<SerialLine> m_line;
    WinKeyTimings m_timings;
    bool m_open = false;
    bool m_opening = false;
    QByteArray m_received; // during open
    QString m_openFailure;
    int m_pending = 0; // characters handed over, not yet echoed
    bool m_xoff = false;
    bool m_breakIn = false;
    bool m_statusAsked = false;
    int m_wordsPerMinute = 0; // last speed sent; 0 the pot
    QElapsedTimer m_sinceText;
    QTimer m_quiet;
    QTimer m_statusReply;
};

} // namespace velm
