#include "support/FakePrompts.h"

namespace velm::test {

namespace {
template <typename T> T takeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

void FakePrompts::message(const QString& text, const QString& title, MessageIcon icon)
{
    messages.append({text, title, icon});
}

void FakePrompts::detailedMessage(const QString& text, const QString& details, const QString& title,
                                  MessageIcon icon)
{
    messages.append({text, title, icon, details});
}

bool FakePrompts::askYesNo(const QString& text, const QString& title, MessageIcon icon)
{
    questions.append({text, title, icon});
    return takeFront(yesNoAnswers, false);
}

std::optional<QString> FakePrompts::input(const QString& prompt, const QString& title,
                                          const QString& defaultText)
{
    inputs.append({prompt, title, MessageIcon::None});
    inputDefaults.append(defaultText);
    return takeFront(inputAnswers, std::optional<QString>());
}

std::optional<QString> FakePrompts::saveFileName(const QString& title, const QString& suggestedPath,
                                                 const QString& filter)
{
    fileDialogs.append({suggestedPath, title, MessageIcon::None});
    fileFilters.append(filter);
    return takeFront(fileAnswers, std::optional<QString>());
}

std::optional<QString> FakePrompts::openFileName(const QString& title, const QString& folder,
                                                 const QString& filter)
{
    fileDialogs.append({folder, title, MessageIcon::None});
    fileFilters.append(filter);
    return takeFront(fileAnswers, std::optional<QString>());
}

std::optional<quint32> FakePrompts::chooseColour(quint32)
{
    return takeFront(colourAnswers, std::optional<quint32>());
}

} // namespace velm::test
