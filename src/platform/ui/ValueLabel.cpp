#include "platform/ui/ValueLabel.h"

#include <QLabel>

namespace velm {

void setValueLabel(QLabel* label, const QString& caption, const QString& value)
{
    label->setText(value);
    const QString spoken = value.trimmed();
    label->setAccessibleName(spoken.isEmpty() ? caption : caption + QStringLiteral(": ") + spoken);
}

} // namespace velm
