// The ADIF records and header byte for byte, the DXCC table's folders and limits, the general logger's
// import lines, and the shipped ADIFCnt.txt against the shipped prefix table.

#include "log/FileIo.h"
#include "log/WriteFormat.h"
#include "output/AdifExport.h"
#include "output/KestroneExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

QsoRecord contact(const QString& call, const QString& spc, const QString& mode = QStringLiteral("CW"),
                  const QString& band = QStringLiteral("20"),
                  const QString& time = QStringLiteral("14:05:33"))
{
    QsoRecord record;
    record.Call = call;
    record.RstRcvd = QStringLiteral("599");
    record.VelmPwr = QStringLiteral("1234");
    record.RstSnt = QStringLiteral("579");
    record.Spc = spc;
    record.QsoDate = QStringLiteral("2011/03/05");
    record.QsoTime = time;
    record.Mode = mode;
    record.Band = band;
    record.Points = 5;
    return record;
}

DxccTable testTable()
{
    DxccTable table;
    const bool ok =
        table.loadFromBytes("\"USA\",291\r\n\"Hawaii\",110\r\n\"Canada\",1\r\n\"Germany\",230\r\n");
    Q_ASSERT(ok);
    return table;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The shipped data folder, found from this source file's place in the tree.
QString dataFolder()
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../data"));
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
private slots:
    void adifRecords_data();
    void adifRecords();
    void adifHeaderAndEmptyLog();
    void dxccTableFolders();
    void dxccTableRefusesBadFiles();
    void kestroneLines();
    void shippedCountriesAllHaveNumbers();
};

void TestExports::adifRecords_data()
{
    QTest::addColumn<QsoRecord>("record");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QByteArray>("expected");

    QsoRecord usa = contact(QStringLiteral("W1AW"), QStringLiteral("CT"), QStringLiteral("PH"),
                            QStringLiteral("160"), QStringLiteral("7:05"));
    usa.Frequency = QStringLiteral(" 1.850 ");
    QTest::newRow("US state, power and comment")
        << usa << QStringLiteral("5W  ") << QStringLiteral("Qrp VELM Contest")
        << QByteArray("<Call:4>W1AW <Qso_Date:8:d>20110305 <Band:4>160M <Mode:3>SSB\r\n"
                      "<Tx_Pwr:2>5W <Time_On:4>0705 <DXCC:3>291 <State:2>CT <Freq:5>1.850 <RST_Rcvd:3>599 "
                      "<RST_Sent:3>579 <Comment:16>Qrp VELM Contest\r\n<eor>\r\n\r\n");
    QTest::newRow("Canada: no state")
        << contact(QStringLiteral("VE3XX"), QStringLiteral("ON")) << QString() << QString()
        << QByteArray("<Call:5>VE3XX <Qso_Date:8:d>20110305 <Band:3>20M <Mode:2>CW\r\n"
                      "<Time_On:4>1405 <DXCC:1>1 <RST_Rcvd:3>599 <RST_Sent:3>579 "
                      "<eor>\r\n\r\n");
    QTest::newRow("DX country") << contact(QStringLiteral("DL1AB"), QStringLiteral("germany")) << QString()
                                << QString()
                                << QByteArray(
                                       "<Call:5>DL1AB <Qso_Date:8:d>20110305 <Band:3>20M <Mode:2>CW\r\n"
                                       "<Time_On:4>1405 <DXCC:3>230 <RST_Rcvd:3>599 <RST_Sent:3>579 "
                                       "<eor>\r\n\r\n");
    QTest::newRow("lengths in bytes")
        << contact(QString::fromUtf8("OE1\u00c4BC"), QString::fromUtf8("\u00d6"))
        << QString::fromUtf8("5 \u00bd W") << QString()
        << QByteArray("<Call:7>OE1\xc3\204BC <Qso_Date:8:d>20110305 <Band:3>20M "
                      "<Mode:2>CW\r\n<Tx_Pwr:6>5 \xc2\xbd W <Time_On:4>1405 "
                      "<RST_Rcvd:3>599 <RST_Sent:3>579 <eor>\r\n\r\n");
    QsoRecord bare =
        contact(QStringLiteral("W1AW"), QStringLiteral("C"), QStringLiteral("cw"), QString(), QString());
    bare.QsoDate = QStringLiteral("2011/02/30");
    bare.RstRcvd.clear();
    bare.RstSnt = QStringLiteral("5  ");
    QTest::newRow("short S/P/C, bad date, no band or time")
        << bare << QString() << QString()
        << QByteArray("<Call:4>W1AW <Mode:2>CW\r\n<Time_On:4>0000 <RST_Sent:1>5 <eor>\r\n\r\n");
}

void TestExports::adifRecords()
{
    QFETCH(QsoRecord, record);
    QFETCH(QString, power);
    QFETCH(QString, comment);
    QFETCH(QByteArray, expected);
    QCOMPARE(adifRecord(record, testTable(), AdifOptions{power, comment}), expected);
}

void TestExports::adifHeaderAndEmptyLog()
{
    const QString title = QStringLiteral("  Orvane's QRP VELM Log 2.4") + QString(50, QLatin1Char('x'));
    const QDateTime at(QDate(2011, 3, 6), QTime(9, 7, 5));
    const QByteArray header = adifHeader(title, at);
    const QList<QByteArray> lines = header.split('\n');
    QCOMPARE(lines.size(), 8); // seven lines and nothing after the last CR LF
    QCOMPARE(lines[0], "ADIF Export from " + title.left(60).trimmed().toUtf8() + "\r");
    QVERIFY(!lines[1].trimmed().isEmpty() && !lines[2].trimmed().isEmpty());
    QVERIFY(!header.left(header.indexOf("<EOH>")).contains('<')); // nothing a reader could take for a field
    QCOMPARE(lines[3], "Log exported on: 2011-03-06 09:07:05\r");
    QVERIFY(header.endsWith("\r\n\r\n<EOH>\r\n\r\n"));

    LogStore empty;
    QCOMPARE(adifFile(empty, testTable(), {}, title, at), header);
}

void TestExports::dxccTableFolders()
{
    QTemporaryDir dir;
    const QString shared = dir.filePath(QStringLiteral("shared"));
    const QString user = dir.filePath(QStringLiteral("user"));
    const QString program = dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(writeFile(user + "/adifcnt.TXT", "\"Spain\",281\r\n"));
    QVERIFY(writeFile(program + "/ADIFCnt.txt", "\"Spain\",1\r\n"));

    DxccTable table;
    QVERIFY(table.LoadDxccTable({shared, user, program}).ok); // the user folder comes before the program's
    QCOMPARE(table.dxccFor(QStringLiteral(" SPAIN ")), 281);
    QVERIFY(table.LoadDxccTable({QString(), QString(), program}).ok); // unknown folders are skipped
    QCOMPARE(table.dxccFor(QStringLiteral("Spain")), 1);

    QVERIFY(QFile::remove(program + "/ADIFCnt.txt"));
    const FileResult missing = table.LoadDxccTable({shared, QString(), program});
    QVERIFY(!missing.ok);
    QVERIFY2(missing.error.contains(QDir::toNativeSeparators(program)), qPrintable(missing.error));
    QCOMPARE(table.count(), 0);
}

void TestExports::dxccTableRefusesBadFiles()
{
    DxccTable table;
    // Pairs are read as items, whatever the line layout.
    QVERIFY(table.loadFromBytes("\"USA\"\r\n291,\"Hawaii\"\r\n110\r\n"));
    QCOMPARE(table.count(), 2);
    QCOMPARE(table.dxccFor(QStringLiteral("hawaii")), 110);

    QByteArray full;
    for (int number = 0; number <= DxccTable::Capacity; ++number) // one pair more than the table holds
        full += "\"C" + QByteArray::number(number) + "\"," + QByteArray::number(number) + "\r\n";
    QVERIFY(!table.loadFromBytes(full));
    QCOMPARE(table.count(), 0);

    // A name without its number, a number that is not a whole 16-bit one.
    for (const QByteArray& bad : {QByteArray("\"USA\",291\r\n\"Hawaii\"\r\n"),
                                  QByteArray("\"USA\",40000\r\n"), QByteArray("\"USA\",2.5\r\n")})
        QVERIFY2(!table.loadFromBytes(bad), bad.constData());
}

void TestExports::kestroneLines()
{
    QsoRecord dx = contact(QStringLiteral("DL1AB"), QStringLiteral("Germany"), QStringLiteral("PH"));
    LogStore store;
    QVERIFY(store.add(contact(QStringLiteral("KL7XX"), QStringLiteral("ak"))));
    QVERIFY(store.add(dx));
    QCOMPARE(
        kestroneFile(store, QString()),
        QByteArray("\"KL7XX\",\"2011/03/05\",\"20\",\"CW\",\"\",\"14:05:33\",\"579\",\"599\",,\"Alaska\","
                   "\"ak\",,,,,\"QRP VELM Contest\"\r\n"
                   "\"DL1AB\",\"2011/03/05\",\"20\",\"SSB\",\"\",\"14:05:33\",\"579\",\"599\",,\"Germany\","
                   "\"\",,,,,\"QRP VELM Contest\"\r\n"));
    // Canada by the call; a quote typed into a field cannot break the line apart.
    QsoRecord canada = contact(QStringLiteral("VE3XX"), QStringLiteral("ON"));
    canada.RstSnt = QStringLiteral("5\"9");
    QCOMPARE(
        kestroneLine(canada, QStringLiteral("5W")),
        QByteArray("\"VE3XX\",\"2011/03/05\",\"20\",\"CW\",\"5W\",\"14:05:33\",\"5'9\",\"599\",,\"Canada\","
                   "\"\",,,,,\"QRP VELM Contest\"\r\n"));
    QCOMPARE(kestroneFile(LogStore(), QStringLiteral("5W")), QByteArray());
}

void TestExports::shippedCountriesAllHaveNumbers()
{
    const QString folder = dataFolder();
    if (!QFileInfo::exists(folder + "/arrlpre2.txt"))
        QSKIP("the source tree's data folder is not beside this build");
    DxccTable table;
    const FileResult loaded = table.LoadDxccTable({folder});
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
    for (const char* name : {"USA", "Hawaii", "Alaska", "Canada"})
        QVERIFY2(table.dxccFor(QString::fromLatin1(name)) > 0, name);

    QByteArray bytes;
    QCOMPARE(readWholeFile(folder + "/arrlpre2.txt", bytes), QString());
    WriteFormatReader reader(bytes);
    WriteLine line;
    QSet<QString> countries;
    while (reader.readLine(line)) {
        if (!line.isBlank())
            countries.insert(line.values.at(1).text());
    }
    QVERIFY(countries.size() > 300);
    for (const QString& country : std::as_const(countries))
        QVERIFY2(table.dxccFor(country) > 0, qPrintable(country));
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
