#include "rig/HexCodec.h"

namespace velm {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

QString hexText(QByteArrayView bytes, bool spaced)
{
    QString text(bytes.size() * (spaced ? 3 : 2), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = quint8(byte);
        *out++ = QLatin1Char(kDigits[value >> 4]);
        *out++ = QLatin1Char(kDigits[value & 0x0F]);
        if (spaced)
            *out++ = QLatin1Char(' ');
    }
    return text;
}

} // namespace

std::optional<QChar> HexDigit(int value)
{
    if (value < 0 || value > 15)
        return std::nullopt;
    return QLatin1Char(kDigits[value]);
}

QString BytesToHex(QByteArrayView bytes)
{
    return hexText(bytes, false);
}

QString BytesToHexSpaced(QByteArrayView bytes)
{
    return hexText(bytes, true);
}

std::optional<quint8> hexPair(QStringView pair)
{
    if (pair.size() != 2)
        return std::nullopt;
    const int high = hexValue(pair[0]);
    const int low = hexValue(pair[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return quint8(high << 4 | low);
}

std::optional<QByteArray> HexToBytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        if (i + 1 == text.size()) {
            const int single = hexValue(text[i]);
            if (single < 0)
                return std::nullopt;
            bytes.append(char(single));
            break;
        }
        const std::optional<quint8> value = hexPair(text.mid(i, 2));
        if (!value)
            return std::nullopt;
        bytes.append(char(*value));
    }
    return bytes;
}

std::optional<QByteArray> hexSpacedPairs(QStringView text, int count)
{
    QByteArray bytes;
    bytes.reserve(count);
    for (int n = 0; n < count; ++n) {
        const qsizetype at = qsizetype(n) * 3;
        if (n > 0 && (at - 1 >= text.size() || text[at - 1] != QLatin1Char(' ')))
            return std::nullopt;
        if (at + 2 > text.size())
            return std::nullopt;
        const std::optional<quint8> value = hexPair(text.mid(at, 2));
        if (!value)
            return std::nullopt;
        bytes.append(char(*value));
    }
    return bytes;
}

std::optional<QByteArray> HexSpacedToBytes(QStringView text)
{
    // Pairs at 0, 3, 6, ...: a text of n pairs is 3n - 1 characters long, 3n with the closing blank.
    const qsizetype pairs = (text.size() + 1) / 3;
    if (text.size() % 3 == 1 && text.size() > 0)
        return std::nullopt; // a pair cut to one character
    std::optional<QByteArray> bytes = hexSpacedPairs(text, int(pairs));
    if (bytes && !text.isEmpty() && text.size() == pairs * 3 && text.back() != QLatin1Char(' '))
        return std::nullopt;
    return bytes;
}

} // namespace velm
