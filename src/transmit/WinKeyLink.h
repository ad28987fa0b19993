#pragma once
// Responsibilities: the operations of the external WinKey keyer as the program uses them (open by port
// number with the result codes, queue a character, status, clear, backspace, the settings), and what the
// keyer reports by itself: the operator broke in on the paddles, everything queued has been sent, the link
// was lost. WinKeyProtocolLink speaks the keyer's serial protocol; tests use FakeWinKeyLink.

#include <QObject>
#include <QString>

namespace velm {

class WinKeyLink : public QObject {
    Q_OBJECT
public:
    // Result codes of wk_open (and -9 of every other operation on a closed keyer).
    static constexpr int kSuccess = 0;
    static constexpr int kNoEcho = -1;
    static constexpr int kEchoMismatch = -2;
    static constexpr int kNoOpenResponse = -3;
    static constexpr int kComOpenFailed = -4;
    static constexpr int kGetComStateFailed = -5;
    static constexpr int kSetComStateFailed = -6;
    static constexpr int kAlreadyOpen = -8;
    static constexpr int kNotOpen = -9;
    // wk_getstatus at or above this: the keyer takes no more characters now.
    static constexpr int kStatusFull = 5;

    using QObject::QObject;
    ~WinKeyLink() override = default;

    // Opens the keyer on port portNumber; version is its firmware version (0 when it did not answer).
    // Waits for the keyer with window events running but user input held.
    virtual int wk_open(quint8& version, int portNumber) = 0;
    // Clears what the keyer holds, gives it back to its own control and closes the port.
    virtual int wk_close() = 0;
    // Queues one character of text; only printable ASCII other than "!" reaches the keyer, and "[", "]",
    // ";" and backslash go as the prosigns AR, SK, KN and CL.
    virtual int wk_char(quint8 code) = 0;
    // 0 when nothing is pending; the count of characters handed over and not yet sent; kStatusFull or more
    // while the keyer asks to hold (its buffer is nearly full).
    virtual int wk_getstatus() = 0;
    virtual int wk_clearbuf() = 0;
    virtual int wk_backspace() = 0;
    // Settings: values outside what the keyer takes are brought inside its ranges.
    virtual int wk_wpm(quint8 wordsPerMinute) = 0; // 0: the speed pot
    virtual int wk_weight(quint8 weight) = 0;
    virtual int wk_ditdah_ratio(quint8 ratio) = 0;
    virtual int wk_ptt_leadtail(quint8 leadIn, quint8 tail) = 0; // 10 ms units
    virtual int wk_pincfg(quint8 configuration) = 0;
    virtual int wk_setmode(quint8 mode) = 0;

    virtual bool isOpen() const = 0;
    // Why the last open failed (the device and its reason, or what the keyer did not answer); empty after
    // an open that succeeded.
    virtual QString openFailure() const { return {}; }

Q_SIGNALS:
    // The operator keyed the paddles: the keyer dropped the message it was sending.
    void breakIn();
    // Everything handed over has been sent.
    void idle();
    // The keyer or its port failed while open (vanished, gone silent); the link is closed.
    void lost(const QString& reason);
};

} // namespace velm
