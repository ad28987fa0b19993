// The wave player on a PulseAudio null sink: a file plays and ends, what does not play is refused, and
// without a reachable sound server the player refuses instead of "playing" for ever.

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

    void garbageEnds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(writeBytes(path, QByteArray(4000, 'x')));
        QtWavePlayer player;
        QVERIFY(!player.open(dir.filePath(QStringLiteral("missing.wav"))));
        QSignalSpy ended(&player, &WavePlayer::playingEnded);
        // A file the decoder rejects either is refused or ends without sound; it never plays on.
        if (player.open(path) && player.play())
            QVERIFY(ended.wait(5000));
        QVERIFY(!player.isPlaying());
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
