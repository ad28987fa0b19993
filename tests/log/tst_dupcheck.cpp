// Tests of the duplicate check, the possible-duplicates scan, the hold after a refusal and the contact row.

#include "log/DupCheck.h"

#include <QtTest>

using namespace velm;

namespace {

QsoRecord qso(const QString& call, const char* band, const char* member = "1234", const char* spc = "CT")
{
    return {call, "559", member, "579", spc, "2011/03/05", "14:05:33", "CW", band, 5, ""};
}

LogStore storeOf(std::initializer_list<QsoRecord> records)
{
    LogStore store;
    for (const QsoRecord& record : records)
        store.add(record);
    return store;
}

} // namespace

class TestDupCheck : public QObject {
    Q_OBJECT

private slots:
    void dupCheck_data();
    void dupCheck();
    void partialDupes_data();
    void partialDupes();
    void partialListStopsPastHundredCharacters();
    void holdLastsThreeSeconds();
    void contactRowLayout();
};

void TestDupCheck::dupCheck_data()
{
    QTest::addColumn<QString>("entry");    // call, band and member number as typed
    QTest::addColumn<QString>("expected"); // message; fills ("-": none); listed records
    // clang-format off
    QTest::newRow("40 m, lower case") << "k1abc 40 " << "Duplicate K1ABC 2011/03/05 14:05:33  Rec# 3;-,-;1,3";
    QTest::newRow("CW on 80, phone") << "W2XYZ 80 " << "Duplicate W2XYZ 2011/03/05 14:05:33  Rec# 2;-,-;2";
    QTest::newRow("oldest fills, all bands listed") << "K1ABC 15 " << ";1111,NY;1,3,4";
    QTest::newRow("typed member kept") << "K1ABC 15 9999" << ";-,NY;1,3,4";
    QTest::newRow("empty call") << "  " << ";-,-;";
    // clang-format on
}

void TestDupCheck::dupCheck()
{
    QFETCH(QString, entry);
    const QStringList typed = entry.split(' ');
    // The oldest K1ABC has no S/P/C, so the next one supplies it; the last record has no call and no band.
    const LogStore store = storeOf({qso("K1ABC", "20", "1111", ""), qso("W2XYZ", "80", "55", "MA"),
                                    qso("K1ABC", "40", "2222", "NY"), qso("K1ABC", "10"), qso("", "")});
    const DupCheckResult result = DupCheck(store, {typed[0], typed[1], typed[2], "", true});
    QStringList listed;
    for (const ContactRow& row : result.previousRows)
        listed.append(QString::number(row.recordNumber));
    QCOMPARE(result.duplicateRecord != 0, !result.message.isEmpty());
    QTEST(result.message + ';' + result.fillVelmPwr.value_or("-") + ',' + result.fillSpc.value_or("-") + ';' +
              listed.join(','),
          "expected");
}

void TestDupCheck::partialDupes_data()
{
    QTest::addColumn<QString>("typed"); // the field's text, then the key
    QTest::addColumn<bool>("partialOn");
    QTest::addColumn<bool>("loggedOn");
    QTest::addColumn<QString>("expected"); // list; message ("-": left); beep
    const QString notNumeric = "|The second or third character is not numeric!|beep";
    // clang-format off
    QTest::newRow("fourth warns") << "k1aB" << true << true << "K1ABD K1ABC K1AB |Possible Duplicate!|";
    QTest::newRow("third lists only") << "K1A" << true << true << "K1ABD K1ABC K1AB | |";
    QTest::newRow("shorter logged call") << "K1ABC" << true << false << "K1ABC |Possible Duplicate!|";
    QTest::newRow("no match, logged off") << "K1ABX" << true << false << "|-|";
    QTest::newRow("backspace") << "K1A\b" << true << true << "| |";
    QTest::newRow("WAB") << "WAB" << true << false << notNumeric;
    QTest::newRow("WAB, partial off") << "WAB" << false << false << notNumeric;
    QTest::newRow("W1A") << "W1A" << true << false << "| |";
    QTest::newRow("WA1") << "WA1" << true << false << "| |";
    QTest::newRow("K/A") << "K/A" << true << false << "| |";
    QTest::newRow("partial off") << "K1AB" << false << true << "| |";
    // clang-format on
}

void TestDupCheck::partialDupes()
{
    QFETCH(QString, typed);
    QFETCH(bool, partialOn);
    QFETCH(bool, loggedOn);
    const LogStore store = storeOf(
        {qso("K1AB", "40"), qso("K1ABC", "40"), qso("K1ABE", "20"), qso("K1ABD", "40"), qso("", "40")});
    const PartialDupeResult result =
        PartialDupeCheck(store, typed.chopped(1), typed.back(), "40", partialOn, loggedOn);
    QCOMPARE(result.listOnTeal, !result.list.isEmpty());
    QTEST(result.list + '|' + result.message.value_or("-") + '|' + (result.beep ? "beep" : ""), "expected");
}

void TestDupCheck::partialListStopsPastHundredCharacters()
{
    // 10 characters, then 6 each: the line holds exactly 100 after 16 matches and goes past at the 17th.
    LogStore store = storeOf({qso("K1AZZZZZZ", "40")});
    for (int n = 0; n < 30; ++n)
        store.add(qso(QStringLiteral("K1A%1").arg(n, 2, 10, QLatin1Char('0')), "40"));
    const QString list = PartialDupeCheck(store, "K1", QChar('A'), "40", true, true).list;
    QCOMPARE(list.size(), 106);
    QVERIFY(list.startsWith("K1A15 ") && list.endsWith("K1A00 K1AZZZZZZ "));
}

void TestDupCheck::holdLastsThreeSeconds()
{
    DupeHold hold;
    hold.refused(50000);
    QVERIFY(hold.holding(52999) && !hold.holding(53000) && hold.releaseAtMs() == 53000);
    hold.release();
    QVERIFY(!hold.duplicateFlag() && !hold.holding(51000));
}

void TestDupCheck::contactRowLayout()
{
    LogStore store = storeOf({qso("K1ABC", "40"), qso("W2XYZ", "80"), qso("K2AA", "20")});
    store.replace(2, {"W2XYZ", "5", "5W", "3", "MA", "2011/3/5", "9:05", "PH", "80", 2.5, ""}); // as edited
    store.replace(3, {"K2AA", "5", "5W", "3", "MA", "5.3.2011", "25:00", "PH", "20", 0, ""});
    QCOMPARE(contactRow(store, 1).columns.join('|'), "1|K1ABC|559|CT|1234|579|03/05 14:05|CW|40|5");
    QCOMPARE(contactRow(store, 2).columns.join('|'), "2|W2XYZ|5|MA|5W|3|03/05 09:05|PH|80|2.5");
    QCOMPARE(contactRow(store, 3).columns.join('|'), "3|K2AA|5|MA|5W|3|5.3.2011 25:00|PH|20|0");
    QCOMPARE(contactRow(store, 3).recordNumber, 3);
    QVERIFY(contactRow(store, 4).columns.isEmpty());
}

QTEST_GUILESS_MAIN(TestDupCheck)
#include "tst_dupcheck.moc"
