#include "rig/RigDecoders.h"

#include "rig/RigTypes.h"

#include <cmath>

namespace velm {

namespace {

inline const QString kModeAm = QStringLiteral("AM");
inline const QString kModeFm = QStringLiteral("FM");

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

quint8 byteAt(QByteArrayView buffer, qsizetype index)
{
    return quint8(buffer[index]);
}

// Hertz to MHz rounded to 5 decimals, as the single-precision value the rest of the program holds.
float megahertz(double hertz)
{
    return float(std::round(hertz / 10.0) / 100000.0);
}

// The query's first characters as the bytes searched for; empty when the query is shorter.
QByteArray queryPrefix(const QString& query, qsizetype length)
{
    return query.size() < length ? QByteArray() : query.left(length).toLatin1();
}

void setMode(RigReadings& readings, bool cw)
{
    readings.RigMode = cw ? kModeCw : kModePhone;
}

// Packed BCD bytes (low digit in the low nibble) into a number; nullopt when a nibble is not a decimal digit.
// mostSignificantFirst picks the byte order.
std::optional<quint64> bcdValue(QByteArrayView bytes, bool mostSignificantFirst)
{
    quint64 value = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 byte = byteAt(bytes, mostSignificantFirst ? i : bytes.size() - 1 - i);
        const int high = byte >> 4, low = byte & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        value = value * 100 + quint64(high * 10 + low);
    }
    return value;
}

// One complete CI-V frame: the command byte and the data bytes between it and FD.
struct CivFrame {
    quint8 command = 0;
    QByteArrayView data;
};

// The last complete frame with this command byte and minData to maxData data bytes. A preamble (FE FE, more
// FEs allowed) starts a frame; an FE inside one starts the next (the earlier one was cut); FC, the bus
// collision mark, ends any frame.
std::optional<CivFrame> lastCivFrame(QByteArrayView buffer, quint8 command, qsizetype minData,
                                     qsizetype maxData)
{
    constexpr quint8 kPreamble = 0xFE, kEnd = 0xFD, kCollision = 0xFC;
    std::optional<CivFrame> found;
    int preambles = 0;   // FEs seen in a row
    qsizetype body = -1; // index of the first byte after the preamble
    for (qsizetype i = 0; i < buffer.size(); ++i) {
        const quint8 byte = byteAt(buffer, i);
        if (byte == kPreamble) {
            ++preambles;
            body = -1;
            continue;
        }
        if (byte == kCollision) {
            preambles = 0;
            body = -1;
            continue;
        }
        if (preambles >= 2) {
            preambles = 0;
            body = i;
        } else if (preambles == 1) {
            preambles = 0; // a lone FE starts nothing
        }
        if (body < 0 || byte != kEnd)
            continue;
        // <to> <from> <cmd> [data] FD: the command byte is the third of the body.
        const qsizetype dataBytes = i - body - 3;
        if (dataBytes >= 0 && byteAt(buffer, body + 2) == command && dataBytes >= minData &&
            dataBytes <= maxData)
            found = CivFrame{command, buffer.sliced(body + 3, dataBytes)};
        body = -1;
    }
    return found;
}

} // namespace

std::optional<float> hzToMhz(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 12)
        return std::nullopt;
    quint64 hertz = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        hertz = hertz * 10 + quint64(c - '0');
    }
    return megahertz(double(hertz));
}

// ---- Kenwood / Elecraft ----

void DecodeKenwoodFrequency(QByteArrayView buffer, const QString& frequencyQuery, RigReadings& readings)
{
    if (frequencyQuery.size() < 3)
        return;
    const QByteArray prefix = queryPrefix(frequencyQuery, 2);
    const qsizetype pos = buffer.indexOf(prefix);
    // Prefix, 11 digits and the closing ";": a reply cut anywhere, or joined to another, is no number.
    if (pos < 0 || buffer.size() < pos + 14 || buffer[pos + 13] != ';')
        return;
    if (const std::optional<float> mhz = hzToMhz(buffer.sliced(pos + 2, 11)))
        readings.RigFrequency = *mhz;
}

void DecodeKenwoodMode(QByteArrayView buffer, RigReadings& readings)
{
    const qsizetype pos = buffer.indexOf(QByteArrayView("MD"));
    if (pos < 0 || buffer.size() <= pos + 2 || !isDigit(buffer[pos + 2]))
        return;
    setMode(readings, buffer[pos + 2] == '3' || buffer[pos + 2] == '7');
}

void DecodeKenwoodIF(QByteArrayView buffer, RigReadings& readings)
{
    const qsizetype pos = buffer.indexOf(QByteArrayView("IF"));
    if (pos < 0 || buffer.size() <= pos + 12)
        return;
    if (const std::optional<float> mhz = hzToMhz(buffer.sliced(pos + 2, 11)))
        readings.RigFrequency = *mhz;
    // A record cut before the mode or the VFO digit leaves that field as it was.
    if (buffer.size() > pos + 29 && isDigit(buffer[pos + 29]))
        setMode(readings, buffer[pos + 29] == '3' || buffer[pos + 29] == '7');
    if (buffer.size() > pos + 30 && isDigit(buffer[pos + 30]))
        readings.RigVfo = quint8(buffer[pos + 30] - '0');
}

// ---- Icom CI-V ----

void DecodeIcomFrequency(QByteArrayView buffer, bool icom735, RigReadings& readings)
{
    const qsizetype size = icom735 ? 4 : 5;
    const std::optional<CivFrame> frame = lastCivFrame(buffer, 0x03, size, size);
    if (!frame)
        return;
    if (const std::optional<quint64> hertz = bcdValue(frame->data, false))
        readings.RigFrequency = float(double(*hertz) / 1e6);
}

void DecodeIcomMode(QByteArrayView buffer, RigReadings& readings)
{
    const std::optional<CivFrame> frame = lastCivFrame(buffer, 0x04, 1, 2);
    if (!frame)
        return;
    const quint8 mode = byteAt(frame->data, 0);
    setMode(readings, mode == 0x03 || mode == 0x07);
}

// ---- Yaesu 5-byte CAT ----

void DecodeYaesuBcd(QByteArrayView buffer, RigReadings& readings)
{
    if (buffer.size() < 5)
        return;
    const quint8 modeByte = byteAt(buffer, 4);
    // The mode byte's two hex digits read as a decimal number; a letter in them (0A, 0C) is no reply.
    if ((modeByte >> 4) > 9 || (modeByte & 0x0F) > 9)
        return;
    const int modeCode = (modeByte >> 4) * 10 + (modeByte & 0x0F);
    const std::optional<quint64> steps = bcdValue(buffer.first(4), true);
    if (!steps)
        return;
    // 10 Hz steps: 01 40 25 00 is 14.025 MHz, 00 05 30 00 is 530 kHz.
    readings.RigFrequency = megahertz(double(*steps) * 10.0);
    switch (modeCode) {
    case 0:
    case 1:
    case 4:
    case 8:
    case 84:
    case 88:
        setMode(readings, false);
        break;
    case 2:
    case 3:
    case 82:
    case 83:
        setMode(readings, true);
        break;
    default:
        break;
    }
}

void Decode757Status(QByteArrayView buffer, RigReadings& readings)
{
    if (buffer.size() < 10)
        return;
    const std::optional<quint64> steps = bcdValue(buffer.sliced(5, 4), false);
    if (!steps)
        return;
    readings.RigFrequency = megahertz(double(*steps) * 10.0);
    // The leading decimal digits of byte 10's two hex digits.
    const quint8 modeByte = byteAt(buffer, 9);
    const int high = modeByte >> 4, low = modeByte & 0x0F;
    if (high > 9)
        return;
    const int code = low <= 9 ? high * 10 + low : high;
    switch (code) {
    case 0:
    case 1:
        readings.RigMode = kModePhone;
        break;
    case 2:
    case 3:
        readings.RigMode = kModeCw;
        break;
    case 4:
        readings.RigMode = kModeAm;
        break;
    case 5:
        readings.RigMode = kModeFm;
        break;
    default:
        break;
    }
}

void DecodeYaesuStatus(QByteArrayView buffer, const QString& rigType, RigReadings& readings)
{
    // The mode digit is in byte 8: a shorter record is cut.
    if (buffer.size() < 8)
        return;
    // The hex digits of the record, 1-based as the layouts are given: digit n is the high (odd n) or low
    // (even n) nibble of byte (n + 1) / 2.
    const auto digit = [&buffer](int n) {
        const quint8 byte = byteAt(buffer, (n - 1) / 2);
        return quint64(n % 2 ? byte >> 4 : byte & 0x0F);
    };
    const auto number = [&digit](int first, int last) {
        quint64 value = 0;
        for (int n = first; n <= last; ++n)
            value = value * 16 + digit(n);
        return value;
    };
    const bool is920 = rigType == rigtype::Yaesu920;
    quint64 value = 0;
    if (rigType == rigtype::Yaesu890)
        value = number(5, 10);
    else if (rigType == rigtype::Yaesu990 || rigType == rigtype::Yaesu1000D)
        value = number(3, 8);
    else if (rigType == rigtype::Yaesu1000)
        value = number(4, 9);
    else if (is920)
        value = number(3, 10);
    else
        return;
    // 10 Hz steps, the 920 in hertz.
    readings.RigFrequency = megahertz(is920 ? double(value) : double(value) * 10.0);
    const quint64 modeDigit = digit(16);
    if (is920)
        setMode(readings, modeDigit == 1);
    else if (modeDigit <= 7)
        setMode(readings, modeDigit == 2);
}

// ---- Yaesu "new CAT" text ----

void DecodeFTdx9000(QByteArrayView buffer, const QString& frequencyQuery, const QString& modeQuery,
                    RigReadings& readings)
{
    if (const QByteArray prefix = queryPrefix(frequencyQuery, 2); !prefix.isEmpty()) {
        const qsizetype pos = buffer.indexOf(prefix);
        if (pos >= 0) {
            // The older sets send 8 digits, the later ones 9; either up to the ";".
            qsizetype end = pos + 2;
            while (end < buffer.size() && end - pos - 2 < 10 && isDigit(buffer[end]))
                ++end;
            const qsizetype digits = end - pos - 2;
            if ((digits == 8 || digits == 9) && end < buffer.size() && buffer[end] == ';') {
                if (const std::optional<float> mhz = hzToMhz(buffer.sliced(pos + 2, digits))) {
                    readings.RigFrequency = *mhz;
                    readings.FrequencyDigits = int(digits);
                }
            }
        }
    }
    if (const QByteArray prefix = queryPrefix(modeQuery, 3); !prefix.isEmpty()) {
        const qsizetype pos = buffer.indexOf(prefix);
        if (pos >= 0 && buffer.size() > pos + 3) {
            const char mode = buffer[pos + 3];
            // Mode characters 1-9 and A-F; 3 is CW, 7 CW-R.
            if (isDigit(mode) || (mode >= 'A' && mode <= 'F'))
                setMode(readings, mode == '3' || mode == '7');
        }
    }
}

// ---- Ten-Tec ----

void DecodeFrontPanelFrequency(QByteArrayView buffer, RigReadings& readings)
{
    if (buffer.size() < 5 || buffer[0] != 'A')
        return;
    quint64 hertz = 0;
    for (qsizetype i = 1; i <= 4; ++i)
        hertz = hertz << 8 | byteAt(buffer, i);
    readings.RigFrequency = megahertz(double(hertz));
}

void DecodeFrontPanelMode(QByteArrayView buffer, RigReadings& readings)
{
    if (buffer.size() < 3 || buffer[0] != 'M' || !isDigit(buffer[1]))
        return;
    // 0 AM, 1 USB, 2 LSB, 3 CW, 4 FM.
    const int mode = buffer[1] - '0';
    if (mode <= 4)
        setMode(readings, mode == 3);
}

void DecodeOrionFrequency(QByteArrayView buffer, RigReadings& readings)
{
    const qsizetype pos = buffer.indexOf(QByteArrayView("@AF"));
    if (pos < 0)
        return;
    const qsizetype end = buffer.indexOf('\r', pos + 3);
    if (end < 0)
        return;
    if (const std::optional<float> mhz = hzToMhz(buffer.sliced(pos + 3, end - pos - 3)))
        readings.RigFrequency = *mhz;
}

void DecodeOrionMode(QByteArrayView buffer, RigReadings& readings)
{
    const qsizetype pos = buffer.indexOf(QByteArrayView("@RMM"));
    if (pos < 0 || buffer.size() <= pos + 4 || !isDigit(buffer[pos + 4]))
        return;
    // 0 USB, 1 LSB, 2 CW, 3 CW-R, 4 AM, 5 FM, 6 RTTY.
    setMode(readings, buffer[pos + 4] == '2' || buffer[pos + 4] == '3');
}

} // namespace velm
