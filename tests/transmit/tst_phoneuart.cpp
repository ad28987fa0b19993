// PTT on the real UART: the voice keyer keys RTS or DTR of /dev/ttyS0 (serial port 1) while the real wave
// player plays on a PulseAudio null sink; a second descriptor reads the lines. Keyed while the sound plays,
// released at its end, on Escape and on closing; a file that cannot play keys nothing.

#include "TransmitTestHelpers.h"
#include "VoiceSession.h"
#include "log/ContestSession.h"
#include "platform/audio/QtWavePlayer.h"
#include "platform/io/ModemLineMonitor.h"
#include "platform/io/SystemStationServices.h"
#include "support/TestServices.h"
#include "support/TestUart.h"
#include "support/WaveFiles.h"
#include "transmit/PhoneKeyer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

struct UartPhone {
    UartPhone()
    {
        session = voiceSession(dir.path(), fakes);
        keyer = std::make_unique<PhoneKeyer>(
            PhoneKeyerContext{fakes.services(), system.services(), *session, ports, player});
    }
    QString wave(int ms)
    {
        const QString path = dir.filePath(QStringLiteral("msg%1.wav").arg(ms));
        writeWave(path, ms);
        return path;
    }

    QTemporaryDir dir;
    TestServices fakes;
    SystemStationServices system{fakes.settings};
    TransmitPorts ports;
    QtWavePlayer player;
    std::unique_ptr<ContestSession> session;
    std::unique_ptr<PhoneKeyer> keyer;
};

} // namespace

class TestPhoneUart : public QObject {
    Q_OBJECT
private:
    ModemLineMonitor m_monitor;

    std::optional<ModemLines> lines() const { return m_monitor.lines(); }
    bool rts() const { return lines() && lines()->rts; }
    bool dtr() const { return lines() && lines()->dtr; }
    bool linesUp() const { return lines() && !lines()->rts && !lines()->dtr; }

private Q_SLOTS:
    void cleanup()
    {
        m_monitor.releaseLines();
        m_monitor.close();
    }

    void keyedForTheSound_data()
    {
        QTest::addColumn<int>("line");
        QTest::newRow("RTS") << int(PttLine::Rts);
        QTest::newRow("DTR") << int(PttLine::Dtr);
    }
    void keyedForTheSound()
    {
        QFETCH(int, line);
        VELM_NEED_TEST_UART(m_monitor);
        UartPhone phone;
        phone.keyer->setMessageFile(0, phone.wave(300));
        phone.keyer->setPttLine(PttLine(line));
        phone.keyer->leavePortField(QStringLiteral("1"));
        QVERIFY2(phone.fakes.prompts.messages.isEmpty(), "the PTT port opened without a message");
        QVERIFY(linesUp());
        QElapsedTimer clock;
        clock.start();
        phone.keyer->FKeyPhone(112);
        QVERIFY(phone.keyer->voicePlaying());
        QCOMPARE(rts(), PttLine(line) == PttLine::Rts);
        QCOMPARE(dtr(), PttLine(line) == PttLine::Dtr);
        // Released once the sound has ended (a generous bound: the null sink reports the end late).
        QVERIFY(waitUntil([&] { return linesUp(); }, 10000));
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(!phone.keyer->voicePlaying());
        QVERIFY(!phone.player.isPlaying());
    }

    void releasedWhenCutShort_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("closing") << "shutdown";
        QTest::newRow("keyer destroyed") << "destroy";
    }
    void releasedWhenCutShort()
    {
        QFETCH(QString, how);
        VELM_NEED_TEST_UART(m_monitor);
        UartPhone phone;
        phone.keyer->setMessageFile(0, phone.wave(5000));
        phone.keyer->leavePortField(QStringLiteral("1"));
        phone.keyer->FKeyPhone(112);
        QTest::qWait(150);
        QVERIFY(rts());
        if (how == "escape")
            phone.keyer->stopVoice();
        else if (how == "shutdown")
            phone.keyer->shutdown();
        else
            phone.keyer.reset();
        QVERIFY(linesUp());
        QVERIFY(!phone.player.isPlaying());
    }

    void unplayableKeysNothing()
    {
        VELM_NEED_TEST_UART(m_monitor);
        UartPhone phone;
        const QString junk = phone.dir.filePath(QStringLiteral("junk.wav"));
        QVERIFY(writeBytes(junk, QByteArray("RIFF\x10\x00\x00\x00WAVEjunkjunk", 20)));
        phone.keyer->setMessageFile(0, junk);
        phone.keyer->leavePortField(QStringLiteral("1"));
        phone.keyer->FKeyPhone(112);
        QVERIFY(linesUp());
        QVERIFY(!phone.keyer->voicePlaying());
        QTest::qWait(100);
        QVERIFY(linesUp());
    }
};

QTEST_GUILESS_MAIN(TestPhoneUart)
#include "tst_phoneuart.moc"
