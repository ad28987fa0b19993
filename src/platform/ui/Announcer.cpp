#include "platform/ui/Announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

namespace velm {

namespace {

// The notification's one child: the label that reads the announced text.
class AnnouncementText final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

class AccessibleObjectBase : public QAccessibleObject {
public:
    using QAccessibleObject::QAccessibleObject;
    QAccessibleInterface* child(int index) const override
    {
        const QObjectList kids = childObjects();
        return index >= 0 && index < kids.size() ? QAccessible::queryAccessibleInterface(kids.at(index))
                                                 : nullptr;
    }
    int childCount() const override { return int(childObjects().size()); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(childObjects().indexOf(child->object())) : -1;
    }
    QRect rect() const override
    {
        const QAccessibleInterface* up = parent();
        return up ? up->rect() : QRect();
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

protected:
    virtual QObjectList childObjects() const { return {}; }
};

class NotificationAccessible final : public AccessibleObjectBase {
public:
    explicit NotificationAccessible(Announcer* announcer) : AccessibleObjectBase(announcer) {}
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(announcer()->owner());
    }
    // The notification has no name of its own: Orca speaks its role, then its label.
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }

protected:
    QObjectList childObjects() const override
    {
        QObjectList labels;
        for (QObject* child : announcer()->children()) {
            if (qobject_cast<AnnouncementText*>(child))
                labels << child;
        }
        return labels;
    }

private:
    Announcer* announcer() const { return static_cast<Announcer*>(object()); }
};

class AnnouncementTextAccessible final : public AccessibleObjectBase {
public:
    explicit AnnouncementTextAccessible(AnnouncementText* label) : AccessibleObjectBase(label) {}
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QString text(QAccessible::Text kind) const override
    {
        const auto* announcer = qobject_cast<const Announcer*>(object()->parent());
        return kind == QAccessible::Name && announcer ? announcer->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
};

QAccessibleInterface* announcementFactory(const QString&, QObject* object)
{
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new NotificationAccessible(announcer);
    if (auto* label = qobject_cast<AnnouncementText*>(object))
        return new AnnouncementTextAccessible(label);
    return nullptr;
}

} // namespace

Announcer* Announcer::of(QWidget* owner)
{
    if (auto* existing = owner->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new Announcer(owner);
}

Announcer::Announcer(QWidget* owner) : QObject(owner)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&announcementFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    m_label = new AnnouncementText(this);
}

QWidget* Announcer::owner() const
{
    return static_cast<QWidget*>(parent());
}

void Announcer::announce(const QString& text)
{
    m_pending = text.trimmed();
    if (m_queued)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(this, &Announcer::deliver, Qt::QueuedConnection);
}

void Announcer::deliver()
{
    m_queued = false;
    if (m_pending.isEmpty())
        return;
    m_text = m_pending;
    m_pending.clear();
    // The label's new name first: a reader drops its cached copy before it reads the notification.
    QAccessibleEvent renamed(m_label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace velm

#include "Announcer.moc"
