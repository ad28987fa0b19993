#pragma once
// Responsibilities: which device a serial port number means: the per-user setting SerialPort<n> when set,
// else /dev/ttyS<n-1> (COM<n> on Windows); one table shared by every window that takes a port number.
// Used by CW keying, WinKey, rig control, the spotting TNC, voice PTT and the Serial Ports window.

#include <QObject>
#include <QString>

namespace velm {

class SettingsStore;

class SerialPortTable : public QObject {
    Q_OBJECT
public:
    // The numbers the Serial Ports window lists; any number from 1 up maps to a device.
    static constexpr int kFirstListed = 1;
    static constexpr int kLastListed = 16;

    explicit SerialPortTable(SettingsStore& settings, QObject* parent = nullptr);

    // The device of port n; empty for n < 1 (port 0 means "none" in every window).
    QString devicePath(int portNumber) const;
    // The device a number means without a per-user choice.
    static QString defaultDevicePath(int portNumber);
    bool hasOwnChoice(int portNumber) const;
    // Stores the operator's device for n (blanks trimmed); an empty path or the default drops the choice.
    void setDevicePath(int portNumber, const QString& devicePath);

    static QString settingKey(int portNumber);

Q_SIGNALS:
    void changed(int portNumber);

private:
    SettingsStore& m_settings;
};

} // namespace velm
