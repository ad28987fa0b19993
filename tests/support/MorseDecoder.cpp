#include "support/MorseDecoder.h"

#include <QHash>

namespace velm::test {

namespace {

const QHash<QString, QChar>& codeTable()
{
    static const QHash<QString, QChar> table = [] {
        const std::pair<const char*, char> codes[] = {
            {".-", 'A'},      {"-...", 'B'},    {"-.-.", 'C'},     {"-..", 'D'},      {".", 'E'},
            {"..-.", 'F'},    {"--.", 'G'},     {"....", 'H'},     {"..", 'I'},       {".---", 'J'},
            {"-.-", 'K'},     {".-..", 'L'},    {"--", 'M'},       {"-.", 'N'},       {"---", 'O'},
            {".--.", 'P'},    {"--.-", 'Q'},    {".-.", 'R'},      {"...", 'S'},      {"-", 'T'},
            {"..-", 'U'},     {"...-", 'V'},    {".--", 'W'},      {"-..-", 'X'},     {"-.--", 'Y'},
            {"--..", 'Z'},    {"-----", '0'},   {".----", '1'},    {"..---", '2'},    {"...--", '3'},
            {"....-", '4'},   {".....", '5'},   {"-....", '6'},    {"--...", '7'},    {"---..", '8'},
            {"----.", '9'},   {".-.-.-", '.'},  {"--..--", ','},   {"..--..", '?'},   {"-..-.", '/'},
            {"-...-", '='},   {".-.-.", '['},   {"...-.-", ']'},   {"-.--.", ';'},    {"-.-..-..", '\\'},
        };
        QHash<QString, QChar> t;
        for (const auto& [code, c] : codes)
            t.insert(QString::fromLatin1(code), QLatin1Char(c));
        return t;
    }();
    return table;
}

} // namespace

DecodedMorse decodeMorse(const KeyEdges& edges, qint64 unitNs)
{
    DecodedMorse decoded;
    QString character;
    const auto flush = [&] {
        if (!character.isEmpty())
            decoded.text += codeTable().value(character, QLatin1Char('~'));
        character.clear();
    };
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const bool down = edges[i].first;
        if (down != (i % 2 == 0))
            decoded.wellFormed = false;
        if (i + 1 >= edges.size())
            break;
        const double units = double(edges[i + 1].second - edges[i].second) / double(unitNs);
        if (down) {
            decoded.marks << units;
            character += units < 2 ? QLatin1Char('.') : QLatin1Char('-');
        } else {
            decoded.spaces << units;
            if (units >= 2)
                flush();
            if (units >= 5)
                decoded.text += QLatin1Char(' ');
        }
    }
    flush();
    if (!edges.empty() && edges.back().first)
        decoded.wellFormed = false;
    return decoded;
}

} // namespace velm::test
