#pragma once
// Responsibilities: the commands that make a radio change: the frequency command of each rig type with the
// delay before it, and the mode command of each type, built as the bytes to send. Pure functions; a value
// that does not fit a command's fixed field gives no command at all, never a longer one.
// Protocols: Kenwood/Elecraft CAT text, Icom CI-V frames, Yaesu 5-byte CAT, Yaesu "new CAT" text, Ten-Tec
// Orion text and front-panel binary, Hamlib rigctld's extended commands.

#include "rig/RigDecoders.h"
#include "rig/RigSettings.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velm {

// The mode names the mode commands take.
namespace rigmode {
inline const QString Cw = QStringLiteral("CW");
inline const QString CwReverse = QStringLiteral("CW-R");
inline const QString Lsb = QStringLiteral("LSB");
inline const QString Usb = QStringLiteral("USB");
inline const QString Am = QStringLiteral("AM");
inline const QString Fm = QStringLiteral("FM");
inline const QString Rtty = QStringLiteral("RTTY");
inline const QString RttyReverse = QStringLiteral("RTTY-R");
inline const QString Fsk = QStringLiteral("FSK");
inline const QString Dig = QStringLiteral("DIG");
inline const QString Pkt = QStringLiteral("PKT");
} // namespace rigmode

// The frequency in MHz as whole hertz, rounded from the float's shortest decimal text (144.2f gives
// 144200000); nullopt unless it is above 0, finite and below a million MHz.
std::optional<qint64> megahertzToHz(float megahertz);
// value in decimal, left-padded with zeros to width digits; nullopt when it needs more digits than that.
std::optional<QString> fixedDigits(qint64 value, int width);
// The digit string cut into pairs from the left, the pairs in reverse order: "0001402500" gives "0025400100".
QString pairsReversed(QStringView digits);
// The shortest decimal text of a single-precision value: 14.025f gives "14.025".
QString shortestText(float value);
// The CI-V address of a query string: its characters 7 and 8 ("64" in "FE FE 64 E0 03 FD"); nullopt when
// they are not two hexadecimal digits.
std::optional<QString> icomAddress(const QString& frequencyQuery);

struct FrequencyCommand {
    enum class Kind {
        Nothing, // the type tunes no radio, or the frequency does not fit its command
        Bytes,   // bytes to the serial port
        Rigctld, // a rigctld command, answered by one "RPRT n"
        Pegasus, // PEGASUS.IN written with the frequency and the mode
    };
    Kind kind = Kind::Nothing;
    QByteArray bytes;
    int delayMs = 0;       // waited before sending
    int secondDelayMs = 0; // waited after the first, pending events run between the two (Elecraft, Omni VI)
};

// The frequency command of settings.RigType for megahertz; readings gives the VFO of the "IF" record and
// the FTdx9000's digit count.
FrequencyCommand frequencyCommand(const RigSettings& settings, const RigReadings& readings, float megahertz);

// The mode command of settings.RigType; nullopt when the type has none or does not know the mode.
// For rigctld the command line to send.
std::optional<QByteArray> modeCommand(const RigSettings& settings, const QString& mode);

// The text of PEGASUS.IN: the frequency as its shortest decimal text, CR LF, the mode, CR LF.
QByteArray pegasusInText(float megahertz, const QString& rigMode);

} // namespace velm
