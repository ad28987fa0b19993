#pragma once
// Responsibilities: the rigctld side of the rig link: the daemon's address (per-user RigctldAddress,
// default 127.0.0.1:4532), the polling request, and the reader of its extended replies ("+\get_freq" gives
// "get_freq:", "Frequency: 145000000", "RPRT 0"), which keeps its place across reads and resynchronises on
// every "RPRT n" line.

#include "rig/RigDecoders.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velm {

class SettingsStore;

namespace rigctld {
inline const QString AddressKey = QStringLiteral("RigctldAddress");
inline const QString DefaultAddress = QStringLiteral("127.0.0.1:4532");
// A line longer than this is no reply of the daemon; it is skipped up to its end.
constexpr qsizetype kMaxLineBytes = 4096;
// The frequency and the mode, each answered by one block ending in "RPRT n".
QByteArray pollRequest();
constexpr int kRepliesPerPoll = 2;

struct Address {
    QString host;
    quint16 port = 0;
};
// "host:port", "[::1]:4532"; nullopt for anything else (no port, a port outside 1-65535, blanks inside).
std::optional<Address> parseAddress(const QString& text);
QString rigctldAddress(const SettingsStore& settings);

// rigctld's mode names: CW and CWR are "CW"; USB, LSB, AM and FM "PH"; any other leaves the mode (empty).
QString contestMode(QByteArrayView rigctldMode);
} // namespace rigctld

class RigctldReplies {
public:
    // Reads received bytes; each complete block that ends in "RPRT 0" writes what it read into readings
    // (a frequency above 0 and below 100,000 MHz, a mode rigctld's names map). A block with a line it does
    // not expect, a negative RPRT or an overlong line writes nothing.
    void feed(QByteArrayView bytes, RigReadings& readings);
    // Forgets a partial line and block (bytes dropped while nothing polled, a new connection).
    void reset();

    // Replies asked for and not yet ended by an RPRT line.
    int pending() const { return m_pending; }
    // A request went out for this many replies; the count of quiet ticks starts over.
    void expect(int replies)
    {
        m_pending += replies;
        m_quietTicks = 0;
        m_sawReport = false;
    }
    // Every "RPRT n" line read since the start, and the code of the last one (a code that is no number
    // counts as -1): a change waits for the answer to its own command this way.
    int reportsSeen() const { return m_reports; }
    int lastReportCode() const { return m_lastCode; }

    // A read tick passed; after a few without any RPRT the outstanding replies are given up, so that a daemon
    // that lost a request does not stop the polling for good.
    void tickPassed();

    static constexpr int kTicksBeforeGivingUp = 4;

private:
    enum class Block { None, Frequency, Mode, Other };
    void line(QByteArrayView text, RigReadings& readings);
    void endBlock();

    QByteArray m_partial;
    bool m_skippingLine = false;
    Block m_block = Block::None;
    bool m_blockBad = false;
    std::optional<float> m_frequency;
    QString m_mode;
    int m_pending = 0;
    int m_quietTicks = 0;
    bool m_sawReport = false;
    int m_reports = 0;
    int m_lastCode = 0;
};

} // namespace velm
