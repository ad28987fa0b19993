// The WinKey keyer as the controller drives it (fake link): opening with its messages and settings, the
// field rules, feeding with flow control, Escape, Backspace, break-in, a new message clearing the keyer's
// tail, the repeat counted from the keyer going idle, a lost link, the CW window's speed.

#include "CwRig.h"
#include "log/KeyRouter.h"
#include "log/VoiceKeyer.h"

#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {
struct WinKeyRig : CwRig {
    WinKeyRig()
    {
        cw->setKeyingMethod(KeyingMethod::WinKey);
        cw->setMessage(0, QStringLiteral("CQ"));
        cw->setMessage(1, QStringLiteral("TU"));
    }
    QStringList settingsCalls() const
    {
        QStringList found;
        for (const QString& call : winKey.calls) {
            if (!call.startsWith(QLatin1String("wk_char")) && !call.startsWith(QLatin1String("wk_open")))
                found << call;
        }
        return found;
    }
};
KeyStroke key(int qtKey, const QString& text = QString())
{
    return KeyStroke{qtKey, Qt::NoModifier, text};
}
} // namespace

class TestWinKeyKeyer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstMessageOpensTheKeyer()
    {
        WinKeyRig rig;
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.winKey.calls.first(), QStringLiteral("wk_open 0"));
        // The CW window's speed wins over WK.txt's; then the field rules of weight, lead/tail, ratio, pin, mode.
        QCOMPARE(rig.settingsCalls(), (QStringList{QStringLiteral("wk_wpm 13"), QStringLiteral("wk_weight 50"),
                                                   QStringLiteral("wk_ptt_leadtail 0 0"),
                                                   QStringLiteral("wk_ditdah_ratio 50"), QStringLiteral("wk_pincfg 6"),
                                                   QStringLiteral("wk_setmode 0")}));
        QCOMPARE(rig.winKey.sent, QStringLiteral("CQ"));
        QCOMPARE(rig.cw->winKey().statusText(), QStringLiteral("WK Success!"));
        QCOMPARE(rig.cw->winKey().versionText(), QStringLiteral("Version # 23"));
        QVERIFY(rig.fakes.prompts.messages.isEmpty());
    }

    // Unplugged: every attempt tells the operator once and drops the text.
    void unpluggedKeyerOncePerAttempt()
    {
        WinKeyRig rig;
        rig.winKey.openCode = WinKeyLink::kComOpenFailed;
        rig.cw->leaveRepeatField(QStringLiteral("5"));
        rig.cw->FKeyCW(kF1Code);
        rig.cw->FKeyCW(kF1Code + 1);
        QCOMPARE(rig.fakes.prompts.messages.size(), 2);
        QCOMPARE(rig.fakes.prompts.messages.first().title, QStringLiteral("Unable to establish connection with Winkey."));
        QVERIFY(rig.fakes.prompts.messages.first().text.startsWith(
            QStringLiteral("Unable to establish connection with WinKey on com port 0.  Please check")));
        QVERIFY(rig.cw->CwBuffer().isEmpty());
        QVERIFY(!rig.cw->CwRepeat());
        QCOMPARE(rig.cw->winKey().statusText(), QStringLiteral("Com Open Failed"));
    }

    void secondOpenSendsNothing()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.calls.clear();
        rig.cw->winKey().OpenWinKey();
        QCOMPARE(rig.winKey.calls, QStringList{QStringLiteral("wk_open 0")});
        QCOMPARE(rig.cw->winKey().statusText(), QStringLiteral("WK Already Open"));
        QVERIFY(rig.fakes.prompts.messages.isEmpty());
    }

    void fieldRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("sent");
        QTest::newRow("ratio 32") << "ratio" << "32" << "32" << "wk_ditdah_ratio 32";
        QTest::newRow("ratio 67") << "ratio" << "67" << "67" << "wk_ditdah_ratio 67";
        QTest::newRow("ratio 31") << "ratio" << "31" << "31" << "";
        QTest::newRow("ratio 68") << "ratio" << "68" << "68" << "";
        QTest::newRow("ratio abc") << "ratio" << "abc" << "50" << "";
        QTest::newRow("speed 99") << "speed" << "99" << "99" << "wk_wpm 99";
        QTest::newRow("speed 100") << "speed" << "100" << "100" << "";
        QTest::newRow("speed abc") << "speed" << "abc" << "18" << "";
        QTest::newRow("weight abc") << "weight" << "abc" << "50" << "";
        QTest::newRow("lead-in") << "lead" << "12" << "12" << "wk_ptt_leadtail 12 0";
        QTest::newRow("lead-in abc") << "lead" << "abc" << "0" << "";
        QTest::newRow("port") << "port" << "4" << "4" << "";
        QTest::newRow("port abc") << "port" << "abc" << "0" << "";
    }
    void fieldRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, sent);
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.calls.clear();
        WinKeyKeyer& keyer = rig.cw->winKey();
        const QString result = field == QLatin1String("ratio")   ? keyer.leaveRatio(text)
                               : field == QLatin1String("speed") ? keyer.leaveSpeed(text)
                               : field == QLatin1String("weight") ? keyer.leaveWeight(text)
                               : field == QLatin1String("lead")  ? keyer.leaveLeadIn(text)
                                                                 : keyer.leavePort(text);
        QCOMPARE(result, shown);
        QCOMPARE(rig.winKey.calls, sent.isEmpty() ? QStringList() : QStringList{sent});
    }

    void cwSpeedReachesTheKeyer_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<bool>("sent");
        QTest::newRow("4") << "4" << false;
        QTest::newRow("5") << "5" << true;
        QTest::newRow("99") << "99" << true;
        QTest::newRow("100") << "100" << false;
    }
    void cwSpeedReachesTheKeyer()
    {
        QFETCH(QString, speed);
        QFETCH(bool, sent);
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.calls.clear();
        rig.cw->setSpeedText(speed);
        QCOMPARE(rig.winKey.calls, sent ? QStringList{QStringLiteral("wk_wpm ") + speed} : QStringList());
    }

    // The feeder holds while the keyer is full and keeps CwSending on, so closing waits and keyboard CW
    // appends to it instead of starting another.
    void feedingHoldsWhileFullAndStopsOnEscape()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.status = rig.winKey.statusAfterClear = WinKeyLink::kStatusFull;
        rig.cw->setMessage(0, QStringLiteral("CQ CQ"));
        NullVoiceKeyer voice;
        KeyRouter router(*rig.cw, voice, *rig.cw);
        bool sendingWhileFull = false;
        QString bufferWhileFull;
        QTimer::singleShot(50, [&] {
            sendingWhileFull = rig.cw->CwSending();
            bufferWhileFull = rig.cw->CwBuffer();
            router.route(key(Qt::Key_Escape, QStringLiteral("\x1b")), QStringLiteral("CW"));
        });
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(sendingWhileFull);
        QCOMPARE(bufferWhileFull, QStringLiteral("CQ CQ"));
        QVERIFY(rig.winKey.calls.contains(QStringLiteral("wk_clearbuf")));
        QVERIFY(rig.winKey.sent.isEmpty());
        QVERIFY(rig.cw->CwBuffer().isEmpty());
        QVERIFY(!rig.cw->CwSending());
    }

    void backspaceTakesTheBufferFirst()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.cw->CwBuffer() = QStringLiteral("AB");
        rig.cw->winKeyBackspace();
        QCOMPARE(rig.cw->CwBuffer(), QStringLiteral("A"));
        rig.cw->CwBuffer().clear();
        rig.cw->winKeyBackspace();
        QVERIFY(rig.winKey.calls.contains(QStringLiteral("wk_backspace")));
    }

    void newMessageClearsTheKeyersTail()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.status = 2;
        rig.winKey.calls.clear();
        rig.cw->FKeyCW(kF1Code + 1);
        QCOMPARE(rig.winKey.calls.first(), QStringLiteral("wk_clearbuf"));
        QCOMPARE(rig.winKey.sent, QStringLiteral("TU"));
    }

    void breakInEndsTheMessage()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.cw->leaveRepeatField(QStringLiteral("5"));
        rig.winKey.status = rig.winKey.statusAfterClear = WinKeyLink::kStatusFull;
        QTimer::singleShot(30, [&] { rig.winKey.paddleBreakIn(); });
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(rig.cw->CwBuffer().isEmpty());
        QVERIFY(!rig.cw->CwRepeat());
        QVERIFY(rig.winKey.sent.isEmpty());
    }

    // The repeat waits for the keyer to finish sending, then for the interval.
    void repeatCountsFromTheKeyerGoingIdle()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.countPending = true;
        rig.cw->leaveRepeatField(QStringLiteral("0.03"));
        rig.cw->FKeyCW(kF1Code);
        QCOMPARE(rig.winKey.sent, QStringLiteral("CQ"));
        QTest::qWait(120);
        QCOMPARE(rig.winKey.sent, QStringLiteral("CQ")); // still sending: no repeat yet
        rig.winKey.goIdle();
        QTRY_COMPARE_WITH_TIMEOUT(rig.winKey.sent, QStringLiteral("CQCQ"), 2000);
        rig.cw->stopCwRepeat();
    }

    void lostLinkClosesAndTells()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.winKey.status = rig.winKey.statusAfterClear = WinKeyLink::kStatusFull;
        QTimer::singleShot(30, [&] { rig.winKey.lose(QStringLiteral("the keyer stopped answering")); });
        QElapsedTimer took;
        took.start();
        rig.cw->FKeyCW(kF1Code);
        QVERIFY(took.elapsed() < 2000);
        QCOMPARE(rig.cw->winKey().statusText(), QStringLiteral("Closed"));
        QCOMPARE(rig.cw->winKey().versionText(), QStringLiteral("Version #"));
        QCOMPARE(rig.messageTitles(), QStringList{QStringLiteral("WinKey Closed")});
        QVERIFY(rig.cw->CwBuffer().isEmpty());
    }

    void typingFieldSendsOnlyText()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        for (QChar c : {QChar(0x0D), QChar(0x1B), QChar(0x119), QChar(u'k')})
            rig.cw->winKeyTyped(c);
        QCOMPARE(rig.winKey.sent, QStringLiteral("K"));
    }

    void leavingWinKeyClosesTheKeyer()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.cw->setKeyingMethod(KeyingMethod::Rts);
        QVERIFY(!rig.winKey.open);
        QCOMPARE(rig.cw->winKey().statusText(), QStringLiteral("Closed"));
    }

    // One transmit path holds a port: opening the CW port closes the keyer, opening the keyer the CW port.
    void oneTransmitPathHoldsAPort()
    {
        WinKeyRig rig;
        rig.cw->winKey().OpenWinKey();
        rig.cw->setKeyingMethod(KeyingMethod::Rts);
        rig.cw->leavePortField(QStringLiteral("2"));
        QVERIFY(rig.port().isOpen());
        rig.cw->setKeyingMethod(KeyingMethod::WinKey);
        rig.cw->winKey().OpenWinKey();
        QVERIFY(!rig.port().isOpen());
        QVERIFY(rig.winKey.open);
    }
};

QTEST_MAIN(TestWinKeyKeyer)
#include "tst_winkeykeyer.moc"
