#pragma once
// Responsibilities: a Prompts that never opens a dialog: it records every message and question, answers from
// queues a test fills (defaults when empty), and counts beeps.

#include "platform/Prompts.h"

#include <QList>
#include <QString>
#include <deque>

namespace velm::test {

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    QString details = {}; // detailedMessage only
};

class FakePrompts final : public Prompts {
public:
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    void detailedMessage(const QString& text, const QString& details, const QString& title,
                         MessageIcon icon) override;
    bool askYesNo(const QString& text, const QString& title, MessageIcon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<QString> saveFileName(const QString& title, const QString& suggestedPath,
                                        const QString& filter) override;
    std::optional<QString> openFileName(const QString& title, const QString& folder,
                                        const QString& filter) override;
    std::optional<quint32> chooseColour(quint32 initial) override;
    void beep() override { ++beeps; }

    // What was shown, in order (messages with and without details alike).
    QList<ShownMessage> messages;
    QList<ShownMessage> questions; // askYesNo calls
    QList<ShownMessage> inputs;    // input calls: text = prompt, title
    QList<QString> inputDefaults;
    QList<ShownMessage> fileDialogs; // text = the suggested path or folder, title; filters in fileFilters
    QStringList fileFilters;
    int beeps = 0;

    // Scripted answers; when a queue is empty, Yes/No answers No, input and dialogs are cancelled.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<quint32>> colourAnswers;
};

} // namespace velm::test
