#pragma once
// Responsibilities: the label beside a port-number field that says which device the number means
// ("Device: /dev/serial/by-id/usb-FTDI...", "Device: none"), kept current when the Serial Ports window
// changes the table. Used by the CW, WinKey, rig, spotting and voice keyer windows.

#include <QLabel>

namespace velm {

class SerialPortTable;

class SerialDeviceLabel final : public QLabel {
    Q_OBJECT
public:
    explicit SerialDeviceLabel(const SerialPortTable& table, QWidget* parent = nullptr);
    void setPortNumber(int portNumber);
    int portNumber() const { return m_portNumber; }

private:
    void refresh();

    const SerialPortTable& m_table;
    int m_portNumber = 0;
};

} // namespace velm
