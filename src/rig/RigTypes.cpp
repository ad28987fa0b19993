#include "rig/RigTypes.h"

namespace velm {

namespace {

struct TypeRow {
    const QString* name;
    RigFamily family;
};

const QString kElecraft = QStringLiteral("Elecraft");
const QString kKenwood = QStringLiteral("Kenwood");
const QString kKenwood2 = QStringLiteral("Kenwood 2");

const TypeRow kTypes[] = {
    {&rigtype::None, RigFamily::None},
    {&kElecraft, RigFamily::KenwoodText},
    {&rigtype::Icom, RigFamily::CiV},
    {&rigtype::Icom735, RigFamily::CiV},
    {&kKenwood, RigFamily::KenwoodText},
    {&kKenwood2, RigFamily::KenwoodIf},
    {&rigtype::OmniVI, RigFamily::CiV},
    {&rigtype::Orion, RigFamily::TenTecOrion},
    {&rigtype::FrontPanel, RigFamily::TenTecFrontPanel},
    {&rigtype::Pegasus, RigFamily::Pegasus},
    {&rigtype::Yaesu, RigFamily::YaesuBcd},
    {&rigtype::Yaesu757, RigFamily::Yaesu757},
    {&rigtype::Yaesu890, RigFamily::YaesuStatus},
    {&rigtype::Yaesu920, RigFamily::YaesuStatus},
    {&rigtype::Yaesu990, RigFamily::YaesuStatus},
    {&rigtype::Yaesu1000D, RigFamily::YaesuStatus},
    {&rigtype::Yaesu1000, RigFamily::YaesuStatus},
    {&rigtype::FTdx9000, RigFamily::YaesuText},
    {&rigtype::Other, RigFamily::Other},
    {&rigtype::Rigctld, RigFamily::Rigctld},
};

const QString kBaud1200 = QStringLiteral("1200");
const QString kBaud4800 = QStringLiteral("4800");
const QString kBaud56000 = QStringLiteral("56000");
const QString kOne = QStringLiteral("1");
const QString kTwo = QStringLiteral("2");
const QString kEight = QStringLiteral("8");
const QString kNoParity = QStringLiteral("N");

} // namespace

const QStringList& rigTypeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const TypeRow& row : kTypes)
            list << *row.name;
        return list;
    }();
    return names;
}

RigFamily rigFamily(const QString& rigType)
{
    for (const TypeRow& row : kTypes) {
        if (*row.name == rigType)
            return row.family;
    }
    return RigFamily::Unknown;
}

RigTransport rigTransport(const QString& rigType)
{
    switch (rigFamily(rigType)) {
    case RigFamily::None:
        return RigTransport::None;
    case RigFamily::Pegasus:
        return RigTransport::Files;
    case RigFamily::Rigctld:
        return RigTransport::Tcp;
    default:
        return RigTransport::Serial;
    }
}

bool isRigType(const QString& rigType)
{
    return rigFamily(rigType) != RigFamily::Unknown;
}

bool isIcomType(const QString& rigType)
{
    return rigType == rigtype::Icom || rigType == rigtype::Icom735;
}

bool sendsYaesuOpenClose(const QString& rigType)
{
    return rigType.startsWith(QLatin1String("Yaesu")) && rigType != rigtype::FTdx9000;
}

QByteArray yaesuOpenBytes()
{
    return QByteArray(5, '\0');
}

QByteArray yaesuCloseBytes()
{
    return QByteArray(4, '\0') + char(0x80);
}

QByteArray openBytes(const QString& rigType)
{
    if (sendsYaesuOpenClose(rigType))
        return yaesuOpenBytes();
    if (rigType == rigtype::Orion)
        return QByteArrayLiteral("X\r");
    return {};
}

bool usesHardwareHandshake(const QString& rigType)
{
    return rigType == rigtype::FrontPanel || rigType == rigtype::Orion;
}

RigPreset rigPreset(const QString& rigType)
{
    RigPreset preset;
    const auto serial = [&preset](const QString& baud, const QString& stopBits) {
        preset.baud = baud;
        preset.dataBits = kEight;
        preset.stopBits = stopBits;
        preset.parity = kNoParity;
    };
    const auto query = [&preset](const char* frequency, const char* mode) {
        preset.frequencyQuery = QString::fromLatin1(frequency);
        preset.modeQuery = QString::fromLatin1(mode);
    };
    switch (rigFamily(rigType)) {
    case RigFamily::CiV:
        serial(kBaud1200, kOne);
        preset.convertToHex = true;
        if (rigType == rigtype::OmniVI) {
            query("FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD");
        } else {
            query("FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD");
            preset.icomNote = true;
        }
        break;
    case RigFamily::KenwoodText:
        serial(kBaud4800, kTwo);
        query("FA;", "MD;");
        break;
    case RigFamily::KenwoodIf:
        serial(kBaud4800, kTwo);
        query("IF;", "");
        break;
    case RigFamily::YaesuBcd:
        serial(kBaud4800, kTwo);
        query("00 00 00 00 03", "");
        preset.convertToHex = true;
        break;
    case RigFamily::Yaesu757:
        serial(kBaud4800, kTwo);
        query("00 00 00 00 10", "");
        preset.convertToHex = true;
        break;
    case RigFamily::YaesuStatus:
        serial(kBaud4800, kTwo);
        query("00 00 00 02 10", "");
        preset.convertToHex = true;
        break;
    case RigFamily::YaesuText:
        preset.baud = kBaud4800; // data, stop bits and parity as they were
        query("FA;", "MD0;");
        break;
    case RigFamily::TenTecFrontPanel:
        serial(kBaud56000, kOne);
        query("3F 41 0D", "3F 4D 0D");
        preset.convertToHex = true;
        break;
    case RigFamily::TenTecOrion:
        serial(kBaud56000, kOne);
        query("?AF", "?RMM");
        break;
    case RigFamily::Other:
        preset.convertToHexEnabled = true;
        break;
    case RigFamily::None:
    case RigFamily::Pegasus:
    case RigFamily::Rigctld:
    case RigFamily::Unknown:
        break;
    }
    return preset;
}

} // namespace velm
