#include "platform/SerialLineSettings.h"

#include <QStringList>

namespace velm {

namespace {

std::optional<int> plainNumber(const QString& text, int lowest, int highest)
{
    if (text.isEmpty() || text.size() > 7)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<Parity> parityFromLetter(const QString& text)
{
    if (text.size() != 1)
        return std::nullopt;
    switch (text.at(0).toUpper().unicode()) {
    case 'N':
        return Parity::None;
    case 'O':
        return Parity::Odd;
    case 'E':
        return Parity::Even;
    case 'M':
        return Parity::Mark;
    case 'S':
        return Parity::Space;
    default:
        return std::nullopt;
    }
}

QChar parityLetter(Parity parity)
{
    switch (parity) {
    case Parity::Odd:
        return QLatin1Char('O');
    case Parity::Even:
        return QLatin1Char('E');
    case Parity::Mark:
        return QLatin1Char('M');
    case Parity::Space:
        return QLatin1Char('S');
    case Parity::None:
        break;
    }
    return QLatin1Char('N');
}

} // namespace

std::optional<SerialLineSettings> parseSerialSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    const auto baud = plainNumber(parts.at(0).trimmed(), 50, 4000000);
    const auto parity = parityFromLetter(parts.at(1).trimmed());
    const auto dataBits = plainNumber(parts.at(2).trimmed(), 5, 8);
    const auto stopBits = plainNumber(parts.at(3).trimmed(), 1, 2);
    if (!baud || !parity || !dataBits || !stopBits)
        return std::nullopt;
    return SerialLineSettings{*baud, *parity, *dataBits, *stopBits};
}

QString formatSerialSettings(const SerialLineSettings& settings)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(settings.baudRate)
        .arg(parityLetter(settings.parity))
        .arg(settings.dataBits)
        .arg(settings.stopBits);
}

int wireBaudRate(int requestedBaudRate)
{
    return requestedBaudRate == 56000 ? 57600 : requestedBaudRate;
}

} // namespace velm
