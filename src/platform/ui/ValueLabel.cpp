#include "platform/ui/ValueLabel.h"

#include "platform/ui/Announcer.h"
#include "platform/ui/QuietValueLabel.h"

#include <QLabel>

namespace velm {

QString spokenValue(const QString& caption, const QString& value)
{
    const QString spoken = value.trimmed();
    return spoken.isEmpty() ? caption : caption + QStringLiteral(": ") + spoken;
}

void setValueLabel(QLabel* label, const QString& caption, const QString& value)
{
    if (auto* quiet = qobject_cast<QuietValueLabel*>(label)) {
        quiet->setValue(caption, value);
        return;
    }
    label->setText(value);
    const QString spoken = spokenValue(caption, value);
    if (label->accessibleName() != spoken)
        label->setAccessibleName(spoken); // every call signals a name change, even to the same name
}

void setMessageLine(QLabel* line, const QString& caption, const QString& text, Announce when)
{
    const QString shown = text.trimmed();
    const bool changed = line->text().trimmed() != shown;
    setValueLabel(line, caption, text);
    if (shown.isEmpty() || changed || when == Announce::Always)
        Announcer::of(line)->announce(shown);
}

} // namespace velm
