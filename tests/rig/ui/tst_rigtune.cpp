// The tune window and the command test window on a Kenwood rig polled over a fake serial line with fake
// waits: typed, pasted, stepped, band and scanned frequencies, mode buttons, the key rules, and windows
// closed while a change waits.

#include "../RigHarness.h"

#include "rig/ui/RigControlfrm.h"
#include "rig/ui/RigWindows.h"
#include "rig/ui/frmFrequencyTest.h"
#include "rig/ui/frmRigTune.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

const QByteArray kPlan = "\"2026\"\r\n\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.15\r\n";

struct TuneHarness : ChangeHarness {
    explicit TuneHarness(const QString& type = QStringLiteral("Kenwood")) : ChangeHarness(type, kPlan)
    {
        if (type != rigtype::None)
            startPolling();
        window = new frmRigTune(rig());
        window->show();
    }
    ~TuneHarness() { delete window.data(); }
    QByteArray sent() const { return line() ? line()->written() : QByteArray(); }
    void clear() const
    {
        if (line())
            line()->clearWrites();
    }
    QPointer<frmRigTune> window;
};

} // namespace

class TestRigTune : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensEmpty()
    {
        TuneHarness h;
        QCOMPARE(h.window->windowTitle(), frmRigTune::Title);
        QVERIFY(h.window->txtFreq->text().isEmpty());
        for (QPushButton* step : h.window->cmdTune)
            QVERIFY(!step->isEnabled());
        QCOMPARE(h.window->txtFrom->text(), QStringLiteral("1.8"));
        QCOMPARE(h.window->txtTo->text(), QStringLiteral("54"));
        QVERIFY(h.window->Option[3]->isChecked());
        QVERIFY(!h.window->chkScan->isChecked());
        QCOMPARE(h.window->Timer1.interval(), 299);
        QCOMPARE(h.window->cmdTune[0]->accessibleName(), QStringLiteral("Up 10 Hz"));
        QCOMPARE(h.window->cmdTune[3]->accessibleName(), QStringLiteral("Down 1 MHz"));
        QCOMPARE(h.window->cmdBand[13]->accessibleName(), QStringLiteral("70 cm band"));
    }

    void typedKeys()
    {
        TuneHarness h;
        QLineEdit* freq = h.window->txtFreq;
        freq->setFocus();
        QTest::keyClicks(freq, QStringLiteral("1a4"));
        QCOMPARE(freq->text(), QStringLiteral("14")); // the letter dropped
        QVERIFY(h.window->cmdTune[0]->isEnabled());
        QTest::keyClick(freq, Qt::Key_Slash);
        QCOMPARE(freq->text(), QStringLiteral("14/"));
        QVERIFY(!h.window->cmdTune[0]->isEnabled());
        QTest::keyClick(freq, Qt::Key_Backspace);
        QTest::keyClicks(freq, QStringLiteral(".025"));
        QTest::keyClick(h.window->txtTo, Qt::Key_Minus);
        QCOMPARE(h.window->txtTo->text(), QStringLiteral("54"));
        // Enter is "&Go": the mode of the plan, then the frequency; the caret back at the end.
        h.clear();
        QTest::keyClick(freq, Qt::Key_Return);
        QCOMPARE(h.sent(), QByteArray("MD3;FA00014025000;"));
        QCOMPARE(h.window->focusWidget(), freq);
        QCOMPARE(freq->cursorPosition(), freq->text().size());
    }

    void pastedTextIsCheckedAgain_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"1e3", "-5", "nan", "14.0.25", "", " 14"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void pastedTextIsCheckedAgain()
    {
        QFETCH(QString, text);
        TuneHarness h;
        h.window->txtFreq->setText(QStringLiteral("14"));
        h.window->chkScan->setChecked(true);
        h.window->txtFreq->setText(text); // as a paste leaves it
        h.clear();
        h.window->Timer1_Timer();
        h.window->Command1->click();
        h.window->cmdTune[0]->click();
        QVERIFY2(h.sent().isEmpty(), h.sent().constData());
        QCOMPARE(h.window->txtFreq->text(), text);
    }

    void bandAndStepButtons()
    {
        TuneHarness h;
        h.clear();
        h.window->cmdBand[2]->click(); // 60 m: inside the band in force from 2026
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("5.3585"));
        QCOMPARE(h.sent(), QByteArray("FA00005358500;")); // off the test plan: no mode
        h.window->cmdBand[15]->click();
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("1270"));
        h.window->txtFreq->setText(QStringLiteral("14.025"));
        h.clear();
        h.window->cmdTune[0]->click();
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("14.02501"));
        QCOMPARE(h.sent(), QByteArray("MD3;FA00014025010;"));
        h.window->txtFreq->setText(QStringLiteral("14.025"));
        h.window->cmdTune[3]->click();
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("13.025"));
    }

    void modeButtons()
    {
        TuneHarness h;
        h.clear();
        h.window->cmdUSB->click();
        QCOMPARE(h.sent(), QByteArray("MD2;"));
        TuneHarness none(rigtype::None);
        none.window->cmdCW->click();
        none.window->txtFreq->setText(QStringLiteral("14.025"));
        none.window->Command1->click();
        QVERIFY(none.waits.waits.isEmpty());
    }

    void scan_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("next");
        QTest::newRow("wraps to From") << "54" << "1.8" << "54" << 0 << "1.8";
        QTest::newRow("whole MHz keeps the point") << "13.9975" << "1.8" << "54" << 4 << "14.";
        // Single precision would round the 10 Hz step away above 256 MHz.
        QTest::newRow("above 256 MHz") << "300.00001" << "1.8" << "450" << 3 << "300.00002";
        QTest::newRow("30 Hz") << "14.025" << "1.8" << "54" << 2 << "14.02503";
    }
    void scan()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, option);
        QFETCH(QString, next);
        TuneHarness h;
        h.window->txtFreq->setText(frequency);
        h.window->txtFrom->setText(from);
        h.window->txtTo->setText(to);
        h.window->Option[option]->setChecked(true);
        h.window->chkScan->setChecked(true);
        h.clear();
        h.window->Timer1_Timer();
        QCOMPARE(h.window->txtFreq->text(), next);
        QVERIFY(!h.sent().isEmpty());
    }

    void scanWaitsForTheChange()
    {
        TuneHarness h;
        h.window->txtFreq->setText(QStringLiteral("14.025"));
        h.window->chkScan->setChecked(true);
        // Ticks that come while the change waits neither move the frequency nor tune.
        h.waits.duringWait = [&h](int) { h.window->Timer1_Timer(); };
        h.window->Timer1_Timer();
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("14.02501"));
    }

    void scanCheckAndStop()
    {
        TuneHarness h;
        h.window->chkScan->click();
        QCOMPARE(h.window->txtFreq->text(), QStringLiteral("1.8")); // From copied in
        QCOMPARE(h.window->focusWidget(), h.window->Command1);
        // Any key stops the scan at once, and only stops it.
        QTest::keyClick(h.window->txtFrom, Qt::Key_5);
        QVERIFY(!h.window->chkScan->isChecked());
        QCOMPARE(h.window->txtFrom->text(), QStringLiteral("1.8"));
        h.clear();
        h.window->Timer1_Timer();
        QVERIFY(h.sent().isEmpty());
    }

    void windowClosedWhileAChangeWaits()
    {
        TuneHarness h;
        h.window->txtFreq->setText(QStringLiteral("14.025"));
        h.waits.duringWait = [&h](int index) {
            if (index == 2 && h.window)
                h.window->close();
        };
        h.window->cmdTune[0]->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!h.window);
        QVERIFY(h.rig().polling());
    }

    void ctrlGThroughTheRigWindows()
    {
        TuneHarness h;
        QAction rigTune(nullptr);
        rigTune.setEnabled(false);
        RigWindows windows(h.rig(), h.fakes.prompts, {nullptr, {}, &rigTune}, nullptr);
        QVERIFY(rigTune.isEnabled());
        QPointer<QDialog> shown;
        windows.setModalRunner([&](QDialog& dialog) {
            shown = &dialog;
            auto* tune = qobject_cast<frmRigTune*>(&dialog);
            if (tune) {
                tune->txtFreq->setText(QStringLiteral("7.04"));
                tune->Command1->click();
                tune->cmdDone->click();
            }
            return int(QDialog::Accepted);
        });
        h.clear();
        windows.windowRequested(WindowShortcut::RigTune);
        QVERIFY(!shown); // deleted after it closed
        QCOMPARE(h.sent(), QByteArray("FA00007040000;"));
        rigTune.trigger();
        QCOMPARE(h.sent(), QByteArray("FA00007040000;FA00007040000;"));
    }

    void commandTestWindow()
    {
        TuneHarness h;
        frmFrequencyTest test(h.rig());
        QCOMPARE(test.Text1->text(), QStringLiteral("FA00028475000;"));
        QCOMPARE(test.Text2->text(), QStringLiteral("28.475"));
        QCOMPARE(test.Command2->accessibleName(), QStringLiteral("Send frequency"));
        h.clear();
        test.Text1->setText(QStringLiteral("  FE FE 64 E0 03 FD "));
        test.Command1->click();
        QCOMPARE(h.sent(), QByteArray("  FE FE 64 E0 03 FD").trimmed()); // 17 characters, no terminator
        h.clear();
        test.Check1->setChecked(true);
        test.Command1->click();
        QCOMPARE(h.sent(), QByteArray("\xFE\xFE\x64\xE0\x03\xFD"));
        h.clear();
        test.Text1->setText(QStringLiteral("FE FE 6"));
        test.Command1->click();
        QVERIFY(h.sent().isEmpty()); // not hex pairs: nothing
        test.Command2->click();
        QCOMPARE(h.sent(), QByteArray("FA00028475000;"));
    }

    void changeFrequencyButtonOpensTheTestWindow()
    {
        TuneHarness h;
        RigWindows windows(h.rig(), h.fakes.prompts, {nullptr, {}, nullptr}, nullptr);
        QString title;
        windows.setModalRunner([&](QDialog& dialog) {
            title = dialog.windowTitle();
            return int(QDialog::Rejected);
        });
        windows.rigControl().cmdChangeFrequency->click();
        QCOMPARE(title, frmFrequencyTest::Title);
        delete &windows.rigControl();
    }
};

QTEST_MAIN(TestRigTune)
#include "tst_rigtune.moc"
