#pragma once
// Responsibilities: the tab order of a row of widgets in one call (Qt 6.4 has only the pairwise form).

#include <QWidget>
#include <initializer_list>

namespace velm {

inline void setTabChain(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace velm
