#pragma once
// Responsibilities: the controls the transmit windows build the same way: buttons that never take Enter as
// their default, named options, and line fields and captions that give screen readers the field's caption.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace velm::transmitui {

inline QLineEdit* field(QWidget* parent, const char* name, const QString& caption)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    return edit;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

inline QRadioButton* option(QWidget* parent, const char* name, const QString& caption)
{
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QString::fromLatin1(name));
    return o;
}

inline QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace velm::transmitui
