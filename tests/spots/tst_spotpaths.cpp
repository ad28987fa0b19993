// The three paths from received text to the traffic box and the spot store (TNC lines, Telnet lines, AGW
// frames) and storing a spot: the store's slots, duplicates, removal, the own call, bad frequencies.

#include "spots/SpotPaths.h"
#include "spots/SpotStore.h"
#include "support/FakeClock.h"
#include "support/ReferenceSpots.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

const QByteArray kSpot = "DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z";
const QByteArray kSpot2 = "DX de N2CQ:      14036.1  W0BH         OK QSO Party: Major            1624Z";

struct Paths {
    TrafficBox traffic;
    QList<std::pair<SpotFields, QString>> dispatched;
    SpotPaths paths{traffic, [this](const SpotFields& fields, const QString& line) {
                        dispatched.append({fields, line});
                    }};
    int count(const QString& text) const { return int(traffic.text().count(text)); }
};

} // namespace

class TestSpotPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- TNC: SpotLineProcessor ---
    void tncReadEndingMidLineWaitsForTheRest()
    {
        Paths p;
        p.paths.SpotLineProcessor(kSpot.left(30));
        QVERIFY(p.traffic.text().isEmpty());
        QVERIFY(p.dispatched.isEmpty());
        p.paths.SpotLineProcessor(kSpot.mid(30) + "\r");
        QCOMPARE(p.dispatched.size(), 1);
        QCOMPARE(p.dispatched[0].first, (SpotFields{"14025.0", "3B9FR"}));
        QCOMPARE(p.traffic.text(), QString::fromLatin1(kSpot + "\r\n"));
        p.paths.SpotLineProcessor("\n"); // the LF of that CR LF ends nothing more
        QCOMPARE(p.dispatched.size(), 1);
    }

    void tncSameSpotTwiceIsShownAndStoredOnce()
    {
        Paths p;
        p.paths.SpotLineProcessor(kSpot + "\r\n" + kSpot2 + "\r\n" + kSpot + "\r\n");
        QCOMPARE(p.dispatched.size(), 2);
        QCOMPARE(p.count(QString::fromLatin1(kSpot)), 1);
        // Once 800 characters of other traffic have passed, the same line counts again.
        p.paths.SpotLineProcessor(QByteArray(900, 'z') + "\r\n" + kSpot + "\r\n");
        QCOMPARE(p.dispatched.size(), 3);
    }

    void tncDxOnlyHidesOtherLines()
    {
        Paths p;
        p.paths.setDxOnly(true);
        p.paths.SpotLineProcessor("cmd:connected to K1ABC\r" + kSpot + "\r");
        QCOMPARE(p.traffic.text(), QString::fromLatin1(kSpot + "\r\n"));
        p.paths.setDxOnly(false);
        p.paths.SpotLineProcessor("73\r");
        QVERIFY(p.traffic.text().endsWith(QStringLiteral("73\r\n")));
    }

    void tncLoneCrLinesAndBoundedBuffer()
    {
        Paths p;
        for (int i = 0; i < 300; ++i)
            p.paths.SpotLineProcessor(QByteArray(4096, 'x')); // no line end at all: nothing grows
        p.paths.SpotLineProcessor("\r" + kSpot + "\r");
        QCOMPARE(p.dispatched.size(), 1);
        QVERIFY(p.traffic.text().size() <= TrafficBox::kTrimAbove);
        QVERIFY(p.traffic.text().contains(QStringLiteral("xxxx\r\n"))); // the cut line is shown
    }

    // --- Telnet ---
    void telnetSplitsAndMergesLikeTcp()
    {
        Paths p;
        const QByteArray stream = "login: \r\n" + kSpot + "\r\n" + kSpot2 + "\r\n" + kSpot + "\r\n";
        for (const char c : stream)
            p.paths.telnetReceived(QByteArray(1, c)); // one byte per read
        QCOMPARE(p.dispatched.size(), 3);             // Telnet has no recent test: the copy is stored again
        QCOMPARE(p.dispatched[1].first, (SpotFields{"14036.1", "W0BH"}));
        QCOMPARE(p.traffic.text(), QString::fromLatin1(stream));

        Paths merged;
        merged.paths.telnetReceived(stream);
        QCOMPARE(merged.dispatched.size(), 3); // all spots of one read, not only the first
        QCOMPARE(merged.traffic.text(), QString::fromLatin1(stream));
    }

    void telnetPromptShownAtOnceUnlessDxOnly()
    {
        Paths p;
        p.paths.telnetReceived("login: ");
        QCOMPARE(p.traffic.text(), QStringLiteral("login: "));
        p.paths.telnetReceived("\r\nHello\r\n");
        QCOMPARE(p.traffic.text(), QStringLiteral("login: \r\nHello\r\n"));

        Paths dxOnly;
        dxOnly.paths.setDxOnly(true);
        dxOnly.paths.telnetReceived("login: ");
        dxOnly.paths.telnetReceived("\r\nWWV de VE7CC <21>:   SFI=70\r\n\x1B[33m" + kSpot.left(20));
        QVERIFY(dxOnly.traffic.text().isEmpty());
        dxOnly.paths.telnetReceived(kSpot.mid(20) + "\r\n");
        QCOMPARE(dxOnly.traffic.text(),
                 QString::fromLatin1(kSpot + "\r\n")); // ESC[33m before "DX de" is a spot
        QCOMPARE(dxOnly.dispatched.size(), 1);
    }

    void telnetLineCutByTheDropIsShownNotParsed()
    {
        Paths p;
        p.paths.setDxOnly(true);
        p.paths.telnetReceived(kSpot.left(40));
        p.paths.telnetEnded();
        QCOMPARE(p.traffic.text(), QString::fromLatin1(kSpot.left(40) + "\r\n"));
        QVERIFY(p.dispatched.isEmpty());

        Paths shown; // the part shown as it came is not shown twice
        shown.paths.telnetReceived(kSpot.left(40));
        shown.paths.telnetEnded();
        QCOMPARE(shown.traffic.text(), QString::fromLatin1(kSpot.left(40) + "\r\n"));
    }

    void telnetHugeLineIsShownCut()
    {
        Paths p;
        QByteArray huge(1 << 20, 'A');
        for (qsizetype at = 0; at < huge.size(); at += 65536)
            p.paths.telnetReceived(huge.mid(at, 65536));
        p.paths.telnetReceived("\r\n" + kSpot + "\r\n");
        QCOMPARE(p.dispatched.size(), 1);
        QVERIFY(p.traffic.text().size() <= TrafficBox::kTrimAbove);
        QVERIFY(p.traffic.text().endsWith(QString::fromLatin1(kSpot + "\r\n")));
    }

    // --- AGW frames ---
    void agwMonitoredSpotIsStoredOnceThoughHeardTwice()
    {
        Paths p;
        const QString data = QStringLiteral(" 1:Fm W3LPL To DX <UI pid=F0 Len=75 PF=0 >[04:28:03]\r") +
                             QString::fromLatin1(kSpot) + QStringLiteral("\r");
        const QString frameText = QStringLiteral("UW3LPL ") + data;
        p.paths.agwFrame(data, frameText, QStringLiteral("W3LPL"), QString());
        p.paths.agwFrame(data, frameText, QStringLiteral("W3LPL"), QString());
        QCOMPARE(p.dispatched.size(), 1);
        QCOMPARE(p.dispatched[0].first, (SpotFields{"14025.0", "3B9FR"}));
        QCOMPARE(p.traffic.text(), QString::fromLatin1(kSpot + "\r\n"));
    }

    void agwMonitoredOtherFramesShowTheirFrameText()
    {
        Paths p;
        const QString data =
            QStringLiteral(" 1:Fm N0CALL-7 To APRS <UI pid=F0 Len=19 PF=0 >[14:02:33]\r!4903.50N\r");
        p.paths.agwFrame(data, QStringLiteral("UN0CALL-7 ") + data, QStringLiteral("N0CALL-7"), QString());
        QVERIFY(p.traffic.text().startsWith(QStringLiteral("UN0CALL-7  1:Fm N0CALL-7 To APRS")));
        QVERIFY(p.traffic.text().endsWith(QStringLiteral("!4903.50N\r\n")));
        p.paths.setDxOnly(true);
        const qsizetype before = p.traffic.text().size();
        p.paths.agwFrame(data, QStringLiteral("UN0CALL-7 ") + data, QStringLiteral("N0CALL-7"), QString());
        QCOMPARE(p.traffic.text().size(), before);
    }

    void agwConnectedData()
    {
        Paths p;
        // A cluster's line from the connected station: shown; a line from another station: not.
        p.paths.agwFrame(QStringLiteral("Hello K1ABC\r"), QStringLiteral("DGB7DXC Hello K1ABC\r"),
                         QStringLiteral("gb7dxc"), QStringLiteral("GB7DXC"));
        QCOMPARE(p.traffic.text(), QStringLiteral("Hello K1ABC\r\n"));
        p.paths.agwFrame(QStringLiteral("other\r"), QStringLiteral("DW1AW other\r"), QStringLiteral("W1AW"),
                         QStringLiteral("GB7DXC"));
        QCOMPARE(p.traffic.text(), QStringLiteral("Hello K1ABC\r\n"));
        // A spot with a leading blank is a spot, shown once (not again as the station's data).
        p.paths.agwFrame(QLatin1Char(' ') + QString::fromLatin1(kSpot2) + QStringLiteral("\r\r"), QString(),
                         QStringLiteral("GB7DXC"), QStringLiteral("GB7DXC"));
        QCOMPARE(p.dispatched.size(), 1);
        QCOMPARE(p.dispatched[0].first, (SpotFields{"14036.1", "W0BH"}));
        QCOMPARE(p.count(QStringLiteral("W0BH")), 1);
        QVERIFY(p.traffic.text().endsWith(QString::fromLatin1(kSpot2) + QStringLiteral("\r\n")));
        // A lone line end is nothing.
        const qsizetype before = p.traffic.text().size();
        p.paths.agwFrame(QStringLiteral("\r"), QString(), QStringLiteral("GB7DXC"), QStringLiteral("GB7DXC"));
        QCOMPARE(p.traffic.text().size(), before);
    }

    // --- Storing ---
    void storeShiftsAndKeepsTheNewestInSlot49()
    {
        FakeClock clock;
        SpotStore store(clock);
        QSignalSpy stored(&store, &SpotStore::spotStored);
        for (int i = 0; i < 51; ++i) {
            clock.advanceMs(1000);
            QVERIFY(store
                        .BandMapSpots(QStringLiteral("K%1AA").arg(i), QStringLiteral("14025.0"),
                                      QStringLiteral("de X: 14025.0 K%1AA\r\n").arg(i), QString())
                        .stored);
        }
        QCOMPARE(stored.count(), 51);
        QCOMPARE(store.spot(49).call, QStringLiteral("K50AA"));
        QCOMPARE(store.spot(49).frequency, 14.025f);
        QCOMPARE(store.spot(49).prefix, QStringLiteral("K50"));
        QCOMPARE(store.spot(49).record, QStringLiteral("de X: 14025.0 K50AA")); // cut at its CR
        QCOMPARE(store.spot(49).receivedMs, clock.ms);
        QCOMPARE(store.spot(49).received, clock.localNow());
        QCOMPARE(store.spot(0).call, QStringLiteral("K1AA")); // K0AA, the oldest, is gone
        QCOMPARE(store.spot(0).prefix, QStringLiteral("K1"));
    }

    void storeRemovesTheOlderCopyOfACall()
    {
        FakeClock clock;
        SpotStore store(clock);
        store.BandMapSpots(QStringLiteral("DL1ABC"), QStringLiteral("7005.0"), QString(), QString());
        for (int i = 0; i < 48; ++i)
            store.BandMapSpots(QStringLiteral("K%1AA").arg(i), QStringLiteral("14025"), QString(), QString());
        QCOMPARE(store.spot(1).call, QStringLiteral("DL1ABC"));
        // Spotted again: the shift takes the old copy to slot 0, where the scan still finds it.
        store.BandMapSpots(QStringLiteral("dl1abc"), QStringLiteral("7006.0"), QString(), QString());
        QCOMPARE(store.spot(0).call, QStringLiteral("DL1ABC"));
        QCOMPARE(store.spot(0).frequency, 0.0f);
        QCOMPARE(store.spot(49).frequency, 7.006f);
        // A copy in the middle keeps its slot with frequency 0; the others are untouched.
        store.BandMapSpots(QStringLiteral("K20AA"), QStringLiteral("14030"), QString(), QString());
        QCOMPARE(store.spot(20).call, QStringLiteral("K20AA"));
        QCOMPARE(store.spot(20).frequency, 0.0f);
        QCOMPARE(store.spot(21).frequency, 14.025f);
    }

    void storeRefusals_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("ownCall");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("ownCallNotice");
        QTest::newRow("own call is stored too") << "k1abc"
                                                << "14025.0"
                                                << " K1ABC " << true << true;
        QTest::newRow("own call, frequency text not numeric") << "K1ABC"
                                                              << "14O25.0"
                                                              << "K1ABC" << false << true;
        QTest::newRow("nan never reaches the store") << "DL1ABC"
                                                     << "nan"
                                                     << "K1ABC" << false << false;
        QTest::newRow("empty call, empty own call") << ""
                                                    << "14025.0"
                                                    << "" << false << false;
        QTest::newRow("empty call") << ""
                                    << "14025.0"
                                    << "K1ABC" << false << false;
        QTest::newRow("another call, empty own call") << "DL1ABC"
                                                      << "14025.0"
                                                      << "" << true << false;
    }
    void storeRefusals()
    {
        QFETCH(QString, call);
        QFETCH(QString, frequency);
        QFETCH(QString, ownCall);
        QFETCH(bool, stored);
        QFETCH(bool, ownCallNotice);
        FakeClock clock;
        SpotStore store(clock);
        QSignalSpy spy(&store, &SpotStore::spotStored);
        const SpotStore::Outcome outcome = store.BandMapSpots(call, frequency, QString(), ownCall);
        QCOMPARE(outcome.stored, stored);
        QCOMPARE(outcome.ownCall, ownCallNotice);
        QCOMPARE(spy.count(), stored ? 1 : 0);
        QCOMPARE(store.spot(49).shown(), stored);
    }

    void removeByClick()
    {
        FakeClock clock;
        SpotStore store(clock);
        store.BandMapSpots(QStringLiteral("DL1ABC"), QStringLiteral("7005.0"), QString(), QString());
        QSignalSpy removed(&store, &SpotStore::spotRemoved);
        store.removeSpot(49);
        store.removeSpot(49); // already removed: nothing to tell
        store.removeSpot(50);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(store.spot(49).frequency, 0.0f);
        QCOMPARE(store.spot(49).call, QStringLiteral("DL1ABC"));
    }
};

QTEST_GUILESS_MAIN(TestSpotPaths)
#include "tst_spotpaths.moc"
