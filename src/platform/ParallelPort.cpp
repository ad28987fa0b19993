#include "platform/ParallelPort.h"

#include "platform/SettingsStore.h"

namespace velm {

std::optional<quint16> parseIoAddress(const QString& text)
{
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    }
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    uint value = 0;
    for (QChar c : digits) {
        const char ascii = c.unicode() < 128 ? char(c.toUpper().unicode()) : '?';
        int digit = -1;
        if (ascii >= '0' && ascii <= '9')
            digit = ascii - '0';
        else if (base == 16 && ascii >= 'A' && ascii <= 'F')
            digit = ascii - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * uint(base) + uint(digit);
    }
    if (value < 1 || value > 0xFFFF)
        return std::nullopt;
    return quint16(value);
}

QString parallelPortSettingKey(quint16 baseAddress)
{
    return QStringLiteral("ParallelPort") + QString::number(baseAddress, 16).toUpper();
}

QString parallelDevicePath(quint16 baseAddress, const SettingsStore& settings)
{
    const QString own = settings.value(parallelPortSettingKey(baseAddress)).trimmed();
    if (!own.isEmpty())
        return own;
    switch (baseAddress) {
    case 0x378:
        return QStringLiteral("/dev/parport0");
    case 0x278:
        return QStringLiteral("/dev/parport1");
    default:
        return {};
    }
}

} // namespace velm
