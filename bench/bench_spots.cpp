// Received cluster text at spot-flood scale: 1,000 spot lines (the reference lines with numbered calls) as
// a cluster sends them, through the Telnet path into the spot store, beside a plain split and decode of the
// same text. Figures and how to run are in bench/README.md.

#include "log/WriteFormat.h"
#include "spots/SpotLine.h"
#include "spots/SpotPaths.h"
#include "spots/SpotStore.h"
#include "spots/TrafficBox.h"
#include "support/FakeClock.h"
#include "support/ReferenceSpots.h"

#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

constexpr int kLines = 1000;
constexpr qsizetype kRead = 1024; // what one socket read hands on

QByteArray clusterText()
{
    QByteArray text;
    for (int n = 0; n < kLines; ++n) {
        QByteArray line = kReferenceSpots[n % kReferenceSpots.size()].line;
        const QByteArray call = kReferenceSpots[n % kReferenceSpots.size()].call;
        line.replace(call, (call.left(3) + QByteArray::number(n)).leftJustified(call.size(), ' ', true));
        text += line + "\r\n";
    }
    return text;
}

} // namespace

class BenchSpots : public QObject {
    Q_OBJECT
private:
    QByteArray m_text = clusterText();

private Q_SLOTS:
    void plainSplit()
    {
        qsizetype total = 0;
        QBENCHMARK
        {
            for (const QByteArray& line : m_text.split('\n'))
                total += decodeText(line).size();
        }
        QVERIFY(total > 0);
    }

    void parseLines()
    {
        const QList<QByteArray> lines = m_text.split('\n');
        qsizetype total = 0;
        QBENCHMARK
        {
            for (const QByteArray& line : lines)
                total += spotFields(decodeText(line)).call.size();
        }
        QVERIFY(total > 0);
    }

    void telnetPathIntoStore()
    {
        FakeClock clock;
        SpotStore store(clock);
        TrafficBox traffic;
        SpotPaths paths(traffic, [&store](const SpotFields& fields, const QString& line) {
            store.BandMapSpots(fields.call, fields.frequency, line, QStringLiteral("K1ABC"));
        });
        QBENCHMARK
        {
            for (qsizetype at = 0; at < m_text.size(); at += kRead)
                paths.telnetReceived(QByteArrayView(m_text).sliced(at, qMin(kRead, m_text.size() - at)));
        }
        QVERIFY(store.spot(SpotStore::kNewest).shown());
    }
};

QTEST_MAIN(BenchSpots)
#include "bench_spots.moc"
