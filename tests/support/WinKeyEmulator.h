#pragma once
// Responsibilities: the device side of a WinKeyer on a serial line (one end of a socat pair): admin
// commands (echo test, host open with a version, host close), text keyed at a set pace and echoed back,
// status bytes (busy, idle, XOFF from a small buffer), clear, backspace, status and pot requests, and the
// settings it was sent; on cue a paddle break-in, pot moves, garbage, silence or wrong answers.
// For the tests of the WinKey protocol and the WinKey keyer.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

namespace velm {
class SerialLine;
}

namespace velm::test {

class WinKeyEmulator : public QObject {
    Q_OBJECT
public:
    explicit WinKeyEmulator(SerialLine& device, QObject* parent = nullptr);

    // Behaviour.
    quint8 version = 23;
    int bufferSize = 12;      // characters; XOFF above two thirds, released at one third
    int msPerCharacter = 15;  // how long keying one character takes
    bool answerEcho = true;   // the admin echo test
    char echoReply = 0;       // not 0: this byte answers the echo test instead
    bool answerOpen = true;   // host open sends the version
    bool silent = false;      // answers nothing at all, keys nothing

    // What happened.
    QByteArray hostBytes; // every byte the host wrote
    QString keyed;        // text keyed, prosigns as <AR>
    bool hostOpen = false;
    int wpm = -1, weight = -1, ratio = -1, leadIn = -1, tail = -1, pinConfiguration = -1, mode = -1;
    int clears = 0, backspaces = 0, statusRequests = 0, hostCloses = 0, overflows = 0, nulls = 0;
    bool xoff() const { return m_xoff; }
    int queued() const { return int(m_buffer.size()); }

    // Cues.
    void breakIn();                   // the operator keys the paddles: buffer dropped, C6 then C0
    void movePot(quint8 value);       // a speed-pot byte
    void sendRaw(const QByteArray& bytes);

private:
    void readHost();
    bool parseOne(); // false when the input holds no complete command
    void queue(const QString& item);
    void keyNext();
    void status();
    void send(const QByteArray& bytes);

    SerialLine& m_device;
    QByteArray m_input;
    QList<QString> m_buffer;
    bool m_xoff = false;
    bool m_busy = false;
    QTimer m_keyTimer;
};

} // namespace velm::test
