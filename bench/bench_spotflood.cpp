// Keystrokes in the call field while a DX cluster floods the Telnet source, beside the same keystrokes with
// the cluster quiet, in one process: how long a key waits in the event queue before the call field has it.
// Also the resident memory after a 1 MB line without a line end and after the flood.

#include "../tests/spots/SpotHarness.h"
#include "log/SharedPreferences.h"
#include "log/ui/Form1.h"
#include "support/ClusterServer.h"
#include "support/FakeKeyers.h"
#include "support/FakeRigPort.h"
#include "support/ReferenceSpots.h"
#include "spots/ui/SpectrumMap.h"
#include "spots/ui/SpotArea.h"
#include "spots/ui/SpotLabel.h"
#include "spots/ui/SpotViews.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

using namespace velm;
using namespace velm::test;

namespace {

// Resident memory of this process in KiB, from /proc/self/status.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Records when each posted key reaches the call field.
class KeyArrival : public QObject {
public:
    QList<qint64> arrivedNs;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            arrivedNs << clock.nsecsElapsed();
        return false;
    }
};

void report(const char* what, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.isEmpty())
        return;
    qInfo("%s: p50 %.3f ms, p99 %.3f ms, max %.3f ms over %lld keys", what, ms.at(ms.size() / 2),
          ms.at(std::min<qsizetype>(ms.size() - 1, ms.size() * 99 / 100)), ms.last(), qlonglong(ms.size()));
}

const QByteArray kSpot = "DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z";

} // namespace

class BenchSpotFlood : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keystrokesDuringAFlood()
    {
        ClusterServer cluster;
        cluster.prompt.clear();
        QVERIFY(cluster.start());
        SpotHarness h(spotSettingsFile("Telnet", "9600", 1, "N", 0, "127.0.0.1", QByteArray::number(cluster.port())),
                      nullptr, true);
        h.session->LoadPrefixTable(); // no prefix table in the folder: the lookup finds nothing, as on a bare start
        SharedPreferences shared;
        FakeKeyers keyers;
        FakeRigPort rig;
        NullVoicePrompts voice;
        StationLifecycles stations;
        Form1 form(Form1Context{h.fakes.services(), *h.session, shared,
                                StationPorts{keyers, keyers, keyers, rig, voice, stations}});
        form.setModalRunner([](QDialog&) { return int(QDialog::Rejected); });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        h->LoadSpotSettings();
        QVERIFY(cluster.waitForClient());
        const long startKiB = residentKiB();

        // One key every 20 ms for 10 s, posted as the window system would; its wait is post to arrival.
        const auto typeFor = [&](int seconds, const std::function<void()>& eachTick) {
            KeyArrival arrival;
            arrival.clock.start();
            form.txtCall->installEventFilter(&arrival);
            QList<qint64> postedNs;
            QTimer keys;
            keys.setTimerType(Qt::PreciseTimer);
            QObject::connect(&keys, &QTimer::timeout, &form, [&] {
                if (form.txtCall->text().size() >= 8)
                    form.txtCall->clear();
                postedNs << arrival.clock.nsecsElapsed();
                QCoreApplication::postEvent(form.txtCall, new QKeyEvent(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier,
                                                                        QStringLiteral("K")));
                QCoreApplication::postEvent(form.txtCall, new QKeyEvent(QEvent::KeyRelease, Qt::Key_K, Qt::NoModifier,
                                                                        QStringLiteral("K")));
            });
            QTimer flood;
            QObject::connect(&flood, &QTimer::timeout, &form, eachTick);
            keys.start(20);
            flood.start(100);
            QTest::qWait(seconds * 1000);
            keys.stop();
            flood.stop();
            QTest::qWait(200);
            form.txtCall->removeEventFilter(&arrival);
            QList<double> waits;
            for (qsizetype n = 0; n < std::min(postedNs.size(), arrival.arrivedNs.size()); ++n)
                waits << (arrival.arrivedNs.at(n) - postedNs.at(n)) / 1e6;
            return waits;
        };

        report("quiet cluster (baseline)", typeFor(10, [] {}));
        int sent = 0;
        report("100 spot lines/s", typeFor(10, [&] {
                   for (int n = 0; n < 10; ++n, ++sent)
                       cluster.sendLine(kSpot + " " + QByteArray::number(sent));
               }));
        const long afterFloodKiB = residentKiB();

        qInfo("newest stored spot: %s on %.4f MHz; traffic box %lld characters", qPrintable(h.store->spot(49).call),
              double(h.store->spot(49).frequency), qlonglong(h.traffic().size()));
        cluster.send(QByteArray(1 << 20, 'x'));
        cluster.flush();
        QTest::qWait(2000);
        const long afterLongLineKiB = residentKiB();
        qInfo("resident memory: %ld KiB connected, %ld KiB after %d spot lines, %ld KiB after a 1 MB line "
              "without a line end",
              startKiB, afterFloodKiB, sent, afterLongLineKiB);
        // The same flood with the band map shown, then with the spectrum map open over it: a new call on a
        // new frequency each line, so every redraw moves labels.
        SpotViews views({*h.store, *h, *h.session, h.fakes.clock, rig, form}, &form);
        form.addSpotArea(views.area());
        h->setListDisplay(false);
        h->cmdDone_Click();
        QVERIFY(views.area()->bandMapShown());
        const auto varied = [&] {
            for (int n = 0; n < 10; ++n, ++sent) {
                const QByteArray khz = QByteArray::number(14000 + sent % 340) + ".0";
                const QByteArray call = ("K" + QByteArray::number(sent) + "AB").leftJustified(12, ' ');
                cluster.sendLine("DX de KE8GX:     " + khz.rightJustified(7, ' ') + "  " + call +
                                 " 599 into N. MI                 1812Z");
            }
        };
        report("100 spot lines/s, band map shown", typeFor(10, varied));
        QTimer::singleShot(0, &form, [&] {
            report("100 spot lines/s, spectrum map open", typeFor(10, varied));
            views.spectrumMap()->reject();
        });
        views.showSpectrumMap();
        int drawn = 0;
        for (const QWidget* label : views.area()->lblDXSpot)
            drawn += label->isVisible();
        qInfo("band map after the floods: %d spot labels drawn, newest %s", drawn,
              qPrintable(h.store->spot(49).call));
        QVERIFY(h->isOpen());
    }
};

QTEST_MAIN(BenchSpotFlood)
#include "bench_spotflood.moc"
