// Tests of the operating clock, the clock texts and the band and mode rules.

#include "log/BandMode.h"
#include "log/OperatingClock.h"

#include <QTimeZone>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace velm;

namespace {

// A local time five hours behind UTC, fixed whatever zone the test machine is in.
QDateTime at(int hour, int minute, int second, QDate date = QDate(2011, 3, 5))
{
    return QDateTime(date, QTime(hour, minute, second), Qt::OffsetFromUTC, -5 * 3600);
}

} // namespace

class TestOperatingClock : public QObject {
    Q_OBJECT

private slots:
    void runningTotal_data();
    void runningTotal();
    void timeOffPeriodNotCounted();
    void secondStartKeepsRunningPeriod();
    void clockSetBackKeepsStoredTime();
    void daylightSavingChangeCountsRealTime();
    void formatOperatingTime_data();
    void formatOperatingTime();
    void absurdValueStillFormatted();
    void timeOffMessage_data();
    void timeOffMessage();
    void clockTexts_data();
    void clockTexts();
    void bandCycle_data();
    void bandCycle();
    void modes();
};

void TestOperatingClock::runningTotal_data()
{
    QTest::addColumn<float>("stored");
    QTest::addColumn<QDateTime>("on");
    QTest::addColumn<QDateTime>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10 s on top of 3725 s") << 3725.0f << at(10, 0, 0) << at(10, 0, 10) << "01:02:15";
    QTest::newRow("negative stored counts by magnitude")
        << -3725.0f << at(10, 0, 0) << at(10, 0, 10) << "01:02:15";
    QTest::newRow("across midnight") << 0.0f << at(23, 59, 50) << at(0, 0, 10, QDate(2011, 3, 6))
                                     << "00:00:20";
}

void TestOperatingClock::runningTotal()
{
    QFETCH(float, stored);
    QFETCH(QDateTime, on);
    QFETCH(QDateTime, observed);
    QFETCH(QString, expected);
    OperatingClock clock;
    clock.setOperatingSeconds(stored);
    clock.timeOn(on);
    QVERIFY(clock.LoggedOn());
    QCOMPARE(clock.display(observed), expected);
}

void TestOperatingClock::timeOffPeriodNotCounted()
{
    OperatingClock clock;
    clock.timeOn(at(10, 0, 0));
    clock.timeOff(at(11, 0, 0), 5.0f);
    QVERIFY(!clock.LoggedOn());
    QCOMPARE(clock.OperatingSeconds(), 3600.0f);
    QCOMPARE(clock.display(at(11, 59, 59)), QStringLiteral("01:00:00")); // stands still while off

    clock.timeOn(at(12, 0, 0));
    QCOMPARE(clock.display(at(12, 30, 0)), QStringLiteral("01:30:00"));
    clock.timeOff(at(12, 30, 0), 5.0f);
    QCOMPARE(clock.OperatingSeconds(), 5400.0f);

    // A second Time Off without a Time On adds nothing.
    clock.timeOff(at(14, 0, 0), 5.0f);
    QCOMPARE(clock.OperatingSeconds(), 5400.0f);
}

void TestOperatingClock::secondStartKeepsRunningPeriod()
{
    OperatingClock clock;
    clock.timeOn(at(10, 0, 0));
    clock.timeOn(at(10, 20, 0));
    QCOMPARE(clock.currentSeconds(at(10, 30, 0)), 1800.0f);
}

void TestOperatingClock::clockSetBackKeepsStoredTime()
{
    OperatingClock clock;
    clock.setOperatingSeconds(600.0f);
    clock.timeOn(at(10, 0, 0));
    clock.timeOff(at(9, 0, 0), 0.0f);
    QCOMPARE(clock.OperatingSeconds(), 600.0f);
}

void TestOperatingClock::daylightSavingChangeCountsRealTime()
{
    const QTimeZone newYork("America/New_York");
    if (!newYork.isValid())
        QSKIP("time zone data for America/New_York is not installed");
    // 2011-11-06: 01:30 EDT, then one real hour later the wall clock reads 01:30 EST again.
    const QDateTime on(QDate(2011, 11, 6), QTime(0, 30), newYork);
    OperatingClock clock;
    clock.timeOn(on);
    QCOMPARE(clock.currentSeconds(on.addSecs(2 * 3600)), 7200.0f);
}

void TestOperatingClock::formatOperatingTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "00:00:00";
    QTest::newRow("12 h") << 12.0 * 3600 << "12:00:00";
    QTest::newRow("99:59:59") << 359999.0 << "99:59:59";
    QTest::newRow("100 h wraps") << 100.0 * 3600 << "00:00:00";
    QTest::newRow("100 h 1 s") << 100.0 * 3600 + 1 << "00:00:01";
    QTest::newRow("fraction dropped") << 59.9 << "00:00:59";
    QTest::newRow("negative by magnitude") << -3725.0 << "01:02:05";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "00:00:00";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "00:00:00";
}

void TestOperatingClock::formatOperatingTime()
{
    QFETCH(double, seconds);
    QFETCH(QString, expected);
    QCOMPARE(velm::formatOperatingTime(seconds), expected);
}

void TestOperatingClock::absurdValueStillFormatted()
{
    const QRegularExpression shape(QStringLiteral("^\\d\\d:[0-5]\\d:[0-5]\\d$"));
    QVERIFY(shape.match(velm::formatOperatingTime(std::numeric_limits<float>::max())).hasMatch());
    QVERIFY(shape.match(velm::formatOperatingTime(-1e300)).hasMatch());
}

void TestOperatingClock::timeOffMessage_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole hours") << at(10, 5, 33) << 5.0f << "Logged Off at 3/5/11 15:05:33";
    QTest::newRow("5.5 rounds to 6") << at(10, 5, 33) << 5.5f << "Logged Off at 3/5/11 16:05:33";
    QTest::newRow("4.5 rounds to 4") << at(10, 5, 33) << 4.5f << "Logged Off at 3/5/11 14:05:33";
    QTest::newRow("-5.5 rounds to -6") << at(10, 5, 33) << -5.5f << "Logged Off at 3/5/11 04:05:33";
    QTest::newRow("next day") << at(22, 30, 0) << 5.0f << "Logged Off at 3/6/11 03:30:00";
}

void TestOperatingClock::timeOffMessage()
{
    QFETCH(QDateTime, now);
    QFETCH(float, offset);
    QFETCH(QString, expected);
    OperatingClock clock;
    clock.timeOn(now.addSecs(-60));
    QCOMPARE(clock.timeOff(now, offset, QLocale(QLocale::English, QLocale::UnitedStates)), expected);
}

void TestOperatingClock::clockTexts_data()
{
    QTest::addColumn<QTime>("local");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("utc");
    QTest::addColumn<QString>("localText");
    QTest::addColumn<QString>("amPm");
    QTest::newRow("midnight") << QTime(0, 0, 0) << 5.0f << "05:00:00"
                              << "12:00:00"
                              << "AM";
    QTest::newRow("noon") << QTime(12, 0, 0) << 0.0f << "12:00:00"
                          << "12:00:00"
                          << "PM";
    QTest::newRow("afternoon") << QTime(13, 5, 9) << -8.0f << "05:05:09"
                               << "1:05:09"
                               << "PM";
    QTest::newRow("wraps back a day") << QTime(2, 0, 0) << -5.0f << "21:00:00"
                                      << "2:00:00"
                                      << "AM";
    QTest::newRow("half hour") << QTime(10, 0, 0) << -5.5f << "04:30:00"
                               << "10:00:00"
                               << "AM";
    QTest::newRow("more than a day") << QTime(10, 0, 0) << 26.0f << "12:00:00"
                                     << "10:00:00"
                                     << "AM";
    QTest::newRow("not a number") << QTime(10, 0, 0) << std::nanf("") << "10:00:00"
                                  << "10:00:00"
                                  << "AM";
}

void TestOperatingClock::clockTexts()
{
    QFETCH(QTime, local);
    QFETCH(float, offset);
    QFETCH(QString, utc);
    QFETCH(QString, localText);
    QFETCH(QString, amPm);
    const ClockTexts texts = velm::clockTexts(QDateTime(QDate(2011, 3, 5), local), offset);
    QCOMPARE(texts.utc, utc);
    QCOMPARE(texts.local, localText);
    QCOMPARE(texts.amPm, amPm);
}

void TestOperatingClock::bandCycle_data()
{
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("next");
    QTest::newRow("160") << "160"
                         << "80";
    QTest::newRow("6 wraps") << "6"
                             << "160";
    QTest::newRow("unknown") << "2"
                             << "160";
}

void TestOperatingClock::bandCycle()
{
    QFETCH(QString, band);
    QFETCH(QString, next);
    QCOMPARE(nextBand(band), next);
    QVERIFY(isBand(next));
}

void TestOperatingClock::modes()
{
    QCOMPARE(toggledMode("CW"), QStringLiteral("PH"));
    QCOMPARE(toggledMode("PH"), QStringLiteral("CW"));
    QCOMPARE(toggledMode("RTTY"), QStringLiteral("CW"));
    QCOMPARE(reportLengthForMode("CW"), 3);
    QCOMPARE(reportLengthForMode("PH"), 2);
    // The value types: file texts both ways, the stored mode's reading, band edges in single precision.
    QCOMPARE(modeFromText("ph", Qt::CaseInsensitive), Mode::Phone);
    QCOMPARE(modeFromText("ph"), std::nullopt);
    QCOMPARE(storedMode("SSB"), Mode::Phone);
    QCOMPARE(defaultReport(Mode::Cw), QStringLiteral("559"));
    QCOMPARE(Band::fromText("40")->column(), 3);
    QCOMPARE(Band::fromText("6")->next().text(), QStringLiteral("160"));
    QCOMPARE(Band::ofFrequency(14.35f)->text(), QStringLiteral("20"));
    QCOMPARE(Band::ofFrequency(14.3501f), std::nullopt); // the edge itself is outside
    QCOMPARE(Band::ofFrequency(10.1f), std::nullopt);    // 30 m is no contest band
}

QTEST_GUILESS_MAIN(TestOperatingClock)
#include "tst_operatingclock.moc"
