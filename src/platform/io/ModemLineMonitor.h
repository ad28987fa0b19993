#pragma once
// Responsibilities: reads the RTS and DTR levels of a real serial device (TIOCMGET) through a descriptor of
// its own, so a test can watch a key or PTT line that another object or process drives. Tests of CW keying,
// voice PTT and line safety on /dev/ttyS0 use it; the program itself never does.
//
// Opening a serial device raises RTS and DTR (every non-blocking open, even of a port already open): open
// the monitor before the port under watch, never while that port holds a line released.

#include <QString>
#include <optional>

namespace velm {

struct ModemLines {
    bool rts = false;
    bool dtr = false;
};

class ModemLineMonitor {
public:
    ModemLineMonitor() = default;
    ~ModemLineMonitor();
    ModemLineMonitor(const ModemLineMonitor&) = delete;
    ModemLineMonitor& operator=(const ModemLineMonitor&) = delete;

    bool open(const QString& devicePath);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // The levels now; nullopt when closed or the device has no modem lines.
    std::optional<ModemLines> lines() const;
    // Drops both lines, for tidying up after a test.
    void releaseLines();
    QString errorString() const { return m_errorString; }

private:
    int m_fd = -1;
    QString m_errorString;
};

} // namespace velm
