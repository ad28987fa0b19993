#pragma once
// Responsibilities: the operator-facing dialogs (message boxes, questions, input boxes, file and colour
// choosers) and the beep, behind one interface so that logic and windows never open a real dialog in tests.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace velm {

enum class MessageIcon { None, Information, Warning, Critical, Question };

class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message box with an OK button.
    virtual void message(const QString& text, const QString& title, MessageIcon icon = MessageIcon::None) = 0;
    // The same with details below the text (which file, which line, what was wrong), so that a message whose
    // wording is fixed can still tell the operator what to mend.
    virtual void detailedMessage(const QString& text, const QString& details, const QString& title,
                                 MessageIcon icon = MessageIcon::None) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title,
                          MessageIcon icon = MessageIcon::Question) = 0;
    // An input box; std::nullopt when the operator cancelled (distinct from an empty answer).
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // File dialogs; std::nullopt when cancelled. filter uses Qt's "Text (*.txt);;All (*)" form.
    virtual std::optional<QString> saveFileName(const QString& title, const QString& suggestedPath,
                                                const QString& filter) = 0;
    virtual std::optional<QString> openFileName(const QString& title, const QString& folder,
                                                const QString& filter) = 0;
    // The system colour chooser. Colours are 32-bit values with red in the low byte (pure blue is 16711680).
    virtual std::optional<quint32> chooseColour(quint32 initial) = 0;
    virtual void beep() = 0;
};

} // namespace velm
