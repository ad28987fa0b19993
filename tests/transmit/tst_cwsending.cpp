// CW messages on the air: macros, function keys, "!", keyboard CW, Escape, a message replacing another, the
// repeat, the speed steps, and every way a port can fail (none, invalid, vanishing), checked by decoding
// what the RTS line did.

#include "CwRig.h"
#include "log/KeyRouter.h"
#include "log/VoiceKeyer.h"
#include "transmit/CwMacros.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {
KeyStroke key(int qtKey, const QString& text = QString())
{
    return KeyStroke{qtKey, Qt::NoModifier, text};
}
} // namespace

class TestCwSending : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void macros_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("expanded");
        QTest::addColumn<QString>("kept");
        QTest::newRow("call, not own call") << "CQ CQ DE $" << "K1ABC" << "" << "CQ CQ DE K1ABC" << "";
        QTest::newRow("empty call removed") << "CQ CQ DE $" << "" << "" << "CQ CQ DE " << "";
        QTest::newRow("call trimmed") << "$ TU" << "  K1ABC " << "" << "K1ABC TU" << "";
        QTest::newRow("599 is 5NN") << "$ *" << "K1ABC" << "599" << "K1ABC 5NN" << "5NN";
        QTest::newRow("579 stays") << "$ *" << "K1ABC" << "579" << "K1ABC 579" << "579";
        QTest::newRow("no report is 5NN") << "$ *" << "K1ABC" << "" << "K1ABC 5NN" << "5NN";
        QTest::newRow("# is nothing") << "# " << "K1ABC" << "" << " " << "";
        QTest::newRow("! kept") << "TU!" << "K1ABC" << "" << "TU!" << "";
        // What a replacement brings in is not expanded again.
        QTest::newRow("call $") << "$ *" << "$" << "599" << "$ 5NN" << "5NN";
        QTest::newRow("call *") << "$" << "*" << "" << "*" << "";
        QTest::newRow("call with !") << "$ TU" << "K1!" << "" << "K1 TU" << "";
    }
    void macros()
    {
        QFETCH(QString, message);
        QFETCH(QString, call);
        QFETCH(QString, report);
        QFETCH(QString, expanded);
        QFETCH(QString, kept);
        const ExpandedMessage result = expandCwMacros(message, {call, report});
        QCOMPARE(result.text, expanded);
        QCOMPARE(result.reportSent, kept.isEmpty() ? report : kept);
    }

    void messagesOnTheAir_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("heard");
        QTest::newRow("CQ with call") << "CQ CQ DE $" << "K1ABC" << "" << "CQ CQ DE K1ABC";
        QTest::newRow("CQ without call") << "CQ CQ DE $" << "" << "" << "CQ CQ DE";
        QTest::newRow("exchange 599") << "$ *" << "k1abc" << "599" << "K1ABC 5NN";
        QTest::newRow("exchange 579") << "$ *" << "K1ABC" << "579" << "K1ABC 579";
        QTest::newRow("call $") << "$ TU" << "$" << "" << "TU";
        QTest::newRow("call K1!") << "$ TU" << "K1!" << "" << "K1 TU";
    }
    void messagesOnTheAir()
    {
        QFETCH(QString, message);
        QFETCH(QString, call);
        QFETCH(QString, report);
        QFETCH(QString, heard);
        CwRig rig;
        rig.rts(20, message);
        rig.session->setCurrentCall(call);
        rig.session->setCurrentReportSent(report);
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.heard(20), heard);
        QCOMPARE(rig.entryRow.commits, 0);
        QVERIFY(!rig.port().rts);
        QVERIFY(!rig.cw->CwSending());
        QVERIFY(rig.cw->CwBuffer().isEmpty());
    }

    void functionKeys_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("heard");
        QTest::newRow("F9") << 120 << "F9";
        QTest::newRow("F10 as 124") << 124 << "FA";
        QTest::newRow("F11") << 122 << "FB";
        QTest::newRow("121 is no message") << 121 << "";
        QTest::newRow("F12 never sends") << 123 << "";
    }
    void functionKeys()
    {
        QFETCH(int, code);
        QFETCH(QString, heard);
        CwRig rig;
        rig.rts(25);
        for (int i = 0; i < kMessageCount; ++i)
            rig.cw->setMessage(i, i == 9 ? QStringLiteral("FA") : i == 10 ? QStringLiteral("FB") : QStringLiteral("F%1").arg(i + 1));
        rig.cw->FKeyCW(code);
        QCOMPARE(rig.heard(25), heard);
    }

    void exclamationCommits_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("commits");
        QTest::newRow("call entered") << "K1ABC" << 1;
        QTest::newRow("no call") << "" << 0;
    }
    void exclamationCommits()
    {
        QFETCH(QString, call);
        QFETCH(int, commits);
        CwRig rig;
        rig.rts(25, QStringLiteral("TU!"));
        rig.session->setCurrentCall(call);
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.entryRow.commits, commits);
        QCOMPARE(rig.heard(25), QStringLiteral("TU"));
    }

    void keyboardCw()
    {
        CwRig rig;
        rig.rts(25);
        NullVoiceKeyer voice;
        KeyRouter router(*rig.cw, voice, *rig.cw);
        QVERIFY(router.route(key(Qt::Key_F12), QStringLiteral("CW")).consumed);
        QVERIFY(rig.cw->KeyboardCwMode());
        QVERIFY(router.route(key(Qt::Key_C, QStringLiteral("c")), QStringLiteral("CW")).consumed);
        QVERIFY(router.route(key(Qt::Key_Q, QStringLiteral("q")), QStringLiteral("CW")).consumed);
        QCOMPARE(rig.heard(25), QStringLiteral("CQ"));
    }

    // On the real clock at 40 WPM an M lasts 300 ms; the key comes 60 ms into the first one.
    void keysDuringAMessage_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("keyboardMode");
        QTest::addColumn<QString>("heard");
        QTest::newRow("Escape stops after the character") << int(Qt::Key_Escape) << "\x1b" << false << "M";
        QTest::newRow("F2 replaces the message") << int(Qt::Key_F2) << "" << false << "ME";
        QTest::newRow("Backspace takes the last waiting") << int(Qt::Key_Backspace) << "\b" << true << "MM";
    }
    void keysDuringAMessage()
    {
        QFETCH(int, qtKey);
        QFETCH(QString, text);
        QFETCH(bool, keyboardMode);
        QFETCH(QString, heard);
        CwRig rig(true);
        rig.rts(40, QStringLiteral("MMM"));
        rig.cw->setMessage(1, QStringLiteral("E"));
        rig.cw->setKeyboardCwMode(keyboardMode);
        NullVoiceKeyer voice;
        KeyRouter router(*rig.cw, voice, *rig.cw);
        bool sendingThen = false;
        QTimer::singleShot(60, [&] {
            sendingThen = rig.cw->CwSending();
            router.route(key(qtKey, text), QStringLiteral("CW"));
        });
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(sendingThen);
        QCOMPARE(rig.heard(40), heard);
        QVERIFY(!rig.port().rts);
        QVERIFY(!rig.cw->CwSending());
    }

    void repeatUntilAKey()
    {
        CwRig rig;
        rig.rts(25, QStringLiteral("E"));
        QVERIFY(rig.cw->leaveRepeatField(QStringLiteral("0.05")));
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(rig.cw->CwRepeat());
        QTRY_VERIFY_WITH_TIMEOUT(rig.heard(25).size() >= 3, 5000);
        NullVoiceKeyer voice;
        KeyRouter router(*rig.cw, voice, *rig.cw);
        router.route(key(Qt::Key_A, QStringLiteral("a")), QStringLiteral("CW"));
        QVERIFY(!rig.cw->CwRepeat());
        const QString sent = rig.heard(25);
        QTest::qWait(200);
        QCOMPARE(rig.heard(25), sent);
    }

    void repeatField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("beeps");
        QTest::newRow("5") << "5" << true << 0;
        QTest::newRow("2.5") << "2.5" << true << 0;
        QTest::newRow("0") << "0" << true << 0;
        QTest::newRow("60") << "60" << false << 0;
        QTest::newRow("-1") << "-1" << false << 0;
        QTest::newRow("abc") << "abc" << false << 1;
    }
    void repeatField()
    {
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(int, beeps);
        CwRig rig;
        QCOMPARE(rig.cw->leaveRepeatField(text), taken);
        QCOMPARE(rig.cw->settings().repeatText, taken ? text : QStringLiteral("0"));
        QCOMPARE(rig.fakes.prompts.beeps, beeps);
    }

    void speedSteps_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("steps"); // u up, d down
        QTest::addColumn<int>("result");
        QTest::newRow("up") << "13" << "u" << 14;
        QTest::newRow("down stops at 1") << "2" << "ddd" << 1;
        QTest::newRow("non-number up") << "abc" << "u" << 1;
        QTest::newRow("0 down") << "0" << "d" << 1;
    }
    void speedSteps()
    {
        QFETCH(QString, speed);
        QFETCH(QString, steps);
        QFETCH(int, result);
        CwRig rig;
        rig.cw->setSpeedText(speed);
        int last = 0;
        for (QChar s : steps)
            last = s == QLatin1Char('u') ? rig.cw->UpDown1_UpClick() : rig.cw->UpDown1_DownClick();
        QCOMPARE(last, result);
        QCOMPARE(rig.cw->engine().speed(), result);
    }

    void speedZeroKeysNothing()
    {
        CwRig rig;
        rig.rts(25, QStringLiteral("TEST"));
        rig.cw->setSpeedText(QStringLiteral("0"));
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(lineEdges(rig.port(), ModemLine::Rts).empty());
        QVERIFY(rig.cw->CwBuffer().isEmpty());
    }

    void methodNoneSendsNothing()
    {
        CwRig rig;
        rig.cw->setMessage(0, QStringLiteral("TEST"));
        const qint64 before = rig.virtualClock.nowNs();
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.virtualClock.nowNs(), before);
        QVERIFY(rig.port().lineChanges.isEmpty());
        QVERIFY(rig.cw->CwBuffer().isEmpty());
    }

    void printerAt278()
    {
        CwRig rig;
        rig.cw->setKeyingMethod(KeyingMethod::Printer);
        rig.cw->setParallelAddress(QStringLiteral("&H278"));
        rig.cw->setSpeedText(QStringLiteral("20"));
        rig.cw->setMessage(0, QStringLiteral("E"));
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.station.parallelPort.opened(), QList<quint16>{0x278});
        const QList<FakeParallelPort::Write> writes = rig.station.parallelPort.writes();
        QVERIFY(writes.contains(FakeParallelPort::Write{634, 3}));
        QCOMPARE(writes.back(), (FakeParallelPort::Write{634, 2}));
    }

    void portProblemsOncePerSend_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<QString>("title");
        QTest::newRow("no port") << "0" << false << "A com port is required.";
        QTest::newRow("invalid port") << "3" << true << "Invalid port.";
    }
    void portProblemsOncePerSend()
    {
        QFETCH(QString, port);
        QFETCH(bool, openFails);
        QFETCH(QString, title);
        CwRig rig;
        rig.cw->setKeyingMethod(KeyingMethod::Rts);
        rig.cw->setMessage(0, QStringLiteral("TEST TEST"));
        rig.cw->leaveRepeatField(QStringLiteral("5"));
        if (openFails) {
            rig.port().failNextOpen(SerialError::NotFound, QStringLiteral("No such file or directory"));
            rig.port().failNextOpen(SerialError::NotFound, QStringLiteral("No such file or directory"));
        }
        rig.cw->leavePortField(port);
        rig.fakes.prompts.messages.clear();
        QSignalSpy setup(rig.cw.get(), &TransmitController::setupWindowWanted);
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.messageTitles(), QStringList{title});
        QCOMPARE(setup.count(), 1);
        QVERIFY(rig.cw->CwBuffer().isEmpty());
        QVERIFY(!rig.cw->CwRepeat());
        QVERIFY(rig.port().lineChanges.isEmpty());
    }

    void portVanishesMidMessage()
    {
        CwRig rig(true);
        rig.rts(40, QStringLiteral("MMMM"));
        QTimer::singleShot(60, [&] { rig.port().vanish(); });
        QElapsedTimer took;
        took.start();
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(took.elapsed() < 1000);
        QCOMPARE(rig.messageTitles(), QStringList{QStringLiteral("Invalid port.")});
        QVERIFY(!rig.port().rts);
        QVERIFY(rig.cw->CwBuffer().isEmpty());
    }

    // "&Exit" during CW: everything stops at once, the line released, the port closed.
    void shutdownDuringASend()
    {
        CwRig rig(true);
        rig.rts(5, QStringLiteral("TTT"));
        QElapsedTimer took;
        QTimer::singleShot(100, [&] {
            took.start();
            rig.cw->shutdown();
        });
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(took.elapsed() < 100);
        QVERIFY(!rig.port().rts);
        QVERIFY(!rig.port().isOpen());
        QVERIFY(!rig.cw->CwSending());
    }

    void loopOffset()
    {
        CwRig rig;
        rig.virtualClock.nsPerIteration = 2;
        rig.cw->setTimingMethod(TimingMethod::Loop);
        QCOMPARE(rig.cw->settings().loopOffset, 30'000'000.0);
        rig.cw->setLoopOffset(5);
        rig.cw->cmdLoopFaster_Click(); // 4.5 → 4, halves to even
        QCOMPARE(rig.cw->settings().loopOffset, 4.0);
        rig.cw->setLoopOffset(1000);
        rig.cw->cmdLoopSlower_Click();
        QCOMPARE(rig.cw->settings().loopOffset, 1111.0);
    }

    // "Loop" with no offset measures one before the first character instead of busy-looping for nothing.
    void loopWithoutOffsetCalibratesFirst()
    {
        CwRig rig;
        rig.virtualClock.nsPerIteration = 2;
        rig.rts(20, QStringLiteral("E"));
        rig.cw->setLoopOffset(0);
        rig.fakes.settings.values.insert(QStringLiteral("UserCWSelection"), QStringLiteral("Loop"));
        QVERIFY(rig.cw->startUp().isEmpty()); // no cw.txt: timing from the store, offset 0
        rig.rts(20, QStringLiteral("E"));
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.cw->settings().loopOffset, 30'000'000.0);
        QCOMPARE(rig.heard(20), QStringLiteral("E"));
    }
};

QTEST_MAIN(TestCwSending)
#include "tst_cwsending.moc"
