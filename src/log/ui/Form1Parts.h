#pragma once
// Responsibilities: small pieces shared by the main window's panels (captions, the value-label factory, the
// way modal windows are run); not for use outside the main window.

#include <QLabel>
#include <QString>

#include <functional>

class QDialog;

namespace velm::form1 {

inline const QString kTimeOnCaption = QStringLiteral("&Log \"Time On\"");
inline const QString kTimeOffCaption = QStringLiteral("&Log \"Time Off\"");

// How the main window runs its modal windows; tests drive them without a nested event loop.
using ModalRunner = std::function<int(QDialog&)>;

// A label that shows a value: named for tests and the rest of the program, never selectable, so that it takes
// no focus from the entry row. The clocks are QuietValueLabels.
template <class Label = QLabel> inline QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace velm::form1
