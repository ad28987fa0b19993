// libFuzzer target: bytes from an AGW engine, read the way the engine link reads its socket (never more
// than the reader wants), every frame taken out at once. Nothing may crash, the reader never holds more
// than one frame's bytes, and a frame it hands out is never larger than the limit.

#include "platform/AgwFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace velm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    AgwFrameReader reader;
    qsizetype at = 0;
    while (at < input.size()) {
        const qsizetype wanted = reader.wanted();
        if (wanted < 1)
            std::abort();
        reader.append(input.sliced(at, qMin(wanted, input.size() - at)));
        at += wanted;
        if (reader.buffered() > agw::kHeaderBytes + qsizetype(agw::kMaxDataBytes))
            std::abort();
        AgwFrame frame;
        for (;;) {
            const AgwFrameReader::Status status = reader.next(frame);
            if (status == AgwFrameReader::Status::NeedMore)
                break;
            if (status == AgwFrameReader::Status::Oversized)
                return 0; // the link is closed here
            if (frame.data.size() > qsizetype(agw::kMaxDataBytes) ||
                frame.callFrom.size() > agw::kCallField || frame.callTo.size() > agw::kCallField)
                std::abort();
            (void)validAgwCall(frame.callFrom);
            (void)encodeAgwFrame(frame);
        }
    }
    return 0;
}
