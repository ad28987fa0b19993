#pragma once
// Responsibilities: the three ways received text reaches the traffic box and the spot store: the TNC's
// lines (SpotLineProcessor, with the recent-traffic test), the Telnet cluster's lines (shown as they come,
// prompts at once) and the AGW engine's frames; each decides what is shown and what is a spot.

#include "spots/LineAssembler.h"
#include "spots/SpotLine.h"
#include "spots/TrafficBox.h"

#include <functional>
#include <vector>

namespace velm {

// DispatchSpot: the frequency text and call read from a spot line, and the line itself.
using SpotDispatch = std::function<void(const SpotFields& fields, const QString& line)>;

class SpotPaths {
public:
    SpotPaths(TrafficBox& traffic, SpotDispatch dispatch);

    // "List DX Only": other text is not shown (spots are, whatever the box says).
    void setDxOnly(bool on) { m_dxOnly = on; }
    bool dxOnly() const { return m_dxOnly; }

    // TNC text as read. Each whole line that is not in the recent traffic is shown when it is a spot (and
    // dispatched) or when DX-only is off; the line that has not ended waits for the next read.
    void SpotLineProcessor(QByteArrayView received);
    // Cluster text as the TCP connection delivers it, split and merged anyhow. Each line is handled once
    // when whole: shown unless DX-only, dispatched when it begins with "DX" (and then shown under DX-only
    // too). Text without a line end yet (a "login: " prompt) is shown at once when DX-only is off.
    void telnetReceived(QByteArrayView received);
    // The connection ended: the line it cut off is shown, not parsed.
    void telnetEnded();
    // One frame from the AGW engine: data (its NUL removed), the frame text (kind letter, sender, a blank,
    // data), the sender and the station the link is connected to (empty while monitoring).
    void agwFrame(QString data, QString frameText, const QString& sender, const QString& connectedCall);
    // A source opened: nothing half-received is kept from before.
    void reset();

private:
    void show(QStringView piece);
    void showLine(QStringView text) { show(text.toString() + QStringLiteral("\r\n")); }

    TrafficBox& m_traffic;
    SpotDispatch m_dispatch;
    bool m_dxOnly = false;
    LineAssembler m_tnc{false};
    LineAssembler m_telnet{true};
    qsizetype m_telnetShown = 0; // characters of the begun Telnet line already shown
    std::vector<ReceivedLine> m_lines;
};

} // namespace velm
