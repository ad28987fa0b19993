#pragma once
// Responsibilities: a WinKeyLink for tests of the WinKey logic: records every operation with its arguments
// ("wk_open 3", "wk_char 65", "wk_wpm 25"), opens with a scripted code and version, reports a status the
// test sets, and emits break-in, idle and lost on cue.

#include "transmit/WinKeyLink.h"

#include <QRegularExpression>
#include <QStringList>

namespace velm::test {

class FakeWinKeyLink final : public WinKeyLink {
    Q_OBJECT
public:
    int wk_open(quint8& v, int portNumber) override
    {
        calls << QStringLiteral("wk_open %1").arg(portNumber);
        if (open)
            return kAlreadyOpen;
        v = 0;
        if (openCode == kSuccess) {
            open = true;
            v = version;
        }
        return openCode;
    }
    int wk_close() override { return record(QStringLiteral("wk_close"), [this] { open = false; }); }
    int wk_char(quint8 code) override
    {
        return record(QStringLiteral("wk_char %1").arg(code), [this, code] {
            sent += QChar(code);
            if (countPending)
                ++status;
        });
    }
    int wk_getstatus() override { return open ? status : 0; }
    int wk_clearbuf() override { return record(QStringLiteral("wk_clearbuf"), [this] { status = statusAfterClear; }); }
    int wk_backspace() override { return record(QStringLiteral("wk_backspace"), [] {}); }
    int wk_wpm(quint8 v) override { return record(QStringLiteral("wk_wpm %1").arg(v), [] {}); }
    int wk_weight(quint8 v) override { return record(QStringLiteral("wk_weight %1").arg(v), [] {}); }
    int wk_ditdah_ratio(quint8 v) override { return record(QStringLiteral("wk_ditdah_ratio %1").arg(v), [] {}); }
    int wk_ptt_leadtail(quint8 a, quint8 b) override
    {
        return record(QStringLiteral("wk_ptt_leadtail %1 %2").arg(a).arg(b), [] {});
    }
    int wk_pincfg(quint8 v) override { return record(QStringLiteral("wk_pincfg %1").arg(v), [] {}); }
    int wk_setmode(quint8 v) override { return record(QStringLiteral("wk_setmode %1").arg(v), [] {}); }
    bool isOpen() const override { return open; }
    QString openFailure() const override { return openCode == kSuccess ? QString() : failure; }

    // Test controls.
    void goIdle()
    {
        status = 0;
        Q_EMIT idle();
    }
    void paddleBreakIn()
    {
        status = 0;
        Q_EMIT breakIn();
    }
    void lose(const QString& reason)
    {
        open = false;
        Q_EMIT lost(reason);
    }
    QStringList callsStartingWith(const QString& prefix) const { return calls.filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(prefix))); }

    int openCode = kSuccess;
    quint8 version = 23;
    QString failure = QStringLiteral("Cannot open /dev/ttyS2: No such file or directory.");
    bool open = false;
    int status = 0;
    int statusAfterClear = 0; // what the status becomes when the buffer is cleared (a keyer that stays full)
    bool countPending = false; // each character raises the status by one until the test lowers it
    QString sent;
    QStringList calls;

private:
    template <class Effect>
    int record(const QString& call, Effect effect)
    {
        calls << call;
        if (!open)
            return kNotOpen;
        effect();
        return kSuccess;
    }
};

} // namespace velm::test
