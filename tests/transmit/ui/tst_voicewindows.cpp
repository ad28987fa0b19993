// The voice keyer and voice navigation windows: every control reachable by Tab and named for a screen
// reader; "Browse" and its refusals, the field rules, "Test" / "Stop", "Done" and its failure; the
// navigation window selecting and speaking the stored level.

#include "../VoiceSession.h"
#include "log/ContestSession.h"
#include "support/FakeWavePlayer.h"
#include "support/TestServices.h"
#include "support/TestStationServices.h"
#include "support/WaveFiles.h"
#include "transmit/PhoneKeyer.h"
#include "transmit/VoiceNavigation.h"
#include "transmit/ui/BlindFrm.h"
#include "transmit/ui/PhoneFrm.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

struct WindowRig {
    WindowRig()
    {
        session = voiceSession(dir.path(), fakes);
        keyer = std::make_unique<PhoneKeyer>(
            PhoneKeyerContext{fakes.services(), station.services(), *session, ports, voicePlayer});
        navigation = std::make_unique<VoiceNavigation>(VoiceNavigationContext{*session, promptPlayer, {}});
        phone = std::make_unique<PhoneFrm>(*keyer, fakes.prompts, station.catalog);
        blind = std::make_unique<BlindFrm>(*navigation);
    }

    QTemporaryDir dir;
    TestServices fakes;
    TestStationServices station;
    TransmitPorts ports;
    FakeWavePlayer voicePlayer, promptPlayer;
    std::unique_ptr<ContestSession> session;
    std::unique_ptr<PhoneKeyer> keyer;
    std::unique_ptr<VoiceNavigation> navigation;
    std::unique_ptr<PhoneFrm> phone;
    std::unique_ptr<BlindFrm> blind;
};

QString spokenName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every control that takes the focus is in the Tab chain from the first and has a name.
void checkKeyboardAndNames(QWidget* window, QWidget* first)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QList<QWidget*> chain;
    for (QWidget* w = first; w && !chain.contains(w); w = w->nextInFocusChain()) {
        if (w->isVisibleTo(window) && w->focusPolicy() & Qt::TabFocus && window->isAncestorOf(w))
            chain << w;
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        QVERIFY2(chain.contains(w), qPrintable(w->objectName() + " cannot be reached by Tab"));
        QVERIFY2(!spokenName(w).isEmpty(), qPrintable(w->objectName() + " has no accessible name"));
    }
}

} // namespace

class TestVoiceWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void phoneWindowByKeyboard()
    {
        WindowRig rig;
        checkKeyboardAndNames(rig.phone.get(), rig.phone->Text1);
        QCOMPARE(rig.phone->windowTitle(), QStringLiteral("Phone Wave Selections"));
        QCOMPARE(rig.phone->Text3->accessibleName(), QStringLiteral("F3 message file"));
        QCOMPARE(rig.phone->Command4->accessibleName(), QStringLiteral("Browse for F3"));
        QCOMPARE(rig.phone->Text10->accessibleName(), QStringLiteral("PTT serial port"));
    }

    void browse()
    {
        WindowRig rig;
        const QString chosen = rig.dir.filePath(QStringLiteral("cq.wav"));
        rig.fakes.prompts.fileAnswers = {std::nullopt, chosen, QStringLiteral("/tmp/\"x\".wav")};
        rig.phone->Command4->click(); // cancelled
        QCOMPARE(rig.fakes.prompts.beeps, 1);
        QCOMPARE(rig.phone->Text3->text(), QString());
        QCOMPARE(rig.fakes.prompts.fileFilters.value(0), QStringLiteral("(*.wav)"));
        rig.phone->Command4->click();
        QCOMPARE(rig.phone->Text3->text(), chosen);
        QCOMPARE(rig.keyer->settings().files[2], chosen);
        rig.phone->Command4->click(); // a path wave2.txt cannot hold
        QCOMPARE(rig.fakes.prompts.beeps, 2);
        QCOMPARE(rig.keyer->settings().files[2], chosen);
    }

    void fieldRules()
    {
        WindowRig rig;
        rig.phone->show();
        rig.phone->txtPHLoop->setText(QStringLiteral("75"));
        QTest::keyClick(rig.phone->txtPHLoop, Qt::Key_Return); // the field is done with
        QCOMPARE(rig.phone->txtPHLoop->text(), QStringLiteral("0"));
        QCOMPARE(rig.fakes.prompts.beeps, 1);
        rig.phone->Text11->clear();
        QTest::keyClicks(rig.phone->Text11, QStringLiteral("&h\"278"));
        QCOMPARE(rig.phone->Text11->text(), QStringLiteral("&H278"));
        QCOMPARE(rig.keyer->settings().parallelAddress, QStringLiteral("&H278"));
        rig.phone->Option2->click();
        QCOMPARE(rig.keyer->settings().line, PttLine::Dtr);
        rig.phone->Text10->clear();
        QTest::keyClick(rig.phone->Text10, Qt::Key_Return);
        QCOMPARE(rig.phone->Text10->text(), QStringLiteral("0"));
    }

    void testAndStop()
    {
        WindowRig rig;
        const QString f1 = rig.dir.filePath(QStringLiteral("f1.wav"));
        QVERIFY(writeWave(f1, 300));
        rig.keyer->setMessageFile(0, f1);
        rig.keyer->leaveRepeatField(QStringLiteral("10"));
        rig.phone->show();
        QVERIFY(!rig.phone->Command12->isVisible());
        rig.phone->Command11->click();
        QCOMPARE(rig.voicePlayer.played, QStringList{f1});
        QVERIFY(rig.phone->Command12->isVisible());
        rig.phone->Command12->click();
        QVERIFY(!rig.keyer->VoiceRepeat());
        QVERIFY(!rig.phone->Command12->isVisible());
    }

    void done()
    {
        WindowRig rig;
        rig.phone->show();
        rig.phone->Option2->click();
        rig.phone->Command1->click();
        QVERIFY(!rig.phone->isVisible());
        QFile saved(rig.dir.filePath(QStringLiteral("wave2.txt")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().split('\n').value(10), QByteArray("1\r"));
    }

    // A save that fails says which file and why, and the window stays.
    void doneFails()
    {
        WindowRig rig;
        QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("wave2.txt"))); // a folder where the file goes
        rig.phone->show();
        rig.phone->Command1->click();
        QVERIFY(rig.phone->isVisible());
        QCOMPARE(rig.fakes.prompts.messages.size(), 1);
        QVERIFY(rig.fakes.prompts.messages[0].details.contains(QStringLiteral("wave2.txt")));
    }

    void blindWindow_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("off") << 0 << "Option1" << "NavDis";
        QTest::newRow("call only") << 1 << "Option2" << "NavEn";
        QTest::newRow("all") << 2 << "Option3" << "NavEn";
        QTest::newRow("above 2") << 9 << "Option3" << "NavEn";
    }
    void blindWindow()
    {
        QFETCH(int, stored);
        QFETCH(QString, checked);
        QFETCH(QString, spoken);
        WindowRig rig;
        for (const char* name : {"NavEn", "NavDis", "Call"})
            QVERIFY(writeWave(rig.dir.filePath(QString::fromLatin1(name) + ".wav"), 20));
        QVERIFY(rig.session->setVoiceNavLevel(quint8(stored)).ok);
        QTimer::singleShot(50, &rig.promptPlayer, &FakeWavePlayer::finish);
        rig.blind->showNormalRaised();
        QVERIFY(rig.blind->findChild<QRadioButton*>(checked)->isChecked());
        QCOMPARE(rig.promptPlayer.played.value(0), rig.dir.filePath(spoken + ".wav"));
        QVERIFY(rig.blind->lblFolder->text().endsWith(QDir::toNativeSeparators(rig.dir.path())));
        // Choosing Off speaks NavDis; "Done" stores what is selected.
        rig.blind->Option1->click();
        QCOMPARE(rig.promptPlayer.played.last(), rig.dir.filePath("NavDis.wav"));
        rig.blind->Option3->click();
        rig.blind->Command1->click();
        QVERIFY(!rig.blind->isVisible());
        QCOMPARE(int(rig.session->preferences().VoiceNavLevel), 2);
    }

    void blindWindowByKeyboard()
    {
        WindowRig rig;
        checkKeyboardAndNames(rig.blind.get(), rig.blind->Option1);
        QCOMPARE(rig.blind->windowTitle(), QStringLiteral("Voice Navigation Settings"));
    }
};

QTEST_MAIN(TestVoiceWindows)
#include "tst_voicewindows.moc"
