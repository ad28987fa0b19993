// Each spot source on a real peer: a local DX cluster (prompt, spots, keep-alive, refused, unknown host,
// server closing), an AGW engine speaking frames (start-up, connected mode, hostile frames, the engine
// gone), and a TNC over a socat pseudo-terminal pair (reads split mid-line, socat killed).

#include "SpotHarness.h"
#include "platform/io/QtAgwEngine.h"
#include "platform/io/QtSerialLine.h"
#include "spots/SpotTexts.h"
#include "support/AgwTestEngine.h"
#include "support/ClusterServer.h"
#include "support/ReferenceSpots.h"
#include "support/SocatPair.h"

#include <QSignalSpy>

using namespace velm;
using namespace velm::test;

namespace {

const QByteArray kSpot = "DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z";

QByteArray telnetSettings(quint16 port, const char* host = "127.0.0.1")
{
    return spotSettingsFile("Telnet", "9600", 1, "N", 0, host, QByteArray::number(port));
}

int storedCount(const SpotStore& store)
{
    int count = 0;
    for (int slot = 0; slot < SpotStore::kSlots; ++slot)
        count += store.spot(slot).shown() ? 1 : 0;
    return count;
}

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The AGW source chosen and opened on the test engine's port.
void openAgw(SpotHarness& h, const AgwTestEngine& engine)
{
    h.fakes.settings.setValue(SpotConnection::kAgwPortKey, QString::number(engine.port()));
    h->List1_Click(SpotSourceName::Agw);
    h->OpenSpotSource();
}

} // namespace

class TestSpotPeers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Telnet cluster ---
    void clusterPromptSpotsKeepAliveAndClose()
    {
        ClusterServer cluster;
        QVERIFY(cluster.start());
        SpotHarness h(telnetSettings(cluster.port()), nullptr, true);
        h->LoadSpotSettings();
        QVERIFY(cluster.waitForClient());
        QTRY_VERIFY(h.traffic().endsWith(QStringLiteral("login: "))); // shown although no line end came
        h->txtSent_Enter(QStringLiteral("K1ABC"));
        QVERIFY(cluster.waitForReceived("K1ABC\r\n"));
        QTRY_VERIFY(h.traffic().contains(QStringLiteral("dxspider >\r\n")));

        for (const ReferenceSpot& spot : kReferenceSpots) {
            cluster.sendLine(spot.line);
            cluster.sendKeepAlive();
        }
        for (const QByteArray& line : kClusterOtherLines)
            cluster.send("\a\a" + line + "\r\n");
        QTRY_COMPARE(h.store->spot(49).call, QString::fromLatin1(kReferenceSpots.last().call));
        QCOMPARE(storedCount(*h.store), int(kReferenceSpots.size()));
        for (int i = 0; i < kReferenceSpots.size(); ++i) {
            const DxSpot& stored = h.store->spot(SpotStore::kSlots - int(kReferenceSpots.size()) + i);
            QCOMPARE(stored.call, QString::fromLatin1(kReferenceSpots[i].call));
        }
        QTRY_VERIFY(h.traffic().contains(QString::fromLatin1(kClusterOtherLines.last())));
        QVERIFY(!h.traffic().contains(QChar(0)) && !h.traffic().contains(QChar(7)));

        cluster.closeClient();
        QTRY_VERIFY(!h->isOpen());
        QVERIFY(h.traffic().endsWith(QStringLiteral("ERROR: The connection is reset by remote side.!") +
                                     spottext::kPortClosed));
    }

    void clusterRefusedAndUnknownHost_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << QByteArray("127.0.0.1") << "ERROR: Connection is forcefully rejected.";
        QTest::newRow("unknown host")
            << QByteArray("no-such-cluster.invalid") << "ERROR: Authoritative answer: Host not found.";
    }
    void clusterRefusedAndUnknownHost()
    {
        QFETCH(QByteArray, host);
        QFETCH(QString, message);
        SpotHarness h(telnetSettings(unusedPort(), host.constData()), nullptr, true);
        h->LoadSpotSettings();
        QTRY_VERIFY_WITH_TIMEOUT(!h->isOpen(), 10000);
        QVERIFY2(h.traffic().contains(message), qPrintable(h.traffic()));
        QCOMPARE(h.fakes.prompts.beeps, 1);
    }

    void clusterClosingMidLine()
    {
        ClusterServer cluster;
        cluster.prompt.clear();
        QVERIFY(cluster.start());
        SpotHarness h(telnetSettings(cluster.port()), nullptr, true);
        h->LoadSpotSettings();
        h->setDxOnly(true);
        QVERIFY(cluster.waitForClient());
        cluster.sendLine(kSpot);
        cluster.closeClient(kSpot.left(44));
        QTRY_VERIFY(!h->isOpen());
        QVERIFY2(storedCount(*h.store) == 1, qPrintable(h.traffic()));
        QVERIFY(h.traffic().contains(QString::fromLatin1(kSpot.left(44)) + QStringLiteral("\r\nERROR:")));
    }

    // A hostile node: bells, colours, binary, invalid UTF-8, a megabyte without a line end, a flood of
    // spots, then a drop in the middle of a line. Nothing crashes, the box stays bounded, spots still count.
    void hostileCluster()
    {
        ClusterServer cluster;
        QVERIFY(cluster.start());
        SpotHarness h(telnetSettings(cluster.port()), nullptr, true);
        h->LoadSpotSettings();
        QVERIFY(cluster.waitForClient());
        h->txtSent_Enter(QStringLiteral("K1ABC"));
        QTRY_VERIFY(h.traffic().contains(QStringLiteral("dxspider >\r\n")));
        cluster.send("\a\a\x1B[2J\x1B[1;33m" + kSpot + "\x1B[0m\r\n");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary += char((i * 37) & 0xFF);
        cluster.send(binary + "\r\n\xC3\x28\xE2\x82 invalid \xF0\x9F\x98\r\n");
        cluster.send(QByteArray(1024 * 1024, 'x'));
        cluster.send("\r\n");
        QTRY_COMPARE(h.store->spot(49).call, QStringLiteral("3B9FR"));

        const QByteArray flood =
            "DX de W3LPL:     14025.0  K%1XYZ        cq                             1813Z";
        QByteArray burst;
        for (int i = 0; i < 1000; ++i)
            burst += QByteArray(flood).replace("%1", QByteArray::number(i % 10)) + "\r\n";
        cluster.send(burst);
        cluster.closeClient(kSpot.left(30));
        QTRY_VERIFY_WITH_TIMEOUT(!h->isOpen(), 10000);
        QVERIFY(h.traffic().size() <= TrafficBox::kTrimAbove);
        QVERIFY(!h.traffic().contains(QChar(7)) && !h.traffic().contains(QChar(0x1B)));
        // The flood pushed everything older out; each of its ten calls is drawn once.
        QCOMPARE(storedCount(*h.store), 10);
        QCOMPARE(h.store->spot(49).call, QStringLiteral("K9XYZ"));
        QVERIFY(h.traffic().contains(QString::fromLatin1(kSpot.left(30)) + QStringLiteral("\r\nERROR:")));
    }

    // --- AGW engine ---
    void agwStartUpAndConnectedMode()
    {
        AgwTestEngine engine;
        QVERIFY(engine.start());
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openAgw(h, engine);
        QVERIFY(h->polling());
        QVERIFY(agw.registered());
        QCOMPARE(engine.count('R'), 1);
        QCOMPARE(engine.count('X'), 1);
        QCOMPARE(engine.received[1].callFrom, QByteArray("K1ABC"));
        QTRY_COMPARE(engine.count('m'), 1); // monitoring is a toggle: once

        h->txtSent_Enter(QStringLiteral(":C gb7dxc"));
        QVERIFY(engine.waitForFrame('C'));
        QCOMPARE(engine.received.last().callTo, QByteArray("GB7DXC"));
        QTRY_VERIFY((h->PollSpotSource(), h->connectedCall() == QStringLiteral("GB7DXC")));
        QCOMPARE(engine.count('C'), 1); // the 'P' that followed sent nothing more
        h->txtSent_Enter(QStringLiteral("sh/dx 5"));
        QVERIFY(engine.waitForFrame('D'));
        QCOMPARE(engine.received.last().data, QByteArray("sh/dx 5\r"));
        QCOMPARE(engine.received.last().pid, agw::kPidNoLayer3);

        // A spot line arriving in two TCP writes, byte by byte.
        const QByteArray frame = encodeAgwFrame({0, 'D', 0xF0, "GB7DXC", "K1ABC", kSpot + "\r"});
        for (const char byte : frame)
            engine.sendRaw(QByteArray(1, byte));
        QTRY_VERIFY((h->PollSpotSource(), h.store->spot(49).call == QStringLiteral("3B9FR")));

        engine.sendDisconnect("W1AW");
        engine.sendData("GB7DXC", "still here\r");
        QTRY_VERIFY((h->PollSpotSource(), h.traffic().contains(QStringLiteral("still here\r\n"))));
        QCOMPARE(h->connectedCall(), QStringLiteral("GB7DXC"));
        h->txtSent_Enter(QStringLiteral(":d"));
        QVERIFY(engine.waitForFrame('d'));
        QTRY_VERIFY((h->PollSpotSource(), h->connectedCall().isEmpty()));
        QVERIFY(h.traffic().contains(QStringLiteral("** Disconnected from GB7DXC **")));
    }

    void agwSecondOpenLeavesOneLink()
    {
        AgwTestEngine engine;
        QVERIFY(engine.start());
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openAgw(h, engine);
        for (int i = 0; i < 3; ++i)
            h->OpenSpotSource(); // each open closes what is open first
        QVERIFY(engine.waitForClients(1));
        QTRY_COMPARE(engine.clientsNow(), 1);
        h->CloseSpotSource();
        QVERIFY(engine.waitForClients(0));
    }

    void agwSilentEngineAndNoEngine()
    {
        AgwTestEngine engine;
        QVERIFY(engine.start());
        engine.answerStartUp = false;
        QtAgwEngine agw;
        QVERIFY(!agw.startPoll(QStringLiteral("127.0.0.1"), engine.port(), "K1ABC", 200));
        QVERIFY(!agw.isOpen());
        QVERIFY2(agw.errorString().contains(QStringLiteral("no answer")), qPrintable(agw.errorString()));
        QVERIFY(engine.waitForClients(0));
        QVERIFY(!agw.startPoll(QStringLiteral("127.0.0.1"), unusedPort(), "K1ABC", 2000));
        QVERIFY(
            !agw.startPoll(QStringLiteral("127.0.0.1"), engine.port(), "K1ABCDEFGH", 200)); // 10 characters
        QVERIFY(agw.errorString().contains(QStringLiteral("1 to 9")));
    }

    void agwHostileFramesEndTheLink_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        AgwFrame huge{0, 'U', 0, "X", "Y", {}};
        QByteArray oversized = encodeAgwFrame(huge);
        oversized[28] = '\x01';
        oversized[30] = '\x01'; // DataLen 65537
        QTest::newRow("DataLen over 64 KiB") << oversized << "65537 bytes";
        QTest::newRow("DataLen 4 GiB") << QByteArray(36, '\xFF') << "4294967295 bytes";
    }
    void agwHostileFramesEndTheLink()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        AgwTestEngine engine;
        QVERIFY(engine.start());
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openAgw(h, engine);
        QVERIFY(h->polling());
        // Garbage that is a frame by length still reads as one and is shown, not trusted.
        engine.sendRaw(encodeAgwFrame({0, 'U', 0, "\x01\x02", "\xFF", QByteArray("\x00\x1B[2J\xC3", 5)}));
        engine.sendRaw(bytes);
        QTRY_VERIFY((h->PollSpotSource(), !h->isOpen()));
        QVERIFY(h.traffic().contains(QStringLiteral("** Connection to the AGW Packet Engine lost **")));
        QVERIFY2(h.traffic().contains(reason), qPrintable(h.traffic()));
        QVERIFY(engine.waitForClients(0));
    }

    void agwEngineGone()
    {
        AgwTestEngine engine;
        QVERIFY(engine.start());
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openAgw(h, engine);
        QVERIFY(h->polling());
        engine.closeClients();
        QTRY_VERIFY(!h->isOpen());
        QVERIFY(h.traffic().contains(QStringLiteral("** Connection to the AGW Packet Engine lost **")));
        QCOMPARE(h.fakes.prompts.beeps, 1);
    }

    // --- TNC over socat ---
    void tncOverPseudoTerminal()
    {
        if (!SocatPair::available())
            QSKIP("socat is not installed");
        SocatPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorString()));
        SpotHarness h(spotSettingsFile("TNC", "9600", 1), nullptr, true);
        h.system->services().serialPorts.setDevicePath(2, pair.pathA());
        h->LoadSpotSettings();
        QVERIFY2(h->isOpen() && h->polling(), qPrintable(h.traffic()));
        QtSerialLine tnc;
        QVERIFY(tnc.open(pair.pathB()));

        // The TNC's lines end with a CR alone; a read that ends mid-line keeps the rest for the next.
        tnc.write("cmd:\r" + kSpot.left(37));
        QTRY_VERIFY((h->PollSpotSource(), h.traffic().contains(QStringLiteral("cmd:\r\n"))));
        QCOMPARE(storedCount(*h.store), 0);
        tnc.write(kSpot.mid(37) + "\r");
        QTRY_VERIFY((h->PollSpotSource(), h.store->spot(49).call == QStringLiteral("3B9FR")));
        QCOMPARE(storedCount(*h.store), 1);

        QByteArray heard;
        connect(&tnc, &SerialLine::readyRead, this, [&] { heard += tnc.read(); });
        h->txtSent_Enter(QStringLiteral("CONNECT GB7DXC"));
        QTRY_COMPARE(heard, QByteArray("CONNECT GB7DXC\r"));
        QVERIFY(h->commandModeKey());
        QTRY_COMPARE(heard, QByteArray("CONNECT GB7DXC\r\x03"));

        pair.kill();
        QTRY_VERIFY((h->PollSpotSource(), !h->isOpen()));
        QVERIFY(h.traffic().contains(QStringLiteral("** TNC Serial Port lost")));
    }
};

QTEST_MAIN(TestSpotPeers)
#include "tst_spotpeers.moc"
