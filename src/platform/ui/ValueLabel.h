#pragma once
// Responsibilities: the one way a label that shows a value is set, so that screen readers read the value.
// In Qt 6.4 a QLabel with an accessible name hides its text, so the name carries "<caption>: <value>".

#include <QString>

class QLabel;

namespace velm {

// Sets the label's text to value and its accessible name to "caption: value" (just the caption when the
// value is empty). Use this helper, never QLabel::setText, for every value label of a window.
void setValueLabel(QLabel* label, const QString& caption, const QString& value);

} // namespace velm
