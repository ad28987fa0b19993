// The wave player on a PulseAudio null sink: a file plays and ends, what does not play is refused, and
// without a reachable sound server the player refuses instead of "playing" for ever.

#include "platform/WaveFileInfo.h"
#include "platform/audio/QtWavePlayer.h"
#include "support/WaveFiles.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

class TestWavePlayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playsToTheEnd()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeWave(path, 300));
        QtWavePlayer player;
        QSignalSpy ended(&player, &WavePlayer::playingEnded);
        QVERIFY2(player.open(path), qPrintable(player.errorString()));
        QVERIFY(player.play());
        QVERIFY(player.isPlaying()); // from the accepted play on, loading included
        QElapsedTimer clock;
        clock.start();
        QVERIFY(ended.wait(10000));
        QVERIFY(!player.isPlaying());
        QVERIFY(clock.elapsed() >= 250);
        QCOMPARE(ended.size(), 1);
    }

    void stopEndsAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.wav"));
        QVERIFY(writeWave(path, 5000));
        QtWavePlayer player;
        QSignalSpy ended(&player, &WavePlayer::playingEnded);
        QVERIFY(player.open(path));
        QVERIFY(player.play());
        QTest::qWait(100);
        player.stop();
        QVERIFY(!player.isPlaying());
        QCOMPARE(ended.size(), 1);
        // Playing again after a stop works.
        QVERIFY(player.play());
        QVERIFY(player.isPlaying());
        player.close();
        QVERIFY(!player.isPlaying());
    }

    // Files that are not plain PCM never reach the decoder (an error there can leave later sounds stuck).
    void garbageRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(writeBytes(path, QByteArray(4000, 'x')));
        QtWavePlayer player;
        QVERIFY(!player.open(dir.filePath(QStringLiteral("missing.wav"))));
        QVERIFY(!player.open(path));
        QVERIFY(player.errorString().contains(QStringLiteral("junk.wav")));
        QVERIFY(!player.play());
        QVERIFY(!player.isPlaying());
    }

    // Every prompt that comes with the program reads as PCM and plays to its end (all at once, each on a
    // player of its own, as the bench of a null sink allows).
    void shippedPromptsPlay()
    {
        const QStringList names = {"Call", "SPC", "RstRcvd", "RstSnt", "VelmPwr", "Dupe", "NavEn", "NavDis"};
        std::vector<std::unique_ptr<QtWavePlayer>> players;
        std::vector<qint64> lengths;
        QElapsedTimer clock;
        clock.start();
        for (const QString& name : names) {
            const QString path = QStringLiteral(VELM_DATA_DIR "/") + name + QStringLiteral(".wav");
            const WaveFileCheck check = readWaveFileInfo(path);
            QVERIFY2(check.ok(), qPrintable(name + ": " + check.problem));
            QVERIFY(check.format->durationMs() > 300 && check.format->durationMs() < 3000);
            lengths.push_back(check.format->durationMs());
            players.push_back(std::make_unique<QtWavePlayer>());
            QVERIFY2(players.back()->open(path), qPrintable(players.back()->errorString()));
            QVERIFY(players.back()->play());
        }
        for (std::size_t i = 0; i < players.size(); ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(!players[i]->isPlaying(), 15000);
            QVERIFY2(clock.elapsed() >= lengths[i] - 50, qPrintable(names[int(i)]));
        }
    }

    // Run by tst_waveplayer_noserver, whose PULSE_SERVER names a socket that does not exist.
    void refusesWithoutServer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeWave(path, 300));
        QtWavePlayer player;
        QVERIFY(!player.open(path));
        QVERIFY(!player.errorString().isEmpty());
        QVERIFY(!player.play());
        QVERIFY(!player.isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestWavePlayer)
#include "tst_waveplayer.moc"
