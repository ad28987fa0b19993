// What a screen reader hears over AT-SPI from a message line and a clock label: announcements that need no
// focus, and values that are read on demand without an event on every tick.

#include "platform/ui/Announcer.h"
#include "platform/ui/QuietValueLabel.h"
#include "platform/ui/ValueLabel.h"
#include "support/AtspiSession.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using velm::Announce;
using velm::test::AtspiEvent;
using velm::test::AtspiListener;
using velm::test::AtspiObject;

class TestAnnouncer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = velm::test::atspiUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no AT-SPI session: ") + why));
        const QString failed = m_listener.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        auto* layout = new QVBoxLayout(&m_window);
        m_field = new QLineEdit(&m_window);
        m_line = new QLabel(&m_window);
        m_clock = new velm::QuietValueLabel(&m_window);
        layout->addWidget(m_field);
        layout->addWidget(m_line);
        layout->addWidget(m_clock);
        m_window.show();
        m_window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
        QVERIFY2(m_listener.waitForApplication(),
                 "the application never registered with the AT-SPI registry");
    }

    void init()
    {
        m_field->setFocus();
        velm::setMessageLine(m_line, QStringLiteral("Message"), QString());
        QVERIFY(m_listener.announcementsUntilNow());
    }

    // Each step is one event handled: the texts set on the line in it, "!" before a text marking a refusal
    // (Announce::Always).
    void messageLineIsHeardOnce_data()
    {
        QTest::addColumn<QList<QStringList>>("steps");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("a refusal") << QList<QStringList>{{"!Need Report Sent!"}}
                                   << QStringList{"Need Report Sent!"};
        QTest::newRow("the last text of one event")
            << QList<QStringList>{{"!Need Country!", "!Need Report Sent!"}}
            << QStringList{"Need Report Sent!"};
        QTest::newRow("a blank silences the text before it")
            << QList<QStringList>{{"!Invald Section!", " "}} << QStringList{};
        QTest::newRow("a line re-set on every key speaks once")
            << QList<QStringList>{{"Possible Duplicate!"}, {"Possible Duplicate!"}, {"Possible Duplicate!"}}
            << QStringList{"Possible Duplicate!"};
        QTest::newRow("again after the line was blank")
            << QList<QStringList>{{"Possible Duplicate!"}, {" "}, {"Possible Duplicate!"}}
            << QStringList{"Possible Duplicate!", "Possible Duplicate!"};
        QTest::newRow("a refusal made twice is heard twice")
            << QList<QStringList>{{"!Need Report Sent!"}, {"!Need Report Sent!"}}
            << QStringList{"Need Report Sent!", "Need Report Sent!"};
        QTest::newRow("blanks around the text are not spoken")
            << QList<QStringList>{{"  Duplicate K1ABC 2011/03/05 14:05:33  Rec# 17 "}}
            << QStringList{"Duplicate K1ABC 2011/03/05 14:05:33  Rec# 17"};
    }
    void messageLineIsHeardOnce()
    {
        QFETCH(QList<QStringList>, steps);
        QFETCH(QStringList, heard);
        QStringList announced;
        for (const QStringList& step : steps) {
            for (const QString& text : step) {
                const bool refusal = text.startsWith(QLatin1Char('!'));
                velm::setMessageLine(m_line, QStringLiteral("Message"), refusal ? text.mid(1) : text,
                                     refusal ? Announce::Always : Announce::IfChanged);
            }
            const std::optional<QStringList> step_heard = m_listener.announcementsUntilNow();
            QVERIFY(step_heard);
            announced += *step_heard;
        }
        QCOMPARE(announced, heard);
        // The line itself keeps its name for a screen reader that reads it.
        QCOMPARE(m_listener.name(m_listener.objectOf(m_line)),
                 velm::spokenValue(QStringLiteral("Message"), m_line->text()));
    }

    void announcementLeavesTheFocusAlone()
    {
        velm::setMessageLine(m_line, QStringLiteral("Message"), QStringLiteral("Need Call Sign!"),
                             Announce::Always);
        const std::optional<QList<AtspiEvent>> events = m_listener.eventsUntilNow();
        QVERIFY(events);
        QCOMPARE(QApplication::focusWidget(), m_field);
        for (const AtspiEvent& event : *events)
            QVERIFY2(event.kind != QLatin1String("focused"), qPrintable(event.source.path));
        // Read as Orca reads a notification: its role, then its label.
        const AtspiObject notification = m_listener.objectOf(velm::Announcer::of(m_line));
        QCOMPARE(m_listener.roleName(notification), QStringLiteral("notification"));
        const std::optional<AtspiObject> label = m_listener.childAt(notification, 0);
        QVERIFY(label);
        QCOMPARE(m_listener.roleName(*label), QStringLiteral("label"));
        QCOMPARE(m_listener.name(*label), QStringLiteral("Need Call Sign!"));
    }

    void clockIsReadOnDemandWithoutTicks()
    {
        const AtspiObject clock = m_listener.objectOf(m_clock);
        velm::setValueLabel(m_clock, QStringLiteral("UTC"), QStringLiteral("14:05:30"));
        QVERIFY(m_listener.eventsUntilNow());
        // Nobody reads it: the ticks send nothing at all.
        for (const char* second : {"14:05:31", "14:05:32", "14:05:33"})
            velm::setValueLabel(m_clock, QStringLiteral("UTC"), QString::fromLatin1(second));
        std::optional<QList<AtspiEvent>> ticks = m_listener.eventsUntilNow();
        QVERIFY(ticks);
        QCOMPARE(velm::test::countEvents(*ticks, clock), 0);
        // A reader asks: the value now, then one name change at the next tick so that its copy is dropped.
        QCOMPARE(m_listener.name(clock), QStringLiteral("UTC: 14:05:33"));
        for (const char* second : {"14:05:34", "14:05:35", "14:05:36"})
            velm::setValueLabel(m_clock, QStringLiteral("UTC"), QString::fromLatin1(second));
        ticks = m_listener.eventsUntilNow();
        QVERIFY(ticks);
        QCOMPARE(velm::test::countEvents(*ticks, clock, QStringLiteral("accessible-name")), 1);
        QCOMPARE(m_listener.name(clock), QStringLiteral("UTC: 14:05:36"));
        QCOMPARE(m_listener.roleName(clock), QStringLiteral("label"));
    }

    void ordinaryValueLabelSignalsEachNewValue()
    {
        auto* score = new QLabel(&m_window);
        m_window.layout()->addWidget(score);
        velm::setValueLabel(score, QStringLiteral("Total Score"), QStringLiteral("14,000"));
        const AtspiObject object = m_listener.objectOf(score);
        QVERIFY(m_listener.eventsUntilNow());
        velm::setValueLabel(score, QStringLiteral("Total Score"), QStringLiteral("14,000")); // unchanged
        velm::setValueLabel(score, QStringLiteral("Total Score"), QStringLiteral("14,005"));
        const std::optional<QList<AtspiEvent>> events = m_listener.eventsUntilNow();
        QVERIFY(events);
        QCOMPARE(velm::test::countEvents(*events, object, QStringLiteral("accessible-name")), 1);
        QCOMPARE(m_listener.name(object), QStringLiteral("Total Score: 14,005"));
    }

private:
    AtspiListener m_listener;
    QWidget m_window;
    QLineEdit* m_field = nullptr;
    QLabel* m_line = nullptr;
    velm::QuietValueLabel* m_clock = nullptr;
};

VELM_ATSPI_TEST_MAIN(TestAnnouncer)
#include "tst_announcer.moc"
