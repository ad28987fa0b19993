// Speed of the rate graph on a full log: computing it beside a plain pass that only reads the same dates and
// times, and one paint of the plot at 1920 x 1080 at device pixel ratios 1 and 2. Figures in bench/README.md.

#include "views/RateGraph.h"
#include "views/ui/RatePlot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace velm;

namespace {

// A 48-hour contest log: 11,000 contacts, bursts and pauses, bands changing every 250 contacts.
LogStore fullLog()
{
    static const char* const kBands[] = {"80", "40", "20", "15", "10"};
    LogStore store;
    qint64 seconds = 0;
    for (int n = 0; n < LogStore::Capacity; ++n) {
        seconds += (n / 400) % 3 == 0 ? 5 : 20;
        if (n % 1500 == 0)
            seconds += 3600;
        QsoRecord r;
        r.Call = QStringLiteral("W%1X").arg(n);
        const QDateTime at = QDateTime(QDate(2011, 3, 5), QTime(0, 0), Qt::UTC).addSecs(seconds);
        r.QsoDate = at.toString(QStringLiteral("yyyy/MM/dd"));
        r.QsoTime = at.toString(QStringLiteral("hh:mm:ss"));
        r.Band = QString::fromLatin1(kBands[(n / 250) % 5]);
        store.add(r);
    }
    return store;
}

} // namespace

class BenchRateGraph : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_store = fullLog(); }
    void plainDateTimePass();
    void computeRateGraph();
    void paint_data();
    void paint();

private:
    LogStore m_store;
};

void BenchRateGraph::plainDateTimePass()
{
    qint64 sum = 0;
    QBENCHMARK
    {
        for (int n = 1; n <= m_store.QsoCount(); ++n)
            sum += qsoSeconds(m_store.record(n).QsoDate, m_store.record(n).QsoTime).value_or(0);
    }
    QVERIFY(sum != 0);
}

void BenchRateGraph::computeRateGraph()
{
    RateGraph graph;
    QBENCHMARK
    {
        graph = velm::computeRateGraph(m_store);
    }
    QVERIFY(graph.enough);
}

void BenchRateGraph::paint_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("dpr 1") << qreal(1);
    QTest::newRow("dpr 2") << qreal(2);
}

void BenchRateGraph::paint()
{
    QFETCH(qreal, ratio);
    RatePlot plot;
    plot.resize(1920, 1080);
    plot.setGraph(velm::computeRateGraph(m_store));
    QImage image(QSize(1920, 1080) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QBENCHMARK
    {
        plot.render(&image);
    }
}

QTEST_MAIN(BenchRateGraph)
#include "bench_rategraph.moc"
