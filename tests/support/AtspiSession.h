#pragma once
// Responsibilities: a private accessibility stack for a test executable (an X server, a session bus, the
// AT-SPI bus and registry), and a listener on that bus that hears what this process tells screen readers.

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QDBusMessage;
class QWidget;

namespace velm::test {

// Runs tests (which builds the QApplication and runs the test object) in a child process under a private
// X server (Xvfb) and session bus (dbus-run-session), on the xcb platform with Qt's AT-SPI bridge always on.
// Where a piece is missing the child runs headless as usual and atspiUnavailable() says why.
int runUnderAtspiSession(int argc, char** argv, int (*tests)(int, char**));

// Why the accessibility stack could not be set up; empty inside a working session.
QString atspiUnavailable();

// The private X server has no window manager: this activates each window as it is shown, as one would.
void activateShownWindows(QObject* application);

// A key pressed and released at the focused widget. Not through QTest: its shortcut step asks the xcb
// keymap, which has no key for a synthesized event, and swallows every printable key.
void pressKey(Qt::Key key, const QString& text = QString());
// Each character typed at whichever widget has the focus at that moment.
void typeKeys(const QString& keys);

// An object on the accessibility bus: the bus name of its application and its path.
struct AtspiObject {
    QString service;
    QString path;
    bool operator==(const AtspiObject&) const = default;
};

// One event signal as a screen reader receives it (org.a11y.atspi.Event.Object).
struct AtspiEvent {
    QString member; // StateChanged, PropertyChange, TextChanged, ...
    QString kind;   // "showing", "focused", "accessible-name", ...
    int detail1 = 0;
    AtspiObject source;
};

// How many of events came from object, of the given kind ("accessible-name", "showing"; any when empty).
int countEvents(const QList<AtspiEvent>& events, const AtspiObject& object, const QString& kind = QString());

// A screen reader's view of the session: it subscribes to every object and focus event as Orca does, so
// that Qt's bridge sends them, and reads objects over the bus as a client.
class AtspiListener : public QObject {
    Q_OBJECT
public:
    AtspiListener();
    ~AtspiListener() override;

    // Connects to the session's accessibility bus (starting it) and subscribes; the reason on failure.
    QString start();
    // Waits until this application has registered with the registry (and so sends the events asked for).
    bool waitForApplication();

    // The path on the bus of a widget or other object of this process.
    AtspiObject objectOf(QObject* object) const;
    QString name(const AtspiObject& object);
    QString roleName(const AtspiObject& object);
    QString description(const AtspiObject& object);
    std::optional<AtspiObject> childAt(const AtspiObject& parent, int index);

    // Every event received since the last clearEvents().
    const QList<AtspiEvent>& events() const { return m_events; }
    void clearEvents();

    // The texts announced (a notification turning "showing", read through its label when asked) since the
    // last call, up to a marker this call announces itself and waits for: everything this process queued
    // before the call has been sent by then, so an announcement missing here was never made. Nothing when
    // the marker never came.
    std::optional<QStringList> announcementsUntilNow();
    // The events received before that marker (as announcementsUntilNow, but all of them).
    std::optional<QList<AtspiEvent>> eventsUntilNow();
    // The texts announced among events.
    QStringList announcementsIn(const QList<AtspiEvent>& events);

private Q_SLOTS:
    void onObjectEvent(const QDBusMessage& message);

private:
    QDBusMessage call(const QDBusMessage& message);
    QVariant property(const AtspiObject& object, const QString& name);
    // Announces a marker and waits for it; the index of its event, or -1.
    qsizetype barrier();

    QDBusConnection m_bus;
    QString m_application; // this process's name on the accessibility bus
    QList<AtspiEvent> m_events;
    qsizetype m_reported = 0; // events before this index have been handed out
    QWidget* m_markerOwner = nullptr;
    int m_markers = 0;
};

} // namespace velm::test

// The main() of a widget test that runs under runUnderAtspiSession.
#define VELM_ATSPI_TEST_MAIN(TestObject)                                                                     \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        return velm::test::runUnderAtspiSession(argc, argv, [](int childArgc, char** childArgv) {            \
            QApplication app(childArgc, childArgv);                                                          \
            velm::test::activateShownWindows(&app);                                                          \
            TestObject test;                                                                                 \
            return QTest::qExec(&test, childArgc, childArgv);                                                \
        });                                                                                                  \
    }
