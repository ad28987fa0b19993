#pragma once
// Responsibilities: the Morse patterns the keying engine sends: one "1"/"0" digit per unit (key down / up),
// every character ending with three key-up units; the word space and its adjustment.

#include <QByteArray>
#include <QChar>

namespace velm {

// The lowest word-space adjustment: -8 removes the whole word space.
constexpr int kLowestWordSpaceAdjustment = -8;

// The pattern of c (letters in either case): International Morse (ITU-R M.1677) for A-Z, 0-9 and . , ? /,
// "-" and "=" as BT, "[" AR, "]" SK, ";" KN, backslash CL, " " eight key-up units. Empty for "!" (it logs the
// contact instead) and for every character the table does not hold (skipped, taking no time).
QByteArray MorseTable(QChar c);

// The pattern as Transmit keys it: a word space gets the adjustment added (more key-up units) or removed
// (n below 0 takes |n| units off; -8 or below leaves none); other characters are unchanged.
QByteArray keyedPattern(QChar c, int wordSpaceAdjustment);

// Units a pattern takes.
inline int patternUnits(const QByteArray& pattern)
{
    return int(pattern.size());
}

} // namespace velm
