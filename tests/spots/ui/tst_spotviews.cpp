// The spot views on the real main window: the spot area opened and closed by the spotting window, the band
// map's and the list's mouse actions tuning the recording rig and filling the call field, the spectrum map
// with its mouse and keyboard, and the faults of clicks racing new spots.

#include "log/ui/Form1Harness.h"
#include "spots/SpotConnection.h"
#include "spots/SpotLine.h"
#include "spots/SpotStore.h"
#include "spots/ui/SpectrumMap.h"
#include "spots/ui/SpotArea.h"
#include "spots/ui/SpotLabel.h"
#include "spots/ui/SpotViews.h"
#include "support/FakeAgwEngine.h"
#include "support/TestStationServices.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

using namespace velm;
using namespace velm::test;

namespace {

// 3B9FR logged on 20 m CW: spotting it again is a duplicate.
const QByteArray kLoggedSpot =
    "\"3B9FR\",\"599\",\"1234\",\"599\",\"CT\",\"2011/03/05\",\"15:05:33\",\"CW\",\"20\",5,\"\"\r\n";

struct Views : Running {
    explicit Views(bool bandMap = true) : Running(kLoggedSpot)
    {
        store.emplace(fakes.clock);
        spots.emplace(fakes.services(), station.services(), agw, *session, *store);
        views.emplace(SpotViewsContext{*store, *spots, *session, fakes.clock, rig, window()}, &window());
        window().addSpotArea(views->area());
        QObject::connect(&*views, &SpotViews::hovered, &window(), &Form1::showSpotHover);
        QObject::connect(&*views, &SpotViews::callFieldWanted, &window(),
                         [this] { window().txtCall->setFocus(); });
        open(bandMap);
    }
    ~Views()
    {
        views.reset();
        spots.reset();
    }
    void open(bool bandMap)
    {
        spots->List1_Click(SpotSourceName::Telnet);
        spots->setListDisplay(!bandMap);
        spots->cmdDone_Click();
    }
    void close()
    {
        spots->List1_Click(SpotSourceName::None);
        spots->cmdDone_Click();
    }
    void spot(const char* line)
    {
        const QString text = QString::fromLatin1(line);
        spots->DispatchSpot(spotFields(text), text);
    }
    SpotArea& area() { return *views->area(); }
    SpotLabel* label(int slot) { return area().lblDXSpot[slot]; }

    TestStationServices station;
    FakeAgwEngine agw;
    std::optional<SpotStore> store;
    std::optional<SpotConnection> spots;
    std::optional<SpotViews> views;
};

const char* const kKe8gx = "DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z";
const char* const kDj1to = "DX de DJ1TO:     14035.0  OH5Z         LSB                            2200Z JO62";

// Runs step inside the spectrum map's modal loop, and closes the map should the step leave it open.
void withSpectrumMap(Views& views, const std::function<void(SpectrumMap&)>& step)
{
    QTimer::singleShot(0, [&] {
        SpectrumMap* map = views.views->spectrumMap();
        QVERIFY(map);
        step(*map);
        if (views.views->spectrumMap() && views.views->spectrumMap()->isVisible())
            views.views->spectrumMap()->reject();
    });
    views.views->showSpectrumMap();
    QVERIFY(!views.views->spectrumMap());
}

} // namespace

class tst_SpotViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rightClickTunesAndTheDuplicateCheckRuns()
    {
        Views views;
        views.rig.rigType = QStringLiteral("Kenwood");
        views.spot(kKe8gx);
        QCoreApplication::processEvents();
        QVERIFY(views.label(49)->isVisible());
        QCOMPARE(views.label(49)->text(), QStringLiteral("3B9"));
        QCOMPARE(views.label(49)->accessibleName(), QStringLiteral("3B9FR  14.025  15:05:33"));
        QTest::mouseClick(views.label(49), Qt::RightButton);
        QCOMPARE(views.rig.tunedTo, QList<float>{14.025f});
        // The call went in as typed and the Tab ran the field's leaving rules: the duplicate is refused.
        QVERIFY2(views.window().lblDialog->text().startsWith(QStringLiteral("Duplicate 3B9FR")),
                 qPrintable(views.window().lblDialog->text()));
    }

    void hoverShowsTheSpotAndStays()
    {
        Views views;
        views.spot(kDj1to);
        QCoreApplication::processEvents();
        QTest::mouseMove(views.label(49));
        QCOMPARE(views.window().lblDupe->text(), QStringLiteral("OH5Z  14.035  15:05:33"));
        QTest::mouseMove(views.area().lblDX, QPoint(2, 2)); // the band map's background is not the window's
        QCOMPARE(views.window().lblDupe->text(), QStringLiteral("OH5Z  14.035  15:05:33"));
    }

    // Tuning lets events run; spots stored meanwhile (and the redraw they bring) do not change which call
    // goes into the field.
    void spotArrivingWhileTuning()
    {
        Views views;
        views.spot(kDj1to);
        QCoreApplication::processEvents();
        views.rig.whileTuning = [&] {
            views.spot("DX de W9KXQ:     14076.0  HB9AOF                                      1629Z");
            views.spot("DX de N2CQ:      14036.1  W0BH         OK QSO Party: Major            1624Z");
            QCoreApplication::processEvents();
        };
        QTest::mouseClick(views.label(49), Qt::RightButton);
        QCOMPARE(views.rig.tunedTo, QList<float>{14.035f});
        QCOMPARE(views.window().txtCall->text(), QStringLiteral("OH5Z"));
        QVERIFY(views.label(49)->isVisible());
        QCOMPARE(views.label(49)->text(), QStringLiteral("W0"));
    }

    void quotedCallIsNotTransferred()
    {
        Views views;
        views.spot("DX de KE8GX:     14025.0  K1\"AB        599                            1812Z");
        QCoreApplication::processEvents();
        QTest::mouseClick(views.label(49), Qt::RightButton);
        QCOMPARE(views.rig.tunedTo, QList<float>{14.025f});
        QCOMPARE(views.window().txtCall->text(), QString());
    }

    void leftClickRemovesFromBothMaps()
    {
        Views views;
        views.spot(kKe8gx);
        views.spot(kDj1to);
        QCoreApplication::processEvents();
        withSpectrumMap(views, [&](SpectrumMap& map) {
            QVERIFY(map.lblDXSpot[49]->isVisible());
            QTest::mouseClick(map.lblDXSpot[49], Qt::LeftButton);
            QTRY_VERIFY(map.lblDXSpot[49]->isHidden());
            QVERIFY(map.lblDXSpot[48]->isVisible());
        });
        QVERIFY(views.label(49)->isHidden());
        QVERIFY(views.label(48)->isVisible());
        QVERIFY(views.rig.tunedTo.isEmpty());
    }

    void spectrumMapRightClickTunesAndCloses()
    {
        Views views;
        views.rig.rigType = QStringLiteral("Kenwood");
        views.spot("DX de WZ7I-#:    10148.4  W0PV         RTTY 30 dB CQ                  0036Z");
        views.spot(kDj1to);
        QCoreApplication::processEvents();
        withSpectrumMap(views, [&](SpectrumMap& map) {
            QCOMPARE(map.windowTitle(), QStringLiteral(" HF Spectrum Map"));
            QCOMPARE(map.lblHFSpots[3]->accessibleName(), QStringLiteral("30 m"));
            // The 30 m spot sits on the 30 m strip's line.
            const QRect strip = map.lblHFSpots[3]->geometry();
            QVERIFY(map.lblDXSpot[48]->isVisible());
            QVERIFY(strip.contains(map.lblDXSpot[48]->geometry().center()));
            QTest::mouseClick(map.lblDXSpot[48], Qt::RightButton);
        });
        QCOMPARE(views.rig.tunedTo, QList<float>{10.1484f});
        QCOMPARE(views.window().txtCall->text(), QStringLiteral("W0PV"));
        QTRY_COMPARE(QApplication::focusWidget(), views.window().txtCall); // no Tab after it
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void spectrumMapByKeyboard()
    {
        Views views;
        views.spot("DX de K2PO-#:     1823.4  HL5IV          CW     8 dB  22 WPM  CQ      1307Z");
        views.spot("DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z");
        views.spot("DX de N2CQ:      14036.1  W0BH         OK QSO Party: Major            1624Z");
        QCoreApplication::processEvents();
        withSpectrumMap(views, [&](SpectrumMap& map) {
            QTest::keyClick(&map, Qt::Key_Right); // the first spot: the newest
            QCOMPARE(map.selectedSlot(), 49);     // W0BH 14.0361
            QTest::keyClick(&map, Qt::Key_Left);
            QCOMPARE(map.selectedSlot(), 48); // 3B9FR 14.025
            QTest::keyClick(&map, Qt::Key_Up);
            QCOMPARE(map.selectedSlot(), 47); // HL5IV on 160 m
            QTest::keyClick(&map, Qt::Key_Delete);
            QTRY_VERIFY(map.lblDXSpot[47]->isHidden());
            QCOMPARE(map.selectedSlot(), -1);
            QTest::keyClick(&map, Qt::Key_Down);
            QTest::keyClick(&map, Qt::Key_Return);
        });
        QCOMPARE(views.rig.tunedTo, QList<float>{14.0361f});
        QCOMPARE(views.window().txtCall->text(), QStringLiteral("W0BH"));
        withSpectrumMap(views, [](SpectrumMap& map) { QTest::keyClick(&map, Qt::Key_Escape); });
    }

    void listClickWithoutRig()
    {
        Views views(false);
        views.window().resize(800, 1000); // room below the rows
        views.spot(kKe8gx);
        views.spot(kDj1to);
        QCoreApplication::processEvents();
        QTreeWidget* list = views.area().txtDX;
        QVERIFY(list->isVisible());
        QVERIFY(views.label(49)->isHidden());
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("OH5Z"));
        QCOMPARE(list->topLevelItem(0)->text(7), QStringLiteral("JO62"));
        views.spot("DX de OZ1FJB:     3527.6  DL2ASG                                      1815Z JO55");
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("Germany")); // the QTH from the prefix table
        delete list->takeTopLevelItem(0);
        views.window().txtRSTR->setFocus();
        const QRect second = list->visualItemRect(list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QVERIFY(views.rig.tunedTo.isEmpty());
        QCOMPARE(views.window().txtCall->text(), QStringLiteral("3B9FR"));
        QCOMPARE(QApplication::focusWidget(), views.window().txtCall);
        // Empty space below the rows only focuses the call field: no older row is taken.
        views.window().txtCall->clear();
        views.window().txtRSTR->setFocus();
        const QPoint below(5, list->viewport()->height() - 2);
        QVERIFY(!list->itemAt(below));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(views.window().txtCall->text(), QString());
        QCOMPARE(QApplication::focusWidget(), views.window().txtCall);
    }

    void listKeepsTwoHundredRows()
    {
        Views views(false);
        for (int i = 0; i < 205; ++i)
            views.store->BandMapSpots(QStringLiteral("K%1AA").arg(i), QStringLiteral("14025"),
                                      QStringLiteral("de X:"), QString());
        QTreeWidget* list = views.area().txtDX;
        QCOMPARE(list->topLevelItemCount(), 200);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("K204AA"));
        QCOMPARE(list->topLevelItem(199)->text(0), QStringLiteral("K5AA"));
        QVERIFY(list->isColumnHidden(3));
        // The hidden "Status" takes no room: "Comments" follows "QTH".
        QCOMPARE(list->header()->sectionPosition(4),
                 list->header()->sectionPosition(2) + list->header()->sectionSize(2));
        QCOMPARE(list->header()->sectionSize(0), 1040 * views.window().width() / 9600);
        QCOMPARE(list->focusPolicy(), Qt::NoFocus);
    }

    // The area is a row of the layout: shown, the rows above give it room; closed, they get it back.
    void openCloseCyclesLeaveTheLayout()
    {
        Views views;
        views.close();
        QCoreApplication::processEvents();
        QVERIFY(views.area().isHidden());
        const QRect contacts = views.window().ListView1->geometry();
        const QRect call = views.window().txtCall->geometry();
        for (int cycle = 0; cycle < 20; ++cycle) {
            views.open(cycle % 2 == 0);
            QCoreApplication::processEvents();
            QVERIFY(views.area().isVisible());
            QVERIFY(views.window().ListView1->geometry().height() < contacts.height());
            views.close();
            QCoreApplication::processEvents();
        }
        QCOMPARE(views.window().ListView1->geometry(), contacts);
        QCOMPARE(views.window().txtCall->geometry(), call);
        QVERIFY(views.area().LineDX->isHidden());
    }

    void bandChangeAndAgeRedraw()
    {
        Views views;
        views.spot(kKe8gx);
        QCoreApplication::processEvents();
        QVERIFY(views.label(49)->isVisible());
        views.window().selectBand(QStringLiteral("40"));
        QTRY_VERIFY(views.label(49)->isHidden());
        QCOMPARE(views.area().lblFreqSpot[0]->text(), QStringLiteral("7.000"));
        views.window().selectBand(QStringLiteral("20"));
        QTRY_VERIFY(views.label(49)->isVisible());
        // An hour later the idle redraw of the spotting window's timer takes it down.
        views.fakes.clock.advanceMs(3600 * 1000);
        for (int tick = 0; tick <= 361; ++tick)
            views.spots->PollSpotSource();
        QTRY_VERIFY(views.label(49)->isHidden());
    }
};

QTEST_MAIN(tst_SpotViews)
#include "tst_spotviews.moc"
