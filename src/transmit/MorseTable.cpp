#include "transmit/MorseTable.h"

#include <algorithm>

namespace velm {

namespace {

struct Code {
    char character;
    const char* elements; // "." and "-"
};

constexpr Code kCodes[] = {
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},      {'F', "..-."},
    {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},   {'K', "-.-"},    {'L', ".-.."},
    {'M', "--"},     {'N', "-."},     {'O', "---"},    {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},
    {'S', "..."},    {'T', "-"},      {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},
    {'Y', "-.--"},   {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},  {'9', "----."},
    {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."}, {'/', "-..-."},  {'-', "-...-"},  {'=', "-...-"},
    {'[', ".-.-."},  {']', "...-.-"}, {';', "-.--."},  {'\\', "-.-..-.."},
};

// A dot is "10", a dash "1110"; "00" after the last element makes the three key-up units that end every
// character.
QByteArray patternOf(const char* elements)
{
    QByteArray pattern;
    for (const char* e = elements; *e; ++e)
        pattern += *e == '.' ? "10" : "1110";
    return pattern + "00";
}

} // namespace

QByteArray MorseTable(QChar c)
{
    if (c == QLatin1Char(' '))
        return QByteArrayLiteral("00000000");
    const QChar upper = c.toUpper();
    if (upper.unicode() > 0x7F)
        return {};
    const char ascii = char(upper.unicode());
    const auto* code =
        std::find_if(std::begin(kCodes), std::end(kCodes), [ascii](const Code& k) { return k.character == ascii; });
    return code == std::end(kCodes) ? QByteArray() : patternOf(code->elements);
}

QByteArray keyedPattern(QChar c, int wordSpaceAdjustment)
{
    QByteArray pattern = MorseTable(c);
    if (c != QLatin1Char(' '))
        return pattern;
    if (wordSpaceAdjustment > 0)
        pattern += QByteArray(wordSpaceAdjustment, '0');
    else if (wordSpaceAdjustment < 0)
        pattern.chop(std::min<qsizetype>(pattern.size(), -qsizetype(wordSpaceAdjustment)));
    return pattern;
}

} // namespace velm
