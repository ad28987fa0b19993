#pragma once
// Responsibilities: a SerialLine for tests: records every write with its time and the RTS/DTR levels at that
// moment, every line change, opens and closes; answers scripted replies to written bytes; fails opens,
// writes or the device itself on cue (a vanishing device emits failed() once, as the real line does).
// For CW, WinKey, rig, spotting TNC and voice PTT logic tests.

#include "platform/SerialLine.h"

#include <QList>
#include <deque>
#include <functional>

namespace velm::test {

class FakeSerialLine final : public SerialLine {
    Q_OBJECT
public:
    struct Write {
        QByteArray bytes;
        qint64 atNs; // steady clock
        bool rts;
        bool dtr;
    };
    struct LineChange {
        ModemLine line;
        bool on;
        qint64 atNs;
    };
    struct Reply {
        QByteArray whenWritten; // a write containing these bytes (empty: any write) is answered
        QByteArray reply;
        int delayMs = 0; // 0: delivered from the event loop at once
        bool once = false;
    };
    struct OpenFailure {
        SerialError error;
        QString reason;
    };

    using SerialLine::SerialLine;

    bool open(const QString& devicePath, const SerialLineSettings& settings = {},
              Handshake handshake = Handshake::None) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString devicePath() const override { return path; }
    bool setSettings(const SerialLineSettings& newSettings) override;
    bool setHandshake(Handshake newHandshake) override;
    bool setLine(ModemLine line, bool on) override;
    bool hasModemLines() const override { return modemLines; }
    qint64 write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes = 65536) override;
    qint64 bytesAvailable() const override { return m_input.size(); }
    qint64 bytesToWrite() const override { return m_open ? outputQueue : 0; }
    bool drain(int timeoutMs) override;
    void setEmergencyBytes(const QByteArray& bytes) override { emergencyBytes = bytes; }
    SerialError error() const override { return m_error; }
    QString errorString() const override { return m_errorString; }

    // Test controls.
    void feed(const QByteArray& bytes); // bytes arrive from the device; readyRead follows at once
    void vanish(const QString& reason = QStringLiteral("Device disappeared from the system"));
    void failNextOpen(SerialError error, const QString& reason) { openFailures.push_back({error, reason}); }
    void addReply(const QByteArray& whenWritten, const QByteArray& reply, int delayMs = 0, bool once = false)
    {
        replies.append({whenWritten, reply, delayMs, once});
    }
    QByteArray written() const; // every byte written since the last clearWrites
    void clearWrites() { writes.clear(); }

    // Configuration and what happened.
    bool modemLines = true;  // false behaves as a pseudo-terminal: lines cannot be set
    bool failWrites = false; // a write fails the device (as an unplugged adapter does)
    qint64 outputQueue = 0;  // what bytesToWrite reports while open; drain succeeds only when 0
    bool settingsAccepted = true;
    bool settingsChangesAccepted = true; // false: setSettings on an open port is refused
    // Where write and line-change times come from (nanoseconds); the steady clock when empty.
    std::function<qint64()> clock;
    std::deque<OpenFailure> openFailures;
    QList<Reply> replies;
    QList<Write> writes;
    QList<LineChange> lineChanges;
    QString path;
    SerialLineSettings settings;
    Handshake handshake = Handshake::None;
    QByteArray emergencyBytes;
    bool rts = false;
    bool dtr = false;
    int openCount = 0;
    int closeCount = 0;
    int drainCount = 0;
    int failedCount = 0; // failed() emissions

private:
    bool m_open = false;
    QByteArray m_input;
    SerialError m_error = SerialError::None;
    QString m_errorString;
};

} // namespace velm::test
