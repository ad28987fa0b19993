#pragma once
// Responsibilities: a value label that changes every second (the clocks): a screen reader reads
// "<caption>: <value>" whenever it asks, and the label does not send a name change on every tick.

#include <QLabel>

namespace velm {

// Set through setValueLabel like any value label. A screen reader keeps the names it has read (libatspi
// caches them until a name-change event), so a name computed on demand alone would be read stale; a name
// change on every tick would flood the reader. So the label sends one name change after a value change only
// when its name has been read since the last one: none at all while nobody reads it.
class QuietValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit QuietValueLabel(QWidget* parent = nullptr);

    // "caption: value" (just the caption while the value is blank), as setValueLabel names other labels.
    // Asking counts as reading: the next change of value is signalled.
    QString spokenName() const;

    // Sets the caption and the shown value; used by setValueLabel.
    void setValue(const QString& caption, const QString& value);

private:
    mutable bool m_nameRead = false;
};

} // namespace velm
