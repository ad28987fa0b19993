#pragma once
// Responsibilities: one serial port as the subsystems use it: open by device path with line settings and
// handshaking, the RTS and DTR lines, queued writes, reads, the output queue, and one failure notice.
// Used by CW keying (RTS/DTR), the WinKey link, rig control, the spotting TNC and voice PTT; main builds one
// QtSerialLine (velm_platform_io) per use, tests use FakeSerialLine (tests/support).

#include "platform/SerialLineSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace velm {

enum class ModemLine { Rts, Dtr };

enum class SerialError {
    None,
    NotFound,         // no such device
    PermissionDenied, // the device exists but this user may not open it (group dialout)
    Busy,             // another program holds it
    SettingsRejected, // the device refused the line settings or handshaking
    Lost,             // the device failed or vanished while open (read, write or resource error)
    Other,
};

class SerialLine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLine() override = default;

    // Opens devicePath (a full path such as /dev/ttyUSB0 or a socat link; COM3 on Windows), closing first
    // what was open. RTS and DTR are driven off at once (Linux raises both on open, and a keying or CAT cable
    // may key the transmitter with either); raise one afterwards with setLine when it powers an interface.
    // False on failure, with error() and errorString() telling why; the port is then closed.
    virtual bool open(const QString& devicePath, const SerialLineSettings& settings = {},
                      Handshake handshake = Handshake::None) = 0;
    // Releases RTS and DTR, lets queued output reach the device for at most a moment (so closing bytes such
    // as a keyer's "host close" go out), discards the rest so a stalled device never holds the close, and
    // closes.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString devicePath() const = 0;

    // Changes the settings of an open port. False (error() SettingsRejected) when the device refuses.
    virtual bool setSettings(const SerialLineSettings& settings) = 0;
    virtual bool setHandshake(Handshake handshake) = 0;

    // Drives RTS or DTR; true when the line took the level. False when the port is closed or the device has
    // no such line (a pseudo-terminal has none): callers that only release a line treat that as no failure.
    // Safe from a keying thread while the port stays open (open and close belong to the owning thread).
    virtual bool setLine(ModemLine line, bool on) = 0;
    // Whether this device carries RTS and DTR at all (false for a pseudo-terminal); known once open.
    virtual bool hasModemLines() const = 0;

    // Queues bytes for sending without blocking; the number queued, or -1 when the port is not open.
    virtual qint64 write(const QByteArray& bytes) = 0;
    // Every byte received since the previous read, at most maxBytes; empty when nothing arrived.
    virtual QByteArray read(qint64 maxBytes = 65536) = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Bytes written and not yet handed to the device (the output queue).
    virtual qint64 bytesToWrite() const = 0;
    // Blocks until the output queue and the device's own buffer are empty, at most timeoutMs; true when
    // empty.
    virtual bool drain(int timeoutMs) = 0;

    // Bytes the crash and signal handler writes to the port before it drops the lines (an external keyer's
    // "clear buffer, host close"); empty for none. Kept across reopening.
    virtual void setEmergencyBytes(const QByteArray& bytes) = 0;

    virtual SerialError error() const = 0;
    virtual QString errorString() const = 0;

    bool setRts(bool on) { return setLine(ModemLine::Rts, on); }
    bool setDtr(bool on) { return setLine(ModemLine::Dtr, on); }

Q_SIGNALS:
    void readyRead();
    // The device failed while open (vanished, read or write error). Emitted once; the port is already closed.
    void failed(velm::SerialError error, const QString& reason);
};

// The operator's text for a port that could not be opened: device, reason and, where there is one, the cure
// (for PermissionDenied: join the dialout group and log in again).
QString serialOpenFailureText(const QString& devicePath, SerialError error, const QString& reason);

} // namespace velm
