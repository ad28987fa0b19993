#pragma once
// Responsibilities: the last line of transmitter safety: every open key or PTT line is registered here, and
// on SIGTERM, SIGINT, SIGHUP, SIGSEGV, SIGABRT, SIGBUS, std::terminate and exit a handler releases them all
// with bare system calls (TIOCMBIC of RTS/DTR, PPWCONTROL, an optional byte string such as a keyer's close),
// then lets the signal take its course. QtSerialLine and PpdevParallelPort register themselves; main calls
// install() once. Used through those by CW keying, WinKey, voice PTT and rig control (CAT cables key PTT).
//
// The kernel drops RTS and DTR at the last close of a serial device, but not while another program holds it,
// not with HUPCL off, not before a core dump is written, and never for a parallel port or an external keyer
// with text in its buffer: hence this registry. It is process-wide by nature (a signal handler has no
// object), kept in fixed storage that a handler may read.

#include <QByteArray>

namespace velm {

class LineSafety {
public:
    // Modem line bits to release on a serial descriptor.
    static constexpr int kRts = 1;
    static constexpr int kDtr = 2;
    static constexpr int kMaxReleaseBytes = 16;

    // Installs the signal, terminate and exit handlers. Signals the process ignores (nohup) stay ignored, and
    // a handler already installed (a sanitizer's) runs after ours.
    static void install();
    static bool installed();

    // Registers a serial descriptor whose lines are released; returns a ticket for unregister (-1 when full).
    static int registerSerial(int fd, int lines);
    // Bytes written to the serial descriptor before its lines drop (at most kMaxReleaseBytes).
    static void setReleaseBytes(int ticket, const QByteArray& bytes);
    // Registers a ppdev descriptor whose control register gets releaseControl.
    static int registerParallel(int fd, unsigned char releaseControl);
    // Must run before the descriptor is closed, so a handler never touches a reused descriptor.
    static void unregister(int ticket);

    // Releases every registered line now; async-signal-safe and idempotent. The handlers call it after
    // setting releasing(); called directly it leaves keying allowed.
    static void releaseAll();
    // True once a fatal signal, std::terminate or exit began releasing: no line may be keyed again.
    static bool releasing();
    // Lines currently registered (for tests).
    static int registeredCount();
};

} // namespace velm
