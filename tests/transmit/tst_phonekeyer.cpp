// The voice keyer on fakes: which function keys play, PTT on RTS, DTR and the parallel port keyed for the
// play and released at its end, the F1 repeat and what ends it, and every way a play can go wrong without
// leaving the transmitter keyed.

#include "TransmitTestHelpers.h"
#include "VoiceSession.h"
#include "log/ContestSession.h"
#include "log/KeyRouter.h"
#include "support/FakeKeyers.h"
#include "support/FakeWavePlayer.h"
#include "support/TestServices.h"
#include "support/TestStationServices.h"
#include "support/WaveFiles.h"
#include "transmit/PhoneKeyer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

using Write = FakeParallelPort::Write;

struct PhoneRig {
    PhoneRig()
    {
        session = voiceSession(dir.path(), fakes);
        keyer = std::make_unique<PhoneKeyer>(
            PhoneKeyerContext{fakes.services(), station.services(), *session, ports, player});
        for (int i = 0; i < 3; ++i) {
            const QString path = dir.filePath(QStringLiteral("f%1.wav").arg(i + 1));
            QVERIFY(writeWave(path, 300));
            keyer->setMessageFile(i, path);
        }
    }
    FakeSerialLine& port() { return *station.serialLines.front(); }
    KeyEdges edges(ModemLine line) { return lineEdges(port(), line); }
    QList<bool> levels(ModemLine line)
    {
        QList<bool> out;
        for (const auto& edge : edges(line))
            out << edge.first;
        return out;
    }
    // The sound ends and the watcher has had its look.
    void finish()
    {
        player.finish();
        QVERIFY(waitUntil([this] { return !keyer->voicePlaying(); }, 1000));
    }

    QTemporaryDir dir;
    TestServices fakes;
    TestStationServices station;
    TransmitPorts ports;
    FakeWavePlayer player;
    std::unique_ptr<ContestSession> session;
    std::unique_ptr<PhoneKeyer> keyer;
};

const QList<bool> kDownUp = {true, false};

} // namespace

class TestPhoneKeyer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyF1ToF9Play_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("plays");
        QTest::newRow("111") << 111 << false;
        QTest::newRow("F1") << 112 << true;
        QTest::newRow("F3") << 114 << true;
        QTest::newRow("F4 empty") << 115 << false;
        QTest::newRow("121") << 121 << false;
    }
    void onlyF1ToF9Play()
    {
        QFETCH(int, code);
        QFETCH(bool, plays);
        PhoneRig rig;
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->FKeyPhone(code);
        QCOMPARE(rig.player.played.size(), plays ? 1 : 0);
        QCOMPARE(rig.port().rts, plays);
        rig.finish();
        QCOMPARE(rig.levels(ModemLine::Rts), plays ? kDownUp : QList<bool>());
    }

    void pttLines_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("rts");
        QTest::addColumn<bool>("dtr");
        QTest::addColumn<QList<Write>>("writes");
        QTest::newRow("RTS") << "1" << int(PttLine::Rts) << "&H378" << true << false << QList<Write>{};
        QTest::newRow("DTR") << "1" << int(PttLine::Dtr) << "&H378" << false << true << QList<Write>{};
        QTest::newRow("no option keys RTS") << "1" << int(PttLine::None) << "&H378" << true << false
                                            << QList<Write>{};
        QTest::newRow("parallel &H278") << "0" << int(PttLine::Parallel) << "&H278" << false << false
                                        << QList<Write>{{634, 3}, {634, 2}};
        QTest::newRow("parallel decimal") << "0" << int(PttLine::Parallel) << "888" << false << false
                                          << QList<Write>{{890, 3}, {890, 2}};
        QTest::newRow("parallel with a port keys RTS too")
            << "1" << int(PttLine::Parallel) << "&H378" << true << false << QList<Write>{{890, 3}, {890, 2}};
        QTest::newRow("parallel, address not a number") << "0" << int(PttLine::Parallel) << "378H" << false
                                                        << false << QList<Write>{};
    }
    void pttLines()
    {
        QFETCH(QString, port);
        QFETCH(int, line);
        QFETCH(QString, address);
        QFETCH(bool, rts);
        QFETCH(bool, dtr);
        QFETCH(QList<Write>, writes);
        PhoneRig rig;
        rig.keyer->leavePortField(port);
        rig.keyer->setPttLine(PttLine(line));
        rig.keyer->setParallelAddress(address);
        rig.keyer->FKeyPhone(112);
        QCOMPARE(rig.player.played.size(), 1);
        QCOMPARE(rig.keyer->transmitting(), rts || dtr || !writes.isEmpty());
        rig.finish();
        QCOMPARE(rig.levels(ModemLine::Rts), rts ? kDownUp : QList<bool>());
        QCOMPARE(rig.levels(ModemLine::Dtr), dtr ? kDownUp : QList<bool>());
        QCOMPARE(rig.station.parallelPort.writes(), writes);
        QVERIFY(!rig.keyer->transmitting());
    }

    // A second key during play replaces the sound at once and holds PTT; an empty key stops and releases.
    void keysDuringPlay()
    {
        PhoneRig rig;
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->FKeyPhone(112);
        rig.keyer->FKeyPhone(113);
        QCOMPARE(rig.player.played, QStringList({rig.dir.filePath("f1.wav"), rig.dir.filePath("f2.wav")}));
        QCOMPARE(rig.levels(ModemLine::Rts), QList<bool>{true});
        QTest::qWait(3 * PhoneKeyer::kWatcherMs);
        QCOMPARE(rig.levels(ModemLine::Rts), QList<bool>{true});
        rig.keyer->FKeyPhone(115); // F4 is empty
        QVERIFY(!rig.player.isPlaying());
        QVERIFY(!rig.keyer->voicePlaying());
        QCOMPARE(rig.levels(ModemLine::Rts), kDownUp);
    }

    void repeatEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("any key") << "key";
        QTest::newRow("Stop button") << "stop";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("mode switched to CW") << "mode";
    }
    void repeatEnds()
    {
        QFETCH(QString, how);
        PhoneRig rig;
        rig.keyer->leavePortField(QStringLiteral("1"));
        QVERIFY(rig.keyer->leaveRepeatField(QStringLiteral("0.05")));
        QVERIFY(rig.keyer->Command11_Click()); // "Test" plays F1 and the repeat is on
        rig.finish();
        QVERIFY(waitUntil([&] { return rig.player.played.size() == 2; }, 2000));
        QVERIFY(rig.keyer->voicePlaying());

        FakeKeyers cw;
        KeyRouter router(cw, *rig.keyer, cw);
        if (how == "key") {
            router.route(KeyStroke{Qt::Key_A, Qt::NoModifier, QStringLiteral("a")}, QStringLiteral("PH"));
        } else if (how == "stop") {
            rig.keyer->Command12_Click();
        } else if (how == "escape") {
            const KeyOutcome outcome = router.route(KeyStroke{Qt::Key_Escape, Qt::NoModifier, QString()},
                                                    QStringLiteral("PH"));
            QVERIFY(outcome.consumed);
            QVERIFY(!rig.keyer->voicePlaying());
        } else {
            rig.session->selectMode(QStringLiteral("CW"));
        }
        QVERIFY(!rig.keyer->VoiceRepeat());
        if (rig.keyer->voicePlaying())
            rig.finish();
        QTest::qWait(200);
        QCOMPARE(rig.player.played.size(), 2);
        QVERIFY(!rig.port().rts);
        QCOMPARE(rig.levels(ModemLine::Rts), QList<bool>({true, false, true, false}));
    }

    // Nothing is keyed for a play that cannot start; a play that fails later releases at once.
    void refusedBeforePtt_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("refuseOpen");
        QTest::addColumn<bool>("refusePlay");
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("not a wave") << QByteArray("hello, not a wave file") << false << false;
        QTest::newRow("truncated") << waveBytes(300).left(50) << false << false;
        QTest::newRow("player refuses the file") << waveBytes(300) << true << false;
        QTest::newRow("player refuses to play") << waveBytes(300) << false << true;
    }
    void refusedBeforePtt()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, refuseOpen);
        QFETCH(bool, refusePlay);
        PhoneRig rig;
        const QString path = rig.dir.filePath(QStringLiteral("f5.wav"));
        if (!file.isEmpty())
            QVERIFY(writeBytes(path, file));
        rig.keyer->setMessageFile(4, path);
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->setPttLine(PttLine::Parallel);
        rig.player.refuseOpen = refuseOpen;
        rig.player.refusePlay = refusePlay;
        rig.keyer->FKeyPhone(116);
        QVERIFY(!rig.keyer->voicePlaying());
        QVERIFY(!rig.keyer->transmitting());
        QVERIFY(!rig.port().rts);
        QCOMPARE(rig.levels(ModemLine::Rts), refusePlay ? kDownUp : QList<bool>());
        QCOMPARE(rig.station.parallelPort.writes().size(), refusePlay ? 2 : 0);
        QCOMPARE(rig.fakes.prompts.messages.size(), 0); // silent
    }

    // An output that never reports the end: released once the play outlasts the file by the margin.
    void playThatNeverEnds()
    {
        PhoneRig rig;
        const QString path = rig.dir.filePath(QStringLiteral("short.wav"));
        QVERIFY(writeWave(path, 20));
        rig.keyer->setMessageFile(0, path);
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->FKeyPhone(112);
        QVERIFY(rig.port().rts);
        QTest::qWait(PhoneKeyer::kOverrunMs - 300);
        QVERIFY(rig.port().rts);
        QVERIFY(waitUntil([&] { return !rig.port().rts; }, 2000));
        QVERIFY(!rig.player.isPlaying());
    }

    // The lines keyed are the lines released, whatever the settings became during the play.
    void releasesWhatWasKeyed()
    {
        PhoneRig rig;
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->setPttLine(PttLine::Parallel);
        rig.keyer->setParallelAddress(QStringLiteral("&H278"));
        rig.keyer->FKeyPhone(112);
        rig.keyer->setPttLine(PttLine::Dtr);
        rig.keyer->setParallelAddress(QStringLiteral("&H378"));
        rig.finish();
        QCOMPARE(rig.levels(ModemLine::Rts), kDownUp);
        QCOMPARE(rig.levels(ModemLine::Dtr), QList<bool>());
        QCOMPARE(rig.station.parallelPort.writes(), (QList<Write>{{634, 3}, {634, 2}}));
    }

    // However the port goes (field set to 0, another transmit path, closing, the device vanishing), the
    // play ends and the line is released.
    void portGoes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("port changed to 0") << "zero";
        QTest::newRow("CW takes the port") << "cw";
        QTest::newRow("closing") << "shutdown";
        QTest::newRow("device vanishes") << "vanish";
    }
    void portGoes()
    {
        QFETCH(QString, how);
        PhoneRig rig;
        rig.keyer->leavePortField(QStringLiteral("1"));
        rig.keyer->setPttLine(PttLine::Parallel);
        rig.keyer->FKeyPhone(112);
        QVERIFY(rig.port().rts);
        if (how == "zero")
            QCOMPARE(rig.keyer->leavePortField(QStringLiteral("0")), QStringLiteral("0"));
        else if (how == "cw")
            rig.ports.opening(TransmitPath::Cw);
        else if (how == "shutdown")
            rig.keyer->shutdown();
        else
            rig.port().vanish();
        QVERIFY(!rig.port().isOpen());
        QVERIFY(!rig.port().rts);
        QVERIFY(!rig.keyer->voicePlaying());
        QVERIFY(!rig.keyer->transmitting());
        QVERIFY(!rig.player.isPlaying());
        QCOMPARE(rig.station.parallelPort.writes().last(), (Write{890, 2}));
        QCOMPARE(rig.fakes.prompts.messages.size(), how == "vanish" ? 1 : 0);
    }

    void invalidPort()
    {
        PhoneRig rig;
        rig.station.prepareSerialLine = [](FakeSerialLine& line) {
            line.failNextOpen(SerialError::NotFound, QStringLiteral("No such file or directory"));
        };
        PhoneKeyer keyer(PhoneKeyerContext{rig.fakes.services(), rig.station.services(), *rig.session, rig.ports,
                                           rig.player});
        keyer.setMessageFile(0, rig.dir.filePath(QStringLiteral("f1.wav")));
        QSignalSpy shown(&keyer, &PhoneKeyer::setupWindowWanted);
        QCOMPARE(keyer.leavePortField(QStringLiteral("7")), QStringLiteral("7"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(rig.fakes.prompts.beeps, 1);
        QCOMPARE(rig.fakes.prompts.messages.size(), 1);
        QCOMPARE(rig.fakes.prompts.messages[0].title, QStringLiteral("Invalid port."));
        QCOMPARE(rig.fakes.prompts.messages[0].text,
                 QStringLiteral("The port you have selected for Phone keying is invalid.  Please select another "
                                "or enter 0 for none."));
        QVERIFY(rig.fakes.prompts.messages[0].details.contains(QStringLiteral("ttyS6")));
    }

    void fieldRules()
    {
        PhoneRig rig;
        QCOMPARE(rig.keyer->leavePortField(QStringLiteral("x")), QStringLiteral("0"));
        for (const char* refused : {"abc", "60", "-1"}) {
            QVERIFY(!rig.keyer->leaveRepeatField(QString::fromLatin1(refused)));
            QCOMPARE(rig.keyer->settings().repeatText, QStringLiteral("0"));
        }
        QCOMPARE(rig.fakes.prompts.beeps, 3);
        QVERIFY(rig.keyer->leaveRepeatField(QStringLiteral("59.5")));
        QCOMPARE(rig.keyer->setParallelAddress(QStringLiteral("&h\"27a")), QStringLiteral("&H27A"));
        QVERIFY(!rig.keyer->setMessageFile(0, QStringLiteral("/tmp/\"cq\".wav")));
        QCOMPARE(rig.keyer->settings().files[0], rig.dir.filePath(QStringLiteral("f1.wav")));
    }

    void settingsSavedAndLoaded()
    {
        PhoneRig rig;
        rig.keyer->setPttLine(PttLine::Dtr);
        rig.keyer->leaveRepeatField(QStringLiteral("10"));
        QVERIFY(rig.keyer->Command1_Click(nullptr).ok);
        PhoneKeyer again(PhoneKeyerContext{rig.fakes.services(), rig.station.services(), *rig.session,
                                           rig.ports, rig.player});
        QCOMPARE(again.startUp(), QString());
        QCOMPARE(again.settings().line, PttLine::Dtr);
        QCOMPARE(again.settings().repeatText, QStringLiteral("10"));
        QCOMPARE(again.settings().files[1], rig.dir.filePath(QStringLiteral("f2.wav")));
    }
};

QTEST_GUILESS_MAIN(TestPhoneKeyer)
#include "tst_phonekeyer.moc"
