#pragma once
// Responsibilities: the reply decoders of every rig family: what the radio sent back into the frequency, the
// contest mode and the VFO digit. Pure functions on fixed bytes; they never fail loudly, never read past the
// buffer, and leave a field unchanged when its value is not plainly there.
// Protocols: Kenwood/Elecraft CAT text (FA, MD, IF), Icom CI-V frames, Yaesu 5-byte CAT and status records,
// Yaesu "new CAT" text (FTdx9000), Ten-Tec Orion text and Argonaut/Jupiter front-panel binary answers.

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace velm {

// What the decoders read; the polling state holds one (RigPoller).
struct RigReadings {
    float RigFrequency = 0;  // MHz; 0 until a frequency was read
    QString RigMode;         // "CW", "PH", and from the FT-757GX II also "AM" or "FM"; empty until read
    quint8 RigVfo = 10;      // the VFO digit of the "IF" record (0 VFO A, 1 VFO B); 10 until read
    int FrequencyDigits = 8; // how many digits the FTdx9000 family last sent after "FA" (8 or 9)
};

inline const QString kModeCw = QStringLiteral("CW");
inline const QString kModePhone = QStringLiteral("PH");

// Decimal digits only, 1 to 12 of them, as hertz; the frequency in MHz rounded to 5 decimals. nullopt for
// anything else (a blank, a sign, a letter, an empty text).
std::optional<float> hzToMhz(QByteArrayView digits);

// Kenwood / Elecraft: "FA" + 11 digits + ";" (the prefix is the first two characters of the frequency query,
// which needs at least 3).
void DecodeKenwoodFrequency(QByteArrayView buffer, const QString& frequencyQuery, RigReadings& readings);
// "MD" + mode digit: 3 CW and 7 CW-R give "CW", other digits "PH".
void DecodeKenwoodMode(QByteArrayView buffer, RigReadings& readings);
// The "IF" record: frequency at 2-12, mode digit at 29, VFO digit at 30 (counted from the "I").
void DecodeKenwoodIF(QByteArrayView buffer, RigReadings& readings);

// CI-V: FE FE <to> <from> <cmd> <data> FD. The frequency comes from the last complete answer to command 03
// with exactly 5 BCD data bytes (4 for the "Icom 735"), least significant first; the bus echo of the request,
// transceive broadcasts (command 00), collisions (FC) and cut frames change nothing.
void DecodeIcomFrequency(QByteArrayView buffer, bool icom735, RigReadings& readings);
// The last complete answer to command 04 with a mode byte (and an optional filter byte): 03 CW and 07 CW-R
// give "CW", other modes "PH".
void DecodeIcomMode(QByteArrayView buffer, RigReadings& readings);

// "Yaesu" (answer to 00 00 00 00 03): four BCD bytes of the frequency in 10 Hz steps, most significant first,
// then the mode byte.
void DecodeYaesuBcd(QByteArrayView buffer, RigReadings& readings);
// FT-757GX II status record: bytes 6-9 the BCD frequency in 10 Hz steps, least significant first; byte 10
// the mode.
void Decode757Status(QByteArrayView buffer, RigReadings& readings);
// FT-890 / 920 / 990 / 1000 D / 1000 status record: the frequency from the bytes of the type's layout, the
// mode from the low digit of byte 8.
void DecodeYaesuStatus(QByteArrayView buffer, const QString& rigType, RigReadings& readings);
// FTdx9000: "FA" + 8 or 9 digits + ";" (the prefix is the frequency query's first two characters) and
// "MD0" + mode character (the mode query's first three).
void DecodeFTdx9000(QByteArrayView buffer, const QString& frequencyQuery, const QString& modeQuery,
                    RigReadings& readings);

// Ten-Tec front panel: "A" + 4 bytes of hertz, most significant first; "M" + the mode characters.
void DecodeFrontPanelFrequency(QByteArrayView buffer, RigReadings& readings);
void DecodeFrontPanelMode(QByteArrayView buffer, RigReadings& readings);

// Ten-Tec Orion: "@AF" + hertz + CR; "@RMM" + mode character (2 CW, 3 CW-R).
void DecodeOrionFrequency(QByteArrayView buffer, RigReadings& readings);
void DecodeOrionMode(QByteArrayView buffer, RigReadings& readings);

} // namespace velm
