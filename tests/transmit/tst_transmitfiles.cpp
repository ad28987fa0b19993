// cw.txt and WK.txt: byte-exact round trips, an empty test message, each kind of unreadable line (loading
// stops there, nothing is written, saving keeps the old file as .unread), values out of range, a folder that
// cannot be written, no user data folder.

#include "transmit/CwFile.h"
#include "transmit/WinKeySettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {
const QByteArray kCwFile = "\"CQ VELM TEST\"\r\n\"$ *\"\r\n\"TU\"\r\n\"QRZ?\"\r\n\"AGN?\"\r\n\"73\"\r\n\"$?\"\r\n"
                           "\"* *\"\r\n\"VVV DE \"\r\n\"3\"\r\n\"22\"\r\n\"QRL?\"\r\n\"NR?\"\r\n\"-2\"\r\n1\r\n"
                           "\"&H278\"\r\n1\r\n\"5\"\r\n";

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray replaceLine(QByteArray file, int line, const QByteArray& with)
{
    QList<QByteArray> lines = file.split('\n');
    lines[line - 1] = with + '\r';
    return lines.join('\n');
}
} // namespace

class TestTransmitFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cwRoundTrip()
    {
        CwSettings settings;
        QVERIFY(readCwLines(kCwFile, settings).isEmpty());
        QCOMPARE(settings.messages[0], QStringLiteral("CQ VELM TEST"));
        QCOMPARE(settings.messages[9], QStringLiteral("QRL?"));
        QCOMPARE(settings.messages[10], QStringLiteral("NR?"));
        QCOMPARE(settings.portText, QStringLiteral("3"));
        QCOMPARE(settings.speedText, QStringLiteral("22"));
        QCOMPARE(settings.wordSpaceText, QStringLiteral("-2"));
        QCOMPARE(settings.method, KeyingMethod::Rts);
        QCOMPARE(settings.parallelAddress, QStringLiteral("&H278"));
        QVERIFY(settings.displayOnMainWindow);
        QCOMPARE(settings.repeatText, QStringLiteral("5"));
        QCOMPARE(cwFileBytes(settings), kCwFile);
    }

    void shippedFileReads()
    {
        CwSettings settings;
        QVERIFY(readCwLines(read(QStringLiteral(VELM_DATA_DIR "/cw.txt")), settings).isEmpty());
        QCOMPARE(settings.messages[1], QStringLiteral("$ *"));
        QCOMPARE(settings.messages[8], QStringLiteral("VVV DE "));
        QCOMPARE(settings.method, KeyingMethod::None);
    }

    void values_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty test message") << 9 << QByteArray("\"\"") << "F9" << "VVV DE ";
        QTest::newRow("unknown method") << 15 << QByteArray("4") << "method" << "0";
        QTest::newRow("fraction method") << 15 << QByteArray("1.5") << "method" << "0";
        QTest::newRow("word space below -8") << 14 << QByteArray("\"-12\"") << "space" << "-8";
        QTest::newRow("repeat 60") << 18 << QByteArray("\"60\"") << "repeat" << "0";
        QTest::newRow("repeat negative") << 18 << QByteArray("-1") << "repeat" << "0";
        QTest::newRow("bare message") << 1 << QByteArray("CQ") << "F1" << "CQ";
    }
    void values()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, value);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        CwSettings settings;
        QVERIFY(readCwLines(replaceLine(kCwFile, line, value), settings).isEmpty());
        const QString actual = field == QLatin1String("F9")       ? settings.messages[8]
                               : field == QLatin1String("F1")     ? settings.messages[0]
                               : field == QLatin1String("method") ? QString::number(int(settings.method))
                               : field == QLatin1String("space")  ? settings.wordSpaceText
                                                                  : settings.repeatText;
        QCOMPARE(actual, expected);
    }

    void unreadableLines_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("open quote") << 3 << QByteArray("\"TU");
        QTest::newRow("text after the quote") << 3 << QByteArray("\"TU\"x");
        QTest::newRow("binary") << 3 << QByteArray("\"T\x01U\"");
        QTest::newRow("two values") << 3 << QByteArray("\"TU\",\"73\"");
        QTest::newRow("too long") << 3 << ('"' + QByteArray(32768, 'E') + '"');
        QTest::newRow("text for the method") << 15 << QByteArray("\"RTS\"");
        QTest::newRow("text for the display flag") << 17 << QByteArray("yes");
    }
    void unreadableLines()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, value);
        CwSettings settings;
        const QString problem = readCwLines(replaceLine(kCwFile, line, value), settings);
        QVERIFY(problem.startsWith(QStringLiteral("line %1: ").arg(line)));
        // Lines before it were read, the rest kept their defaults.
        QCOMPARE(settings.messages[0], QStringLiteral("CQ VELM TEST"));
        QCOMPARE(settings.parallelAddress, line <= 16 ? QStringLiteral("&H378") : QStringLiteral("&H278"));
        QCOMPARE(settings.repeatText, QStringLiteral("0"));
    }

    // The file that did not read is never written over: saving first keeps it as cw.txt.unread.
    void unreadFileIsKept()
    {
        QTemporaryDir dir;
        const QByteArray damaged = replaceLine(kCwFile, 5, "\"AGN");
        write(dir.filePath(QStringLiteral("cw.txt")), damaged);
        CwFile file(dir.path());
        CwSettings settings;
        QVERIFY(!file.read(settings).ok);
        QString keptAs;
        QVERIFY(file.write(settings, &keptAs).ok);
        QCOMPARE(keptAs, dir.filePath(QStringLiteral("cw.txt.unread")));
        QCOMPARE(read(keptAs), damaged);
        QCOMPARE(read(dir.filePath(QStringLiteral("cw.txt"))), cwFileBytes(settings));
    }

    void missingFileIsNoFailure()
    {
        QTemporaryDir dir;
        CwFile file(dir.path());
        CwSettings settings;
        QVERIFY(file.read(settings).ok);
        QCOMPARE(settings.speedText, QStringLiteral("13"));
        QCOMPARE(settings.messages[8], QStringLiteral("VVV DE "));
    }

    void readOnlyFolderNamesFileAndReason()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("this user writes into read-only folders (root)");
        }
        CwFile file(dir.path());
        const FileResult result = file.write(CwSettings{});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(QStringLiteral("cw.txt")));
    }

    void winKeyRoundTrip()
    {
        const QByteArray bytes = "3\r\n\"25\"\r\n\"55\"\r\n\"1\"\r\n\"20\"\r\n\"60\"\r\n5\r\n16\r\n";
        WinKeySettings settings;
        QVERIFY(readWinKeyLines(bytes, settings).isEmpty());
        QCOMPARE(settings.port, 3);
        QCOMPARE(settings.ratioText, QStringLiteral("60"));
        QCOMPARE(settings.pinConfiguration, kPinPtt);
        QCOMPARE(settings.keyerMode, kModeIambicA);
        QCOMPARE(winKeyFileBytes(settings), bytes);
    }

    void winKeyOptionalAndUnknownLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("pin");
        QTest::addColumn<int>("mode");
        QTest::newRow("lines 7 and 8 missing") << QByteArray("3\r\n\"25\"\r\n\"55\"\r\n\"1\"\r\n\"20\"\r\n\"60\"\r\n")
                                               << int(kPinTone) << int(kModeIambicB);
        QTest::newRow("unknown bytes") << QByteArray("3\r\n\"25\"\r\n\"55\"\r\n\"1\"\r\n\"20\"\r\n\"60\"\r\n7\r\n17\r\n")
                                       << int(kPinTone) << int(kModeIambicB);
    }
    void winKeyOptionalAndUnknownLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, pin);
        QFETCH(int, mode);
        WinKeySettings settings;
        QVERIFY(readWinKeyLines(bytes, settings).isEmpty());
        QCOMPARE(settings.port, 3);
        QCOMPARE(int(settings.pinConfiguration), pin);
        QCOMPARE(int(settings.keyerMode), mode);
    }

    void winKeyWithoutUserDataFolder()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        WinKeyFile file{QString()};
        const FileResult result = file.write(WinKeySettings{});
        QDir::setCurrent(before);
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(QStringLiteral("WK.txt")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("WK.txt"))));
    }
};

QTEST_MAIN(TestTransmitFiles)
#include "tst_transmitfiles.moc"
