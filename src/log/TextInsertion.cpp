#include "log/TextInsertion.h"

namespace velm {

InsertedText filterInsertion(const QString& text, const CharacterRule& rule, qsizetype room,
                             bool blanksAllowed)
{
    InsertedText result;
    const QString whole = blanksAllowed ? text.trimmed() : text;
    for (const QChar character : whole) {
        if (character == QLatin1Char('\r') || character == QLatin1Char('\n') ||
            character == QLatin1Char('\t'))
            continue;
        if (character == QLatin1Char(' ') && !blanksAllowed)
            continue;
        const std::optional<QChar> kept = rule(character);
        if (!kept) {
            result.refused = true;
            continue;
        }
        if (result.text.size() >= room) {
            result.cut = true;
            break;
        }
        result.text += *kept;
    }
    return result;
}

} // namespace velm
