#pragma once
// Responsibilities: the polling state of the rig link and its two tables: which request a send tick builds
// for each rig type, and which decoders a read tick runs; the mode that follows from the frequency.

#include "rig/RigDecoders.h"
#include "rig/RigSettings.h"
#include "rig/RigctldReplies.h"

#include <QByteArray>

namespace velm {

// What a send tick sends.
struct PollRequest {
    enum class Outcome {
        Nothing, // nothing for this type (or the query strings are too short): the cycle goes on
        Send,    // bytes to write
        BadHex,  // a binary type's query string is not valid hex: the tick ends, the same request next time
    };
    Outcome outcome = Outcome::Nothing;
    QByteArray bytes;
};

struct RigPoller : RigReadings {
    QByteArray ReplyBuffer;     // what the last read tick received, emptied at the end of every read tick
    bool AwaitingReply = false; // the next tick reads
    quint8 NextRequest = 0;     // alternating types: 0 the frequency is asked next, 1 the mode
    RigctldReplies rigctldReplies;

    // The request of a send tick for settings.RigType (advancing NextRequest for the alternating types;
    // not on BadHex). convertToHex: the "Convert to Hex" box, for "Other".
    PollRequest request(const RigSettings& settings, bool convertToHex);
    // The decoders of a read tick for settings.RigType on ReplyBuffer; "Ten Tec Pegasus" reads its file in
    // pegasusFolder instead.
    void decode(const RigSettings& settings, const QString& pegasusFolder);
    // "Mode by: Frequency": the mode of the band segment holding RigFrequency (both ends excluded); outside
    // every segment the decoded mode stays.
    void ModeFromFrequency();
};

} // namespace velm
