// PackSpot.txt: the bytes written, what reads (comma- or line-separated), what does not (the window then
// keeps its design state), the serial settings text, the TNC presets, the Boolean literal.

#include "log/WriteFormat.h"
#include "spots/SpotSettings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

// A TNC on port 3 at 1200 baud, even parity, 7 data bits, 2 stop bits, DTR power, RTS handshaking.
const QByteArray kTncFile = "\"1200\"\r\n\"E\"\r\n\"7\"\r\n\"2\"\r\n3\r\n\"D\"\r\n\"TNC\"\r\n1\r\n3\r\n1\r\n"
                            "#FALSE#\r\n\"1B\"\r\n\"7300\"\r\n\"dxc.example.net\"\r\n";

SpotSettings tncSettings()
{
    SpotSettings s;
    s.baud = QStringLiteral("1200");
    s.parity = QStringLiteral("E");
    s.dataBits = QStringLiteral("7");
    s.stopBits = QStringLiteral("2");
    s.port = 3;
    s.power = QStringLiteral("D");
    s.source = QStringLiteral("TNC");
    s.convertToHex = 1;
    s.handshake = 3;
    s.dxOnly = 1;
    s.listDisplay = false;
    s.commandHex = QStringLiteral("1B");
    s.telnetPort = QStringLiteral("7300");
    s.telnetHost = QStringLiteral("dxc.example.net");
    return s;
}

QByteArray withValue(int index, const QByteArray& value)
{
    QList<QByteArray> lines = kTncFile.split('\n');
    lines[index - 1] = value + "\r";
    return lines.join('\n');
}

} // namespace

class TestSpotSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesTheFourteenLinesByteForByte()
    {
        QCOMPARE(formatSpotSettings(tncSettings()), kTncFile);
        SpotSettings design;
        QCOMPARE(formatSpotSettings(design),
                 QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"\"\r\n"
                            "0\r\n1\r\n0\r\n#TRUE#\r\n\"03\"\r\n\"\"\r\n\"\"\r\n"));
    }

    void readsWhatItWrites_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("one per line") << kTncFile;
        QTest::newRow("all on one line") << QByteArray(kTncFile).replace("\r\n", ",").chopped(1);
        QTest::newRow("mixed, LF only, no final line end, blank lines")
            << QByteArray("\"1200\",\"E\",\"7\"\n\n\"2\",3\n\"D\",\"TNC\",1,3,1,#false#\n\"1B\",\"7300\","
                          "\"dxc.example.net\"");
        QTest::newRow("values after the fourteenth ignored") << kTncFile + "\"later\",5\r\n";
        QTest::newRow("baud with trailing blanks") << withValue(1, "\"1200  \"");
    }
    void readsWhatItWrites()
    {
        QFETCH(QByteArray, data);
        SpotSettings read;
        QCOMPARE(parseSpotSettings(data, read), QString());
        SpotSettings expected = tncSettings();
        if (QTest::currentDataTag() == QByteArray("baud with trailing blanks"))
            expected.baud = QStringLiteral("1200  ");
        QCOMPARE(read, expected);
        QCOMPARE(read.serialSettingsText(), QStringLiteral("1200,E,7,2"));
    }

    void refusesValuesTheWindowCannotShow_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        QTest::newRow("port 300") << withValue(5, "300") << "value 5 (serial port)";
        QTest::newRow("port 0") << withValue(5, "0") << "value 5";
        QTest::newRow("port 2.5") << withValue(5, "2.5") << "value 5";
        QTest::newRow("baud 1000") << withValue(1, "\"1000\"") << "value 1 (baud rate)";
        QTest::newRow("parity X") << withValue(2, "\"X\"") << "value 2";
        QTest::newRow("handshake 5") << withValue(9, "5") << "value 9";
        QTest::newRow("unknown source") << withValue(7, "\"Carrier pigeon\"") << "value 7 (spot source)";
        QTest::newRow("display as number") << withValue(11, "1") << "value 11";
        QTest::newRow("display quoted") << withValue(11, "\"#TRUE#\"") << "value 11";
        QTest::newRow("thirteen values") << kTncFile.left(kTncFile.lastIndexOf("\"dxc")) << "13 values found";
        QTest::newRow("open quote") << withValue(14, "\"dxc.example.net") << "line 14";
        QTest::newRow("empty file") << QByteArray() << "0 values found";
    }
    void refusesValuesTheWindowCannotShow()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        SpotSettings read;
        read.telnetHost = QStringLiteral("untouched");
        const QString failure = parseSpotSettings(data, read);
        QVERIFY2(failure.contains(reason), qPrintable(failure));
        QCOMPARE(read.telnetHost, QStringLiteral("untouched"));
    }

    void aBadFileIsKeptAndNotWrittenOver()
    {
        QTemporaryDir dir;
        const QByteArray bad = withValue(5, "300");
        {
            QFile file(dir.filePath(QStringLiteral("packspot.TXT"))); // any letter case is the same file
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bad);
        }
        SpotSettingsFile file(dir.path());
        SpotSettings read;
        const FileResult loaded = file.LoadSpotSettings(read);
        QVERIFY(!loaded.ok);
        QVERIFY(loaded.error.contains(QStringLiteral("packspot.TXT")));
        QVERIFY(file.unreadable());
        QCOMPARE(read, SpotSettings());
        const FileResult saved = file.SaveSpotSettings(tncSettings());
        QVERIFY(!saved.ok);
        QVERIFY2(saved.error.contains(QStringLiteral("packspot.TXT")) &&
                     saved.error.contains(QStringLiteral("value 5")),
                 qPrintable(saved.error));
        QFile kept(dir.filePath(QStringLiteral("packspot.TXT")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bad);
    }

    void aMissingFileIsCreated()
    {
        QTemporaryDir dir;
        SpotSettingsFile file(dir.path());
        SpotSettings read;
        QVERIFY(!file.LoadSpotSettings(read).ok);
        QVERIFY(!file.unreadable());
        QVERIFY(file.SaveSpotSettings(tncSettings()).ok);
        QVERIFY(file.LoadSpotSettings(read).ok);
        QCOMPARE(read, tncSettings());
        QCOMPARE(QFileInfo(file.path()).fileName(), QStringLiteral("PackSpot.txt"));
    }

    void aFailedSaveNamesFileAndReason()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("missing-folder"));
        SpotSettingsFile file(folder);
        const FileResult saved = file.SaveSpotSettings(tncSettings());
        QVERIFY(!saved.ok);
        QVERIFY2(saved.error.contains(QStringLiteral("PackSpot.txt")) &&
                     saved.error.size() > folder.size() + 16,
                 qPrintable(saved.error));
    }

    void tncPresets()
    {
        SpotSettings s = tncSettings();
        applyTncPresets(s);
        QCOMPARE(s.serialSettingsText(), QStringLiteral("9600,N,8,1"));
        QCOMPARE(s.handshake, quint8(3));
        QCOMPARE(s.commandHex, QStringLiteral("03"));
        QCOMPARE(s.port, quint8(3)); // the port and the power are the operator's
        QCOMPARE(s.power, QStringLiteral("D"));
    }

    void booleanLiteral_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected"); // -1: not a Boolean
        QTest::newRow("true") << QByteArray("#TRUE#") << 1;
        QTest::newRow("false with blanks") << QByteArray("  #FALSE# ") << 0;
        QTest::newRow("lower case") << QByteArray("#true#") << 1;
        QTest::newRow("number") << QByteArray("-1") << -1;
        QTest::newRow("word") << QByteArray("TRUE") << -1;
        QTest::newRow("half") << QByteArray("#TRUE") << -1;
    }
    void booleanLiteral()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        const std::optional<bool> value = parseBoolean(text);
        QCOMPARE(value.has_value(), expected >= 0);
        if (value)
            QCOMPARE(*value, expected == 1);
        QCOMPARE(WriteFormatLine().addText(QStringLiteral("x")).addBoolean(true).addBoolean(false).bytes(),
                 QByteArray("\"x\",#TRUE#,#FALSE#\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSpotSettings)
#include "tst_spotsettings.moc"
