// The band map and the spectrum map redrawn with 50 spots in the store, beside hiding and showing the same
// 50 labels without placing anything. Figures and how to run are in bench/README.md.

#include "../tests/spots/SpotHarness.h"
#include "log/EntryRowPort.h"
#include "spots/ui/SpectrumMap.h"
#include "spots/ui/SpotArea.h"
#include "spots/ui/SpotLabel.h"
#include "spots/ui/SpotViews.h"
#include "support/FakeRigPort.h"

#include <QVBoxLayout>

using namespace velm;
using namespace velm::test;

namespace {

struct NoEntryRow final : EntryRowPort {
    void enterCall(const QString&, bool) override {}
    void commitEntryRow() override {}
};

} // namespace

class BenchSpotViews : public QObject {
    Q_OBJECT
private:
    SpotHarness m_h{spotSettingsFile("Telnet")};
    FakeRigPort m_rig;
    NoEntryRow m_entry;
    QWidget m_window;
    std::optional<SpotViews> m_views;

private Q_SLOTS:
    void initTestCase()
    {
        m_window.resize(1280, 960);
        auto* rows = new QVBoxLayout(&m_window);
        rows->addStretch(1);
        m_views.emplace(
            SpotViewsContext{*m_h.store, *m_h.spots, *m_h.session, m_h.fakes.clock, m_rig, m_entry},
            &m_window);
        rows->addWidget(m_views->area());
        m_window.show();
        // 50 spots across 20 m (the log's band) and the other bands, newest last.
        for (int n = 0; n < 50; ++n) {
            const BandEdges band = spectrumBands()[std::size_t(n / 2 % kSpectrumBands)].edges;
            const double khz =
                n % 2 ? 14000.5 + n * 7 : 1000 * (band.low + (band.high - band.low) * (0.1 + n / 100.0));
            m_h.store->BandMapSpots(QStringLiteral("K%1ABC").arg(n), QString::number(khz, 'f', 1),
                                    QStringLiteral("de X:"), QString());
        }
        m_h->List1_Click(SpotSourceName::Telnet);
        m_h->setListDisplay(false);
        m_h->cmdDone_Click();
        QCoreApplication::processEvents();
        QVERIFY(m_views->area()->bandMapShown());
    }

    void hideAndShow50Labels()
    {
        QList<SpotLabel*>& labels = m_views->area()->lblDXSpot;
        QBENCHMARK
        {
            for (SpotLabel* label : labels)
                label->hide();
            for (SpotLabel* label : labels)
                label->show();
        }
    }

    void DisplayBandMapLabels()
    {
        QBENCHMARK
        {
            m_views->area()->DisplayBandMapLabels();
        }
        int shown = 0;
        for (SpotLabel* label : m_views->area()->lblDXSpot)
            shown += label->isVisible();
        QVERIFY(shown >= 25);
    }

    void BandMapLabelDisplay()
    {
        SpotTuning tuning(*m_h.store, m_rig, m_entry);
        SpectrumMap map(*m_h.store, *m_h.session, m_h.fakes.clock, tuning);
        map.show();
        QBENCHMARK
        {
            map.BandMapLabelDisplay();
        }
        int shown = 0;
        for (SpotLabel* label : map.lblDXSpot)
            shown += label->isVisible();
        QCOMPARE(shown, 49); // the oldest 160 m spot lies below the scale zoomed to the newer ones
    }
};

QTEST_MAIN(BenchSpotViews)
#include "bench_spotviews.moc"
