// Voice navigation on a fake player: prompts found in the program folder under any letter case, cut off by
// the next, silent when missing or while the transmitter is keyed; the bounded wait; the window's options,
// their spoken confirmations and the stored level.

#include "TransmitTestHelpers.h"
#include "VoiceSession.h"
#include "log/ContestSession.h"
#include "support/FakeWavePlayer.h"
#include "support/TestServices.h"
#include "support/WaveFiles.h"
#include "transmit/VoiceNavigation.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

struct NavRig {
    explicit NavRig(int promptMs = 50)
    {
        session = voiceSession(dir.path(), fakes);
        navigation = std::make_unique<VoiceNavigation>(
            VoiceNavigationContext{*session, player, [this] { return onAir; }});
        for (const char* name : {"Call", "NavEn", "NavDis", "dupe"})
            writeWave(dir.filePath(QString::fromLatin1(name) + QStringLiteral(".wav")), promptMs);
    }
    QString prompt(const char* name) const { return dir.filePath(QString::fromLatin1(name) + ".wav"); }

    QTemporaryDir dir;
    TestServices fakes;
    FakeWavePlayer player;
    bool onAir = false;
    std::unique_ptr<ContestSession> session;
    std::unique_ptr<VoiceNavigation> navigation;
};

} // namespace

class TestVoiceNavigation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void promptsFromTheProgramFolder()
    {
        NavRig rig;
        rig.navigation->BlindKeyPhone(QStringLiteral("Call"));
        rig.navigation->BlindKeyPhone(QStringLiteral("Dupe")); // dupe.wav on disk
        QCOMPARE(rig.player.played, QStringList({rig.prompt("Call"), rig.prompt("dupe")}));
        // The second cut the first off.
        QCOMPARE(rig.player.calls.mid(2, 2), QStringList({"close", "open " + rig.prompt("dupe")}));
        QVERIFY(rig.navigation->promptPlaying());
    }

    void silentPrompts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("onAir");
        QTest::addColumn<bool>("refuse");
        QTest::newRow("missing file") << "SPC" << false << false;
        QTest::newRow("transmitter keyed") << "Call" << true << false;
        QTest::newRow("player refuses") << "Call" << false << true;
    }
    void silentPrompts()
    {
        QFETCH(QString, name);
        QFETCH(bool, onAir);
        QFETCH(bool, refuse);
        NavRig rig;
        rig.navigation->BlindKeyPhone(QStringLiteral("NavEn"));
        rig.onAir = onAir;
        rig.player.refuseOpen = refuse;
        rig.navigation->BlindKeyPhone(name);
        QCOMPARE(rig.player.played.size(), 1);
        QVERIFY(!rig.navigation->promptPlaying()); // the prompt before was still cut off
        QElapsedTimer clock;
        clock.start();
        rig.navigation->waitForPrompt();
        QVERIFY(clock.elapsed() < 50);
        QCOMPARE(rig.fakes.prompts.messages.size(), 0);
        QCOMPARE(rig.fakes.prompts.beeps, 0);
    }

    void waitEndsWithThePrompt()
    {
        NavRig rig;
        rig.navigation->BlindKeyPhone(QStringLiteral("Call"));
        QTimer::singleShot(150, &rig.player, &FakeWavePlayer::finish);
        QElapsedTimer clock;
        clock.start();
        rig.navigation->waitForPrompt();
        QVERIFY(!rig.navigation->promptPlaying());
        QVERIFY(clock.elapsed() >= 140);
        QVERIFY(clock.elapsed() < 800);
    }

    // A player that never reports the end holds nothing longer than the prompt and a second.
    void waitIsBounded()
    {
        NavRig rig;
        rig.navigation->BlindKeyPhone(QStringLiteral("Call"));
        QElapsedTimer clock;
        clock.start();
        rig.navigation->waitForPrompt();
        QVERIFY(rig.player.isPlaying());
        QVERIFY(clock.elapsed() >= 50 + VoiceNavigation::kWaitMarginMs - 100);
        QVERIFY(clock.elapsed() < 50 + VoiceNavigation::kWaitMarginMs + 500);
    }

    void confirmations_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("spoken");
        QTest::newRow("Off") << 0 << QStringList{"NavDis"};
        QTest::newRow("Call Only") << 1 << QStringList{"NavEn", "Call"};
        QTest::newRow("All Data Fields") << 2 << QStringList{"NavEn"};
    }
    void confirmations()
    {
        QFETCH(int, level);
        QFETCH(QStringList, spoken);
        NavRig rig;
        QTimer::singleShot(100, &rig.player, &FakeWavePlayer::finish);
        QElapsedTimer clock;
        clock.start();
        rig.navigation->optionChosen(VoiceNavLevel(level));
        QStringList expected;
        for (const QString& name : spoken)
            expected << rig.dir.filePath(name + ".wav");
        QCOMPARE(rig.player.played, expected);
        // "Call" follows only once "NavEn" has ended.
        if (spoken.size() == 2)
            QVERIFY(clock.elapsed() >= 90);
    }

    void storedLevel_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("above 2 is All Data Fields") << 7 << 2;
    }
    void storedLevel()
    {
        QFETCH(int, stored);
        QFETCH(int, selected);
        NavRig rig;
        QVERIFY(rig.navigation->Command1_Click(VoiceNavLevel::Off).ok);
        QVERIFY(rig.session->setVoiceNavLevel(quint8(stored)).ok);
        QCOMPARE(int(rig.navigation->levelToSelect()), selected);
        // "Done" stores the choice in qrppref.txt.
        QVERIFY(rig.navigation->Command1_Click(VoiceNavLevel(selected)).ok);
        ContestSession reread(rig.fakes.services(), ProgramFolder(rig.dir.path()), rig.session->userFolders());
        QVERIFY(reread.ReadPreferences().ok);
        QCOMPARE(int(reread.preferences().VoiceNavLevel), selected);
        QCOMPARE(QDir::currentPath(), QDir(rig.dir.path()).canonicalPath());
    }
};

QTEST_GUILESS_MAIN(TestVoiceNavigation)
#include "tst_voicenavigation.moc"
