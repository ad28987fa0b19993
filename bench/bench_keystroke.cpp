// Work done on every keystroke in the call field, measured on the shipped tables. Figures and how to run are
// in bench/README.md.

#include "log/DupCheck.h"
#include "log/PrefixTable.h"

#include <QtTest>

using namespace velm;

namespace {

// A full log as a busy weekend leaves it: 11,000 contacts with about 3,000 stations, most of them worked on
// several bands; calls come from a fixed pseudo-random sequence, so every run scans the same log.
LogStore buildFullDupeLog()
{
    static const char* const kPrefixes[] = {"K",  "W",  "N",  "K", "W",  "AA", "KA", "KB", "KC", "WA",
                                            "WB", "VE", "DL", "G", "JA", "I",  "F",  "OK", "SP", "EA"};
    static const char* const kBands[] = {"80", "40", "40", "20", "20", "15", "10", "160"};
    quint32 seed = 12345;
    const auto next = [&seed](quint32 range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    QStringList calls;
    for (int n = 0; n < 3000; ++n) {
        QString call = QString::fromLatin1(kPrefixes[next(std::size(kPrefixes))]) + QChar(u'0' + next(10));
        for (quint32 letters = 1 + next(3); letters > 0; --letters)
            call += QChar(u'A' + next(26));
        calls.append(call);
    }
    LogStore store;
    for (int n = 0; n < LogStore::Capacity; ++n)
        store.add({calls[next(quint32(calls.size()))], "599", QString::number(1000 + next(3000)), "599", "CT",
                   "2011/03/05", "14:05:33", "CW", QString::fromLatin1(kBands[next(std::size(kBands))]), 5,
                   ""});
    return store;
}

const LogStore& fullDupeLog()
{
    static const LogStore store = buildFullDupeLog();
    return store;
}

} // namespace

class BenchKeystroke : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void prefixLookup_data();
    void prefixLookup();
    void partialDupeCheck_data();
    void partialDupeCheck();
    void dupCheckNewCall();

private:
    PrefixTable m_prefixes;
};

void BenchKeystroke::initTestCase()
{
    QFile file(QStringLiteral(VELM_DATA_DIR "/arrlpre2.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(m_prefixes.loadFromBytes(file.readAll()));
    qInfo("arrlpre2.txt: %d entries", m_prefixes.count());
}

void BenchKeystroke::prefixLookup_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("DL1ABC") << "DL1ABC";
    QTest::newRow("K1ABC") << "K1ABC";
    QTest::newRow("VP2V/W1ABC") << "VP2V/W1ABC";
    QTest::newRow("BY1AA") << "BY1AA"; // the longest scan of the table: "B" holds the most prefixes
}

// One PrefixLookup as the call field's change handler runs it: search, country rules, bearing and distance.
void BenchKeystroke::prefixLookup()
{
    QFETCH(QString, call);
    const QString spcText;
    QBENCHMARK
    {
        const PrefixLookupResult result = m_prefixes.PrefixLookup(call, spcText, 40, 95);
        QVERIFY(result.selectSpc);
    }
}

void BenchKeystroke::partialDupeCheck_data()
{
    QTest::addColumn<QString>("typed");
    // The densest three-character beginning on 40 m, and one that no call has.
    const LogStore& log = fullDupeLog();
    QHash<QString, int> counts;
    for (int n = 1; n <= log.QsoCount(); ++n)
        if (log.record(n).Band == QLatin1String("40") && log.record(n).Call.size() >= 3)
            ++counts[log.record(n).Call.left(3)];
    QString densest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (densest.isEmpty() || it.value() > counts.value(densest))
            densest = it.key();
    qInfo("log: %d records; %s begins %d of those on 40 m", log.QsoCount(), qPrintable(densest),
          counts.value(densest));
    QTest::newRow(qPrintable(QStringLiteral("many (%1)").arg(densest))) << densest;
    QTest::newRow("none (QQ9)") << QStringLiteral("QQ9");
}

// One PartialDupeCheck as the call field's key handler runs it on 40 m: the third key of the call.
void BenchKeystroke::partialDupeCheck()
{
    QFETCH(QString, typed);
    const QString before = typed.chopped(1);
    PartialDupeResult result;
    QBENCHMARK
    {
        result = PartialDupeCheck(fullDupeLog(), before, typed.back(), QStringLiteral("40"), true, true);
    }
    QCOMPARE(result.listOnTeal, !result.list.isEmpty());
}

// One DupCheck of a call not in the log: the whole log is scanned.
void BenchKeystroke::dupCheckNewCall()
{
    const DupCheckInput input{QStringLiteral("K9QQQ"), QStringLiteral("40"), {}, {}, false};
    DupCheckResult result;
    QBENCHMARK
    {
        result = DupCheck(fullDupeLog(), input);
    }
    QCOMPARE(result.duplicateRecord, 0);
}

QTEST_GUILESS_MAIN(BenchKeystroke)
#include "bench_keystroke.moc"
