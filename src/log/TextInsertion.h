#pragma once
// Responsibilities: text that reaches a field other than by typing (paste, drop), passed through the same
// per-character rules as typed keys, and cut to the room the field has left.

#include <QChar>
#include <QString>

#include <functional>
#include <optional>

namespace velm {

// The character a typed character leaves in the field, or std::nullopt when the field refuses it.
using CharacterRule = std::function<std::optional<QChar>(QChar)>;

struct InsertedText {
    QString text;         // what goes in at the caret
    bool refused = false; // a character was refused (the operator hears a beep)
    bool cut = false;     // more came than the field had room for
};

// Line breaks and tabs never enter a one-line field and are dropped without a word, as are blanks where the
// field takes none (blanksAllowed false: typing a Space there moves on instead of typing it). Every other
// character goes through rule; at most room characters are kept.
InsertedText filterInsertion(const QString& text, const CharacterRule& rule, qsizetype room,
                             bool blanksAllowed);

} // namespace velm
