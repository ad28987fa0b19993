#pragma once
// Responsibilities: the "Serial Ports" window: port numbers 1-16 beside the devices the system has, a free
// path for anything else (a socat pseudo-terminal), and what each choice means (present, missing, no
// permission: the dialout group). Opened from the Setup menu and from every window that takes a port number
// (CW, WinKey, rig, spotting, voice PTT) through openSerialPortsWindow.

#include "platform/SerialPortCatalog.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QPushButton;

namespace velm {

class SerialPortTable;

class SerialPortsWindow final : public QDialog {
    Q_OBJECT
public:
    SerialPortsWindow(SerialPortTable& table, const SerialPortCatalog& catalog, QWidget* parent = nullptr);

    // Puts the focus on the device field of port n (1-16).
    void focusPort(int portNumber);
    QComboBox* deviceField(int portNumber) const;
    QLabel* statusLabel(int portNumber) const;
    QLabel* permissionHint() const { return lblPermission; }

    // Reads the system's devices again and refreshes every list and status.
    void cmdRefresh_Click();
    // Stores every field in the table and closes.
    void cmdSave_Click();

private:
    void fillDevices();
    void showStatus(int portNumber);
    void showPermissionHint();

    SerialPortTable& m_table;
    const SerialPortCatalog& m_catalog;
    QList<SerialDeviceInfo> m_devices;
    QList<QComboBox*> m_fields;
    QList<QLabel*> m_statuses;
    QLabel* lblPermission = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// Shows the window without blocking the caller (window-modal, deleted on close), with port n focused.
SerialPortsWindow* openSerialPortsWindow(QWidget* parent, SerialPortTable& table,
                                         const SerialPortCatalog& catalog, int portNumber = 1);

} // namespace velm
