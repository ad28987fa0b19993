// The voice keyer's files: wave2.txt read and written byte for byte, missing, broken and odd lines; the
// wave header reader against damaged, lying and oversized files, and random damage.

#include "platform/WaveFileInfo.h"
#include "support/WaveFiles.h"
#include "transmit/WaveSettings.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;
using namespace velm::test;

namespace {

QByteArray crlf(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

// A typical file: three messages, DTR on port 2, repeat 10, address &H278.
const QStringList kTypical = {
    "\"/home/op/cq.wav\"", "\"/home/op/call.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
    "\"/home/op/Test Message.wav\"", "\"2\"", "1", "\"10\"", "\"&H278\""};

WaveFileCheck checkBytes(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readWaveFileInfo(buffer);
}

} // namespace

class TestWaveFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waveSettingsRoundTrip()
    {
        VoiceKeyerSettings read;
        QCOMPARE(readWaveSettingsLines(crlf(kTypical), read), QString());
        QCOMPARE(read.files[0], QStringLiteral("/home/op/cq.wav"));
        QCOMPARE(read.files[8], QStringLiteral("/home/op/Test Message.wav"));
        QCOMPARE(read.portText, QStringLiteral("2"));
        QCOMPARE(read.line, PttLine::Dtr);
        QCOMPARE(read.repeatText, QStringLiteral("10"));
        QCOMPARE(read.parallelAddress, QStringLiteral("&H278"));
        QCOMPARE(waveSettingsBytes(read), crlf(kTypical));

        // No option selected is an empty line, and stays one.
        QStringList none = kTypical;
        none[10].clear();
        VoiceKeyerSettings noLine;
        QCOMPARE(readWaveSettingsLines(crlf(none), noLine), QString());
        QCOMPARE(noLine.line, PttLine::None);
        QCOMPARE(waveSettingsBytes(noLine), crlf(none));
    }

    void waveSettingsFile()
    {
        QTemporaryDir dir;
        WaveSettingsFile file(dir.path());
        VoiceKeyerSettings settings;
        // First run: no file, the defaults, no failure.
        QVERIFY(file.read(settings).ok);
        QCOMPARE(settings.portText, QStringLiteral("0"));
        QCOMPARE(settings.line, PttLine::Rts);
        QCOMPARE(settings.parallelAddress, QStringLiteral("&H378"));

        settings.files[2] = QStringLiteral("  /tmp/f3.wav ");
        QVERIFY(file.write(settings).ok);
        VoiceKeyerSettings back;
        QVERIFY(file.read(back).ok);
        QCOMPARE(back.files[2], QStringLiteral("/tmp/f3.wav"));
    }

    void brokenLines_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<bool>("fails");
        QTest::newRow("line 11 not a PTT line") << 11 << "7" << "0" << true;
        QTest::newRow("quote left open") << 3 << "\"/tmp/x.wav" << "0" << true;
        QTest::newRow("two values") << 10 << "\"1\",\"2\"" << "0" << true;
        QTest::newRow("repeat 60 is 0") << 12 << "\"60\"" << "0" << false;
        QTest::newRow("repeat not a number is 0") << 12 << "\"ten\"" << "0" << false;
        QTest::newRow("repeat 59.5 kept") << 12 << "\"59.5\"" << "59.5" << false;
    }
    void brokenLines()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, repeat);
        QFETCH(bool, fails);
        QTemporaryDir dir;
        QStringList lines = kTypical;
        lines[line - 1] = text;
        const QByteArray bytes = crlf(lines);
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("wave2.txt")), bytes));
        WaveSettingsFile file(dir.path());
        VoiceKeyerSettings settings;
        const FileResult read = file.read(settings);
        QCOMPARE(!read.ok, fails);
        if (!fails) {
            QCOMPARE(settings.repeatText, repeat);
            return;
        }
        QVERIFY(read.error.contains(QStringLiteral("line %1").arg(line)));
        // The lines before the broken one are loaded, those after keep their defaults.
        QCOMPARE(settings.files[0], QStringLiteral("/home/op/cq.wav"));
        QCOMPARE(settings.parallelAddress, QStringLiteral("&H378"));
        if (line > 10)
            QCOMPARE(settings.portText, QStringLiteral("2"));
        // The file is untouched by the load, and "Done" keeps it aside before writing a new one.
        QFile stored(file.path());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), bytes);
        QString keptAs;
        QVERIFY(file.write(settings, &keptAs).ok);
        QVERIFY(keptAs.endsWith(QStringLiteral(".unread")));
    }

    void unstorablePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << "/home/op/cq.wav" << true;
        QTest::newRow("blank and apostrophe") << "/home/op/O'Neil CQ.wav" << true;
        QTest::newRow("double quote") << "/home/op/\"cq\".wav" << false;
        QTest::newRow("line break") << "/home/op/cq\n.wav" << false;
        QTest::newRow("carriage return") << "/home/op/cq\r.wav" << false;
    }
    void unstorablePaths()
    {
        QFETCH(QString, path);
        QFETCH(bool, storable);
        QCOMPARE(storablePath(path), storable);
        if (!storable)
            return;
        VoiceKeyerSettings settings, back;
        settings.files[0] = path;
        QCOMPARE(readWaveSettingsLines(waveSettingsBytes(settings), back), QString());
        QCOMPARE(back.files[0], path);
    }

    void waveHeaders_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("durationMs"); // -1: refused
        const QByteArray good = waveBytes(300);
        QTest::newRow("0.3 s PCM") << good << qint64(300);
        QTest::newRow("empty") << QByteArray() << qint64(-1);
        QTest::newRow("truncated header") << good.left(30) << qint64(-1);
        QTest::newRow("not RIFF") << QByteArray("RIFX") + good.mid(4) << qint64(-1);
        QByteArray floatFormat = good;
        floatFormat[20] = 3;
        QTest::newRow("not PCM") << floatFormat << qint64(-1);
        QByteArray lyingData = good;
        qToLittleEndian<quint32>(0x7FFFFFF0, lyingData.data() + 40);
        QTest::newRow("data longer than the file") << lyingData << qint64(-1);
        QByteArray lyingFormat = good;
        qToLittleEndian<quint32>(0xFFFFFFFF, lyingFormat.data() + 16);
        QTest::newRow("format chunk longer than the file") << lyingFormat << qint64(-1);
        QTest::newRow("data cut off") << good.left(44) << qint64(-1);
        QByteArray badBlock = good;
        badBlock[32] = 7;
        QTest::newRow("block size off") << badBlock << qint64(-1);
        // An odd-sized chunk before the sound is padded to an even size.
        QByteArray padded = good.left(36) + QByteArray("LIST\x03\x00\x00\x00" "abc\x00", 12) + good.mid(36);
        QTest::newRow("padded odd chunk") << padded << qint64(300);
        QTest::newRow("no data chunk") << good.left(36) << qint64(-1);
    }
    void waveHeaders()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, durationMs);
        const WaveFileCheck check = checkBytes(bytes);
        QCOMPARE(check.ok(), durationMs >= 0);
        if (check.ok())
            QCOMPARE(check.format->durationMs(), durationMs);
        else
            QVERIFY(!check.problem.isEmpty());
    }

    void missingAndOversizedFiles()
    {
        QTemporaryDir dir;
        QVERIFY(!readWaveFileInfo(dir.filePath(QStringLiteral("none.wav"))).ok());
        // A huge file is refused by its size, unread (a sparse file costs no disk).
        const QString big = dir.filePath(QStringLiteral("big.wav"));
        QVERIFY(writeWave(big, 300));
        QVERIFY(QFile::resize(big, kLargestWaveFile + 1));
        const WaveFileCheck check = readWaveFileInfo(big);
        QVERIFY(!check.ok());
        QVERIFY(check.problem.contains(QStringLiteral("64 MB")));
    }

    // Random damage to a valid header never crashes and never yields a sound longer than the file.
    void randomDamage()
    {
        QRandomGenerator random(16);
        const QByteArray good = waveBytes(100);
        for (int round = 0; round < 5000; ++round) {
            QByteArray bytes = good.left(44 + int(random.bounded(good.size() - 43)));
            for (int n = 1 + int(random.bounded(4)); n > 0; --n)
                bytes[int(random.bounded(qMin<qsizetype>(bytes.size(), 64)))] = char(random.bounded(256));
            const WaveFileCheck check = checkBytes(bytes);
            if (check.ok()) {
                QVERIFY(check.format->dataBytes > 0);
                QVERIFY(check.format->dataBytes <= bytes.size());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestWaveFiles)
#include "tst_wavefiles.moc"
