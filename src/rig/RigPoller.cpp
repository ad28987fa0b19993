#include "rig/RigPoller.h"

#include "rig/HexCodec.h"
#include "rig/PegasusFiles.h"
#include "rig/RigTypes.h"

namespace velm {

namespace {

PollRequest send(QByteArray bytes)
{
    return {bytes.isEmpty() ? PollRequest::Outcome::Nothing : PollRequest::Outcome::Send, std::move(bytes)};
}

PollRequest badHex()
{
    return {PollRequest::Outcome::BadHex, {}};
}

// Text sent to the port goes one byte per character.
QByteArray textBytes(const QString& text)
{
    return text.toLatin1();
}

} // namespace

PollRequest RigPoller::request(const RigSettings& settings, bool convertToHex)
{
    const QString& type = settings.RigType;
    const QString& frequency = settings.FrequencyQuery;
    const QString& mode = settings.ModeQuery;
    // The alternating types ask one thing per cycle: the query for NextRequest, if it is long enough, as
    // count hex pairs (binary) or as text; NextRequest then points at the other one.
    const auto alternate = [this, &frequency, &mode](qsizetype minLength, int pairs) -> PollRequest {
        const QString& query = NextRequest == 0 ? frequency : mode;
        QByteArray bytes;
        if (query.size() >= minLength) {
            if (pairs > 0) {
                const std::optional<QByteArray> binary = hexSpacedPairs(query, pairs);
                if (!binary)
                    return badHex();
                bytes = *binary;
            } else {
                bytes = textBytes(query);
            }
        }
        NextRequest = NextRequest == 0 ? 1 : 0;
        return send(bytes);
    };

    switch (rigFamily(type)) {
    case RigFamily::KenwoodText:
    case RigFamily::KenwoodIf:
        return send(textBytes(frequency) + textBytes(mode));
    case RigFamily::CiV:
        return alternate(17, 6);
    case RigFamily::YaesuBcd:
    case RigFamily::Yaesu757:
    case RigFamily::YaesuStatus: {
        if (frequency.size() <= 13)
            return send({});
        const std::optional<QByteArray> bytes = hexSpacedPairs(frequency, 5);
        return bytes ? send(*bytes) : badHex();
    }
    case RigFamily::YaesuText:
        return alternate(2, 0);
    case RigFamily::TenTecFrontPanel:
        return alternate(7, 3);
    case RigFamily::TenTecOrion: {
        QByteArray bytes;
        if (!frequency.isEmpty())
            bytes += textBytes(frequency) + '\r';
        if (!mode.isEmpty())
            bytes += textBytes(mode) + '\r';
        return send(bytes);
    }
    case RigFamily::Other: {
        QByteArray bytes;
        for (const QString* query : {&frequency, &mode}) {
            if (query->isEmpty())
                continue;
            if (!convertToHex) {
                bytes += textBytes(*query);
                continue;
            }
            const std::optional<QByteArray> binary = HexSpacedToBytes(*query);
            if (!binary)
                return badHex();
            bytes += *binary;
        }
        return send(bytes);
    }
    case RigFamily::Rigctld:
        // Fixed commands: the query strings are operator text, and every letter of it is a rigctld command.
        return send(rigctld::pollRequest());
    case RigFamily::None:
    case RigFamily::Pegasus:
    case RigFamily::Unknown:
        break;
    }
    return send({});
}

void RigPoller::decode(const RigSettings& settings, const QString& pegasusFolder)
{
    const QString& type = settings.RigType;
    const QByteArrayView buffer = ReplyBuffer;
    switch (rigFamily(type)) {
    case RigFamily::KenwoodText:
        DecodeKenwoodFrequency(buffer, settings.FrequencyQuery, *this);
        DecodeKenwoodMode(buffer, *this);
        break;
    case RigFamily::KenwoodIf:
        DecodeKenwoodIF(buffer, *this);
        break;
    case RigFamily::CiV:
        // The send tick left NextRequest at the other request: 1 means the frequency was asked.
        if (NextRequest == 1)
            DecodeIcomFrequency(buffer, type == rigtype::Icom735, *this);
        else
            DecodeIcomMode(buffer, *this);
        break;
    case RigFamily::YaesuBcd:
        DecodeYaesuBcd(buffer, *this);
        break;
    case RigFamily::Yaesu757:
        Decode757Status(buffer, *this);
        break;
    case RigFamily::YaesuStatus:
        DecodeYaesuStatus(buffer, type, *this);
        break;
    case RigFamily::YaesuText:
        DecodeFTdx9000(buffer, settings.FrequencyQuery, settings.ModeQuery, *this);
        break;
    case RigFamily::TenTecFrontPanel:
        if (NextRequest == 1)
            DecodeFrontPanelFrequency(buffer, *this);
        else
            DecodeFrontPanelMode(buffer, *this);
        break;
    case RigFamily::TenTecOrion:
        DecodeOrionFrequency(buffer, *this);
        DecodeOrionMode(buffer, *this);
        break;
    case RigFamily::Pegasus:
        ReadPegasusFile(pegasusFolder, *this);
        break;
    case RigFamily::Rigctld:
        rigctldReplies.feed(buffer, *this);
        break;
    case RigFamily::None:
    case RigFamily::Other:
    case RigFamily::Unknown:
        break;
    }
}

void RigPoller::ModeFromFrequency()
{
    static const struct {
        float above, below;
        bool cw;
    } segments[] = {
        {3.5f, 3.6f, true},       {3.6f, 4.0f, false},    {7.0f, 7.125f, true},    {7.125f, 7.3f, false},
        {10.1f, 10.15f, true},    {14.0f, 14.15f, true},  {14.15f, 14.35f, false}, {18.068f, 18.11f, true},
        {18.11f, 18.168f, false}, {21.0f, 21.2f, true},   {21.2f, 21.45f, false},  {24.89f, 24.93f, true},
        {24.93f, 24.99f, false},  {28.0f, 28.3f, true},   {28.3f, 29.7f, false},   {50.0f, 50.1f, true},
        {50.1f, 54.0f, false},    {144.0f, 144.1f, true}, {144.1f, 148.0f, false}};
    for (const auto& segment : segments) {
        if (RigFrequency > segment.above && RigFrequency < segment.below) {
            RigMode = segment.cw ? kModeCw : kModePhone;
            return;
        }
    }
}

} // namespace velm
