// log.txt and its neighbours under rewrites and crashes, on real files: a rewrite keeps each text's encoding,
// appends are durable, a torn last line is set aside, and the temporaries of an interrupted rewrite are moved
// into BACKUP.

#include "log/CrashLeftovers.h"
#include "log/LogFile.h"
#include "log/LogLifecycle.h"
#include "support/FakeFileSync.h"

#include <QtTest>

using namespace velm;

namespace {

const QByteArray kLine1 =
    "\"N0CALL\",\"559\",\"1234\",\"559\",\"CT\",\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",5,\"7.025\"\r\n";
const QByteArray kLine2 =
    "\"N0CALL\",\"55\",\"5W\",\"55\",\"Germany\",\"2011/03/05\",\"23:59:01\",\"PH\",\"20\",4,\"\"\r\n";
const QDateTime kNow(QDate(2011, 3, 5), QTime(14, 7, 9));
const QString kTornName = QStringLiteral("log.txt-incomplete-line-20110305-140709.txt");

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = QDateTime())
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush()); // before the time is set, or writing the buffer would change it again
    if (modified.isValid())
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const QByteArray kLatin1Line = "\"F5\xc9T\xc9\",\"599\",\"1234\",\"599\",\"R\xe9union\","
                               "\"2011/03/05\",\"14:05:33\",\"CW\",\"40\",4,\"\"\r\n";
const QByteArray kUtf8Line = "\"OE1\xc3\204BC\",\"599\",\"5W\",\"599\",\"\xc3\x96sterreich\",\"2011/03/05\","
                             "\"14:06:00\",\"CW\",\"40\",4,\"\"\r\n";
const QByteArray kMixedLine = "\"F6\xc9T\xc9\",\"599\",\"5W\",\"599\",\"\xc3\x96sterreich\",\"2011/03/05\","
                              "\"14:07:00\",\"CW\",\"40\",4,\"\"\r\n";

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestLogSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rewriteKeepsEachLinesEncoding_data()
    {
        QTest::addColumn<int>("edited");   // record whose call is changed; 0: none
        QTest::addColumn<QString>("call"); // its new call
        QTest::addColumn<QByteArray>("expected");
        const QByteArray file = kLatin1Line + kUtf8Line + kMixedLine + kLine1;
        QTest::newRow("nothing changed") << 0 << QString() << file;
        QByteArray other = file;
        other.replace("\"N0CALL\"", "\"W1AW\"");
        QTest::newRow("another record edited") << 4 << QStringLiteral("W1AW") << other;
        QByteArray fits = file;
        fits.replace("\"F5\xc9T\xc9\"", "\"F5\xc9TA\"");
        QTest::newRow("old line, new call fits its code page")
            << 1 << QString::fromUtf8("F5\u00c9TA") << fits;
        QByteArray beyond = file;
        beyond.replace("\"F5\xc9T\xc9\"", "\"F5\xe2\x98\xba\"");
        QTest::newRow("old line, new call beyond its code page")
            << 1 << QString::fromUtf8("F5\u263a") << beyond;
        QByteArray utf8 = file;
        utf8.replace("\"OE1\xc3\204BC\"", "\"OE1\xc3\211BC\"");
        QTest::newRow("UTF-8 line stays UTF-8") << 2 << QString::fromUtf8("OE1\u00c9BC") << utf8;
        QByteArray ascii = file;
        ascii.replace("\"N0CALL\"", "\"N0\xc3\x89\"");
        QTest::newRow("ASCII line takes UTF-8") << 4 << QString::fromUtf8("N0\u00c9") << ascii;
        QByteArray mixed = file;
        mixed.replace("\"F6\xc9T\xc9\"", "\"F6\xc9\"");
        QTest::newRow("hand-mixed line keeps both") << 3 << QString::fromUtf8("F6\u00c9") << mixed;
    }

    void rewriteKeepsEachLinesEncoding()
    {
        QFETCH(int, edited);
        QFETCH(QString, call);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("log.txt"), kLatin1Line + kUtf8Line + kMixedLine + kLine1);
        LogFile file(dir.path());
        LogStore store;
        QVERIFY(file.load(store).ok);
        QCOMPARE(store.record(1).Call, QString::fromUtf8("F5\u00c9T\u00c9"));
        QCOMPARE(store.record(1).Spc, QString::fromUtf8("R\u00e9union"));
        QCOMPARE(store.record(3).Spc, QString::fromUtf8("\u00d6sterreich"));
        if (edited > 0) {
            QsoRecord record = store.record(edited);
            record.Call = call;
            QVERIFY(store.replace(edited, record));
        }
        QVERIFY(file.RewriteLog(store).ok);
        QCOMPARE(readFile(file.path()), expected);

        // Read back, the texts are what was in the store.
        LogStore reloaded;
        QVERIFY(file.load(reloaded).ok);
        for (int n = 1; n <= store.QsoCount(); ++n)
            QCOMPARE(reloaded.record(n), store.record(n));
    }

    void appendIsOnTheDeviceBeforeItReturns()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("log.txt"), kLine1);
        test::FakeFileSync sync;
        LogFile file(dir.path(), &sync);
        LogStore store;
        QVERIFY(file.load(store).ok);
        QsoRecord record = store.record(1);
        record.Call = QStringLiteral("W1AW");
        QVERIFY(appendRecord(store, file, record).ok);
        // One sync, after the whole line was written.
        QCOMPARE(sync.sizesAtSync, QList<qint64>{QFileInfo(file.path()).size()});
        QCOMPARE(QFileInfo(file.path()).size(), 2 * kLine1.size() - 2);
    }

    void failedSyncLogsNothing()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("log.txt"), kLine1);
        test::FakeFileSync sync;
        sync.failure = QStringLiteral("Input/output error");
        LogFile file(dir.path(), &sync);
        LogStore store;
        QVERIFY(file.load(store).ok);
        const FileResult result = appendRecord(store, file, store.record(1));
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains("could not be made safe on the disk: Input/output error"),
                 qPrintable(result.error));
        QCOMPARE(store.QsoCount(), 1);
        QCOMPARE(readFile(file.path()), kLine1);
    }

    void realSyncOfAnAppend()
    {
        QTemporaryDir dir;
        LogFile file(dir.path()); // the device's own sync
        LogStore store;
        QVERIFY(store.add(
            QsoRecord{"W1AW", "599", "1", "599", "CT", "2011/03/05", "14:05:33", "CW", "40", 5, ""}));
        QVERIFY(file.AppendQso(store).ok);
        DeviceFileSync device;
        QFile closed(file.path());
        QVERIFY(!device.syncToDevice(closed).isEmpty()); // not open: refused, not a crash
    }

    void tornLastLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("setAside"); // null: nothing set aside
        QTest::newRow("cut inside a value") << kLine1 + kLine2.left(30) << true << 1 << kLine2.left(30);
        QTest::newRow("cut before the points") << kLine1 + kLine1 + kLine2.left(kLine2.indexOf(",4,")) << true
                                               << 2 << kLine2.left(kLine2.indexOf(",4,"));
        QTest::newRow("zeros of a power cut")
            << kLine1 + QByteArray(512, '\0') << true << 1 << QByteArray(512, '\0');
        QTest::newRow("the only line") << kLine1.left(20) << true << 0 << kLine1.left(20);
        QTest::newRow("complete last line without its break: a record")
            << kLine1 + kLine2.chopped(2) << true << 2 << QByteArray();
        QTest::newRow("bad last line with its break") << kLine1 + kLine2.left(30) + "\r\n"
                                                      << false << 0 << QByteArray();
        QTest::newRow("bad line before the last")
            << kLine2.left(30) + "\r\n" + kLine1.chopped(2) << false << 0 << QByteArray();
        QTest::newRow("torn after a full log") << kLine1.repeated(LogStore::Capacity) + kLine2.left(30)
                                               << true << LogStore::Capacity << kLine2.left(30);
    }
    void tornLastLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, ok);
        QFETCH(int, records);
        QFETCH(QByteArray, setAside);
        QTemporaryDir dir;
        const QString backup = dir.filePath("BACKUP");
        writeFile(dir.filePath("log.txt"), content);
        LogFile file(dir.path());
        LogStore store;
        std::optional<SetAsideLine> outcome;
        const FileResult result = file.load(store, nullptr, TornLineRecovery{backup, kNow}, outcome);
        QCOMPARE(result.ok, ok);
        QCOMPARE(store.QsoCount(), records);
        QCOMPARE(outcome.has_value(), !setAside.isNull());
        if (setAside.isNull()) {
            QCOMPARE(readFile(file.path()), content);
            QVERIFY(filesIn(backup).isEmpty());
            return;
        }
        // Kept whole in BACKUP, and the log is its complete lines, byte for byte.
        QCOMPARE(filesIn(backup), QStringList{kTornName});
        QCOMPARE(readFile(outcome->keptPath), setAside);
        QCOMPARE(readFile(file.path()), content.chopped(setAside.size()));
        QCOMPARE(outcome->bytes, setAside);
        QCOMPARE(outcome->completeRecords, records);
        QCOMPARE(outcome->lineNumber, records + 1);
        LogStore again;
        QVERIFY(file.load(again).ok); // the cut log reads without any recovery
        QCOMPARE(again.QsoCount(), records);
    }

    void setAsideNeverWritesOverBackup()
    {
        QTemporaryDir dir;
        const QString backup = dir.filePath("BACKUP");
        QVERIFY(QDir().mkpath(backup));
        writeFile(QDir(backup).filePath(kTornName), "earlier");
        writeFile(dir.filePath("log.txt"), kLine1 + "\"W1A");
        LogFile file(dir.path());
        LogStore store;
        std::optional<SetAsideLine> outcome;
        QVERIFY(file.load(store, nullptr, TornLineRecovery{backup, kNow}, outcome).ok);
        QCOMPARE(QFileInfo(outcome->keptPath).fileName(),
                 QStringLiteral("log.txt-incomplete-line-20110305-140709 (2).txt"));
        QCOMPARE(readFile(QDir(backup).filePath(kTornName)), QByteArray("earlier"));
        QCOMPARE(readFile(outcome->keptPath), QByteArray("\"W1A"));

        // The operator's message names both files and shows the bytes, control characters as dots.
        outcome->bytes = QByteArray("\"W1A") + '\0';
        const QString text = setAsideMessage(*outcome);
        QVERIFY2(text.contains(QDir::toNativeSeparators(file.path())), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(outcome->keptPath)), qPrintable(text));
        QVERIFY2(text.contains(QString::fromUtf8("\"W1A\u00b7")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("The 1 complete contacts")), qPrintable(text));
    }

    void tornLineStaysWhenItCannotBeSetAside()
    {
        QTemporaryDir dir;
        const QString backup = dir.filePath("BACKUP");
        writeFile(backup, "a file where the folder should be");
        const QByteArray content = kLine1 + "\"W1A";
        writeFile(dir.filePath("log.txt"), content);
        LogFile file(dir.path());
        LogStore store;
        std::optional<SetAsideLine> outcome;
        const FileResult result = file.load(store, nullptr, TornLineRecovery{backup, kNow}, outcome);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains("could not be set aside"), qPrintable(result.error));
        QVERIFY(!outcome);
        QCOMPARE(store.QsoCount(), 0);
        QCOMPARE(readFile(file.path()), content);
    }

    void rewriteLeftoverNames_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("leftover");
        QTest::newRow("log") << "log.txt.Ab12Cd"
                             << "log.txt" << true;
        QTest::newRow("other letter case") << "Log.TXT.ab12cd"
                                           << "log.txt" << true;
        QTest::newRow("preferences") << "qrppref.txt.x1Y2z3"
                                     << "QRPpref.txt" << true;
        QTest::newRow("five characters") << "log.txt.Ab12C"
                                         << "log.txt" << false;
        QTest::newRow("seven characters") << "log.txt.Ab12Cde"
                                          << "log.txt" << false;
        QTest::newRow("not a letter or digit") << "log.txt.Ab-2Cd"
                                               << "log.txt" << false;
        QTest::newRow("no dot") << "log.txtXAb12Cd"
                                << "log.txt" << false;
        QTest::newRow("the file itself") << "log.txt"
                                         << "log.txt" << false;
        QTest::newRow("another file") << "blog.txt.Ab12Cd"
                                      << "log.txt" << false;
    }
    void rewriteLeftoverNames()
    {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(bool, leftover);
        QCOMPARE(isRewriteLeftover(entry, name), leftover);
    }

    void leftoversMoveIntoBackup()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath("program");
        const QString backup = dir.filePath("user/BACKUP");
        QVERIFY(QDir().mkpath(program));
        const QDateTime start = QDateTime::currentDateTimeUtc();
        const QDateTime before = start.addSecs(-3600);
        writeFile(program + "/log.txt", kLine1);
        writeFile(program + "/log.txt.Ab12Cd", kLine1 + kLine2, before);
        writeFile(program + "/QRPpref.txt.Zz99Yy", "\"K1ABC\"\r\n", before);
        writeFile(program + "/log.txt.bak", "mine", before);
        writeFile(program + "/log.txt.New123", "being written", start.addSecs(5));

        const QList<LeftoverMove> moves =
            moveRewriteLeftovers(program, rewrittenProgramFiles(), backup, start);
        QCOMPARE(moves.size(), 2);
        QCOMPARE(filesIn(program), (QStringList{"log.txt", "log.txt.New123", "log.txt.bak"}));
        QCOMPARE(filesIn(backup), (QStringList{"QRPpref.txt.Zz99Yy", "log.txt.Ab12Cd"}));
        QCOMPARE(readFile(backup + "/log.txt.Ab12Cd"), kLine1 + kLine2);

        // A second crash leaving the same name: the first one kept in BACKUP is not written over.
        writeFile(program + "/log.txt.Ab12Cd", kLine2, before);
        const QList<LeftoverMove> again =
            moveRewriteLeftovers(program, rewrittenProgramFiles(), backup, start);
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().to, backup + "/log.txt (2).Ab12Cd");
        QCOMPARE(readFile(backup + "/log.txt.Ab12Cd"), kLine1 + kLine2);
        QCOMPARE(readFile(backup + "/log.txt (2).Ab12Cd"), kLine2);
    }

    void leftoverStaysWithoutABackupFolder()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("log.txt.Ab12Cd"), kLine1, QDateTime::currentDateTimeUtc().addSecs(-60));
        const QList<LeftoverMove> moves = moveRewriteLeftovers(dir.path(), rewrittenProgramFiles(), QString(),
                                                               QDateTime::currentDateTimeUtc());
        QCOMPARE(moves.size(), 1);
        QVERIFY(moves.first().to.isEmpty());
        QVERIFY(!moves.first().error.isEmpty());
        QCOMPARE(readFile(dir.filePath("log.txt.Ab12Cd")), kLine1);
    }
};

QTEST_GUILESS_MAIN(TestLogSafety)
#include "tst_logsafety.moc"
