// libFuzzer target: bytes from a spot source through the TNC, Telnet or AGW path, split into reads at
// places the input chooses, with the traffic box trimmed as the window does. Every spot line dispatched is
// read for its frequency and call prefix. Nothing may crash, and the box and the half-received line stay
// bounded.

#include "log/WriteFormat.h"
#include "spots/SpotLine.h"
#include "spots/SpotPaths.h"
#include "spots/TrafficBox.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace velm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t path = bytes[0] % 3;
    const bool dxOnly = bytes[0] & 0x80;
    const std::size_t readSize = 1 + bytes[1]; // 1 to 256 bytes per read
    const QByteArrayView input(reinterpret_cast<const char*>(bytes) + 2, qsizetype(size - 2));

    TrafficBox traffic;
    SpotPaths paths(traffic, [](const SpotFields& fields, const QString& line) {
        if (const std::optional<double> khz = spotFrequencyKhz(fields.frequency))
            if (!(*khz > 0 && *khz < 300e6))
                std::abort();
        (void)CallPrefix(fields.call);
        (void)spotFields(line);
    });
    paths.setDxOnly(dxOnly);
    for (qsizetype at = 0; at < input.size(); at += qsizetype(readSize)) {
        const QByteArrayView piece = input.sliced(at, qMin(qsizetype(readSize), input.size() - at));
        switch (path) {
        case 0:
            paths.SpotLineProcessor(piece);
            break;
        case 1:
            paths.telnetReceived(piece);
            break;
        default: {
            const QString data = decodeText(piece);
            paths.agwFrame(data, QStringLiteral("UN0CALL ") + data, QStringLiteral("N0CALL"),
                           (at / qsizetype(readSize)) % 2 ? QStringLiteral("GB7DXC") : QString());
            break;
        }
        }
        traffic.TrimTrafficBox();
        if (traffic.text().size() > TrafficBox::kTrimAbove)
            std::abort();
    }
    if (path == 1)
        paths.telnetEnded();
    (void)spotFields(decodeText(input));
    return 0;
}
