#include "platform/ui/SerialPortsWindow.h"

#include "platform/SerialPortCatalog.h"
#include "platform/SerialPortTable.h"
#include "platform/ui/ValueLabel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velm {

namespace {
constexpr int kPorts = SerialPortTable::kLastListed - SerialPortTable::kFirstListed + 1;

QString fieldCaption(int portNumber)
{
    return QStringLiteral("Port %1 device").arg(portNumber);
}
} // namespace

SerialPortsWindow::SerialPortsWindow(SerialPortTable& table, const SerialPortCatalog& catalog,
                                     QWidget* parent)
    : QDialog(parent), m_table(table), m_catalog(catalog)
{
    setWindowTitle(QStringLiteral("Serial Ports"));
    setObjectName(QStringLiteral("SerialPortsWindow"));
    auto* layout = new QVBoxLayout(this);

    auto* intro =
        new QLabel(QStringLiteral("Which device each port number of the rig, CW, WinKey, spotting and voice "
                                  "keyer windows opens. Pick a device this computer has or type any path, "
                                  "such as a pseudo-terminal."),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Port"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Device"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Status"), this), 0, 2);
    for (int i = 0; i < kPorts; ++i) {
        const int n = SerialPortTable::kFirstListed + i;
        auto* caption =
            new QLabel(n <= 9 ? QStringLiteral("Port &%1:").arg(n) : QStringLiteral("Port %1:").arg(n), this);
        auto* field = new QComboBox(this);
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setMinimumContentsLength(36);
        field->setObjectName(QStringLiteral("cboPort%1").arg(n));
        field->setAccessibleName(fieldCaption(n));
        field->lineEdit()->setAccessibleName(fieldCaption(n));
        caption->setBuddy(field);
        auto* status = new QLabel(this);
        status->setObjectName(QStringLiteral("lblPortStatus%1").arg(n));
        grid->addWidget(caption, i + 1, 0);
        grid->addWidget(field, i + 1, 1);
        grid->addWidget(status, i + 1, 2);
        m_fields.append(field);
        m_statuses.append(status);
        // Enter in a field saves, as it would on a plain dialog (an editable combo box keeps the key).
        connect(field->lineEdit(), &QLineEdit::returnPressed, this, &SerialPortsWindow::cmdSave_Click);
        connect(field, &QComboBox::currentTextChanged, this, [this, n] {
            showStatus(n);
            showPermissionHint();
        });
    }
    layout->addLayout(grid);

    lblPermission = new QLabel(this);
    lblPermission->setObjectName(QStringLiteral("lblPermission"));
    lblPermission->setWordWrap(true);
    layout->addWidget(lblPermission);

    auto* buttons = new QDialogButtonBox(this);
    cmdRefresh = buttons->addButton(QStringLiteral("&Refresh"), QDialogButtonBox::ActionRole);
    cmdSave = buttons->addButton(QStringLiteral("&Save"), QDialogButtonBox::AcceptRole);
    cmdCancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdSave->setDefault(true);
    layout->addWidget(buttons);
    connect(cmdRefresh, &QPushButton::clicked, this, &SerialPortsWindow::cmdRefresh_Click);
    connect(cmdSave, &QPushButton::clicked, this, &SerialPortsWindow::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    fillDevices();
    for (int i = 0; i < kPorts; ++i)
        m_fields.at(i)->setEditText(m_table.devicePath(SerialPortTable::kFirstListed + i));
    for (int i = 0; i < kPorts; ++i)
        showStatus(SerialPortTable::kFirstListed + i);
    showPermissionHint();
}

QComboBox* SerialPortsWindow::deviceField(int portNumber) const
{
    const int i = portNumber - SerialPortTable::kFirstListed;
    return i >= 0 && i < m_fields.size() ? m_fields.at(i) : nullptr;
}

QLabel* SerialPortsWindow::statusLabel(int portNumber) const
{
    const int i = portNumber - SerialPortTable::kFirstListed;
    return i >= 0 && i < m_statuses.size() ? m_statuses.at(i) : nullptr;
}

void SerialPortsWindow::focusPort(int portNumber)
{
    if (QComboBox* field = deviceField(portNumber))
        field->setFocus(Qt::OtherFocusReason);
}

void SerialPortsWindow::fillDevices()
{
    m_devices = m_catalog.devices();
    for (int i = 0; i < kPorts; ++i) {
        QComboBox* field = m_fields.at(i);
        const QString typed = field->currentText();
        const QSignalBlocker quiet(field);
        field->clear();
        const QString fallback = SerialPortTable::defaultDevicePath(SerialPortTable::kFirstListed + i);
        field->addItem(fallback);
        for (const SerialDeviceInfo& device : std::as_const(m_devices))
            if (device.path != fallback)
                field->addItem(device.path);
        field->setEditText(typed);
    }
}

void SerialPortsWindow::showStatus(int portNumber)
{
    const QString path = deviceField(portNumber)->currentText().trimmed();
    QString status;
    switch (m_catalog.access(path)) {
    case SerialAccess::Usable: {
        status = QStringLiteral("ready");
        for (const SerialDeviceInfo& device : std::as_const(m_devices))
            if ((device.path == path || device.devicePath == path) && !device.description.isEmpty())
                status = QStringLiteral("ready, %1").arg(device.description);
        break;
    }
    case SerialAccess::Missing:
        status = path.isEmpty() ? QStringLiteral("no device") : QStringLiteral("not present");
        break;
    case SerialAccess::NoPermission:
        status = QStringLiteral("no permission (dialout group)");
        break;
    }
    setValueLabel(statusLabel(portNumber), QStringLiteral("Port %1 status").arg(portNumber), status);
}

void SerialPortsWindow::showPermissionHint()
{
    QStringList refused;
    for (QComboBox* field : std::as_const(m_fields)) {
        const QString path = field->currentText().trimmed();
        if (m_catalog.access(path) == SerialAccess::NoPermission && !refused.contains(path))
            refused << path;
    }
    const QString hint =
        refused.isEmpty()
            ? QString()
            : QStringLiteral(
                  "No permission to open %1. Add your user to the dialout group (sudo adduser $USER "
                  "dialout), then log out and in again.")
                  .arg(refused.join(QStringLiteral(", ")));
    setValueLabel(lblPermission, QStringLiteral("Permission"), hint);
    lblPermission->setVisible(!hint.isEmpty());
}

void SerialPortsWindow::cmdRefresh_Click()
{
    fillDevices();
    for (int i = 0; i < kPorts; ++i)
        showStatus(SerialPortTable::kFirstListed + i);
    showPermissionHint();
}

void SerialPortsWindow::cmdSave_Click()
{
    for (int i = 0; i < kPorts; ++i)
        m_table.setDevicePath(SerialPortTable::kFirstListed + i, m_fields.at(i)->currentText());
    accept();
}

SerialPortsWindow* openSerialPortsWindow(QWidget* parent, SerialPortTable& table,
                                         const SerialPortCatalog& catalog, int portNumber)
{
    auto* window = new SerialPortsWindow(table, catalog, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    window->focusPort(portNumber);
    return window;
}

} // namespace velm
