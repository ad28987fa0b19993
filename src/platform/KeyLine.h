#pragma once
// Responsibilities: one key or PTT line (RTS or DTR of a serial port, or a parallel port's control register)
// that is either keyed or released, so the Morse engine and the voice keyer key without knowing which.
// Used by CW keying (worker thread) and voice PTT; tests use RecordingKeyLine (tests/support).

#include "platform/SerialLine.h"

#include <QtGlobal>
#include <atomic>

namespace velm {

class ParallelPort;

class KeyLine {
public:
    virtual ~KeyLine() = default;
    // Keys (down) or releases the line; true when the line took the level.
    virtual bool setKeyed(bool down) = 0;
    // The level last asked for.
    virtual bool isKeyed() const = 0;
};

// RTS or DTR of a serial port. The port is opened and closed by its owner; a release on a closed port is
// no failure (the line already dropped with the close).
class SerialKeyLine final : public KeyLine {
public:
    SerialKeyLine(SerialLine& port, ModemLine line) : m_port(port), m_line(line) {}
    bool setKeyed(bool down) override;
    bool isKeyed() const override { return m_keyed.load(); }
    ModemLine line() const { return m_line; }

private:
    SerialLine& m_port;
    ModemLine m_line;
    std::atomic<bool> m_keyed{false};
};

// The control register (base + 2) of a parallel port: kParallelKeyDown keys, kParallelKeyUp releases.
class ParallelKeyLine final : public KeyLine {
public:
    ParallelKeyLine(ParallelPort& port, quint16 baseAddress) : m_port(port), m_base(baseAddress) {}
    bool setKeyed(bool down) override;
    bool isKeyed() const override { return m_keyed.load(); }
    quint16 baseAddress() const { return m_base; }

private:
    ParallelPort& m_port;
    quint16 m_base;
    std::atomic<bool> m_keyed{false};
};

} // namespace velm
