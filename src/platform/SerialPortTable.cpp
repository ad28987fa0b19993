#include "platform/SerialPortTable.h"

#include "platform/SettingsStore.h"

namespace velm {

SerialPortTable::SerialPortTable(SettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
}

QString SerialPortTable::settingKey(int portNumber)
{
    return QStringLiteral("SerialPort%1").arg(portNumber);
}

QString SerialPortTable::defaultDevicePath(int portNumber)
{
    if (portNumber < 1)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

bool SerialPortTable::hasOwnChoice(int portNumber) const
{
    return portNumber >= 1 && !m_settings.value(settingKey(portNumber)).trimmed().isEmpty();
}

QString SerialPortTable::devicePath(int portNumber) const
{
    if (portNumber < 1)
        return {};
    const QString own = m_settings.value(settingKey(portNumber)).trimmed();
    return own.isEmpty() ? defaultDevicePath(portNumber) : own;
}

void SerialPortTable::setDevicePath(int portNumber, const QString& devicePath)
{
    if (portNumber < 1)
        return;
    QString path = devicePath.trimmed();
    if (path == defaultDevicePath(portNumber))
        path.clear();
    if (m_settings.value(settingKey(portNumber)).trimmed() == path)
        return;
    // The store has no removal; an empty value reads as "no own choice".
    m_settings.setValue(settingKey(portNumber), path);
    Q_EMIT changed(portNumber);
}

} // namespace velm
