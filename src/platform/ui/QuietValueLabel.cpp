#include "platform/ui/QuietValueLabel.h"

#include "platform/ui/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace velm {

namespace {

class QuietValueLabelAccessible final : public QAccessibleWidget {
public:
    explicit QuietValueLabelAccessible(QuietValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const QuietValueLabel*>(widget())->spokenName();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

QAccessibleInterface* quietLabelFactory(const QString&, QObject* object)
{
    if (auto* label = qobject_cast<QuietValueLabel*>(object))
        return new QuietValueLabelAccessible(label);
    return nullptr;
}

} // namespace

QuietValueLabel::QuietValueLabel(QWidget* parent) : QLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&quietLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

QString QuietValueLabel::spokenName() const
{
    m_nameRead = true;
    return spokenValue(accessibleName(), text());
}

void QuietValueLabel::setValue(const QString& caption, const QString& value)
{
    // The caption is kept as the widget's accessible name; while that is set, QLabel::setText sends nothing.
    if (accessibleName() != caption) {
        m_nameRead = false;
        setAccessibleName(caption); // signals the change itself
    }
    if (text() == value)
        return;
    setText(value);
    if (m_nameRead) {
        m_nameRead = false;
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

} // namespace velm
