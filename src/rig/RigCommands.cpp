#include "rig/RigCommands.h"

#include "rig/HexCodec.h"
#include "rig/RigTypes.h"

#include <charconv>
#include <cmath>

namespace velm {

namespace {

const QString kElecraft = QStringLiteral("Elecraft");
const QString kKenwood2 = QStringLiteral("Kenwood 2");

constexpr int kUsualDelayMs = 205;
constexpr int kCivDelayMs = 140;

FrequencyCommand bytesCommand(QByteArray bytes, int delayMs, int secondDelayMs = 0)
{
    return {FrequencyCommand::Kind::Bytes, std::move(bytes), delayMs, secondDelayMs};
}

FrequencyCommand hexCommand(const std::optional<QString>& hex, int delayMs, int secondDelayMs = 0)
{
    const std::optional<QByteArray> bytes = hex ? HexToBytes(*hex) : std::nullopt;
    if (!bytes)
        return {};
    return bytesCommand(*bytes, delayMs, secondDelayMs);
}

// The two-letter command the frequency query starts with; a query too short to have one asks VFO A.
QString textPrefix(const QString& query, int length, const char* fallback)
{
    return query.size() >= length ? query.left(length) : QString::fromLatin1(fallback);
}

QByteArray text(const QString& value)
{
    return value.toLatin1();
}

std::optional<QString> civFrame(const QString& frequencyQuery, const QString& body)
{
    const std::optional<QString> address = icomAddress(frequencyQuery);
    if (!address)
        return std::nullopt;
    return QStringLiteral("FEFE") + *address + body;
}

// The mode column of each family, in the order of kModeNames.
const QString* const kModeNames[] = {&rigmode::Lsb,  &rigmode::Usb,         &rigmode::Cw,  &rigmode::CwReverse,
                                     &rigmode::Am,   &rigmode::Fm,          &rigmode::Rtty, &rigmode::RttyReverse,
                                     &rigmode::Fsk,  &rigmode::Dig,         &rigmode::Pkt};
constexpr int kModeCount = int(std::size(kModeNames));

// nullptr: the family has no command for the mode.
const char* const kKenwoodModes[kModeCount] = {"MD1;", "MD2;", "MD3;", nullptr, "MD5;", "MD4;",
                                               "MD6;", nullptr, "MD6;", nullptr, nullptr};
const char* const kCivModes[kModeCount] = {"E00600FD", "E00601FD", "E00603FD", "E00607FD", "E00602FD", "E00605FD",
                                           "E00604FD", "E00608FD", nullptr,    nullptr,    nullptr};
const char* const kYaesuModes[kModeCount] = {"0000000007", "0100000007", "0200000007", nullptr,
                                             "0400000007", "0800000007", "0A00000007", nullptr,
                                             nullptr,      "0A00000007", "0C00000007"};
const char* const kYaesuStatusModes[kModeCount] = {"000000000C", "000000010C", "000000020C", "000000030C",
                                                   "000000040C", "000000060C", "000000080C", nullptr,
                                                   nullptr,      nullptr,      "0000000A0C"};
const char* const kFtdxModes[kModeCount] = {"1;", "2;", "3;", "7;", "5;", "4;", "6;",
                                            nullptr, nullptr, nullptr, nullptr};
// rigctld's names (set_mode).
const char* const kRigctldModes[kModeCount] = {"LSB", "USB", "CW", "CWR", "AM", "FM", "RTTY", "RTTYR",
                                               "RTTY", "PKTUSB", "PKTUSB"};

int modeIndex(const QString& mode)
{
    for (int i = 0; i < kModeCount; ++i) {
        if (*kModeNames[i] == mode)
            return i;
    }
    return -1;
}

} // namespace

std::optional<qint64> megahertzToHz(float megahertz)
{
    // Above a million MHz no radio tunes, and the hertz would overflow.
    if (!std::isfinite(megahertz) || !(megahertz > 0) || megahertz >= 1e6f)
        return std::nullopt;
    // From the float's shortest decimal text, the value the caller meant: 144.2f is 144.19999695 MHz, which
    // would otherwise tune 3 Hz low.
    bool ok = false;
    const double exact = shortestText(megahertz).toDouble(&ok);
    return qint64(std::llround((ok ? exact : double(megahertz)) * 1e6));
}

std::optional<QString> fixedDigits(qint64 value, int width)
{
    const QString digits = QString::number(value);
    if (value < 0 || digits.size() > width)
        return std::nullopt;
    return digits.rightJustified(width, QLatin1Char('0'));
}

QString pairsReversed(QStringView digits)
{
    QString reversed;
    reversed.reserve(digits.size());
    for (qsizetype i = 0; i < digits.size(); i += 2)
        reversed.prepend(digits.mid(i, 2));
    return reversed;
}

QString shortestText(float value)
{
    // The shortest text of the float itself, not of its double widening (14.0249996185...).
    char buffer[64];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return end.ec == std::errc() ? QString::fromLatin1(buffer, end.ptr - buffer) : QString();
}

std::optional<QString> icomAddress(const QString& frequencyQuery)
{
    const QString address = frequencyQuery.mid(6, 2);
    if (address.size() != 2 || !hexPair(address))
        return std::nullopt;
    return address.toUpper();
}

FrequencyCommand frequencyCommand(const RigSettings& settings, const RigReadings& readings, float megahertz)
{
    const std::optional<qint64> hz = megahertzToHz(megahertz);
    if (!hz)
        return {};
    const QString& type = settings.RigType;
    const auto digits = [&hz](int width) { return fixedDigits(*hz, width); };
    // 10 Hz steps for the Yaesu 5-byte commands.
    const std::optional<QString> step8 = fixedDigits((*hz + 5) / 10, 8);
    switch (rigFamily(type)) {
    case RigFamily::KenwoodText:
    case RigFamily::KenwoodIf: {
        QString prefix = textPrefix(settings.FrequencyQuery, 2, "FA");
        if (type == kKenwood2)
            prefix = readings.RigVfo == 1 ? QStringLiteral("FB") : QStringLiteral("FA");
        else if (type == kElecraft)
            prefix = QStringLiteral("FA");
        // Padding never shortens: eleven digits hold every frequency a radio tunes.
        const QString command = prefix + QString::number(*hz).rightJustified(11, QLatin1Char('0')) + ';';
        return bytesCommand(text(command), kUsualDelayMs, type == kElecraft ? 1000 : 0);
    }
    case RigFamily::CiV: {
        // The IC-735 sets (and reads) four data bytes; the others five.
        const std::optional<QString> bcd = digits(type == rigtype::Icom735 ? 8 : 10);
        if (!bcd)
            return {};
        const std::optional<QString> frame =
            civFrame(settings.FrequencyQuery, QStringLiteral("E005") + pairsReversed(*bcd) + QStringLiteral("FD"));
        return hexCommand(frame, kCivDelayMs, type == rigtype::OmniVI ? 220 : 0);
    }
    case RigFamily::TenTecFrontPanel: {
        if (*hz > 0xFFFFFFFFLL)
            return {};
        const QString hex = QString::number(*hz, 16).toUpper().rightJustified(8, QLatin1Char('0'));
        return hexCommand(QStringLiteral("2A41") + hex + QStringLiteral("0D"), kUsualDelayMs);
    }
    case RigFamily::TenTecOrion:
        // The Orion sets VFO A in hertz, as it reports it.
        return bytesCommand("*AF" + QByteArray::number(*hz) + '\r', kUsualDelayMs);
    case RigFamily::Pegasus:
        return {FrequencyCommand::Kind::Pegasus, {}, kUsualDelayMs, 0};
    case RigFamily::YaesuBcd:
        if (!step8)
            return {};
        return hexCommand(*step8 + QStringLiteral("01"), kUsualDelayMs);
    case RigFamily::Yaesu757:
    case RigFamily::YaesuStatus:
        if (!step8)
            return {};
        return hexCommand(pairsReversed(*step8) + QStringLiteral("0A"),
                          type == rigtype::Yaesu1000 ? 10 : kUsualDelayMs);
    case RigFamily::YaesuText: {
        // The width the radio itself used when it last reported its frequency (8 or 9 digits).
        const int width = readings.FrequencyDigits == 9 ? 9 : 8;
        const QString command = textPrefix(settings.FrequencyQuery, 2, "FA") +
                                QString::number(*hz).rightJustified(width, QLatin1Char('0')) + ';';
        return bytesCommand(text(command), kUsualDelayMs);
    }
    case RigFamily::Rigctld:
        return {FrequencyCommand::Kind::Rigctld, "+\\set_freq " + QByteArray::number(*hz) + '\n', 0, 0};
    case RigFamily::None:
    case RigFamily::Other:
    case RigFamily::Unknown:
        break;
    }
    return {};
}

std::optional<QByteArray> modeCommand(const RigSettings& settings, const QString& mode)
{
    const int index = modeIndex(mode);
    if (index < 0)
        return std::nullopt;
    const auto fromTable = [index](const char* const* table) -> std::optional<QString> {
        if (!table[index])
            return std::nullopt;
        return QString::fromLatin1(table[index]);
    };
    const QString& type = settings.RigType;
    switch (rigFamily(type)) {
    case RigFamily::KenwoodText:
    case RigFamily::KenwoodIf:
        if (const std::optional<QString> command = fromTable(kKenwoodModes))
            return text(*command);
        return std::nullopt;
    case RigFamily::CiV: {
        if (type == rigtype::Icom735)
            return std::nullopt;
        const std::optional<QString> body = fromTable(kCivModes);
        const std::optional<QString> frame = body ? civFrame(settings.FrequencyQuery, *body) : std::nullopt;
        return frame ? HexToBytes(*frame) : std::nullopt;
    }
    case RigFamily::YaesuBcd:
        if (const std::optional<QString> hex = fromTable(kYaesuModes))
            return HexToBytes(*hex);
        return std::nullopt;
    case RigFamily::Yaesu757:
    case RigFamily::YaesuStatus:
        if (const std::optional<QString> hex = fromTable(kYaesuStatusModes))
            return HexToBytes(*hex);
        return std::nullopt;
    case RigFamily::YaesuText:
        if (const std::optional<QString> tail = fromTable(kFtdxModes))
            return text(textPrefix(settings.ModeQuery, 3, "MD0") + *tail);
        return std::nullopt;
    case RigFamily::Rigctld:
        return "+\\set_mode " + QByteArray(kRigctldModes[index]) + " 0\n";
    case RigFamily::TenTecFrontPanel:
    case RigFamily::TenTecOrion:
    case RigFamily::Pegasus:
    case RigFamily::None:
    case RigFamily::Other:
    case RigFamily::Unknown:
        break;
    }
    return std::nullopt;
}

QByteArray pegasusInText(float megahertz, const QString& rigMode)
{
    return text(shortestText(megahertz)) + "\r\n" + rigMode.trimmed().toUtf8() + "\r\n";
}

} // namespace velm
