#pragma once
// Responsibilities: the one way a label that shows a value is set, so that screen readers read the value.
// In Qt 6.4 a QLabel with an accessible name hides its text, so the name carries "<caption>: <value>".

#include <QString>

class QLabel;

namespace velm {

// "caption: value", or just the caption when the value is blank; the value without its outer blanks.
QString spokenValue(const QString& caption, const QString& value);

// Sets the label's text to value and its accessible name to spokenValue(caption, value). Use this helper,
// never QLabel::setText, for every value label of a window. A QuietValueLabel (the clocks) keeps its name
// computed instead, without a name change on every value.
void setValueLabel(QLabel* label, const QString& caption, const QString& value);

// When a message line tells the screen reader its new text.
enum class Announce {
    IfChanged, // only a text the line did not already show (a line re-set on every key is heard once)
    Always,    // every time: a refusal repeated by another Enter is heard again
};

// Sets a message line as setValueLabel does and announces its text to a screen reader (Announcer of the
// line) without moving the focus. A blank text is never announced, and it silences a text set earlier
// while the same event is handled.
void setMessageLine(QLabel* line, const QString& caption, const QString& text,
                    Announce when = Announce::IfChanged);

} // namespace velm
