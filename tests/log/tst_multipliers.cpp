// Tests of the multiplier state, the score block and the operating rates.

#include "log/MultiplierState.h"
#include "log/ScoreStats.h"
#include "log/SpcTable.h"

#include <QtTest>

using namespace velm;

namespace {

// Records given as "band spc" or, for the rates, "date time".
LogStore storeOf(const QStringList& records, bool dated = false)
{
    LogStore store;
    for (const QString& text : records) {
        const qsizetype blank = text.indexOf(QLatin1Char(' '));
        QsoRecord record{"N0CALL", "599", "5W", "599", "CT", "2011/03/05", "14:00:00", "CW", "20", 2, ""};
        (dated ? record.QsoDate : record.Band) = text.left(blank);
        (dated ? record.QsoTime : record.Spc) = text.mid(blank + 1);
        store.add(record);
    }
    return store;
}

// Feeds the store the way a reload does.
void reload(MultiplierState& state, const LogStore& store)
{
    state.reloadStarted();
    for (int number = 1; number <= store.QsoCount(); ++number)
        state.recordLoaded(store.record(number));
    state.RefreshGrid();
}

} // namespace

class TestMultipliers : public QObject {
    Q_OBJECT

private slots:
    void reloadCounts_data();
    void reloadCounts();
    void commits();
    void gridGroups();
    void scoreBlock_data();
    void scoreBlock();
    void rates_data();
    void rates();
};

void TestMultipliers::reloadCounts_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("spcCount");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("ctTotal");
    QTest::newRow("CT on 20 and 40, again on 20") << QStringList{"20 CT", "40 CT", "20 CT"} << 2 << 2 << 3;
    QTest::newRow("short, unknown, NU and no band count nothing")
        << QStringList{"20 C", "20 ZZ", "20 NU", "20 ", "30 CT"} << 0 << 0 << 1;
    QTest::newRow("Germany twice on 20, on 15 again")
        << QStringList{"20 Germany", "20 GERMANY", "15 Germany", "20 MA"} << 1 << 3 << 0;
    QTest::newRow("not DX in any case")
        << QStringList{"20 USA", "20 Canada", "20 Alaska", "20 Hawaii", "20 Not Found", "20 usa"} << 0 << 0
        << 0;
}

void TestMultipliers::reloadCounts()
{
    QFETCH(QStringList, records);
    QFETCH(int, spcCount);
    QFETCH(int, total);
    QFETCH(int, ctTotal);
    MultiplierState state;
    reload(state, storeOf({"20 Italy", "80 CT", "80 NY"})); // an earlier log, which the reload must clear
    const LogStore store = storeOf(records);
    reload(state, store);
    state.RefreshGrid();
    QCOMPARE(state.SpcMultiplierCount(), spcCount);
    QCOMPARE(state.totalMultipliers(), total);
    QCOMPARE(MultiplierState::spcTotal(store, "ct"), ctTotal);
}

void TestMultipliers::commits()
{
    MultiplierState state;
    reload(state, storeOf({"20 Germany"}));
    QVERIFY(state.MarkSpcWorked("20", "ct"));
    QVERIFY(!state.MarkSpcWorked("20", "CT"));
    QVERIFY(!state.MarkSpcWorked("30", "CT"));
    QVERIFY(state.worked("20", 1) && !state.worked("40", 1));

    QVERIFY(!state.UpdateNewIndicator("GERMANY", "20"));
    QVERIFY(state.UpdateNewIndicator("Germany", "15"));
    QVERIFY(!state.UpdateNewIndicator("Usa", "15"));
    QVERIFY(!state.UpdateNewIndicator("Italy", "30"));
    using R = MultiplierState::AddResult;
    QCOMPARE(state.AddDxCountry("20", "GERMANY"), R::AlreadyThere);
    QCOMPARE(state.AddDxCountry("30", "Italy"), R::NotABand);
    QCOMPARE(state.AddDxCountry("20", "Not Found"), R::NotABand);
    QCOMPARE(state.AddDxCountry("15", "Germany"), R::Added);
    QCOMPARE(state.dxCaption("20"), QStringLiteral("DX 20 -1"));
    QCOMPARE(state.totalMultipliers(), 3);

    QStringList records;
    for (int i = 0; i <= MultiplierState::DxListCapacity; ++i)
        records << QStringLiteral("20 Country%1").arg(i);
    reload(state, storeOf(records)); // one more than a list holds
    QCOMPARE(state.dxCount("20"), MultiplierState::DxListCapacity);
    QCOMPARE(state.dxCountries("20").last(), QStringLiteral("Country999"));
    QCOMPARE(state.AddDxCountry("20", "Country1000"), MultiplierState::AddResult::ListFull);
    QCOMPARE(state.dxCount("20"), MultiplierState::DxListCapacity);
}

void TestMultipliers::gridGroups()
{
    QList<int> seen;
    for (const SpcGroup& group : spcGroups())
        seen += group.numbers;
    std::sort(seen.begin(), seen.end());
    QCOMPARE(seen.size(), kGridSpcCount);
    QCOMPARE(seen.front(), 1);
    QCOMPARE(seen.back(), kGridSpcCount);
    QCOMPARE(QSet<int>(seen.begin(), seen.end()).size(), kGridSpcCount);
}

void TestMultipliers::scoreBlock_data()
{
    QTest::addColumn<int>("contacts");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("multipliers");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("500 points, 28 multipliers")
        << 250 << 500 << 28 << QStringList{"250", "28", "500", "14,000"};
    QTest::newRow("beyond 32 bits") << 11000 << 2000000000 << 7434
                                    << QStringList{"11,000", "7434", "2,000,000,000", "14,868,000,000,000"};
    QTest::newRow("negative points after edits") << 0 << -123 << 2 << QStringList{"0", "2", "-123", "-246"};
}

void TestMultipliers::scoreBlock()
{
    QFETCH(int, contacts);
    QFETCH(int, points);
    QFETCH(int, multipliers);
    QFETCH(QStringList, texts);
    const ScoreTexts shown = Labeldisplay(contacts, points, multipliers);
    QCOMPARE((QStringList{shown.contacts, shown.multipliers, shown.points, shown.score}), texts);
}

void TestMultipliers::rates_data()
{
    // Records oldest entered first; now is 09:30:00.7 local, 14:30:00 UTC with offset 5.
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<float>("offset");
    QTest::addColumn<int>("last60"); // -1: no rates
    QTest::addColumn<int>("last20x3");
    const auto at = [](const char* time) { return QStringLiteral("2011/03/05 ") + QLatin1String(time); };
    QTest::newRow("5, 15, 25 and 70 minutes")
        << QStringList{at("13:20:00"), at("14:05:00"), at("14:15:00"), at("14:25:00")} << 5.0f << 3 << 6;
    QTest::newRow("future record") << QStringList{at("13:20:00"), at("14:25:00"), at("14:40:00")} << 5.0f << 2
                                   << 6;
    QTest::newRow("hh:mm and short parts")
        << QStringList{at("14:15"), at("14:20"), "2011/3/5 14:9"} << 5.0f << 3 << 6;
    QTest::newRow("at 3600, 1200 and 1199 s")
        << QStringList{at("13:30:00"), at("14:10:00"), at("14:10:01")} << 5.0f << 2 << 3;
    QTest::newRow("stops at the first hour-old record")
        << QStringList{"garbage garbage", at("14:25:00"), at("13:00:00"), at("14:28:00")} << 5.0f << 1 << 3;
    QTest::newRow("unreadable date") << QStringList{"2011-03-05 14:25:00"} << 5.0f << -1 << -1;
    QTest::newRow("unreadable time") << QStringList{at("14:5x:00"), at("14:25:00")} << 5.0f << -1 << -1;
    QTest::newRow("absurd offset") << QStringList{at("14:25:00")} << 1e30f << -1 << -1;
}

void TestMultipliers::rates()
{
    QFETCH(QStringList, records);
    QFETCH(float, offset);
    QFETCH(int, last60);
    QFETCH(int, last20x3);
    const QDateTime localNow(QDate(2011, 3, 5), QTime(9, 30, 0, 700), Qt::OffsetFromUTC, -5 * 3600);
    const std::optional<Rates> rates = TimeStats(storeOf(records, true), localNow, offset);
    QCOMPARE(rates.has_value(), last60 >= 0);
    if (rates)
        QCOMPARE((QList<int>{rates->last60, rates->last20x3}), (QList<int>{last60, last20x3}));
}

QTEST_GUILESS_MAIN(TestMultipliers)
#include "tst_multipliers.moc"
