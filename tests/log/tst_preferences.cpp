// Tests of qrppref.txt (reading, saving, spellings of its name, the shipped first-run file) and of the
// start-up UTC offset check.

#include "log/ProgramPreferences.h"
#include "log/UtcOffsetCheck.h"

#include <QtTest>

using namespace velm;

Q_DECLARE_METATYPE(velm::ProgramPreferences)

namespace {

// Every value away from its default, with fractions that a double would widen ("95.3"), a colour with the
// high bit set (a system colour) and a text outside ASCII.
ProgramPreferences knownPrefs()
{
    ProgramPreferences prefs;
    prefs.OwnCall = QStringLiteral("K1ABC");
    prefs.OwnSpc = QStringLiteral("MA");
    prefs.UtcOffset = -5.5f;
    prefs.CurrentMode = QStringLiteral("PH");
    prefs.OperatingSeconds = 3600.5f;
    prefs.OwnCountry = QString::fromUtf8("Québec");
    prefs.OwnLongitude = 95.3f;
    prefs.OwnLatitude = -33.87f;
    prefs.FormSizePercent = 255;
    prefs.WorkedColour = 16711680;
    prefs.RemainingColour = -2147483643;
    prefs.CurrentBand = QStringLiteral("160");
    prefs.OwnContinent = QStringLiteral("NA");
    prefs.OwnVelmPwr = QStringLiteral("5W");
    prefs.VoiceNavLevel = 2;
    prefs.RigType = QStringLiteral("Kenwood");
    prefs.TaskbarMode = 1;
    prefs.ListPrevious = 1;
    return prefs;
}

const QList<QByteArray> kKnownLines{
    "\"K1ABC\"",
    "\"MA\"",
    "-5.5",
    "\"PH\"",
    "3600.5",
    "\"Qu\xc3\xa9"
    "bec\"",
    "95.3",
    "-33.87",
    "255",
    "16711680",
    "-2147483643",
    "\"160\"",
    "\"NA\"",
    "\"5W\"",
    "2",
    "\"Kenwood\"",
    "1",
    "1",
};

QByteArray joinLines(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QList<QByteArray> knownLinesWith(int lineNumber, const QByteArray& replacement)
{
    QList<QByteArray> lines = kKnownLines;
    lines[lineNumber - 1] = replacement;
    return lines;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The folder's entries in plain character order ("QRPpref.txt" before "log.txt" before "qrppref.txt").
QStringList entriesOf(const QString& folder)
{
    QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.sort(Qt::CaseSensitive);
    return entries;
}

QDateTime utcAt(int day, int hour, int minute, int second)
{
    return QDateTime(QDate(2011, 3, day), QTime(hour, minute, second), Qt::UTC);
}

// The local clock as the system shows it offsetSeconds from UTC, read at the instant utc.
QDateTime localAt(const QDateTime& utc, int offsetSeconds)
{
    return utc.toOffsetFromUtc(offsetSeconds);
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void savedFileIsExact();
    void roundTripKeepsSpelling_data();
    void roundTripKeepsSpelling();
    void caseVariantsBecomeOne_data();
    void caseVariantsBecomeOne();
    void failedReadLeavesPrefs_data();
    void failedReadLeavesPrefs();
    void lenientReading_data();
    void lenientReading();
    void failedSaveKeepsOldFile();
    void fileThatFailedToReadIsKept_data();
    void fileThatFailedToReadIsKept();
    void shippedFileReads();

    void checkUtcOffset_data();
    void checkUtcOffset();
    void utcOffsetPrompt();
    void acceptedUtcOffset_data();
    void acceptedUtcOffset();
};

void TestPreferences::savedFileIsExact()
{
    QTemporaryDir dir;
    PreferencesFile file(dir.path());
    const FileResult saved = file.SavePref(knownPrefs());
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(entriesOf(dir.path()), QStringList{"QRPpref.txt"});
    QCOMPARE(readFile(dir.filePath("QRPpref.txt")), joinLines(kKnownLines));
}

void TestPreferences::roundTripKeepsSpelling_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::newRow("as read") << "qrppref.txt";
    QTest::newRow("as written") << "QRPpref.txt";
    QTest::newRow("mixed") << "QrPpReF.TxT";
}

void TestPreferences::roundTripKeepsSpelling()
{
    QFETCH(QString, spelling);
    QTemporaryDir dir;
    writeFile(dir.filePath(spelling), joinLines(knownLinesWith(1, "\"OLD\"")));

    PreferencesFile file(dir.path());
    ProgramPreferences prefs;
    const FileResult read = file.ReadPreferences(prefs);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(prefs.OwnCall, QStringLiteral("OLD"));

    const FileResult saved = file.SavePref(knownPrefs());
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(entriesOf(dir.path()), QStringList{spelling});
    QCOMPARE(readFile(dir.filePath(spelling)), joinLines(kKnownLines));

    ProgramPreferences again;
    const FileResult reread = PreferencesFile(dir.path()).ReadPreferences(again);
    QVERIFY2(reread.ok, qPrintable(reread.error));
    QCOMPARE(again, knownPrefs());
}

void TestPreferences::caseVariantsBecomeOne_data()
{
    QTest::addColumn<QStringList>("variants");
    QTest::newRow("written spelling among them") << QStringList{"qrppref.txt", "QRPpref.txt"};
    QTest::newRow("written spelling absent") << QStringList{"qrppref.txt", "QRPPREF.TXT", "QrpPref.txt"};
}

void TestPreferences::caseVariantsBecomeOne()
{
    QFETCH(QStringList, variants);
    QTemporaryDir dir;
    for (const QString& name : variants)
        writeFile(dir.filePath(name), joinLines(knownLinesWith(1, '"' + name.toLatin1() + '"')));
    writeFile(dir.filePath("log.txt"), "\r\n"); // not a spelling of the name: left alone

    PreferencesFile file(dir.path());
    const QString survivor = QFileInfo(file.path()).fileName();
    QVERIFY(variants.contains(survivor));
    ProgramPreferences prefs;
    QVERIFY(file.ReadPreferences(prefs).ok);
    QCOMPARE(prefs.OwnCall, survivor); // the file that is read is the one that is written

    const FileResult saved = file.SavePref(knownPrefs());
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QStringList expected{survivor, "log.txt"};
    expected.sort(Qt::CaseSensitive);
    QCOMPARE(entriesOf(dir.path()), expected);

    ProgramPreferences again;
    QVERIFY(PreferencesFile(dir.path()).ReadPreferences(again).ok);
    QCOMPARE(again, knownPrefs());
}

void TestPreferences::failedReadLeavesPrefs_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QList<QByteArray> seventeen = kKnownLines;
    seventeen.removeLast();

    QTest::newRow("missing file") << false << QByteArray() << "";
    QTest::newRow("empty file") << true << QByteArray() << "none of its 18 values";
    QTest::newRow("17 values") << true << joinLines(seventeen)
                               << "line 17: the file ends after 17 of its 18 values, ListPrevious is missing";
    QTest::newRow("byte 256") << true << joinLines(knownLinesWith(9, "256"))
                              << "line 9: FormSizePercent \"256\" must be a whole number from 0 to 255";
    QTest::newRow("byte rounding up to 256")
        << true << joinLines(knownLinesWith(15, "255.5")) << "line 15: VoiceNavLevel \"255.5\" must be";
    QTest::newRow("negative byte") << true << joinLines(knownLinesWith(17, "-1"))
                                   << "line 17: TaskbarMode \"-1\" must be";
    QTest::newRow("colour beyond 32 bits") << true << joinLines(knownLinesWith(10, "4294967295"))
                                           << "line 10: WorkedColour \"4294967295\" must be a whole number "
                                              "within the 32-bit range";
    QTest::newRow("text for a number")
        << true << joinLines(knownLinesWith(3, "\"abc\"")) << "line 3: UtcOffset \"abc\" is not a number";
    QTest::newRow("float out of range")
        << true << joinLines(knownLinesWith(7, "1e39")) << "line 7: OwnLongitude \"1e39\" is not a number";
    QTest::newRow("quote left open") << true << joinLines(knownLinesWith(1, "\"K1ABC"))
                                     << "line 1: value 1 has no closing quote";
    QTest::newRow("two values on a line")
        << true << joinLines(knownLinesWith(2, "\"MA\",\"NH\"")) << "line 2: 2 values found, one expected";
}

void TestPreferences::failedReadLeavesPrefs()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    if (exists)
        writeFile(dir.filePath("qrppref.txt"), content);

    PreferencesFile file(dir.path());
    ProgramPreferences prefs; // defaults, as at start-up
    prefs.OwnCall = QStringLiteral("KEEP");
    const ProgramPreferences before = prefs;
    const FileResult read = file.ReadPreferences(prefs);
    QVERIFY(!read.ok);
    QCOMPARE(prefs, before);
    QVERIFY2(read.error.startsWith(QDir::toNativeSeparators(file.path()) + ": "), qPrintable(read.error));
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
}

void TestPreferences::lenientReading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<ProgramPreferences>("expected");
    const ProgramPreferences known = knownPrefs();

    QList<QByteArray> bare = kKnownLines;
    for (QByteArray& line : bare)
        line.replace('"', "");
    QTest::newRow("bare texts") << joinLines(bare) << known;
    QList<QByteArray> quoted = kKnownLines;
    for (QByteArray& line : quoted) {
        if (!line.startsWith('"'))
            line = '"' + line + '"';
    }
    QTest::newRow("quoted numbers") << joinLines(quoted) << known;
    QTest::newRow("byte-order mark and blank lines")
        << "\xef\xbb\xbf" + joinLines(kKnownLines).replace("\"PH\"\r\n", "\r\n  \"PH\"\r\n\r\n") << known;
    QTest::newRow("lines after the last value ignored")
        << joinLines(kKnownLines) + "\"later\",1\r\nbroken\"\r\n"
        << known;

    // 2.5 stays 2 (half to even), 16711679.6 becomes 16711680: the known values again.
    QList<QByteArray> fractions = knownLinesWith(10, "16711679.6");
    fractions[14] = "2.5";
    QTest::newRow("whole numbers rounded, halves to even") << joinLines(fractions) << known;
    ProgramPreferences unset = known;
    unset.OperatingSeconds = 0;
    QTest::newRow("empty number reads as 0") << joinLines(knownLinesWith(5, "\"\"")) << unset;
}

void TestPreferences::lenientReading()
{
    QFETCH(QByteArray, content);
    QFETCH(ProgramPreferences, expected);
    QTemporaryDir dir;
    writeFile(dir.filePath("qrppref.txt"), content);
    ProgramPreferences prefs;
    const FileResult read = PreferencesFile(dir.path()).ReadPreferences(prefs);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(prefs, expected);
}

void TestPreferences::failedSaveKeepsOldFile()
{
    // A directory holds the written spelling, so the rename cannot replace it; the old file under the
    // other spelling must neither be touched nor removed as a stale copy.
    QTemporaryDir dir;
    const QByteArray old = joinLines(knownLinesWith(1, "\"OLD\""));
    writeFile(dir.filePath("qrppref.txt"), old);
    QVERIFY(QDir(dir.path()).mkdir("QRPpref.txt"));

    PreferencesFile file(dir.path());
    const FileResult saved = file.SavePref(knownPrefs());
    QVERIFY(!saved.ok);
    QVERIFY2(saved.error.startsWith(QDir::toNativeSeparators(dir.filePath("QRPpref.txt")) + ": "),
             qPrintable(saved.error));
    QCOMPARE(readFile(dir.filePath("qrppref.txt")), old);
    QCOMPARE(entriesOf(dir.path()), (QStringList{"QRPpref.txt", "qrppref.txt"})); // no temporary left
}

void TestPreferences::fileThatFailedToReadIsKept_data()
{
    QTest::addColumn<QByteArray>("content"); // as found at start-up; null: no file
    QTest::addColumn<QByteArray>("mended");  // written between a failed read and a second read; null: none
    QTest::addColumn<bool>("saved");
    const QByteArray cut = joinLines(knownLinesWith(16, "\"No"));
    const QByteArray good = joinLines(knownLinesWith(1, "\"OLD\""));
    QTest::newRow("a line cut short") << cut << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray("") << QByteArray() << false;
    QTest::newRow("cut off after ten values") << joinLines(kKnownLines.mid(0, 10)) << QByteArray() << false;
    QTest::newRow("mended and read again") << cut << good << true;
    QTest::newRow("mended but not read again") << cut << QByteArray() << false;
    QTest::newRow("missing: created") << QByteArray() << QByteArray() << true;
}

void TestPreferences::fileThatFailedToReadIsKept()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, mended);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath("qrppref.txt");
    if (!content.isNull())
        writeFile(path, content);

    PreferencesFile file(dir.path());
    ProgramPreferences prefs;
    QVERIFY(!file.ReadPreferences(prefs).ok);
    QCOMPARE(file.savesRefused(), !content.isNull());
    if (!mended.isNull()) {
        writeFile(path, mended);
        QVERIFY(file.ReadPreferences(prefs).ok);
        QVERIFY(!file.savesRefused());
    }
    const QByteArray before = content.isNull()  ? QByteArray("<unreadable>")
                              : mended.isNull() ? content
                                                : mended;

    const FileResult result = file.SavePref(knownPrefs());
    QCOMPARE(result.ok, saved);
    if (saved) {
        QCOMPARE(readFile(file.path()), joinLines(kKnownLines));
    } else {
        QCOMPARE(readFile(path), before);
        QVERIFY2(result.error.startsWith(QDir::toNativeSeparators(path) + ": not saved"),
                 qPrintable(result.error));
        // Nothing was left beside it either.
        QCOMPARE(entriesOf(dir.path()), QStringList{"qrppref.txt"});
    }
}

void TestPreferences::shippedFileReads()
{
    const QString folder = QStringLiteral(VELM_DATA_DIR);
    PreferencesFile file(folder);
    QCOMPARE(QFileInfo(file.path()).fileName(), QStringLiteral("qrppref.txt"));
    ProgramPreferences prefs;
    const FileResult read = file.ReadPreferences(prefs);
    QVERIFY2(read.ok, qPrintable(read.error));

    ProgramPreferences expected;
    expected.UtcOffset = 5;
    expected.OwnCountry = QStringLiteral("USA");
    expected.OwnLongitude = 95;
    expected.OwnLatitude = 40;
    expected.WorkedColour = 16711680; // blue
    expected.RemainingColour = 255;   // red
    expected.OwnContinent = QStringLiteral("NA");
    QCOMPARE(prefs, expected);
    // Exactly as the program would write it, so a first save changes nothing but the values.
    QCOMPARE(readFile(file.path()), preferencesBytes(prefs));
}

void TestPreferences::checkUtcOffset_data()
{
    QTest::addColumn<QDateTime>("utcNow");
    QTest::addColumn<QDateTime>("localNow");
    QTest::addColumn<float>("stored");
    QTest::addColumn<double>("recommended");
    QTest::addColumn<QString>("defaultAnswer");
    QTest::addColumn<bool>("differs");
    const QDateTime utc = utcAt(5, 14, 5, 33);

    QTest::newRow("UTC-4, stored 5") << utc << localAt(utc, -4 * 3600) << 5.0f << 4.0 << "4" << true;
    QTest::newRow("UTC+5:30") << utc << localAt(utc, 5 * 3600 + 1800) << 5.0f << -5.5 << "-5.5" << true;
    QTest::newRow("equal offset") << utc << localAt(utc, -5 * 3600) << 5.0f << 5.0 << "5" << false;
    QTest::newRow("local date a day behind")
        << utcAt(6, 2, 0, 0) << localAt(utcAt(6, 2, 0, 0), -5 * 3600) << 5.0f << 5.0 << "5" << false;
    // The local clock is read a second after the UTC clock, and a minute turns over in between.
    QTest::newRow("readings straddle a minute")
        << utcAt(5, 14, 5, 59) << localAt(utcAt(5, 14, 6, 0), -4 * 3600) << 4.0f << 4.0 << "4" << false;
    // 20 minutes: 0.33 is no float exactly; the stored float of "0.33" must still count as equal.
    QTest::newRow("fraction a float cannot hold")
        << utc << localAt(utc, -20 * 60) << 0.33f << 0.33 << "0.33" << false;
}

void TestPreferences::checkUtcOffset()
{
    QFETCH(QDateTime, utcNow);
    QFETCH(QDateTime, localNow);
    QFETCH(float, stored);
    QFETCH(double, recommended);
    QFETCH(QString, defaultAnswer);
    QFETCH(bool, differs);
    const UtcOffsetQuestion question = velm::checkUtcOffset(utcNow, localNow, stored);
    QCOMPARE(question.recommended, recommended);
    QCOMPARE(question.defaultAnswer, defaultAnswer);
    QCOMPARE(question.differs, differs);
}

void TestPreferences::utcOffsetPrompt()
{
    const QDateTime utc = utcAt(5, 14, 5, 33);
    const UtcOffsetQuestion question = velm::checkUtcOffset(utc, localAt(utc, -4 * 3600), 5.0f);
    QCOMPARE(question.title, QStringLiteral("Update the Local Time / UTC Offset?"));
    QCOMPARE(question.prompt,
             QStringLiteral("Would you like to adjust the UTC offset in this program for your local time "
                            "setting?\r\n\r\n"
                            "Current System Time: 14:05\r\n\r\n"
                            "Current Local Time: 10:05\r\n\r\n"
                            "Recommended Offset Setting: 4\r\n\r\n"
                            "Current Offset Setting: 5\r\n\r\n"
                            "Please click OK to accept the recommended change or Cancel to keep the current "
                            "setting."));
}

void TestPreferences::acceptedUtcOffset_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<std::optional<float>>("accepted");
    QTest::newRow("Cancel") << std::optional<QString>() << std::optional<float>();
    QTest::newRow("empty") << std::optional<QString>(QString()) << std::optional<float>();
    QTest::newRow("not a number") << std::optional<QString>("abc") << std::optional<float>();
    QTest::newRow("comma decimal") << std::optional<QString>("4,5") << std::optional<float>();
    QTest::newRow("recommendation") << std::optional<QString>("4") << std::optional<float>(4.0f);
    QTest::newRow("negative fraction") << std::optional<QString>("-5.5") << std::optional<float>(-5.5f);
    QTest::newRow("blanks around") << std::optional<QString>(" 3 ") << std::optional<float>(3.0f);
}

void TestPreferences::acceptedUtcOffset()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(std::optional<float>, accepted);
    QCOMPARE(velm::acceptedUtcOffset(answer), accepted);
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
