// Tests of the rate graph: the ten-minute count, the slots, gap filling, band colours, labels and the faults
// of odd logs (no span, out of time order, unreadable times).

#include "views/RateGraph.h"

#include <QtTest>

#include <algorithm>
#include <random>

using namespace velm;

namespace {

constexpr qint64 Start = 1711848600; // 2024/03/31 01:30:00 UTC

QVector<RateContact> at(std::initializer_list<qint64> offsets, const char* band = "20")
{
    QVector<RateContact> contacts;
    for (qint64 offset : offsets)
        contacts.push_back({Start + offset, QString::fromLatin1(band)});
    return contacts;
}

// Contacts every `step` seconds from `from` to `to` (both included).
QVector<RateContact> every(qint64 step, qint64 from, qint64 to, const char* band = "20")
{
    QVector<RateContact> contacts;
    for (qint64 t = from; t <= to; t += step)
        contacts.push_back({Start + t, QString::fromLatin1(band)});
    return contacts;
}

QsoRecord record(const QString& date, const QString& time, const QString& band = QStringLiteral("20"))
{
    QsoRecord r;
    r.Call = QStringLiteral("K1ABC");
    r.QsoDate = date;
    r.QsoTime = time;
    r.Band = band;
    return r;
}

} // namespace

class TestRateGraph : public QObject {
    Q_OBJECT

private slots:
    void qsoTimesReadAsUtc_data();
    void qsoTimesReadAsUtc();
    void sevenContactsAMinuteApart();
    void tenMinuteWindowEdge_data();
    void tenMinuteWindowEdge();
    void laterContactInSlotWins();
    void contactNextToFirstTakesSlotOne();
    void gapsBridgedOrDropped();
    void bandColours();
    void zeroSpanIsOnePoint();
    void outOfOrderLogIsSorted();
    void flatRateLiesAtBottom();
    void labelsAndText();
};

void TestRateGraph::qsoTimesReadAsUtc_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<qint64>("seconds"); // -1: unreadable
    // The last Sunday of March: no summer-time hour is taken off or added.
    QTest::newRow("seconds") << "2024/03/31"
                             << "01:30:00" << Start;
    QTest::newRow("hh:mm after the contest") << "2024/03/31"
                                             << "01:30" << Start;
    QTest::newRow("summer time hour") << "2024/03/31"
                                      << "02:30:00" << Start + 3600;
    QTest::newRow("blank time") << "2024/03/31"
                                << "" << qint64(-1);
    QTest::newRow("hour 25") << "2024/03/31"
                             << "25:00:00" << qint64(-1);
    QTest::newRow("no such day") << "2024/02/30"
                                 << "10:00:00" << qint64(-1);
    QTest::newRow("words") << "yesterday"
                           << "noon" << qint64(-1);
}

void TestRateGraph::qsoTimesReadAsUtc()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(qint64, seconds);
    const std::optional<qint64> read = qsoSeconds(date, time);
    QCOMPARE(read.value_or(-1), seconds);
}

void TestRateGraph::sevenContactsAMinuteApart()
{
    const RateGraph g = computeRateGraph(at({0, 60, 120, 180, 240, 300, 360}));
    QVERIFY(g.enough);
    QCOMPARE(g.SlotSeconds, 360.0 / 1500);
    // Contact i lands in slot 250 (i - 1) (the first in slot 1) with i contacts in its ten minutes.
    QCOMPARE(g.SlotRate[1], 6.0f);
    for (int i = 2; i <= 7; ++i)
        QCOMPARE(g.SlotRate[std::size_t(250 * (i - 1))], float(6 * i));

    QVERIFY(!computeRateGraph(at({0, 60, 120, 180, 240, 300})).enough);
}

void TestRateGraph::tenMinuteWindowEdge_data()
{
    QTest::addColumn<qint64>("gap");
    QTest::addColumn<float>("rate");
    QTest::newRow("600 s is outside") << qint64(600) << 6.0f;
    QTest::newRow("599 s is inside") << qint64(599) << 12.0f;
}

void TestRateGraph::tenMinuteWindowEdge()
{
    QFETCH(qint64, gap);
    QFETCH(float, rate);
    // A span of 1500 s makes one slot a second.
    QVector<RateContact> contacts = at({1000 - gap, 1000});
    contacts = at({0}) + contacts + every(1, 1495, 1500);
    const RateGraph g = computeRateGraph(contacts);
    QCOMPARE(g.SlotSeconds, 1.0);
    QCOMPARE(g.SlotRate[1000], rate);
}

void TestRateGraph::laterContactInSlotWins()
{
    // Two-second slots: 1000 s and 1001 s both round to slot 500 (a half goes to the even slot).
    const RateGraph g = computeRateGraph(at({0, 1000, 1001, 2996, 2997, 2998, 3000}));
    QCOMPARE(g.SlotSeconds, 2.0);
    QCOMPARE(g.SlotRate[500], 12.0f);
}

void TestRateGraph::contactNextToFirstTakesSlotOne()
{
    // One second into two-second slots rounds to slot 0, which does not exist: it joins slot 1.
    const RateGraph g = computeRateGraph(at({0, 1, 2996, 2997, 2998, 2999, 3000}));
    QCOMPARE(g.SlotRate[0], 0.0f);
    QCOMPARE(g.SlotRate[1], 12.0f);
}

void TestRateGraph::gapsBridgedOrDropped()
{
    // One-second slots: a contact every 10 s (gaps of 9 empty slots) up to 400 s, nothing until 700 s (the
    // last 15 slots before it ramp up from zero).
    const RateGraph g = computeRateGraph(every(10, 0, 400) + every(10, 700, 1500));
    for (int k = 1; k <= 400; ++k)
        QVERIFY2(g.SlotSmooth[std::size_t(k)] > 0, qPrintable(QString::number(k)));
    for (int k = 420; k <= 680; ++k)
        QCOMPARE(g.SlotSmooth[std::size_t(k)], 0.0f);
    QCOMPARE(g.RateMin, 0.0f);

    const RateGraphShape shape = rateGraphShape(g);
    const double gapLeft = rategraph::Left + 420 * (rategraph::Right - rategraph::Left) / rategraph::Slots;
    const double gapRight = rategraph::Left + 680 * (rategraph::Right - rategraph::Left) / rategraph::Slots;
    QVERIFY(!shape.strip.isEmpty());
    for (const RateGraphShape::StripBox& box : shape.strip)
        QVERIFY(box.box.right() < gapLeft || box.box.left() > gapRight);
}

void TestRateGraph::bandColours()
{
    const RateGraph all20 = computeRateGraph(every(10, 0, 1500));
    for (int k = 1; k <= rategraph::Slots; ++k) {
        if (all20.SlotSmooth[std::size_t(k)] > 0)
            QCOMPARE(all20.slotColour(k, 0x000000), quint32(0x00FF00));
    }
    // A band without a colour counts in the rate but leaves the colour carried from before; after a drop to
    // zero nothing is carried.
    const RateGraph mixed =
        computeRateGraph(every(10, 0, 400, "40") + every(10, 410, 600, "30") + every(10, 1000, 1500, "30"));
    QCOMPARE(mixed.slotColour(500, 0x000000), quint32(0xFF0000));
    QCOMPARE(mixed.slotColour(1200, 0xFFFFFF), quint32(0xFFFFFF));
    QVERIFY(mixed.SlotSmooth[1200] > 0);
}

void TestRateGraph::zeroSpanIsOnePoint()
{
    const RateGraph g = computeRateGraph(at({0, 0, 0, 0, 0, 0, 0}));
    QVERIFY(g.enough);
    QCOMPARE(g.SlotRate[1], 42.0f);
    for (int k = 2; k <= rategraph::Slots + 15; ++k)
        QCOMPARE(g.SlotRate[std::size_t(k)], 0.0f);
    QCOMPARE(g.RateMax, 42.0f);
    QCOMPARE(g.timeLabels.first(), g.timeLabels.last());
    for (const QLineF& line : rateGraphShape(g).curve)
        QVERIFY(std::isfinite(line.x1()) && std::isfinite(line.y1()) && std::isfinite(line.y2()));
}

void TestRateGraph::outOfOrderLogIsSorted()
{
    LogStore sorted;
    LogStore shuffled;
    QVector<QsoRecord> records;
    for (int minute = 0; minute < 60; ++minute)
        records << record(QStringLiteral("2024/03/31"),
                          QStringLiteral("14:%1:00").arg(minute, 2, 10, QLatin1Char('0')),
                          minute < 30 ? QStringLiteral("40") : QStringLiteral("20"));
    // Entered after the contest: minutes only, and one time that cannot be read.
    records << record(QStringLiteral("2024/03/31"), QStringLiteral("15:10"));
    for (const QsoRecord& r : records)
        sorted.add(r);
    QVector<QsoRecord> mixed = records;
    std::shuffle(mixed.begin(), mixed.end(), std::mt19937(7));
    mixed.insert(3, record(QStringLiteral("2024/03/31"), QStringLiteral("soon")));
    for (const QsoRecord& r : mixed)
        shuffled.add(r);

    const QVector<RateContact> contacts = rateContacts(sorted);
    QCOMPARE(contacts.size(), 61);
    QCOMPARE(contacts.first().band, QStringLiteral("40"));
    const RateGraph a = computeRateGraph(sorted);
    const RateGraph b = computeRateGraph(shuffled);
    QCOMPARE(b.contacts, 61);
    QCOMPARE(a.T0, b.T0);
    QCOMPARE(a.T1, b.T1);
    QVERIFY(a.SlotSmooth == b.SlotSmooth);
    QVERIFY(a.SlotColour == b.SlotColour);
    for (int k = 1; k <= rategraph::Slots; ++k)
        QVERIFY(b.SlotRate[std::size_t(k)] >= 0 && b.SlotRate[std::size_t(k)] <= 6 * 11);
}

void TestRateGraph::flatRateLiesAtBottom()
{
    RateGraph flat;
    flat.enough = true;
    flat.RateMin = flat.RateMax = 0;
    const double bottom = rategraph::Bottom - (rategraph::Bottom - rategraph::Top) * 0.0025;
    const RateGraphShape shape = rateGraphShape(flat);
    QCOMPARE(shape.curve.size(), rategraph::Slots);
    for (const QLineF& line : shape.curve) {
        QCOMPARE(line.y1(), bottom);
        QCOMPARE(line.y2(), bottom);
    }
    QVERIFY(shape.strip.isEmpty());
}

void TestRateGraph::labelsAndText()
{
    // 14:00 to 20:10 on 20 m, a contact a minute, faster (every 20 s) from 15:00 to 15:30.
    QVector<RateContact> contacts = every(60, 0, 3600) + every(20, 3620, 5400) + every(60, 5460, 22200);
    for (RateContact& c : contacts)
        c.seconds += 12 * 3600 + 30 * 60; // 01:30 + 12:30 = 14:00
    const RateGraph g = computeRateGraph(contacts);
    QCOMPARE(g.timeLabels.size(), 15);
    QCOMPARE(g.timeLabels.first(), QStringLiteral("14:00"));
    QCOMPARE(g.timeLabels.last(), QStringLiteral("20:10"));
    QCOMPARE(g.dateLabels.first(), QStringLiteral("03/31"));
    QCOMPARE(g.rateLabels.size(), 17);
    QCOMPARE(g.rateLabels.first(), QString::number(g.RateMin, 'f', 1));
    QCOMPARE(g.rateLabels.last(), QString::number(g.RateMax, 'f', 1));
    QCOMPARE(g.RateMax, 180.0f);
    QVERIFY2(g.summary().startsWith(
                 QStringLiteral("%1 contacts, 14:00–20:10, peak 180.0 per hour at 15:").arg(contacts.size())),
             qPrintable(g.summary()));
    QVERIFY(g.summary().endsWith(QStringLiteral(" on 20 m")));
    const QVector<RateGraphRow> rows = g.rows();
    QCOMPARE(rows.size(), 15);
    QCOMPARE(rows.first().time, QStringLiteral("03/31 14:00"));
    QCOMPARE(rows.last().band, QStringLiteral("20 m"));
}

QTEST_APPLESS_MAIN(TestRateGraph)
#include "tst_rategraph.moc"
