#include "platform/io/SystemSerialPortCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace velm {

namespace {

QString readLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readLine(256)).trimmed();
}

// "usb-FTDI_FT232R_USB_UART_A9X1-if00-port0" → "FTDI FT232R USB UART A9X1".
QString describeById(const QString& name)
{
    QString text = name;
    if (text.startsWith(QLatin1String("usb-")))
        text = text.mid(4);
    const qsizetype interfacePart = text.lastIndexOf(QLatin1String("-if"));
    if (interfacePart > 0)
        text = text.left(interfacePart);
    return text.replace(QLatin1Char('_'), QLatin1Char(' '));
}

// Natural order: ttyS2 before ttyS10.
bool naturalLess(const QString& a, const QString& b)
{
    const auto split = [](const QString& s) {
        qsizetype i = s.size();
        while (i > 0 && s.at(i - 1).isDigit())
            --i;
        return std::pair<QString, int>(s.left(i), s.mid(i).toInt());
    };
    return split(a) < split(b);
}

} // namespace

SystemSerialPortCatalog::SystemSerialPortCatalog(QString sysClassTty, QString byIdFolder,
                                                 QString deviceFolder)
    : m_sysClassTty(std::move(sysClassTty)), m_byIdFolder(std::move(byIdFolder)),
      m_deviceFolder(std::move(deviceFolder))
{
}

QList<SerialDeviceInfo> SystemSerialPortCatalog::devices() const
{
    QList<SerialDeviceInfo> found;
#ifdef Q_OS_LINUX
    // Stable names of USB adapters, by the device they point at.
    QHash<QString, QString> byIdOf;
    const QFileInfoList links = QDir(m_byIdFolder).entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo& link : links) {
        const QString target = QFileInfo(link.symLinkTarget()).fileName();
        if (!target.isEmpty() && !byIdOf.contains(target))
            byIdOf.insert(target, link.fileName());
    }
    QStringList names = QDir(m_sysClassTty).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), naturalLess);
    for (const QString& name : names) {
        const QString entry = m_sysClassTty + QLatin1Char('/') + name;
        if (!QFileInfo::exists(entry + QStringLiteral("/device")))
            continue; // virtual terminals, ptys
        if (name.startsWith(QLatin1String("ttyS"))) {
            // A 16550 slot the firmware did not fill reports type 0.
            const QString type = readLine(entry + QStringLiteral("/type"));
            if (type.isEmpty() || type == QLatin1String("0"))
                continue;
        }
        SerialDeviceInfo info;
        info.devicePath = m_deviceFolder + QLatin1Char('/') + name;
        const QString byId = byIdOf.value(name);
        info.path = byId.isEmpty() ? info.devicePath : m_byIdFolder + QLatin1Char('/') + byId;
        info.description = byId.isEmpty() ? QString() : describeById(byId);
        found.append(info);
    }
#else
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports)
        found.append({port.systemLocation(), port.systemLocation(),
                      (port.manufacturer() + QLatin1Char(' ') + port.description()).trimmed()});
#endif
    return found;
}

SerialAccess SystemSerialPortCatalog::access(const QString& devicePath) const
{
#ifdef Q_OS_UNIX
    const QByteArray path = devicePath.toLocal8Bit();
    if (path.isEmpty() || ::access(path.constData(), F_OK) != 0)
        return SerialAccess::Missing;
    return ::access(path.constData(), R_OK | W_OK) == 0 ? SerialAccess::Usable : SerialAccess::NoPermission;
#else
    Q_UNUSED(devicePath);
    return SerialAccess::Usable;
#endif
}

} // namespace velm
