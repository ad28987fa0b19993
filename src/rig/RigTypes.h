#pragma once
// Responsibilities: the rig types the rig window lists, the protocol family of each, what a type needs of
// the link (serial port, rigctld over TCP, the Pegasus files), and the preset a selection applies.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace velm {

// The protocol a rig type speaks; Hamlib-style one core per family, the models thin rows of the table.
enum class RigFamily {
    None,             // no rig control
    KenwoodText,      // "FA;" / "MD;" text commands ending in ";" (Kenwood, Elecraft)
    KenwoodIf,        // the "IF;" status record (Kenwood 2)
    CiV,              // Icom CI-V binary frames (Icom, Icom 735, Ten-Tec Omni VI)
    YaesuBcd,         // 5-byte commands, the frequency-and-mode read in BCD ("Yaesu")
    Yaesu757,         // 5-byte commands, the FT-757GX II status record
    YaesuStatus,      // 5-byte commands, the status record of the 890 / 920 / 990 / 1000 D / 1000
    YaesuText,        // the FTdx9000's "FA;" / "MD0;" text commands
    TenTecFrontPanel, // "?A" / "?M" requests with binary answers
    TenTecOrion,      // "?AF" / "?RMM" text commands ending in CR
    Pegasus,          // the Pegasus control program's exchange files, no serial port
    Other,            // commands typed by the operator, replies only shown
    Rigctld,          // Hamlib's rigctld network daemon, so any radio Hamlib drives works
    Unknown,          // a stored type the list does not have: the port opens, nothing is sent or decoded
};

// How a type reaches the radio.
enum class RigTransport { None, Serial, Tcp, Files };

namespace rigtype {
inline const QString None = QStringLiteral("None");
inline const QString Icom = QStringLiteral("Icom");
inline const QString Icom735 = QStringLiteral("Icom 735");
inline const QString OmniVI = QStringLiteral("Ten Tec Omni VI");
inline const QString Orion = QStringLiteral("Ten Tec Orion");
inline const QString FrontPanel = QStringLiteral("Ten Tec Fnt Pnl");
inline const QString Pegasus = QStringLiteral("Ten Tec Pegasus");
inline const QString Yaesu = QStringLiteral("Yaesu");
inline const QString Yaesu757 = QStringLiteral("Yaesu 757 GX II");
inline const QString Yaesu890 = QStringLiteral("Yaesu 890");
inline const QString Yaesu920 = QStringLiteral("Yaesu 920");
inline const QString Yaesu990 = QStringLiteral("Yaesu 990");
inline const QString Yaesu1000D = QStringLiteral("Yaesu 1000 D");
inline const QString Yaesu1000 = QStringLiteral("Yaesu 1000");
inline const QString FTdx9000 = QStringLiteral("Yaesu FTdx9000");
inline const QString Other = QStringLiteral("Other");
inline const QString Rigctld = QStringLiteral("Hamlib NET rigctl");
} // namespace rigtype

// The types in list order: the nineteen of the original program, then "Hamlib NET rigctl".
const QStringList& rigTypeNames();

// Types are compared exactly; a text not in the list is Unknown.
RigFamily rigFamily(const QString& rigType);
RigTransport rigTransport(const QString& rigType);
bool isRigType(const QString& rigType);
// The Icom types whose preset shows the note about the radio's CI-V address ("Icom", "Icom 735").
bool isIcomType(const QString& rigType);

// The 5-byte Yaesu types (first five characters "Yaesu", not the text-speaking FTdx9000) want a command when
// the port opens and another before it closes.
bool sendsYaesuOpenClose(const QString& rigType);
QByteArray yaesuOpenBytes();  // 00 00 00 00 00
QByteArray yaesuCloseBytes(); // 00 00 00 00 80
// What a type sends right after the port opens (the Yaesu bytes, the Orion's "X" CR); empty for none.
QByteArray openBytes(const QString& rigType);
// The Ten-Tec Orion and front-panel radios run with RTS/CTS handshaking; every other type without.
bool usesHardwareHandshake(const QString& rigType);

// What selecting a type in the list presets; a field without a value is kept as the operator had it.
struct RigPreset {
    std::optional<QString> baud; // "1200" ... "56000"
    std::optional<QString> dataBits, stopBits, parity;
    QString frequencyQuery, modeQuery;
    bool convertToHex = false;
    bool convertToHexEnabled = false; // "Other" only
    bool icomNote = false;
};
RigPreset rigPreset(const QString& rigType);

} // namespace velm
