#pragma once
// Responsibilities: Prompts on the platform's own dialogs (QMessageBox, QInputDialog, QFileDialog,
// QColorDialog), which screen readers already know how to read.

#include "platform/Prompts.h"

class QWidget;

namespace velm {

class QtPrompts final : public Prompts {
public:
    // Dialogs are parented to the active window at the time they open.
    QtPrompts() = default;

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
    void beep() override;
};

} // namespace velm
