#pragma once
// Responsibilities: SerialLine on QSerialPort: RTS and DTR driven by bare ioctls (so the keying thread can
// key, and a pseudo-terminal's missing lines raise no error signal), release on open and close, bounded
// drain, the first read/write/resource error closing the port once (QSerialPort repeats it ~10^5 times a
// second while the descriptor stays open), every open port registered with LineSafety.
// Built by main for CW keying, WinKey, rig control, the spotting TNC and voice PTT.

#include "platform/SerialLine.h"

#include <QSerialPort>
#include <atomic>

namespace velm {

class QtSerialLine final : public SerialLine {
    Q_OBJECT
public:
    explicit QtSerialLine(QObject* parent = nullptr);
    ~QtSerialLine() override;

    bool open(const QString& devicePath, const SerialLineSettings& settings = {},
              Handshake handshake = Handshake::None) override;
    void close() override;
    bool isOpen() const override { return m_fd.load() >= 0; }
    QString devicePath() const override { return m_path; }
    bool setSettings(const SerialLineSettings& settings) override;
    bool setHandshake(Handshake handshake) override;
    bool setLine(ModemLine line, bool on) override;
    bool hasModemLines() const override { return m_hasModemLines; }
    qint64 write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes = 65536) override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    bool drain(int timeoutMs) override;
    void setEmergencyBytes(const QByteArray& bytes) override;
    SerialError error() const override { return m_error; }
    QString errorString() const override { return m_errorString; }

    // How long close() lets queued output reach the device.
    static constexpr int kCloseDrainMs = 300;
    // Received bytes held before reading from the device pauses (the kernel and handshaking hold the rest).
    static constexpr qint64 kReadBufferBytes = 1 << 20;

private:
    void onPortError(QSerialPort::SerialPortError error);
    void finishFailure(quint64 generation);
    bool applySettings(const SerialLineSettings& settings);
    bool applyHandshake(Handshake handshake);
    void releaseLines(int fd);
    void shutDown(int fd, bool discardQueued);

    QSerialPort m_port;
    QString m_path;
    std::atomic<int> m_fd{-1};
    quint64 m_generation = 0;
    int m_safetyTicket = -1;
    bool m_hasModemLines = false;
    QByteArray m_emergencyBytes;
    SerialError m_error = SerialError::None;
    QString m_errorString;
};

} // namespace velm
