#include "platform/ui/QtPrompts.h"

#include "platform/ui/ColourValue.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace velm {

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

void QtPrompts::message(const QString& text, const QString& title, MessageIcon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

void QtPrompts::detailedMessage(const QString& text, const QString& details, const QString& title,
                                MessageIcon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, dialogParent());
    // The informative text shows in full below the text (and is read with it); detailed text would hide it
    // behind a button.
    box.setInformativeText(details);
    box.exec();
}

bool QtPrompts::askYesNo(const QString& text, const QString& title, MessageIcon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::input(const QString& prompt, const QString& title,
                                        const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompts::saveFileName(const QString& title, const QString& suggestedPath,
                                               const QString& filter)
{
    const QString name = QFileDialog::getSaveFileName(dialogParent(), title, suggestedPath, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::openFileName(const QString& title, const QString& folder,
                                               const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<quint32> QtPrompts::chooseColour(quint32 initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

void QtPrompts::beep()
{
    QApplication::beep();
}

} // namespace velm
