#pragma once
// Responsibilities: walks a window through Qt's accessibility layer as a screen reader would and lists the
// controls it would find without a name.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

namespace velm::test {

// Every visible control a screen reader can land on (buttons, fields, lists, options) that has no name.
inline QStringList unnamedControls(QWidget& window)
{
    QStringList unnamed;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    if (!root)
        return {QStringLiteral("<no interface for the window>")};
    QList<QAccessibleInterface*> open{root};
    while (!open.isEmpty()) {
        QAccessibleInterface* item = open.takeFirst();
        for (int i = 0; i < item->childCount(); ++i) {
            if (QAccessibleInterface* child = item->child(i))
                open << child;
        }
        if (item->state().invisible)
            continue;
        switch (item->role()) {
        case QAccessible::PushButton:
        case QAccessible::RadioButton:
        case QAccessible::CheckBox:
        case QAccessible::EditableText:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Table:
        case QAccessible::SpinBox:
        case QAccessible::ComboBox:
            if (item->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << (item->object() ? item->object()->objectName() : QStringLiteral("<unknown>"));
            break;
        default:
            break;
        }
    }
    return unnamed;
}

} // namespace velm::test
