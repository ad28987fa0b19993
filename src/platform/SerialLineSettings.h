#pragma once
// Responsibilities: the line settings of a serial port (baud, parity, data bits, stop bits) and the settings
// text "9600,N,8,1" that the rig, spotting, CW and WinKey windows build and store; the handshaking modes.
// Used by every subsystem that opens a serial port (CW keying, WinKey, rig control, the spotting TNC, voice
// PTT).

#include <QString>
#include <optional>

namespace velm {

enum class Parity { None, Odd, Even, Mark, Space };

// The handshaking modes the settings windows offer. RtsCtsXonXoff is RTS/CTS and Xon/Xoff together.
enum class Handshake { None, XonXoff, RtsCts, RtsCtsXonXoff };

struct SerialLineSettings {
    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8; // 5 to 8
    int stopBits = 1; // 1 or 2
    bool operator==(const SerialLineSettings&) const = default;
};

// Reads "baud,parity,data,stop" as the settings windows write it: blanks around each part are ignored, the
// parity letter is N, O, E, M or S in either case, the data bits 5 to 8, the stop bits 1 or 2, the baud a
// plain decimal rate from 50 to 4,000,000. Anything else (missing or extra parts, "1.5" stop bits, signs,
// "9600.0") gives nullopt, which the callers report as settings the port rejected.
std::optional<SerialLineSettings> parseSerialSettings(const QString& text);

// The settings text of the same form, for example "1200,N,8,2".
QString formatSerialSettings(const SerialLineSettings& settings);

// The rate a port is really opened at. 56000 is no rate a 16550 divisor gives (115200 / 2 = 57600 is what the
// old drivers produced for it), and the radios whose presets say 56000 run at 57600; every other rate is
// opened as asked, so a USB adapter that could do 56000 exactly still meets the radio.
int wireBaudRate(int requestedBaudRate);

} // namespace velm
