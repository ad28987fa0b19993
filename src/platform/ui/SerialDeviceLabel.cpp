#include "platform/ui/SerialDeviceLabel.h"

#include "platform/SerialPortTable.h"
#include "platform/ui/ValueLabel.h"

namespace velm {

SerialDeviceLabel::SerialDeviceLabel(const SerialPortTable& table, QWidget* parent)
    : QLabel(parent), m_table(table)
{
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(&table, &SerialPortTable::changed, this, [this](int n) {
        if (n == m_portNumber)
            refresh();
    });
    refresh();
}

void SerialDeviceLabel::setPortNumber(int portNumber)
{
    m_portNumber = portNumber;
    refresh();
}

void SerialDeviceLabel::refresh()
{
    const QString device = m_table.devicePath(m_portNumber);
    setValueLabel(this, QStringLiteral("Device"), device.isEmpty() ? QStringLiteral("none") : device);
}

} // namespace velm
