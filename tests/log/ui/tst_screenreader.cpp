// The main window and the edit window as a blind operator hears them over AT-SPI: every refusal is
// announced after the focus has moved, the clocks stay quiet, and the edit window's warnings belong to
// their fields.

#include "log/ui/Form1Harness.h"
#include "log/ui/frmEditCon.h"
#include "platform/ui/Announcer.h"
#include "support/AtspiSession.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace velm;
using test::AtspiEvent;
using test::AtspiObject;
using test::Running;

namespace {

qsizetype lastIndexOf(const QList<AtspiEvent>& events, const AtspiObject& source, const char* kind)
{
    for (qsizetype i = events.size() - 1; i >= 0; --i) {
        if (events.at(i).source == source && events.at(i).kind == QLatin1String(kind) &&
            events.at(i).detail1 == 1)
            return i;
    }
    return -1;
}

int nameChanges(const QList<AtspiEvent>& events, const AtspiObject& object)
{
    return test::countEvents(events, object, QStringLiteral("accessible-name"));
}

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = test::atspiUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no AT-SPI session: ") + why));
        const QString failed = m_listener.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY2(m_listener.waitForApplication(),
                 "the application never registered with the AT-SPI registry");
    }

    // keys are typed into the running window (band 20, N0CALL logged on 40 and 20 m); "\r" is Enter, "\t"
    // Tab; a "-" clears RS(T) Sn before the keys after it.
    void refusalIsHeardAfterTheFocusMoves_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("focus");
        QTest::newRow("report sent missing") << "k1abc579ny1234-\r"
                                             << "Need Report Sent!"
                                             << "txtRSTS";
        QTest::newRow("invalid section") << "k1abc579xx1234\r"
                                         << "Invald Section!"
                                         << "txtCntry";
        QTest::newRow("duplicate on leaving the call") << "n0call\t"
                                                       << "Duplicate N0CALL 2011/03/05 23:59:01  Rec# 2"
                                                       << "txtCall";
        QTest::newRow("possible duplicate") << "n0ca"
                                            << "Possible Duplicate!"
                                            << "txtCall";
        QTest::newRow("malformed call") << "wab"
                                        << "The second or third character is not numeric!"
                                        << "txtCall";
    }
    void refusalIsHeardAfterTheFocusMoves()
    {
        QFETCH(QString, keys);
        QFETCH(QString, heard);
        QFETCH(QString, focus);
        Running r(test::kTwoLogLines);
        Form1& form = *r.form;
        QVERIFY(m_listener.eventsUntilNow());
        const QStringList parts = keys.split(QLatin1Char('-'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                form.txtRSTS->clear();
            for (const QChar key : parts.at(i)) {
                if (key == QLatin1Char('\r'))
                    test::pressKey(Qt::Key_Return);
                else if (key == QLatin1Char('\t'))
                    test::pressKey(Qt::Key_Tab);
                else
                    test::typeKeys(QString(key));
            }
        }
        const std::optional<QList<AtspiEvent>> events = m_listener.eventsUntilNow();
        QVERIFY(events);
        QCOMPARE(m_listener.announcementsIn(*events), QStringList{heard});
        QWidget* expected = form.findChild<QWidget*>(focus);
        QCOMPARE(QApplication::focusWidget(), expected);
        // Orca cuts off what it is saying for a focus change: the reason must come after the move.
        const qsizetype announced =
            lastIndexOf(*events, m_listener.objectOf(Announcer::of(form.lblDialog)), "showing");
        QVERIFY(announced >= 0);
        QVERIFY(lastIndexOf(*events, m_listener.objectOf(expected), "focused") < announced);
    }

    void refusalsAreHeardEachTimeAndHintsOnce()
    {
        Running r(test::kTwoLogLines);
        Form1& form = *r.form;
        test::typeKeys(QStringLiteral("k1abc579ny1234"));
        form.txtRSTS->clear();
        QVERIFY(m_listener.eventsUntilNow());
        for (int attempt = 0; attempt < 2; ++attempt) {
            test::pressKey(Qt::Key_Return);
            QCOMPARE(m_listener.announcementsUntilNow(), QStringList{QStringLiteral("Need Report Sent!")});
        }
        test::pressKey(Qt::Key_Escape);
        test::typeKeys(QStringLiteral("n0ca"));
        QCOMPARE(m_listener.announcementsUntilNow(), QStringList{QStringLiteral("Possible Duplicate!")});
        test::typeKeys(QStringLiteral("l")); // still a possible duplicate: the line says nothing new
        QCOMPARE(m_listener.announcementsUntilNow(), QStringList{});
    }

    void clocksAreReadWithoutTicking()
    {
        Running r(test::kTwoLogLines);
        Form1& form = *r.form;
        const QList<QLabel*> clocks{form.lblutctime, form.lblCurTime, form.Label16, form.lblttrack};
        QList<AtspiObject> paths;
        for (QLabel* clock : clocks)
            paths << m_listener.objectOf(clock);
        form.Timer2_Timer();
        QVERIFY(m_listener.eventsUntilNow());
        const auto tick = [&] {
            r.fakes.clock.advanceMs(1000);
            form.Timer2_Timer();
        };
        for (int second = 0; second < 3; ++second)
            tick();
        std::optional<QList<AtspiEvent>> events = m_listener.eventsUntilNow();
        QVERIFY(events);
        for (const AtspiObject& path : paths)
            QCOMPARE(test::countEvents(*events, path), 0); // nothing at all
        // Read on demand, the value of the moment; the next tick drops the reader's copy, once.
        QCOMPARE(m_listener.name(paths.at(0)), QStringLiteral("UTC: ") + form.lblutctime->text());
        QCOMPARE(m_listener.name(paths.at(3)), QStringLiteral("Operating Time: ") + form.lblttrack->text());
        for (int second = 0; second < 3; ++second)
            tick();
        events = m_listener.eventsUntilNow();
        QVERIFY(events);
        QCOMPARE(nameChanges(*events, paths.at(0)), 1);
        QCOMPARE(nameChanges(*events, paths.at(1)), 0);
        QCOMPARE(nameChanges(*events, paths.at(3)), 1);
        QCOMPARE(m_listener.name(paths.at(0)), QStringLiteral("UTC: ") + form.lblutctime->text());
    }

    void editWindowWarningsBelongToTheirFields()
    {
        Running r(test::kTwoLogLines); // N0CALL on 40 m, then on 20 m
        frmEditCon edit(r.fakes.prompts, r.form->logStore(), 2, nullptr, r.form.get());
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        QVERIFY(m_listener.eventsUntilNow());

        edit.txtEditBnd->setText(QStringLiteral("XX"));
        edit.cmdDone->click();
        QCOMPARE(m_listener.announcementsUntilNow(), QStringList{QStringLiteral("Mode: Invalid!")});
        QCOMPARE(m_listener.description(m_listener.objectOf(edit.txtEditBnd)), QStringLiteral("Invalid!"));

        // A duplicate band and an unknown S/P/C at once: both are heard.
        edit.txtEditBnd->setText(QStringLiteral("CW"));
        edit.Text1->setText(QStringLiteral("40"));
        edit.txtEditPre->setText(QStringLiteral("XX"));
        edit.cmdDone->click();
        QCOMPARE(m_listener.announcementsUntilNow(),
                 QStringList{QStringLiteral("Callsign: Dupe! SPC: Invalid!")});
        QCOMPARE(m_listener.description(m_listener.objectOf(edit.txtEditBnd)), QString());
        QCOMPARE(m_listener.description(m_listener.objectOf(edit.txtEditCall)), QStringLiteral("Dupe!"));
        QCOMPARE(m_listener.name(m_listener.objectOf(edit.Label2)), QStringLiteral("SPC: Invalid!"));
    }

private:
    test::AtspiListener m_listener;
};

VELM_ATSPI_TEST_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
