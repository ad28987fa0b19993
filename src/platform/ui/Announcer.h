#pragma once
// Responsibilities: tells a screen reader a message without moving the focus: an accessible notification
// that Qt's AT-SPI bridge reports as shown, which Orca speaks (and keeps in its notification list).

#include <QObject>
#include <QString>

class QWidget;

namespace velm {

// Why a notification: Qt 6.4's AT-SPI bridge drops QAccessible::Alert, and Orca ignores name changes of
// anything but the focused object; what it does speak unasked is a notification whose "showing" state
// turns on. The notification carries its text in one label child, so that Orca's braille and notification
// list get the text as well as its speech ("notification, Need Report Sent!").
class Announcer final : public QObject {
    Q_OBJECT
public:
    // The announcer of owner (a message line or a window), made on first use; it lives as long as owner.
    static Announcer* of(QWidget* owner);

    // Announces text once the event being handled is over, so that it comes after the focus move the same
    // handler may make (Orca's speech of a focus change would cut it off). Texts announced while one event
    // is handled replace each other: the last is heard. Blank text is never announced.
    void announce(const QString& text);

    // The text last announced: what the notification's label reads.
    QString text() const { return m_text; }
    QWidget* owner() const;

private:
    explicit Announcer(QWidget* owner);
    void deliver();

    QObject* m_label = nullptr; // the notification's text, an accessible label
    QString m_text;
    QString m_pending;
    bool m_queued = false;
};

} // namespace velm
