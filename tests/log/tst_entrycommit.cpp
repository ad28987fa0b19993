// The entry row's commit rules without a window: completeness, sections, points, the post-contest date and
// time, the automatic advance and the record's UTC date and time.

#include "log/EntryCommit.h"

#include <QtTest>

using namespace velm;

class TestEntryCommit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sectionsAndPoints()
    {
        QCOMPARE(frmcmp({}).first(), (Refusal{QStringLiteral("Need VELM or Power!"), EntryField::VelmPwr}));
        QVERIFY(isValidSection(QStringLiteral("ny")));
        QVERIFY(!isValidSection(QStringLiteral("NU"))); // in the table, but not one of the 62
        QVERIFY(!isValidSection(QStringLiteral("NYC")));

        QCOMPARE(contactPoints(QStringLiteral("-1.5e3"), QString(), QStringLiteral("NA")), 5.0);
        QCOMPARE(contactPoints(QStringLiteral("1.2.3"), QStringLiteral("na"), QStringLiteral("NA")), 2.0);
        QCOMPARE(contactPoints(QStringLiteral("12 "), QStringLiteral("EU"), QStringLiteral("NA")), 4.0);
    }

    void postContest_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("after"); // date and time as the fields show them afterwards
        QTest::addColumn<QString>("message");
        QTest::newRow("short forms") << "2011/3/5" << "930" << "2011/03/05 09:30" << "";
        QTest::newRow("colon typed") << "2011/03/05" << "0:5" << "2011/03/05 00:05" << "";
        QTest::newRow("hour 25") << "2011/03/05" << "2500" << "2011/03/05 25:00" << "Invalid time format!";
        QTest::newRow("bare hour") << "2011/03/05" << "12" << "2011/03/05 12" << "Invalid time format!";
        QTest::newRow("no such day") << "2011/2/30" << "930" << "2011/2/30 930" << "Invalid date format!";
    }
    void postContest()
    {
        QFETCH(QString, date);
        QFETCH(QString, time);
        const PostContestCheck check = checkPostContest(date, time);
        QTEST(check.date + QLatin1Char(' ') + check.time, "after");
        QTEST(check.refusal ? check.refusal->message : QString(), "message");
    }

    void digitAdvancesOnlyAfterACompleteCall()
    {
        QVERIFY(advancesToReport(QStringLiteral("2E0ABC")));
        QVERIFY(!advancesToReport(QStringLiteral("9ABC"))); // the first character is not looked at
        QVERIFY(!advancesToReport(QStringLiteral("W1A B")));
    }

    void recordTakesUtcOrThePostContestStamp()
    {
        CommitInput input;
        input.entry = {"W1AW", "579", "CT", "5W", "559"};
        input.localNow = QDateTime(QDate(2011, 3, 5), QTime(21, 30, 15, 900), Qt::OffsetFromUTC, -4 * 3600);
        input.utcOffset = 4.5f;
        QsoRecord record = buildQsoRecord(input);
        QCOMPARE(record.QsoDate + record.QsoTime, QStringLiteral("2011/03/0602:00:15")); // past midnight UTC

        input.postContestDate = QStringLiteral("2011/03/05");
        input.postContestTime = QStringLiteral("09:30");
        input.utcOffset = std::numeric_limits<float>::infinity();
        record = buildQsoRecord(input);
        QCOMPARE(record.QsoDate + record.QsoTime, QStringLiteral("2011/03/0509:30"));
    }
};

QTEST_MAIN(TestEntryCommit)
#include "tst_entrycommit.moc"
