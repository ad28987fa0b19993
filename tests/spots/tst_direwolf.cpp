// The AGW source on Dire Wolf, the real engine: a monitored spot heard twice is stored once, and a connect
// to a station that never answers ends in RETRYOUT.

#include "SpotHarness.h"
#include "platform/io/QtAgwEngine.h"
#include "support/Direwolf.h"

using namespace velm;
using namespace velm::test;

class TestDirewolf : public QObject {
    Q_OBJECT
private:
    Direwolf m_direwolf;

    void openOn(SpotHarness& h)
    {
        h.fakes.settings.setValue(SpotConnection::kAgwPortKey, QString::number(m_direwolf.agwPort()));
        h->List1_Click(SpotSourceName::Agw);
        h->OpenSpotSource();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!Direwolf::available())
            QSKIP("direwolf and gen_packets are not installed");
        QVERIFY2(m_direwolf.start(), qPrintable(m_direwolf.errorString()));
    }

    void monitoredSpotHeardTwiceIsStoredOnce()
    {
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openOn(h);
        QVERIFY2(h->polling(), qPrintable(h.traffic()));
        QVERIFY(agw.registered());
        // A second client of the engine counts what was really heard.
        QtAgwEngine listener;
        QVERIFY(listener.startPoll(QStringLiteral("127.0.0.1"), m_direwolf.agwPort(), "N0MON"));
        int heard = 0;
        const auto listen = [&] {
            while (const std::optional<AgwFrame> frame = listener.getData())
                heard += frame->kind == 'U' && frame->data.contains("DL1ABC") ? 1 : 0;
        };
        const QByteArray spot = "DX de W3LPL:     14025.0  DL1ABC       599                            1812Z";
        QVERIFY(m_direwolf.sendPacket("W3LPL>DX:" + spot));
        QVERIFY(m_direwolf.sendPacket("W3LPL>DX:" + spot)); // a second node, or the same one again
        QVERIFY(m_direwolf.sendPacket(
            "W3LPL>DX:DX de W3LPL:      7005.0  K9XYZ        cq                             1813Z"));
        QTRY_VERIFY2_WITH_TIMEOUT((h->PollSpotSource(), h.store->spot(49).call == QStringLiteral("K9XYZ")),
                                  qPrintable(h.traffic() + QString::fromLocal8Bit(m_direwolf.output())),
                                  15000);
        QTRY_VERIFY_WITH_TIMEOUT((listen(), heard == 2), 5000);
        QCOMPARE(h.store->spot(48).call, QStringLiteral("DL1ABC"));
        QCOMPARE(h.store->spot(48).frequency, 14.025f);
        QVERIFY(h.store->spot(47).call.isEmpty());
        QCOMPARE(h.traffic().count(QString::fromLatin1(spot)), 1);
    }

    void connectToAnAbsentStationEndsInRetryout()
    {
        QtAgwEngine agw;
        SpotHarness h({}, &agw, true);
        openOn(h);
        QVERIFY(h->polling());
        m_direwolf.streamSilence(true); // the engine's timers run on the audio clock
        h->txtSent_Enter(QStringLiteral(":c w9abs"));
        QTRY_VERIFY_WITH_TIMEOUT((h->PollSpotSource(), h.traffic().contains(QStringLiteral("RETRYOUT"))),
                                 20000);
        m_direwolf.streamSilence(false);
        QVERIFY(h->connectedCall().isEmpty());
        QVERIFY(h.traffic().contains(QStringLiteral("W9ABS")));
    }

    void cleanupTestCase() { m_direwolf.stop(); }
};

QTEST_MAIN(TestDirewolf)
#include "tst_direwolf.moc"
