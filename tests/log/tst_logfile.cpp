// Tests of the log store and of log.txt: reload, append, rewrite, and store and file agreeing after failures.

#include "log/LogFile.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace velm;

Q_DECLARE_METATYPE(velm::QsoRecord)

namespace {

const QByteArray kLine1 =
    "\"N0CALL\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"7.025\"\r\n";
const QByteArray kLine2 =
    "\"N0CALL\",\"55\",\"5W\",\"55\",\"Germany\",\"2011/03/05\",\"23:59:01\",\"PH\",\"20\",4,\"\"\r\n";
const QsoRecord kRecord1{"N0CALL",   "559", "1234", "559", "CT",   "2011/03/05",
                         "14:05:33", "CW",  "40",   5,     "7.025"};
const QsoRecord kRecord2{"N0CALL", "55", "5W", "55", "Germany", "2011/03/05", "23:59:01", "PH", "20", 4, ""};

// A valid line with the given call and the points value exactly as it stands in the file.
QByteArray lineWithPoints(const QByteArray& call, const QByteArray& points)
{
    return "\"" + call + "\",\"559\",\"1\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\"," +
           points + ",\"\"\r\n";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QsoRecord withPoints(const QString& call, double points)
{
    QsoRecord record = kRecord1;
    record.Call = call;
    record.Points = points;
    return record;
}

QList<int> totalsOf(const LogStore& store)
{
    QList<int> totals;
    for (int n = 1; n <= store.QsoCount(); ++n)
        totals << store.pointsTotalAfter(n);
    return totals;
}

struct RecordingObserver : LogReloadObserver {
    void reloadStarted() override { calls << QStringLiteral("started"); }
    void recordLoaded(const QsoRecord& record) override { calls << record.Call; }
    QStringList calls;
};

// True when file permissions do not stop this process (tests often run as root).
bool permissionsIgnored(const QString& path)
{
    QFile probe(path);
    return probe.open(QIODevice::WriteOnly | QIODevice::Append);
}

// Runs action with every write past `bytes` in a file failing, the way a full disk does, for this process
// only; std::nullopt when no such limit can be set here.
template <typename Action> std::optional<FileResult> withFileSizeLimit(qint64 bytes, Action action)
{
#ifdef Q_OS_UNIX
    rlimit previous{};
    if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
        return std::nullopt;
    rlimit limit = previous;
    limit.rlim_cur = rlim_t(bytes);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    std::optional<FileResult> result;
    if (setrlimit(RLIMIT_FSIZE, &limit) == 0) {
        result = action();
        setrlimit(RLIMIT_FSIZE, &previous);
    }
    std::signal(SIGXFSZ, previousHandler);
    return result;
#else
    Q_UNUSED(bytes);
    Q_UNUSED(action);
    return std::nullopt;
#endif
}

} // namespace

class TestLogFile : public QObject {
    Q_OBJECT

private slots:
    void pointsTotal_data();
    void pointsTotal();
    void editsRecomputeTotals();
    void exampleLines_data();
    void exampleLines();
    void load_data();
    void load();
    void capacity_data();
    void capacity();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void logFileFoundIgnoringCase();
    void appendAfterMissingFinalBreak();
    void failedAppendLeavesStoreAndFileAgreeing_data();
    void failedAppendLeavesStoreAndFileAgreeing();
    void appendRefusedWhenStoreRefuses();
    void appendedRecordReloadsAsStored();
    void rewriteReplacesFile();
    void failedRewriteKeepsOldFile_data();
    void failedRewriteKeepsOldFile();
};

void TestLogFile::pointsTotal_data()
{
    QTest::addColumn<QList<double>>("points");
    QTest::addColumn<QList<int>>("totals");
    QTest::newRow("2.5 + 2.5, ties to even") << QList<double>{2.5, 2.5} << QList<int>{2, 4};
    QTest::newRow("2.5 + 3.5") << QList<double>{2.5, 3.5} << QList<int>{2, 6};
    QTest::newRow("rounded after each addition") << QList<double>{0.5, 0.5, 0.5} << QList<int>{0, 0, 0};
    QTest::newRow("negative tie") << QList<double>{-2.5, -1} << QList<int>{-2, -3};
}

void TestLogFile::pointsTotal()
{
    QFETCH(QList<double>, points);
    QFETCH(QList<int>, totals);
    LogStore store;
    for (double p : points)
        QVERIFY(store.add(withPoints("A", p)));
    QCOMPARE(totalsOf(store), totals);
    QCOMPARE(store.PointsTotal(), totals.last());

    // removeLast undoes each add exactly, although rounding cannot be undone by subtraction.
    while (store.QsoCount() > 0) {
        store.removeLast();
        QCOMPARE(store.PointsTotal(), store.QsoCount() == 0 ? 0 : totals[store.QsoCount() - 1]);
    }
}

void TestLogFile::editsRecomputeTotals()
{
    LogStore store;
    for (const char* call : {"A", "B", "C"})
        QVERIFY(store.add(withPoints(call, 2.5)));
    QCOMPARE(totalsOf(store), (QList<int>{2, 4, 6}));

    QVERIFY(store.replace(1, withPoints("A2", 3.5))); // 4, 6.5 → 6, 8.5 → 8
    QCOMPARE(totalsOf(store), (QList<int>{4, 6, 8}));
    QVERIFY(!store.replace(2, withPoints("X", 2147483647.0)));
    QCOMPARE(store.record(2).Call, QString("B"));
    QCOMPARE(totalsOf(store), (QList<int>{4, 6, 8}));

    QVERIFY(store.remove(1));
    QCOMPARE(store.record(1).Call, QString("B"));
    QCOMPARE(totalsOf(store), (QList<int>{2, 4}));
}

void TestLogFile::exampleLines_data()
{
    QTest::addColumn<QsoRecord>("record");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("CW contact with frequency") << kRecord1 << kLine1;
    QTest::newRow("phone contact, no frequency") << kRecord2 << kLine2;
}

void TestLogFile::exampleLines()
{
    QFETCH(QsoRecord, record);
    QFETCH(QByteArray, line);
    QTemporaryDir dir;
    LogFile file(dir.path());
    LogStore store;
    QVERIFY(appendRecord(store, file, record).ok);
    QCOMPARE(readFile(dir.filePath("log.txt")), line);

    LogStore reloaded;
    QVERIFY(file.load(reloaded).ok);
    QCOMPARE(reloaded.QsoCount(), 1);
    QVERIFY(reloaded.record(1) == record);
}

void TestLogFile::load_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("total");
    QTest::newRow("empty file") << QByteArray() << true << 0 << 0;
    QTest::newRow("blank lines only") << QByteArray("\r\n  \r\n") << true << 0 << 0;
    QTest::newRow("blank line between records") << kLine1 + "\r\n" + kLine2 << true << 2 << 9;
    QTest::newRow("2.5 and 2.5") << lineWithPoints("A", "2.5") + lineWithPoints("B", "2.5") << true << 2 << 4;
    QTest::newRow("2.5 and 3.5") << lineWithPoints("A", "2.5") + lineWithPoints("B", "3.5") << true << 2 << 6;
    QTest::newRow("quoted points") << lineWithPoints("A", "\"4\"") << true << 1 << 4;
    QTest::newRow("empty points") << lineWithPoints("A", "") << true << 1 << 0;
    QTest::newRow("bare texts") << QByteArray("N0CALL,559,1,559,CT,2011/03/05,14:05:33,CW,40,5,7.025") << true
                                << 1 << 5;
    QTest::newRow("ten values")
        << QByteArray("\"A\",\"559\",\"1\",\"559\",\"CT\",\"2011/03/05\",\"14:05\",\"CW\",\"40\",5") << false
        << 0 << 0;
    QTest::newRow("twelve values") << kLine1.chopped(2) + ",\"x\"" << false << 0 << 0;
    QTest::newRow("stray quote") << QByteArray(kLine1).replace("\"1234\"", "\"12\"34\"") << false << 0 << 0;
    QTest::newRow("points not a number") << lineWithPoints("A", "\"5W\"") << false << 0 << 0;
    QTest::newRow("points nan") << lineWithPoints("A", "nan") << false << 0 << 0;
    QTest::newRow("total beyond 32 bits")
        << lineWithPoints("A", "2000000000") + lineWithPoints("B", "2000000000") << false << 0 << 0;
}

void TestLogFile::load()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, ok);
    QFETCH(int, count);
    QFETCH(int, total);
    QTemporaryDir dir;
    writeFile(dir.filePath("log.txt"), content);
    LogStore store;
    const FileResult result = LogFile(dir.path()).load(store);
    QCOMPARE(result.ok, ok);
    QCOMPARE(store.QsoCount(), count);
    QCOMPARE(store.PointsTotal(), total);
    if (!ok)
        QVERIFY2(result.error.contains(": line "), qPrintable(result.error));
}

void TestLogFile::capacity_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("ok");
    QTest::newRow("11000 lines") << 11000 << true;
    QTest::newRow("11001 lines") << 11001 << false;
}

void TestLogFile::capacity()
{
    QFETCH(int, lines);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    writeFile(dir.filePath("log.txt"), kLine1.repeated(lines) + "\r\n\r\n");
    LogStore store;
    const FileResult result = LogFile(dir.path()).load(store);
    QCOMPARE(result.ok, ok);
    QCOMPARE(store.QsoCount(), ok ? lines : 0);
    if (!ok)
        QVERIFY2(result.error.contains("line 11001"), qPrintable(result.error));
}

void TestLogFile::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("log.txt is a folder") << "folder";
    QTest::newRow("bad last line") << "bad line";
}

void TestLogFile::failedLoadChangesNothing()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("log.txt"));
    if (kind == "bad line")
        writeFile(path, kLine2 + kLine2 + lineWithPoints("X", "\"?\""));

    LogStore store;
    QVERIFY(store.add(kRecord1));
    RecordingObserver observer;
    const FileResult result = LogFile(dir.path()).load(store, &observer);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(QDir::toNativeSeparators(path)), qPrintable(result.error));
    QCOMPARE(store.QsoCount(), 1);
    QCOMPARE(store.PointsTotal(), 5);
    QVERIFY(observer.calls.isEmpty());
    if (kind == "bad line")
        QCOMPARE(readFile(path), kLine2 + kLine2 + lineWithPoints("X", "\"?\"")); // never overwritten
}

void TestLogFile::logFileFoundIgnoringCase()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("Log.txt"), kLine1);
    LogFile file(dir.path());
    LogStore store;
    RecordingObserver observer;
    QVERIFY(file.load(store, &observer).ok);
    QCOMPARE(observer.calls, (QStringList{"started", "N0CALL"}));

    QVERIFY(appendRecord(store, file, kRecord2).ok);
    QVERIFY(file.RewriteLog(store).ok);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Log.txt"});
    QCOMPARE(readFile(dir.filePath("Log.txt")), kLine1 + kLine2);
}

void TestLogFile::appendAfterMissingFinalBreak()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("log.txt"), kLine1.chopped(2)); // saved by an editor without the last line break
    LogFile file(dir.path());
    LogStore store;
    QVERIFY(file.load(store).ok);
    QVERIFY(appendRecord(store, file, kRecord2).ok);
    QCOMPARE(readFile(file.path()), kLine1 + kLine2);
}

void TestLogFile::failedAppendLeavesStoreAndFileAgreeing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("log.txt is a folder") << "folder";
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("disk full part-way through the line") << "size limit";
    QTest::newRow("disk full, no file before") << "size limit, new";
}

void TestLogFile::failedAppendLeavesStoreAndFileAgreeing()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    LogFile file(dir.path());
    LogStore store;
    const bool newFile = kind.endsWith("new");
    if (!newFile)
        QVERIFY(appendRecord(store, file, kRecord1).ok);
    const QByteArray before = newFile ? QByteArray() : kLine1;

    FileResult result;
    if (kind == "folder") {
        QVERIFY(QFile::remove(path) && QDir(dir.path()).mkdir("log.txt"));
        result = appendRecord(store, file, kRecord2);
    } else if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        if (permissionsIgnored(path))
            QSKIP("file permissions do not stop this process from writing (running as root?)");
        result = appendRecord(store, file, kRecord2);
    } else {
        const auto limited =
            withFileSizeLimit(before.size() + 10, [&] { return appendRecord(store, file, kRecord2); });
        if (!limited)
            QSKIP("no per-process file size limit can be set here");
        result = *limited;
    }

    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(QDir::toNativeSeparators(path) + ": "), qPrintable(result.error));
    QCOMPARE(store.QsoCount(), newFile ? 0 : 1);
    QCOMPARE(store.PointsTotal(), newFile ? 0 : 5);
    if (kind == "folder")
        QVERIFY(QFileInfo(path).isDir());
    else if (newFile)
        QVERIFY(!QFileInfo::exists(path));
    else
        QCOMPARE(readFile(path), before);
}

void TestLogFile::appendRefusedWhenStoreRefuses()
{
    QTemporaryDir dir;
    LogFile file(dir.path());
    LogStore store;
    QVERIFY(appendRecord(store, file, kRecord1).ok);
    QVERIFY(!appendRecord(store, file, withPoints("X", qQNaN())).ok);
    QVERIFY(!appendRecord(store, file, withPoints("Y", 2147483647.0)).ok);
    QCOMPARE(store.QsoCount(), 1);
    QCOMPARE(store.PointsTotal(), 5);
    while (!store.isFull())
        QVERIFY(store.add(kRecord2));
    QVERIFY(!appendRecord(store, file, kRecord2).ok);
    QCOMPARE(store.QsoCount(), LogStore::Capacity);
    QCOMPARE(readFile(file.path()), kLine1);
}

void TestLogFile::appendedRecordReloadsAsStored()
{
    QTemporaryDir dir;
    LogFile file(dir.path());
    LogStore store;
    QsoRecord typed = kRecord2;
    typed.Spc = QStringLiteral("St \"Lucia\"");
    typed.VelmPwr = QStringLiteral("5W\r\n");
    QVERIFY(appendRecord(store, file, typed).ok);
    LogStore reloaded;
    QVERIFY(file.load(reloaded).ok);
    QCOMPARE(reloaded.QsoCount(), 1);
    QCOMPARE(reloaded.record(1), store.record(1));
}

void TestLogFile::rewriteReplacesFile()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("log.txt"),
              "old contents that are longer than the new ones\r\n" + kLine1.repeated(5));
    LogFile file(dir.path());
    LogStore store;
    QVERIFY(store.add(kRecord2) && store.add(kRecord1));
    QVERIFY(file.RewriteLog(store).ok);
    QCOMPARE(readFile(file.path()), kLine2 + kLine1);

    store.clear();
    QVERIFY(file.RewriteLog(store).ok);
    QCOMPARE(readFile(file.path()), QByteArray());
}

void TestLogFile::failedRewriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << "read-only";
    QTest::newRow("disk full") << "size limit";
}

void TestLogFile::failedRewriteKeepsOldFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QByteArray old = kLine1 + kLine2;
    writeFile(dir.filePath("log.txt"), old);
    LogFile file(dir.path());
    LogStore store;
    for (int n = 0; n < 100; ++n)
        QVERIFY(store.add(kRecord1));

    FileResult result;
    if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool ignored = permissionsIgnored(dir.filePath("probe"));
        if (!ignored)
            result = file.RewriteLog(store);
        QFile::remove(dir.filePath("probe"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (ignored)
            QSKIP("folder permissions do not stop this process from writing (running as root?)");
    } else {
        const auto limited = withFileSizeLimit(old.size() + 100, [&] { return file.RewriteLog(store); });
        if (!limited)
            QSKIP("no per-process file size limit can be set here");
        result = *limited;
    }
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(QDir::toNativeSeparators(file.path()) + ": "), qPrintable(result.error));
    QCOMPARE(readFile(file.path()), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"log.txt"}); // no temporary left behind
}

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
