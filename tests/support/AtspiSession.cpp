#include "support/AtspiSession.h"

#include "platform/ui/Announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace velm::test {

namespace {

const char* const kInsideSession = "VELM_ATSPI_SESSION";
const char* const kUnavailable = "VELM_ATSPI_UNAVAILABLE";
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kDesktop = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
// Every reply and every wait is bounded; on a loaded machine the first start of the buses takes a while.
constexpr int kReplyMs = 10000;
constexpr int kStartMs = 30000;

// What the session needs, or why it cannot be had.
QString missingPiece(QString* xvfb, QString* runSession)
{
    *xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb->isEmpty())
        return QStringLiteral("Xvfb is not installed (Debian package xvfb)");
    *runSession = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (runSession->isEmpty())
        return QStringLiteral("dbus-run-session is not installed (Debian package dbus-daemon)");
    if (QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("dbus-1/services/org.a11y.Bus.service"))
            .isEmpty())
        return QStringLiteral("the AT-SPI bus launcher is not installed (Debian package at-spi2-core)");
    const QString xcb =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so");
    if (!QFileInfo::exists(xcb))
        return QStringLiteral("Qt's xcb platform plugin is missing (%1)").arg(xcb);
    return QString();
}

// Starts Xvfb on a free display; the display's number, or why not.
QString startXvfb(QProcess& xvfb, const QString& program, QString* display)
{
    // -displayfd: the server picks a free display and writes its number once it accepts clients.
    // -terminate: it ends with its last client, should this process be killed before it can end it.
    xvfb.setProgram(program);
    xvfb.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                       QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("1280x1024x24"), QStringLiteral("-terminate")});
    xvfb.start();
    if (!xvfb.waitForStarted(kReplyMs))
        return QStringLiteral("Xvfb did not start: %1").arg(xvfb.errorString());
    const QDeadlineTimer deadline(kStartMs);
    QByteArray out;
    while (!out.contains('\n')) {
        if (xvfb.state() != QProcess::Running || deadline.hasExpired())
            return QStringLiteral("Xvfb gave no display: %1")
                .arg(QString::fromLocal8Bit(xvfb.readAllStandardError()));
        xvfb.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
        out += xvfb.readAllStandardOutput();
    }
    *display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
    return QString();
}

class WindowActivator final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !widget->windowFlags().testFlag(Qt::ToolTip))
                widget->activateWindow();
        }
        return false;
    }
};

AtspiObject objectFrom(const QDBusArgument& argument)
{
    AtspiObject object;
    QDBusObjectPath path;
    argument.beginStructure();
    argument >> object.service >> path;
    argument.endStructure();
    object.path = path.path();
    return object;
}

} // namespace

int runUnderAtspiSession(int argc, char** argv, int (*tests)(int, char**))
{
    if (qEnvironmentVariableIsSet(kInsideSession) || qEnvironmentVariableIsSet(kUnavailable))
        return tests(argc, argv);

    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString xvfbProgram;
    QString runSession;
    QString unavailable = missingPiece(&xvfbProgram, &runSession);
    QProcess xvfb;
    xvfb.setProcessChannelMode(QProcess::SeparateChannels);
    QString display;
    if (unavailable.isEmpty())
        unavailable = startXvfb(xvfb, xvfbProgram, &display);
    QTemporaryDir runtime; // the session's own runtime folder: its buses' sockets never meet another test's
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    if (unavailable.isEmpty() && runtime.isValid()) {
        env.insert(QString::fromLatin1(kInsideSession), QStringLiteral("1"));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        for (const char* name : {"AT_SPI_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        child.setProgram(runSession);
        child.setArguments(QStringList{QStringLiteral("--"), app.applicationFilePath()} + arguments);
    } else {
        env.insert(QString::fromLatin1(kUnavailable),
                   unavailable.isEmpty() ? QStringLiteral("no temporary runtime folder") : unavailable);
        child.setProgram(app.applicationFilePath());
        child.setArguments(arguments);
    }
    child.setProcessEnvironment(env);
    child.start();
    int code = 1;
    if (child.waitForStarted(kReplyMs) && child.waitForFinished(-1))
        code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        if (!xvfb.waitForFinished(kReplyMs))
            xvfb.kill();
        xvfb.waitForFinished(kReplyMs);
    }
    return code;
}

QString atspiUnavailable()
{
    if (qEnvironmentVariableIsSet(kUnavailable))
        return qEnvironmentVariable(kUnavailable);
    if (!qEnvironmentVariableIsSet(kInsideSession))
        return QStringLiteral("not started through runUnderAtspiSession");
    return QString();
}

void activateShownWindows(QObject* application)
{
    if (atspiUnavailable().isEmpty())
        application->installEventFilter(new WindowActivator(application));
}

void pressKey(Qt::Key key, const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    if (QWidget* now = QApplication::focusWidget())
        QApplication::sendEvent(now, &release);
}

void typeKeys(const QString& keys)
{
    for (const QChar key : keys)
        pressKey(QTest::asciiToKey(char(key.unicode())), QString(key));
}

int countEvents(const QList<AtspiEvent>& events, const AtspiObject& object, const QString& kind)
{
    int count = 0;
    for (const AtspiEvent& event : events)
        count += event.source == object && (kind.isEmpty() || event.kind == kind);
    return count;
}

AtspiListener::AtspiListener() : m_bus(QString())
{
    m_markerOwner = new QWidget;
}

AtspiListener::~AtspiListener()
{
    delete m_markerOwner;
    if (m_bus.isConnected())
        QDBusConnection::disconnectFromBus(m_bus.name());
}

QString AtspiListener::start()
{
    // Asking for the address starts the accessibility bus (org.a11y.Bus is activated on demand). Qt's bridge
    // sees the service appear and connects once this call has returned to the event loop.
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, kStartMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QStringLiteral("no accessibility bus: %1").arg(reply.errorMessage());
    m_bus = QDBusConnection::connectToBus(reply.arguments().at(0).toString(),
                                          QStringLiteral("velm-atspi-listener"));
    if (!m_bus.isConnected())
        return QStringLiteral("cannot connect to the accessibility bus: %1").arg(m_bus.lastError().message());
    if (!m_bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"), QString(), this,
                       SLOT(onObjectEvent(QDBusMessage))))
        return QStringLiteral("cannot listen on the accessibility bus: %1").arg(m_bus.lastError().message());
    // Subscribing as a screen reader does makes the bridge send the events: it sends only what is asked for.
    for (const char* event : {"Object:", "Focus:"}) {
        QDBusMessage subscribe =
            QDBusMessage::createMethodCall(kRegistry, QStringLiteral("/org/a11y/atspi/registry"), kRegistry,
                                           QStringLiteral("RegisterEvent"));
        subscribe << QString::fromLatin1(event) << QStringList() << QString();
        const QDBusMessage done = m_bus.call(subscribe, QDBus::Block, kStartMs);
        if (done.type() != QDBusMessage::ReplyMessage)
            return QStringLiteral("the AT-SPI registry refused the subscription: %1")
                .arg(done.errorMessage());
    }
    return QString();
}

bool AtspiListener::waitForApplication()
{
    // Asking whether accessibility is on makes Qt build its bridge, which then registers this application.
    QAccessible::isActive();
    const AtspiObject desktop{kRegistry, kDesktop};
    if (!QTest::qWaitFor([&] { return property(desktop, QStringLiteral("ChildCount")).toInt() > 0; },
                         kStartMs))
        return false;
    // The session is private: the one application on its desktop is this process.
    const std::optional<AtspiObject> application = childAt(desktop, 0);
    m_application = application ? application->service : QString();
    return !m_application.isEmpty();
}

AtspiObject AtspiListener::objectOf(QObject* object) const
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return {m_application,
            QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(iface))};
}

QDBusMessage AtspiListener::call(const QDBusMessage& message)
{
    // Asynchronous, with the event loop running: the object asked may live in this very process.
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(message, kReplyMs));
    if (!QTest::qWaitFor([&] { return watcher.isFinished(); }, kReplyMs + 1000))
        return QDBusMessage::createError(QStringLiteral("org.velmlog.Timeout"), QStringLiteral("no reply"));
    return watcher.reply();
}

QVariant AtspiListener::property(const AtspiObject& object, const QString& name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(object.service, object.path,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kAccessible << name;
    const QDBusMessage reply = call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().at(0).value<QDBusVariant>().variant();
}

QString AtspiListener::name(const AtspiObject& object)
{
    return property(object, QStringLiteral("Name")).toString();
}

QString AtspiListener::description(const AtspiObject& object)
{
    return property(object, QStringLiteral("Description")).toString();
}

QString AtspiListener::roleName(const AtspiObject& object)
{
    const QDBusMessage reply = call(QDBusMessage::createMethodCall(object.service, object.path, kAccessible,
                                                                   QStringLiteral("GetRoleName")));
    return reply.arguments().isEmpty() ? QString() : reply.arguments().at(0).toString();
}

std::optional<AtspiObject> AtspiListener::childAt(const AtspiObject& parent, int index)
{
    QDBusMessage get = QDBusMessage::createMethodCall(parent.service, parent.path, kAccessible,
                                                      QStringLiteral("GetChildAtIndex"));
    get << index;
    const QDBusMessage reply = call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return objectFrom(reply.arguments().at(0).value<QDBusArgument>());
}

void AtspiListener::onObjectEvent(const QDBusMessage& message)
{
    const QVariantList args = message.arguments();
    if (args.size() < 2)
        return;
    m_events.append(
        {message.member(), args.at(0).toString(), args.at(1).toInt(), {message.service(), message.path()}});
}

void AtspiListener::clearEvents()
{
    m_events.clear();
    m_reported = 0;
}

qsizetype AtspiListener::barrier()
{
    Announcer* marker = Announcer::of(m_markerOwner);
    marker->announce(QStringLiteral("marker %1").arg(++m_markers));
    const AtspiObject source = objectOf(marker);
    qsizetype found = -1;
    const bool heard = QTest::qWaitFor(
        [&] {
            for (qsizetype i = m_reported; i < m_events.size() && found < 0; ++i) {
                const AtspiEvent& event = m_events.at(i);
                if (event.source == source && event.kind == QLatin1String("showing") && event.detail1 == 1)
                    found = i;
            }
            return found >= 0;
        },
        kReplyMs);
    return heard ? found : -1;
}

std::optional<QList<AtspiEvent>> AtspiListener::eventsUntilNow()
{
    const qsizetype end = barrier();
    if (end < 0)
        return std::nullopt;
    QList<AtspiEvent> before = m_events.mid(m_reported, end - m_reported);
    m_reported = end + 1;
    return before;
}

std::optional<QStringList> AtspiListener::announcementsUntilNow()
{
    const std::optional<QList<AtspiEvent>> events = eventsUntilNow();
    if (!events)
        return std::nullopt;
    return announcementsIn(*events);
}

QStringList AtspiListener::announcementsIn(const QList<AtspiEvent>& events)
{
    QStringList texts;
    for (const AtspiEvent& event : events) {
        if (event.member != QLatin1String("StateChanged") || event.kind != QLatin1String("showing") ||
            event.detail1 != 1 || roleName(event.source) != QLatin1String("notification"))
            continue;
        const std::optional<AtspiObject> label = childAt(event.source, 0);
        texts << (label ? name(*label) : QString());
    }
    return texts;
}

} // namespace velm::test
