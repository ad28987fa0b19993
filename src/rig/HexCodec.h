#pragma once
// Responsibilities: the hexadecimal helpers of the rig link: query strings such as "FE FE 64 E0 03 FD" into
// the bytes sent, received bytes into upper-case hex text for decoding and display. A failure is a distinct
// result (std::nullopt), never bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace velm {

// "0" ... "9", "A" ... "F" for 0 to 15; nullopt for anything else.
std::optional<QChar> HexDigit(int value);

// Two upper-case digits per byte, no separators: the bytes FE 01 give "FE01".
QString BytesToHex(QByteArrayView bytes);
// Two digits per byte, each pair followed by one blank, the last one too: FE 01 give "FE 01 ".
QString BytesToHexSpaced(QByteArrayView bytes);

// The value of one pair: exactly two hexadecimal digits, either case. " F", "+1", "F" and "0x" are no pair
// (QString::toInt would take the first two).
std::optional<quint8> hexPair(QStringView pair);

// Hex text without separators: one byte for each pair from the first character on; a final single
// character is read as one digit ("ABC" gives AB 0C). nullopt when any pair is not hexadecimal.
std::optional<QByteArray> HexToBytes(QStringView text);

// Hex text of the form "XX XX XX": one byte for each pair starting at characters 1, 4, 7, ... up to the end
// of the text; the characters between the pairs must be single blanks, and one blank may end the text (as
// BytesToHexSpaced writes it). nullopt when a pair is not two hexadecimal digits or a separator is not a
// blank.
std::optional<QByteArray> HexSpacedToBytes(QStringView text);

// The first count pairs of a "XX XX XX" text (characters 1, 4, 7, ...), whatever follows them; nullopt when
// the text is shorter or one of those pairs or separators is not valid. The polling requests of the binary
// rig types take a fixed number of bytes this way.
std::optional<QByteArray> hexSpacedPairs(QStringView text, int count);

} // namespace velm
