// The band map, spectrum map and spot list rules: scales and their zoom, ages and colours, placement,
// tooltips, list columns from real cluster lines, tuning from a spot, and the coalesced redraw.

#include "log/EntryRowPort.h"
#include "spots/BandScale.h"
#include "spots/SpotLine.h"
#include "spots/SpotListRow.h"
#include "spots/SpotMapGeometry.h"
#include "spots/SpotMapPlan.h"
#include "spots/SpotStore.h"
#include "spots/SpotTuning.h"
#include "support/FakeClock.h"
#include "support/FakeRigPort.h"
#include "support/ReferenceSpots.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using velm::test::FakeClock;
using velm::test::FakeRigPort;

namespace {

struct RecordingEntryRow final : EntryRowPort {
    void enterCall(const QString& call, bool tab) override { entered << qMakePair(call, tab); }
    void commitEntryRow() override {}
    QList<QPair<QString, bool>> entered;
};

struct Spots {
    FakeClock clock;
    SpotStore store{clock};
    // Stores a spot at kHz, then lets minutesLater pass.
    void add(const QString& call, const char* khz, double minutesLater = 0)
    {
        store.BandMapSpots(call, QString::fromLatin1(khz), QStringLiteral("de X:"), QStringLiteral("K1ABC"));
        clock.advanceMs(qint64(minutesLater * 60000));
    }
    BandMapPlan band(const char* band) { return planBandMap(store, QString::fromLatin1(band), clock.ms, 5); }
    SpectrumPlan spectrum() { return planSpectrumMap(store, clock.ms, 5); }
};

QStringList calls(const QList<PlacedSpot>& placed, const SpotStore& store)
{
    QStringList out;
    for (const PlacedSpot& spot : placed)
        out << store.spot(spot.slot).call;
    return out;
}

} // namespace

class tst_SpotMaps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaleTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << ".000";
        QTest::newRow("below one") << 0.5 << ".500";
        QTest::newRow("band edge") << 14.35 << "14.350";
        QTest::newRow("rounded") << 14.02449 << "14.024";
        QTest::newRow("uhf") << 437.5 << "437.500";
    }
    void scaleTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(scaleText(value), text);
        QCOMPARE(scaleValue(text), std::round(value * 1000) / 1000);
    }

    void bandMapScale_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QStringList>("khz");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("drawn");
        QTest::newRow("two spots zoom") << "20" << QStringList{"14025.0", "14035.0"}
                                        << QStringList{"14.024", "14.027", "14.030", "14.033", "14.036"} << 2;
        QTest::newRow("one spot keeps the edges")
            << "20" << QStringList{"14025.0"} << QStringList{"14.000", "14.088", "14.175", "14.263", "14.350"}
            << 1;
        QTest::newRow("one frequency twice keeps the edges")
            << "40" << QStringList{"7010.0", "7010.0"}
            << QStringList{"7.000", "7.075", "7.150", "7.225", "7.300"} << 2;
        QTest::newRow("spots on the edges are not drawn")
            << "40" << QStringList{"7000.0", "7300.0", "7100.0"}
            << QStringList{"7.000", "7.075", "7.150", "7.225", "7.300"} << 1;
        QTest::newRow("warc band: nothing, scale zero")
            << "17" << QStringList{"18070.0", "18100.0"}
            << QStringList{".000", ".000", ".000", ".000", ".000"} << 0;
        QTest::newRow("other bands ignored")
            << "20" << QStringList{"7010.0", "21010.0", "14100.0"}
            << QStringList{"14.000", "14.088", "14.175", "14.263", "14.350"} << 1;
        QTest::newRow("70 cm") << "440" << QStringList{"432100.0", "432200.0"}
                               << QStringList{"432.099", "432.125", "432.150", "432.176", "432.201"} << 2;
    }
    void bandMapScale()
    {
        QFETCH(QString, band);
        QFETCH(QStringList, khz);
        QFETCH(QStringList, labels);
        QFETCH(int, drawn);
        Spots spots;
        int n = 0;
        for (const QString& each : khz)
            spots.add(QStringLiteral("K%1AB").arg(n++), each.toLatin1().constData());
        const BandMapPlan plan = spots.band(band.toLatin1().constData());
        QCOMPARE(QStringList(plan.scale.labels.begin(), plan.scale.labels.end()), labels);
        QCOMPARE(plan.spots.size(), drawn);
        for (const PlacedSpot& spot : plan.spots)
            QVERIFY(spot.position > 0 && spot.position < 1);
    }

    void twoSpotsSitAtTheirPlaces()
    {
        Spots spots;
        spots.add(QStringLiteral("DL1ABC"), "14025.0");
        spots.add(QStringLiteral("JA1XYZ"), "14035.0");
        const BandMapPlan plan = spots.band("20");
        QCOMPARE(calls(plan.spots, spots.store), (QStringList{"JA1XYZ", "DL1ABC"}));
        // 14.024 ... 14.036: 14.025 is 1/12 along, 14.035 11/12.
        QVERIFY(qAbs(plan.spots[1].position - 1.0 / 12) < 1e-3);
        QVERIFY(qAbs(plan.spots[0].position - 11.0 / 12) < 1e-3);
        QCOMPARE(plan.spots[0].caption, QStringLiteral("JA1"));
    }

    // Slot 0 is not part of the zoom; drawn outside the zoomed scale it would land beyond the strip's end.
    void oldestSlotOutsideTheZoomIsNotDrawn()
    {
        Spots spots;
        spots.add(QStringLiteral("W1OLD"), "14300.0");
        for (int i = 0; i < 49; ++i)
            spots.add(QStringLiteral("K%1ZZ").arg(i), i % 2 ? "14020.0" : "14030.0");
        QCOMPARE(spots.store.spot(0).call, QStringLiteral("W1OLD"));
        QVERIFY(calls(spots.band("20").spots, spots.store).indexOf(QStringLiteral("W1OLD")) < 0);
        QVERIFY(calls(spots.spectrum().spots, spots.store).indexOf(QStringLiteral("W1OLD")) < 0);
        QCOMPARE(spots.spectrum().spots.size(), 49);
    }

    void agesAndColours()
    {
        Spots spots;
        spots.add(QStringLiteral("W1OLDEST"), "14010.0", 1); // 62 minutes at the end
        spots.add(QStringLiteral("W1GONE"), "14020.0", 16);  // 61
        spots.add(QStringLiteral("W1GREY"), "14030.0", 34);  // 45
        spots.add(QStringLiteral("W1WHITE"), "14040.0", 2);  // 11
        spots.add(QStringLiteral("W1YELLOW"), "14050.0", 9); // 9
        const BandMapPlan plan = spots.band("20");
        QCOMPARE(calls(plan.spots, spots.store), (QStringList{"W1YELLOW", "W1WHITE", "W1GREY"}));
        QCOMPARE(plan.spots[0].age, SpotAge::Fresh);
        QCOMPARE(plan.spots[1].age, SpotAge::Recent);
        QCOMPARE(plan.spots[2].age, SpotAge::Old);
        QCOMPARE(spotAgeColour(SpotAge::Fresh), (SpotRgb{255, 255, 128}));
        QCOMPARE(spotAgeColour(SpotAge::Recent), (SpotRgb{255, 255, 255}));
        QCOMPARE(spotAgeColour(SpotAge::Old), (SpotRgb{192, 192, 192}));
        QCOMPARE(calls(spots.spectrum().spots, spots.store), (QStringList{"W1YELLOW", "W1WHITE", "W1GREY"}));
        // The wall clock jumping (daylight saving, a correction) changes no age.
        spots.clock.utc = spots.clock.utc.addSecs(-3 * 3600);
        QCOMPARE(spots.band("20").spots.size(), 3);
    }

    void ageBoundaries_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<SpotAge>("age");
        QTest::newRow("599") << qint64(599) << SpotAge::Fresh;
        QTest::newRow("600") << qint64(600) << SpotAge::Recent;
        QTest::newRow("1800") << qint64(1800) << SpotAge::Old;
        QTest::newRow("3599") << qint64(3599) << SpotAge::Old;
        QTest::newRow("3600") << qint64(3600) << SpotAge::Gone;
    }
    void ageBoundaries()
    {
        QFETCH(qint64, seconds);
        QFETCH(SpotAge, age);
        QCOMPARE(spotAge(seconds * 1000), age);
    }

    void tooltipShowsUtc()
    {
        Spots spots; // local time 09:05:33, UTC offset 5 hours
        spots.add(QStringLiteral("3B9FR"), "14025.0");
        QCOMPARE(spotTooltip(spots.store.spot(49), 5), QStringLiteral("3B9FR  14.025  14:05:33"));
        QCOMPARE(spots.band("20").spots[0].tooltip, QStringLiteral("3B9FR  14.025  14:05:33"));
        QCOMPARE(spotTooltip(spots.store.spot(49), -3.5f), QStringLiteral("3B9FR  14.025  05:35:33"));
    }

    void spectrumStrips()
    {
        Spots spots;
        spots.add(QStringLiteral("W0PV"), "10148.4");   // 30 m
        spots.add(QStringLiteral("K1XX"), "5300.0");    // no band
        spots.add(QStringLiteral("DL1AB"), "14025.0");  // 20 m, drawn whatever the log's band
        spots.add(QStringLiteral("EA1A"), "18070.0");   // 17 m
        spots.add(QStringLiteral("EA2B"), "18100.0");   // 17 m
        spots.add(QStringLiteral("VK2JJM"), "28074.0"); // 10 m
        const SpectrumPlan plan = spots.spectrum();
        QStringList where;
        for (const PlacedSpot& spot : plan.spots)
            where << spots.store.spot(spot.slot).call + QLatin1Char('@') +
                         QLatin1String(spectrumBands()[spot.band].name);
        QCOMPARE(where, (QStringList{"VK2JJM@10 m", "EA2B@17 m", "EA1A@17 m", "DL1AB@20 m", "W0PV@30 m"}));
        QVERIFY(spots.band("40").spots.isEmpty());
        // Only the 17 m scale zooms; one spot alone keeps its band's edges.
        QCOMPARE(plan.scales[5].labels[0], QStringLiteral("18.069"));
        QCOMPARE(plan.scales[5].labels[4], QStringLiteral("18.101"));
        QCOMPARE(plan.scales[3].labels[0], QStringLiteral("10.100"));
        QCOMPARE(plan.scales[3].labels[4], QStringLiteral("10.150"));
        QCOMPARE(plan.scales[4].labels[0], QStringLiteral("14.000"));
        QCOMPARE(plan.scales[10].labels[4], QStringLiteral("148.000"));
    }

    // Removed spots, empty prefixes, fifty spots on one frequency: placed sanely, nothing divided by zero.
    void badInput()
    {
        Spots spots;
        QVERIFY(spots.band("20").spots.isEmpty());
        QVERIFY(spots.spectrum().spots.isEmpty());
        for (int i = 0; i < 50; ++i)
            spots.add(QStringLiteral("K%1X").arg(i, 2, 10, QLatin1Char('0')), "14025.0");
        const BandMapPlan same = spots.band("20");
        QCOMPARE(same.spots.size(), 50);
        for (const PlacedSpot& spot : same.spots)
            QVERIFY(qAbs(spot.position - 25.0 / 350) < 1e-4);
        spots.add(QStringLiteral("AB"), "14030.0"); // a call too short for a prefix
        QCOMPARE(spots.band("20").spots[0].caption, QString());
        for (int slot = 0; slot < SpotStore::kSlots; ++slot)
            spots.store.removeSpot(slot);
        QVERIFY(spots.band("20").spots.isEmpty());
        QVERIFY(spots.spectrum().spots.isEmpty());
        QVERIFY(spots.band("").spots.isEmpty());
    }

    void listRowsFromClusterLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("row");
        const auto row = [](const char* line, QStringList columns) {
            QTest::newRow(line) << QString::fromLatin1(line) << columns;
        };
        row("DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z",
            {"3B9FR", "14.025", "", "", "de KE8GX:  599 into N. MI", "", "1812", ""});
        row("DX de DJ1TO:      3780.0  OH5Z         LSB                            2200Z JO62",
            {"OH5Z", "3.78", "", "", "de DJ1TO:  LSB", "", "2200", "JO62"});
        // The comment keeps its columns (a 14-character call reaches into them); time and tail are tokens.
        row("DX de K1ABC:     21025.0  KH6/VE7ABCD/MM long call test                 0012Z",
            {"KH6/VE7ABCD/MM", "21.025", "", "", "de K1ABC:  /MM long call test", "", "0012", ""});
        row("DX de LZ4UX-#:    14015.5 ON7TQ        CW   6dB Q:9 Z:5,14,15,40   14 0646Z 20",
            {"ON7TQ", "14.0155", "", "", "de LZ4UX-#:  CW   6dB Q:9 Z:5,14,15,", "14", "0646", "20"});
        row("DX de G4DDK:   1296100.0  OZ1FF        EME                            1902Z JO02",
            {"OZ1FF", "1296.1", "", "", "de G4DDK:  EME", "", "1902", "JO02"});
    }
    void listRowsFromClusterLines()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, row);
        FakeClock clock;
        SpotStore store(clock);
        const SpotFields fields = spotFields(line);
        store.BandMapSpots(fields.call, fields.frequency, line.mid(3).trimmed(), QString());
        row[2] = QStringLiteral("Somewhere");
        QCOMPARE(spotListRow(store.spot(49), QStringLiteral("Somewhere")), row);
        QCOMPARE(readSpotListFrequency(row[1]), std::optional<float>(store.spot(49).frequency));
    }

    void listFrequencyText()
    {
        for (const float f : {14.025f, 7.0055f, 144.3f, 10368.1f, 0.1357f, 299999.9f}) {
            const QString text = spotListFrequency(f);
            QVERIFY2(!text.contains(QLatin1Char('e')) && !text.contains(QLatin1Char(',')), qPrintable(text));
            QCOMPARE(readSpotListFrequency(text), std::optional<float>(f));
        }
        QCOMPARE(readSpotListFrequency(QString()), std::nullopt);
        QCOMPARE(readSpotListFrequency(QStringLiteral("14,025")), std::nullopt);
    }

    // Tuning lets events run; a spot stored meanwhile shifts the store, yet the clicked spot's call goes in.
    void spotArrivingWhileTuning()
    {
        Spots spots;
        FakeRigPort rig;
        RecordingEntryRow entry;
        SpotTuning tuning(spots.store, rig, entry);
        spots.add(QStringLiteral("DL1ABC"), "14025.0");
        spots.add(QStringLiteral("JA1XYZ"), "14035.0");
        rig.whileTuning = [&] { spots.add(QStringLiteral("VK2JJM"), "14074.0"); };
        QVERIFY(tuning.tuneToSpot(48, true));
        QCOMPARE(rig.tunedTo, QList<float>{14.025f});
        QCOMPARE(entry.entered, (QList<QPair<QString, bool>>{{"DL1ABC", true}}));
        QVERIFY(!tuning.tuneToSpot(0, true)); // an empty slot does nothing
        QCOMPARE(rig.tunedTo.size(), 2 - 1);
    }

    void listClickTunesOnlyWithARig()
    {
        Spots spots;
        FakeRigPort rig;
        RecordingEntryRow entry;
        SpotTuning tuning(spots.store, rig, entry);
        QVERIFY(tuning.tuneToListRow(QStringLiteral("OH5Z"), QStringLiteral("3.78")));
        QVERIFY(rig.tunedTo.isEmpty());
        rig.rigType = QStringLiteral("Kenwood");
        QVERIFY(tuning.tuneToListRow(QStringLiteral("3B9FR"), QStringLiteral("14.025")));
        QVERIFY(!tuning.tuneToListRow(QStringLiteral("X1X"), QStringLiteral("")));
        QCOMPARE(rig.tunedTo, QList<float>{14.025f});
        QCOMPARE(entry.entered, (QList<QPair<QString, bool>>{{"OH5Z", false}, {"3B9FR", false}}));
    }

    void redrawOncePerPass()
    {
        SpotRedraw redraw;
        QSignalSpy due(&redraw, &SpotRedraw::due);
        for (int i = 0; i < 100; ++i)
            redraw.request();
        QCOMPARE(due.size(), 0);
        QTRY_COMPARE(due.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(due.size(), 1);
        redraw.request();
        QTRY_COMPARE(due.size(), 2);
    }

    void geometry()
    {
        const ScaleLine line = bandMapLine(QRect(10, 400, 970, 60), 40);
        QCOMPARE(line, (ScaleLine{30, 960, 430}));
        QCOMPARE(scaleLabelLeft(line, 0, 30), 15);
        QCOMPARE(scaleLabelLeft(line, 2, 30), 30 + 465 - 15);
        QCOMPARE(scaleLabelLeft(line, 4, 30), 945);
        QCOMPARE(spotLabelLeft(line, 0.5, 40), 475);
        QCOMPARE(lineGap(500), 2);
        const SpectrumStrip first = spectrumStrip(0, QSize(960, 720));
        QCOMPARE(first.strip, QRect(12, 12, 926, 50)); // the design divided by 10
        QCOMPARE(first.line, (ScaleLine{36, 912, 36}));
        const SpectrumStrip last = spectrumStrip(10, QSize(960, 720));
        QCOMPARE(last.strip.top(), 612);
        QVERIFY(last.strip.bottom() < 720);
        QCOMPARE(spotFontPoints(QSize(640, 480)), 6.75);
        QCOMPARE(spotFontPoints(QSize(3840, 2160)), 6.75 * 1.5);
        QCOMPARE(spotFontPoints(QSize(320, 240)), 6.75);
    }
};

QTEST_GUILESS_MAIN(tst_SpotMaps)
#include "tst_spotmaps.moc"
