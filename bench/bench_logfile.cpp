// Speed of log.txt at full capacity: reload, one append (plain and synced to the disk), one rewrite, and a
// plain read of the same file for scale. Figures and how to run are in bench/README.md.

#include "log/LogFile.h"
#include "platform/FileSync.h"

#include <QtTest>

using namespace velm;

namespace {

// A contest-like record: unique calls and times, reports, bands, modes and dates repeating in runs.
QsoRecord sampleRecord(int n)
{
    static const char* const kSpc[] = {"CT", "MA", "NY", "ON", "QC", "TX", "CA", "Germany", "Japan", "WA"};
    static const char* const kBands[] = {"80", "40", "20", "15"};
    const bool cw = (n / 500) % 2 == 0;
    const int band = (n / 250) % 4;
    QsoRecord record;
    record.Call = QStringLiteral("W%1X%2").arg(n % 10).arg(n, 5, 36, QLatin1Char('A')).toUpper();
    record.RstRcvd = cw ? QStringLiteral("559") : QStringLiteral("55");
    record.VelmPwr = n % 3 == 0 ? QStringLiteral("5W") : QString::number(1000 + n % 2500);
    record.RstSnt = record.RstRcvd;
    record.Spc = QString::fromLatin1(kSpc[n % 10]);
    record.QsoDate = n < 5500 ? QStringLiteral("2011/03/05") : QStringLiteral("2011/03/06");
    record.QsoTime = QStringLiteral("%1:%2:%3")
                         .arg(n / 3600 % 24, 2, 10, QLatin1Char('0'))
                         .arg(n / 60 % 60, 2, 10, QLatin1Char('0'))
                         .arg(n % 60, 2, 10, QLatin1Char('0'));
    record.Mode = cw ? QStringLiteral("CW") : QStringLiteral("PH");
    record.Band = QString::fromLatin1(kBands[band]);
    record.Points = n % 7 == 0 ? 2 : (cw ? 5 : 4);
    record.Frequency = QStringLiteral("%1.%2").arg(QLatin1String(kBands[band])).arg(n % 100 + 10);
    return record;
}

// Leaves the data in the system's cache: the append as it was before appends were synced.
class NoFileSync final : public FileSync {
public:
    QString syncToDevice(QFileDevice&) override { return {}; }
};

} // namespace

class BenchLogFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void plainRead();
    void load();
    void appendQso();
    void appendQsoSynced();
    void rewriteLog();

private:
    QTemporaryDir m_dir;
    LogStore m_full;
};

void BenchLogFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (int n = 0; n < LogStore::Capacity; ++n)
        QVERIFY(m_full.add(sampleRecord(n)));
    QVERIFY(LogFile(m_dir.path()).RewriteLog(m_full).ok);
    qInfo("log.txt: %d records, %lld bytes", m_full.QsoCount(), QFileInfo(m_dir.filePath("log.txt")).size());
}

void BenchLogFile::plainRead()
{
    const QString path = m_dir.filePath("log.txt");
    QBENCHMARK
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(!data.isEmpty());
    }
}

void BenchLogFile::load()
{
    const LogFile file(m_dir.path());
    QBENCHMARK
    {
        LogStore store;
        QVERIFY(file.load(store).ok);
        QCOMPARE(store.QsoCount(), LogStore::Capacity);
    }
}

void BenchLogFile::appendQso()
{
    // Into its own folder, so that the growing file does not change what load measures.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(m_dir.filePath("log.txt"), dir.filePath("log.txt")));
    NoFileSync plain;
    LogFile file(dir.path(), &plain);
    LogStore store;
    QVERIFY(store.add(sampleRecord(1)));
    QBENCHMARK
    {
        QVERIFY(file.AppendQso(store).ok);
    }
}

void BenchLogFile::appendQsoSynced()
{
    // As the program appends: the line is on the disk (fdatasync) before the contact shows as logged.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(m_dir.filePath("log.txt"), dir.filePath("log.txt")));
    LogFile file(dir.path());
    LogStore store;
    QVERIFY(store.add(sampleRecord(1)));
    QBENCHMARK
    {
        QVERIFY(file.AppendQso(store).ok);
    }
}

void BenchLogFile::rewriteLog()
{
    LogFile file(m_dir.path());
    QBENCHMARK
    {
        QVERIFY(file.RewriteLog(m_full).ok);
    }
}

QTEST_GUILESS_MAIN(BenchLogFile)
#include "bench_logfile.moc"
