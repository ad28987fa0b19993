// The WinKey host protocol against an emulated keyer on a socat pseudo-terminal pair: the open sequence and
// each of its result codes, text with flow control, clear, backspace, break-in, pot and stray bytes, a keyer
// gone silent, the device vanishing mid-message, no command byte from text, "clear, host close" on close;
// a fake line for the port's own failures.

#include "TransmitTestHelpers.h"
#include "platform/SerialPortTable.h"
#include "platform/io/QtSerialLine.h"
#include "support/FakeSerialLine.h"
#include "support/MemorySettingsStore.h"
#include "support/SocatPair.h"
#include "support/WinKeyEmulator.h"
#include "transmit/WinKeyProtocolLink.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {
WinKeyTimings quick()
{
    WinKeyTimings t;
    t.powerUpMs = 20;
    t.echoTimeoutMs = 300;
    t.openTimeoutMs = 300;
    t.quietMarginMs = 200;
    t.statusTimeoutMs = 200;
    t.idleSettleGuardMs = 50;
    return t;
}

// Host on side A through QtSerialLine, the emulated keyer on side B; port 7 means side A.
struct Bench {
    SocatPair socat;
    MemorySettingsStore settings;
    SerialPortTable ports{settings};
    QtSerialLine device;
    std::unique_ptr<WinKeyEmulator> keyer;
    std::unique_ptr<WinKeyProtocolLink> link;

    QString start()
    {
        if (!SocatPair::available())
            return QStringLiteral("socat is not installed");
        if (!socat.start())
            return socat.errorString();
        ports.setDevicePath(7, socat.pathA());
        if (!device.open(socat.pathB()))
            return device.errorString();
        keyer = std::make_unique<WinKeyEmulator>(device);
        link = std::make_unique<WinKeyProtocolLink>(ports, std::make_unique<QtSerialLine>(), quick());
        return {};
    }
    int open(quint8* version = nullptr)
    {
        quint8 v = 0;
        const int code = link->wk_open(v, 7);
        if (version)
            *version = v;
        return code;
    }
    // Feeds text as WKTransmit does: holds while the keyer is full.
    void feed(const QString& text)
    {
        for (QChar c : text) {
            QVERIFY(waitUntil([&] { return link->wk_getstatus() < WinKeyLink::kStatusFull; }, 5000));
            link->wk_char(quint8(c.unicode()));
        }
    }
};

// A link on a fake line that answers the echo test and the host open (version 23).
struct OpenOnFake {
    OpenOnFake()
    {
        auto line = std::make_unique<FakeSerialLine>();
        line->addReply(QByteArray("\x00\x04", 2), QByteArray("U"));
        line->addReply(QByteArray("\x00\x02", 2), QByteArray("\x17"));
        fakeLine = line.get();
        link = std::make_unique<WinKeyProtocolLink>(ports, std::move(line), quick());
    }
    int open()
    {
        quint8 version = 0;
        return link->wk_open(version, 2);
    }

    MemorySettingsStore settings;
    SerialPortTable ports{settings};
    FakeSerialLine* fakeLine = nullptr;
    std::unique_ptr<WinKeyProtocolLink> link;
    FakeSerialLine& fake() const { return *fakeLine; }
};

#define START(bench)                                                                                         \
    do {                                                                                                     \
        const QString skip = (bench).start();                                                                \
        if (!skip.isEmpty())                                                                                 \
            QSKIP(qPrintable(skip));                                                                         \
    } while (false)
} // namespace

class TestWinKeyLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textBytes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("A") << int('A') << QByteArray("A");
        QTest::newRow("a upper-cased") << int('a') << QByteArray("A");
        QTest::newRow("space") << int(' ') << QByteArray(" ");
        QTest::newRow("[ is AR") << int('[') << QByteArray("\x1b" "AR");
        QTest::newRow("] is SK") << int(']') << QByteArray("\x1b" "SK");
        QTest::newRow("; is KN") << int(';') << QByteArray("\x1b" "KN");
        QTest::newRow("backslash is CL") << int('\\') << QByteArray("\x1b" "CL");
        QTest::newRow("! never") << int('!') << QByteArray();
        QTest::newRow("Enter") << 0x0D << QByteArray();
        QTest::newRow("Escape") << 0x1B << QByteArray();
        QTest::newRow("0x19 key down") << 0x19 << QByteArray();
        QTest::newRow("DEL") << 0x7F << QByteArray();
        QTest::newRow("Latin-1") << 0xE9 << QByteArray();
    }
    void textBytes()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, bytes);
        QCOMPARE(winKeyTextBytes(quint8(code)), bytes);
    }

    void openSequence()
    {
        Bench bench;
        START(bench);
        quint8 version = 0;
        QCOMPARE(bench.open(&version), WinKeyLink::kSuccess);
        QCOMPARE(version, quint8(23));
        QVERIFY(bench.link->isOpen());
        QVERIFY(bench.keyer->hostOpen);
        QCOMPARE(bench.keyer->nulls, 4);
        QVERIFY(bench.keyer->hostBytes.startsWith(QByteArray("\x13\x13\x13\x13\x00\x04U\x00\x02", 9)));
        QVERIFY(bench.keyer->mode & WinKeyProtocolLink::kSerialEcho);
        QCOMPARE(bench.open(), WinKeyLink::kAlreadyOpen);
    }

    void openFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::newRow("no echo") << "noEcho" << WinKeyLink::kNoEcho;
        QTest::newRow("echo mismatch") << "mismatch" << WinKeyLink::kEchoMismatch;
        QTest::newRow("no version") << "noOpen" << WinKeyLink::kNoOpenResponse;
        QTest::newRow("no device") << "noDevice" << WinKeyLink::kComOpenFailed;
    }
    void openFailures()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        Bench bench;
        START(bench);
        bench.keyer->answerEcho = fault != QLatin1String("noEcho");
        bench.keyer->echoReply = fault == QLatin1String("mismatch") ? 'X' : 0;
        bench.keyer->answerOpen = fault != QLatin1String("noOpen");
        if (fault == QLatin1String("noDevice"))
            bench.ports.setDevicePath(7, bench.socat.pathA() + QStringLiteral(".missing"));
        quint8 version = 9;
        QCOMPARE(bench.open(&version), code);
        QCOMPARE(version, quint8(0));
        QVERIFY(!bench.link->isOpen());
        QVERIFY(!bench.link->openFailure().isEmpty());
    }

    void portStateFailures_data()
    {
        QTest::addColumn<bool>("atOpen");
        QTest::addColumn<int>("code");
        QTest::newRow("the port's own state") << true << WinKeyLink::kGetComStateFailed;
        QTest::newRow("1200 8N2 refused") << false << WinKeyLink::kSetComStateFailed;
    }
    void portStateFailures()
    {
        QFETCH(bool, atOpen);
        QFETCH(int, code);
        MemorySettingsStore settings;
        SerialPortTable ports(settings);
        auto line = std::make_unique<FakeSerialLine>();
        FakeSerialLine& fake = *line;
        if (atOpen)
            fake.failNextOpen(SerialError::SettingsRejected, QStringLiteral("rejected"));
        else
            fake.settingsChangesAccepted = false;
        WinKeyProtocolLink link(ports, std::move(line), quick());
        quint8 version = 0;
        QCOMPARE(link.wk_open(version, 2), code);
        QVERIFY(!fake.isOpen());
    }

    // A crash or a kill sends what close would.
    void emergencyBytesAreTheClose()
    {
        OpenOnFake opened;
        FakeSerialLine& fake = opened.fake();
        QCOMPARE(opened.open(), WinKeyLink::kSuccess);
        QCOMPARE(fake.emergencyBytes, QByteArray("\x0A\x00\x03", 3));
        QVERIFY(fake.dtr);
        QCOMPARE(fake.settings, (SerialLineSettings{1200, Parity::None, 8, 2}));
    }

    // A prosign is echoed as its two letters: the host counts both, so the keyer is not taken for idle
    // while the letters after a prosign are still being keyed.
    void aProsignCountsAsTheTwoLettersItEchoes()
    {
        OpenOnFake opened;
        FakeSerialLine& fake = opened.fake();
        WinKeyProtocolLink& link = *opened.link;
        QCOMPARE(opened.open(), WinKeyLink::kSuccess);
        QCOMPARE(link.wk_char('['), WinKeyLink::kSuccess);
        QCOMPARE(link.wk_char('E'), WinKeyLink::kSuccess);
        fake.feed("AR"); // the prosign keyed; E still in the keyer
        QCOMPARE(link.wk_getstatus(), 1);
        fake.feed("E");
        QCOMPARE(link.wk_getstatus(), 0);
    }

    // Text goes through the keyer's small buffer without loss, held while XOFF.
    void flowControl()
    {
        Bench bench;
        START(bench);
        bench.keyer->bufferSize = 6;
        bench.keyer->msPerCharacter = 5;
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        QSignalSpy idle(bench.link.get(), &WinKeyLink::idle);
        const QString text = QStringLiteral("CQ CQ TEST DE K1ABC [ ]");
        bench.feed(text);
        QTRY_COMPARE_WITH_TIMEOUT(bench.link->wk_getstatus(), 0, 5000);
        QCOMPARE(bench.keyer->overflows, 0);
        QCOMPARE(bench.keyer->keyed, QStringLiteral("CQ CQ TEST DE K1ABC <AR> <SK>"));
        QVERIFY(idle.count() >= 1);
    }

    void clearBackspaceAndSettings()
    {
        Bench bench;
        START(bench);
        bench.keyer->msPerCharacter = 200;
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        bench.feed(QStringLiteral("ABCD"));
        bench.link->wk_backspace();
        QVERIFY(bench.link->wk_getstatus() > 0);
        bench.link->wk_clearbuf();
        QCOMPARE(bench.link->wk_getstatus(), 0);
        bench.link->wk_wpm(3);
        bench.link->wk_weight(95);
        bench.link->wk_ditdah_ratio(20);
        bench.link->wk_ptt_leadtail(255, 7);
        bench.link->wk_setmode(16);
        bench.link->wk_pincfg(5);
        QTRY_COMPARE_WITH_TIMEOUT(bench.keyer->pinConfiguration, 5, 2000);
        QCOMPARE(bench.keyer->clears, 1);
        QCOMPARE(bench.keyer->backspaces, 1);
        QCOMPARE(bench.keyer->wpm, 5);
        QCOMPARE(bench.keyer->weight, 90);
        QCOMPARE(bench.keyer->ratio, 33);
        QCOMPARE(bench.keyer->leadIn, 250);
        QCOMPARE(bench.keyer->tail, 7);
        QCOMPARE(bench.keyer->mode, 16 | WinKeyProtocolLink::kSerialEcho);
        bench.link->wk_wpm(0); // the pot
        QTRY_COMPARE_WITH_TIMEOUT(bench.keyer->wpm, 0, 2000);
    }

    void breakInAndStrayBytes()
    {
        Bench bench;
        START(bench);
        bench.keyer->msPerCharacter = 200;
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        QSignalSpy breakIn(bench.link.get(), &WinKeyLink::breakIn);
        bench.feed(QStringLiteral("TEST"));
        bench.keyer->movePot(12);
        bench.keyer->sendRaw(QByteArray("\x80\xBF", 2)); // more pot bytes
        QTest::qWait(50);
        QVERIFY(bench.link->wk_getstatus() > 0);
        bench.keyer->breakIn();
        QVERIFY(breakIn.wait(2000));
        QCOMPARE(bench.link->wk_getstatus(), 0);
        QVERIFY(bench.link->isOpen());
    }

    void silentKeyerIsClosed()
    {
        Bench bench;
        START(bench);
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        bench.keyer->silent = true;
        QSignalSpy lost(bench.link.get(), &WinKeyLink::lost);
        bench.link->wk_char('E');
        QVERIFY(lost.wait(10000));
        QVERIFY(!bench.link->isOpen());
        QVERIFY(bench.keyer->hostBytes.contains('\x15')); // it asked for the status first
        QCOMPARE(bench.link->wk_getstatus(), 0);
    }

    void deviceVanishesMidMessage()
    {
        Bench bench;
        START(bench);
        bench.keyer->msPerCharacter = 200;
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        QSignalSpy lost(bench.link.get(), &WinKeyLink::lost);
        bench.feed(QStringLiteral("TEST"));
        bench.socat.kill();
        QVERIFY(lost.wait(10000));
        QVERIFY(!bench.link->isOpen());
        QCOMPARE(bench.link->wk_char('E'), WinKeyLink::kNotOpen);
    }

    void closeClearsAndGivesBackTheKeyer()
    {
        Bench bench;
        START(bench);
        QCOMPARE(bench.open(), WinKeyLink::kSuccess);
        bench.keyer->msPerCharacter = 500;
        bench.feed(QStringLiteral("TEST"));
        QCOMPARE(bench.link->wk_close(), WinKeyLink::kSuccess);
        QTRY_COMPARE_WITH_TIMEOUT(bench.keyer->hostCloses, 1, 2000);
        QVERIFY(bench.keyer->hostBytes.endsWith(QByteArray("\x0A\x00\x03", 3)));
        QCOMPARE(bench.link->wk_close(), WinKeyLink::kNotOpen);
    }
};

QTEST_MAIN(TestWinKeyLink)
#include "tst_winkeylink.moc"
