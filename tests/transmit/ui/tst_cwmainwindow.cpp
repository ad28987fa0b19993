// CW from the main window as the operator keys it: the function keys send the stored messages with the call
// and report typed in the entry row, "!" logs the contact through the entry row, F12 and typing send
// keyboard CW, the arrows step the speed, and Escape ends a message; heard back from the RTS line of a fake
// serial port timed by a virtual clock.

#include "log/ui/Form1Harness.h"
#include "support/FakeWinKeyLink.h"
#include "support/TestStationServices.h"
#include "support/VirtualMorseClock.h"
#include "transmit/MorseClock.h"
#include "transmit/TransmitController.h"
#include "transmit/TransmitTestHelpers.h"

#include <QLabel>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

constexpr int kWpm = 20;

// The main window on the real transmit controller, the log open and logged on, typing in the call field.
struct CwMainWindow : Form1Harness {
    // realClock: the Morse engine times units on the steady clock, so keys act while a message is keyed.
    explicit CwMainWindow(bool realClock = false)
    {
        write(QStringLiteral("qrppref.txt"), kPreferences);
        write(QStringLiteral("arrlpre2.txt"), kTestPrefixes);
        write(QStringLiteral("log.txt"), QByteArray());
        session = std::make_unique<ContestSession>(fakes.services(), ProgramFolder(dir.path()), folders);
        cw = std::make_unique<TransmitController>(TransmitContext{
            fakes.services(), station.services(), *session,
            realClock ? static_cast<MorseClock&>(steady) : static_cast<MorseClock&>(clock), winKey});
        stations.add(*cw);
        form = std::make_unique<Form1>(Form1Context{fakes.services(), *session, shared,
                                                    StationPorts{*cw, keyers, *cw, rig, voice, stations}});
        cw->setEntryRow(form.get());
        cw->setKeyingMethod(KeyingMethod::Rts);
        cw->leavePortField(QStringLiteral("1"));
        cw->setSpeedText(QString::number(kWpm));
        if (!realClock)
            station.serialLines.front()->clock = [this] { return clock.nowNs(); };
        Form1& main = *form;
        QVERIFY(main.ReadPreferences());
        QVERIFY(main.LoadPrefixTable());
        QVERIFY(main.mnuOpen2());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.cmdLogOn_Click();
        main.txtCall->setFocus();
    }
    ~CwMainWindow() { cw->shutdown(); }

    QString heard() const
    {
        return decodeMorse(lineEdges(*station.serialLines.front(), ModemLine::Rts), 1'200'000'000 / kWpm)
            .text;
    }
    void forgetHeard() { station.serialLines.front()->lineChanges.clear(); }

    TestStationServices station;
    VirtualMorseClock clock;
    SteadyMorseClock steady;
    FakeWinKeyLink winKey;
    std::unique_ptr<TransmitController> cw;
};

} // namespace

class TestCwMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The call and report as typed at the moment of the key; a call that looks like a macro or holds "!"
    // goes out as it is and logs nothing.
    void messagesCarryTheEntryRow_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("heard");
        QTest::newRow("exchange") << "$ *"
                                  << "k1abc"
                                  << "K1ABC 5NN";
        QTest::newRow("no call") << "QRZ $"
                                 << ""
                                 << "QRZ";
        QTest::newRow("call $") << "$ TU"
                                << "$"
                                << "TU";
        QTest::newRow("call K1!") << "$ TU"
                                  << "K1!"
                                  << "K1 TU";
    }
    void messagesCarryTheEntryRow()
    {
        QFETCH(QString, message);
        QFETCH(QString, call);
        QFETCH(QString, heard);
        CwMainWindow w;
        w.cw->setMessage(1, message);
        QTest::keyClicks(w.form->txtCall, call);
        QTest::keyClick(w.form->txtCall, Qt::Key_F2);
        QCOMPARE(w.heard(), heard);
        QCOMPARE(w.read(QStringLiteral("log.txt")), QByteArray());
        QVERIFY(!w.station.serialLines.front()->rts);
        QVERIFY(!w.cw->CwSending());
    }

    // "!" in a message logs what the entry row holds, once, where it stands in the message.
    void exclamationLogsTheContact()
    {
        CwMainWindow w;
        w.cw->setMessage(2, QStringLiteral("TU!"));
        w.form->txtCall->setText(QStringLiteral("W1ABC"));
        w.form->txtRSTR->setText(QStringLiteral("579"));
        w.form->txtCntry->setText(QStringLiteral("NY"));
        w.form->txtSec->setText(QStringLiteral("1234"));
        w.form->txtRSTS->setText(QStringLiteral("579"));
        QTest::keyClick(w.form->txtCall, Qt::Key_F3);
        QCOMPARE(w.heard(), QStringLiteral("TU"));
        QCOMPARE(w.form->logStore().QsoCount(), 1);
        QCOMPARE(w.form->logStore().record(1).Call, QStringLiteral("W1ABC"));
        QCOMPARE(w.form->txtCall->text(), QString());
        // With nothing in the row, "!" logs nothing.
        QTest::keyClick(w.form->txtCall, Qt::Key_F3);
        QCOMPARE(w.form->logStore().QsoCount(), 1);
    }

    // F12 turns typing into CW and back; the arrows step the speed shown on the message line.
    void keyboardCwAndSpeed()
    {
        CwMainWindow w;
        QTest::keyClick(w.form->txtCall, Qt::Key_Up);
        QCOMPARE(w.form->lblDialog->text(), QStringLiteral("21 WPM"));
        QTest::keyClick(w.form->txtCall, Qt::Key_Down);
        QCOMPARE(w.cw->engine().speed(), kWpm);
        QTest::keyClick(w.form->txtCall, Qt::Key_F12);
        QVERIFY(w.cw->KeyboardCwMode());
        QTest::keyClicks(w.form->txtCall, QStringLiteral("cq"));
        QCOMPARE(w.form->txtCall->text(), QString());
        QCOMPARE(w.heard(), QStringLiteral("CQ"));
        QTest::keyClick(w.form->txtCall, Qt::Key_F12);
        QVERIFY(!w.cw->KeyboardCwMode());
        w.forgetHeard();
        QTest::keyClicks(w.form->txtCall, QStringLiteral("k1"));
        QCOMPARE(w.form->txtCall->text(), QStringLiteral("K1"));
        QCOMPARE(w.heard(), QString());
    }

    // Escape during a message drops the rest; the character in progress ends and the line is up.
    void escapeEndsTheMessage()
    {
        CwMainWindow w(true);
        w.cw->setMessage(0, QStringLiteral("TEST TEST TEST"));
        // Pressed while the first character is being keyed.
        bool pressed = false;
        QObject::connect(w.cw.get(), &TransmitController::progress, w.form.get(), [&] {
            if (pressed || !w.cw->CwSending())
                return;
            pressed = true;
            QTest::keyClick(w.form->txtCall, Qt::Key_Escape);
        });
        QTest::keyClick(w.form->txtCall, Qt::Key_F1);
        QVERIFY(pressed);
        QVERIFY(w.heard().size() < 3);
        QVERIFY(!w.station.serialLines.front()->rts);
        QVERIFY(w.cw->CwBuffer().isEmpty());
        QVERIFY(!w.cw->CwSending());
    }
};

QTEST_MAIN(TestCwMainWindow)
#include "tst_cwmainwindow.moc"
