// Tests of the prefix table: the lookup rules on a small hand-made table, bearing and distance, the loader,
// and the shipped arrlpre2.txt searched against a brute-force longest-prefix match.

#include "log/PrefixTable.h"

#include <QtTest>

using namespace velm;

namespace {

// Sorted as the search needs: upper-cased prefixes by character code. W is a second USA entry with its own
// coordinates, so that "searched from the last entry" shows.
const QByteArray kSmallTable = "\"1A\",\"Malta Order\",\"EU\",-12.43,41.9,15,28,246\r\n"
                               "\"3A\",\"Monaco\",\"EU\",-7.4,43.73,14,27,260\r\n"
                               "\"DL\",\"Germany\",\"EU\",-10,51,14,28,230\r\n"
                               "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,291\r\n"
                               "\"KG4\",\"Guantanamo Bay\",\"NA\",75,20,8,11,105\r\n"
                               "\"KH6\",\"Hawaii\",\"OC\",157.48,21.12,31,61,110\r\n"
                               "\"KL\",\"Alaska\",\"NA\",150,61,1,1,6\r\n"
                               "\"VE\",\"Canada\",\"NA\",78.75,44.35,5,9,1\r\n"
                               "\"VP2V\",\"British Virgin Islands\",\"NA\",64.62,18.43,8,11,65\r\n"
                               "\"W\",\"USA\",\"NA\",100,40,5,8,291\r\n";

const QString kUnchanged = QStringLiteral("<unchanged>");
constexpr float kOwnLat = 40, kOwnLong = 95;

PrefixTable smallTable()
{
    PrefixTable table;
    if (!table.loadFromBytes(kSmallTable))
        qFatal("small table does not load");
    return table;
}

QByteArray lines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,291\r\n";
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestPrefixTable : public QObject {
    Q_OBJECT

private slots:
    void prefixLookup_data();
    void prefixLookup();
    void dxSpotCountry_data();
    void dxSpotCountry();
    void provinceFromCall_data();
    void provinceFromCall();
    void countryCompletion_data();
    void countryCompletion();
    void completeCountrySearchesFromLastEntry();
    void hdCalc_data();
    void hdCalc();
    void loaderRejects_data();
    void loaderRejects();
    void loadsFromFirstFolderHoldingFile();
    void shippedTableAgreesWithBruteForce();
    void typingACallEndsAsLookingItUpWhole();
};

void TestPrefixTable::prefixLookup_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("spcNow");
    QTest::addColumn<QString>("spcText"); // kUnchanged for nullopt
    QTest::addColumn<QString>("continent");
    QTest::addColumn<QString>("miles");

    // clang-format off
    QTest::newRow("DX country") << "DL1ABC" << "" << "Germany" << "EU" << "4,694 ";
    QTest::newRow("typed in lower case") << "dl1abc" << "" << "Germany" << "EU" << "4,694 ";
    QTest::newRow("digit first") << "3A2MW" << "" << "Monaco" << "EU" << "4,902 ";
    QTest::newRow("KH6 beats K") << "KH6ABC" << "" << "HI" << "OC" << "3,854 ";
    QTest::newRow("Alaska") << "KL7XX" << "" << "AK" << "NA" << "2,705 ";
    QTest::newRow("USA leaves S/P/C") << "K1ABC" << "MA" << kUnchanged << "NA" << "";
    QTest::newRow("Canada leaves S/P/C") << "VE3ABC" << "" << kUnchanged << "NA" << "";
    QTest::newRow("USA after Not Found") << "K1ABC" << "Not Found" << kUnchanged << "" << "";
    QTest::newRow("not found") << "QQ1ABC" << "Germany" << "Not Found" << "" << "";
    QTest::newRow("empty call") << "" << "Germany" << kUnchanged << "" << "";
    QTest::newRow("empty call, Not Found left") << "" << "Not Found" << kUnchanged << "" << "";
    // Slash rule: the part after the slash counts when shorter than half the call.
    QTest::newRow("home/KH6") << "W1AB/KH6" << "" << "HI" << "OC" << "3,854 ";
    QTest::newRow("KH6/home") << "KH6/W1AB" << "" << "HI" << "OC" << "3,854 ";
    QTest::newRow("two after slash") << "DL1ABC/KL" << "" << "AK" << "NA" << "2,705 ";
    QTest::newRow("/P whole") << "DL1AB/P" << "" << "Germany" << "EU" << "4,694 ";
    QTest::newRow("9 characters, 4 after") << "VP2V/W1AB" << "" << kUnchanged << "NA" << "";
    QTest::newRow("10 characters, 5 after") << "VP2V/W1ABC" << "" << "British Virgin Islands" << "NA"
                                            << "2,339 ";
    // KG4 and one or three or more characters is a USA call: first USA entry's continent and coordinates.
    QTest::newRow("KG4 + 1") << "KG4A" << "" << "" << "NA" << "236 ";
    QTest::newRow("KG4 + 2") << "KG4AB" << "" << "Guantanamo Bay" << "NA" << "1,818 ";
    QTest::newRow("KG4 + 3") << "KG4ABC" << "" << "" << "NA" << "236 ";
    QTest::newRow("KG4 + 4") << "kg4abcd" << "" << "" << "NA" << "236 ";
    // clang-format on
}

void TestPrefixTable::prefixLookup()
{
    QFETCH(QString, call);
    QFETCH(QString, spcNow);
    QFETCH(QString, spcText);
    QFETCH(QString, continent);
    QFETCH(QString, miles);
    const PrefixLookupResult result = smallTable().PrefixLookup(call, spcNow, kOwnLat, kOwnLong);
    QCOMPARE(result.spcText.value_or(kUnchanged), spcText);
    QCOMPARE(result.selectSpc, !call.isEmpty());
    QCOMPARE(result.updateLabels, !call.isEmpty() || spcNow == "Not Found");
    QCOMPARE(result.continent, continent);
    QCOMPARE(result.miles, miles);
    QCOMPARE(result.bearing.isEmpty(), miles.isEmpty());
}

void TestPrefixTable::dxSpotCountry_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("country");

    // clang-format off
    QTest::newRow("DX") << "DL1ABC" << "Germany";
    QTest::newRow("exact case only") << "dl1abc" << "";
    QTest::newRow("no Alaska code") << "KL7XX" << "Alaska";
    QTest::newRow("not found") << "QQ1ABC" << "";
    QTest::newRow("KG4 + 1") << "KG4A" << "Guantanamo Bay";
    QTest::newRow("KG4 + 2") << "KG4AB" << "Guantanamo Bay";
    QTest::newRow("KG4 + 3") << "KG4ABC" << "USA";
    QTest::newRow("slash") << "W1AB/KH6" << "Hawaii";
    // clang-format on
}

void TestPrefixTable::dxSpotCountry()
{
    QFETCH(QString, call);
    QFETCH(QString, country);
    QCOMPARE(smallTable().DXSpotCountry(call), country);
}

void TestPrefixTable::provinceFromCall_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("spcNow");
    QTest::addColumn<QString>("province");

    // clang-format off
    QTest::newRow("VE3") << "VE3ABC" << "" << "ON";
    QTest::newRow("lower case") << "vo2ab" << "" << "LB";
    QTest::newRow("three characters") << "VY2" << "" << "PE";
    QTest::newRow("two characters") << "VE" << "" << "";
    QTest::newRow("S/P/C already set") << "VE3ABC" << "ON" << "";
    // clang-format on
}

void TestPrefixTable::provinceFromCall()
{
    QFETCH(QString, call);
    QFETCH(QString, spcNow);
    QFETCH(QString, province);
    QCOMPARE(smallTable().ProvinceFromCall(call, spcNow), province);
}

void TestPrefixTable::countryCompletion_data()
{
    QTest::addColumn<QString>("spcText");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("text"); // empty: key not consumed
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<QString>("continent");

    // clang-format off
    QTest::newRow("Ger") << "Ge" << 2 << QChar('r') << "Germany" << 3 << "EU";
    QTest::newRow("caret inside") << "Haxx" << 2 << QChar('w') << "Hawaii" << 3 << "OC";
    QTest::newRow("space in name") << "British" << 7 << QChar(' ') << "British Virgin Islands" << 8 << "NA";
    QTest::newRow("one character") << "G" << 1 << QChar('e') << "" << 0 << "";
    QTest::newRow("no country") << "Xy" << 2 << QChar('z') << "" << 0 << "";
    QTest::newRow("backspace") << "Ge" << 2 << QChar('\b') << "" << 0 << "";
    // clang-format on
}

void TestPrefixTable::countryCompletion()
{
    QFETCH(QString, spcText);
    QFETCH(int, caret);
    QFETCH(QChar, typed);
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(QString, continent);
    const auto completion = smallTable().CountryCompletion(spcText, caret, typed, kOwnLat, kOwnLong);
    QCOMPARE(completion.has_value(), !text.isEmpty());
    if (!completion)
        return;
    QCOMPARE(completion->text, text);
    QCOMPARE(completion->selectionStart, selectionStart);
    QCOMPARE(completion->selectionLength, text.size() - selectionStart);
    QCOMPARE(completion->continent, continent);
    QVERIFY(completion->bearing);
}

void TestPrefixTable::completeCountrySearchesFromLastEntry()
{
    const PrefixTable table = smallTable();
    const auto usa = table.completeCountry(QStringLiteral("US"));
    QVERIFY(usa);
    QCOMPARE(usa->longitude, 100.0f);                       // the W entry, not K
    QVERIFY(!table.completeCountry(QStringLiteral("ger"))); // letter case exact
}

void TestPrefixTable::hdCalc_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("bearing"); // empty: computation fails
    QTest::addColumn<QString>("miles");

    // Expected values worked out with atan2/acos on a sphere of 3955.758 miles radius.
    // clang-format off
    QTest::newRow("Germany, east") << 51.0 << -10.0 << "41 " << "4,694 ";
    QTest::newRow("Hawaii, west") << 21.12 << 157.48 << "270 " << "3,854 ";
    QTest::newRow("due north") << 50.0 << 95.0 << "360 " << "690 ";
    QTest::newRow("due south") << 30.0 << 95.0 << "180 " << "690 ";
    QTest::newRow("same point") << 40.0 << 95.0 << "" << "";
    QTest::newRow("not finite") << qQNaN() << 95.0 << "" << "";
    // clang-format on
}

void TestPrefixTable::hdCalc()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, bearing);
    QFETCH(QString, miles);
    const auto result = HDCalc(kOwnLat, kOwnLong, lat, lon);
    QCOMPARE(result.has_value(), !bearing.isEmpty());
    if (result) {
        QCOMPARE(result->bearing, bearing);
        QCOMPARE(result->miles, miles);
    }
}

void TestPrefixTable::loaderRejects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    // clang-format off
    QTest::newRow("seven values") << QByteArray(lines(2) + "\"DL\",\"Germany\",\"EU\",-10,51,14,28\r\n")
                                  << "line 3: 7 values found, 8 expected";
    QTest::newRow("longitude no number") << QByteArray("\"DL\",\"Germany\",\"EU\",west,51,14,28,230\r\n")
                                         << "line 1: the longitude \"west\" is not a number";
    QTest::newRow("open quote") << QByteArray("\"DL,\"Germany\",\"EU\",-10,51,14,28,230\r\n") << "line 1: ";
    QTest::newRow("10001 entries") << lines(PrefixTable::Capacity + 1) << "line 10001: more than 10000 entries";
    // clang-format on
}

void TestPrefixTable::loaderRejects()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    PrefixTable table = smallTable();
    QString reason;
    QVERIFY(!table.loadFromBytes(bytes, &reason));
    QVERIFY2(reason.startsWith(error), qPrintable(reason));
    QCOMPARE(table.count(), 0);
    QVERIFY(table.loadFromBytes(lines(PrefixTable::Capacity)));
}

void TestPrefixTable::loadsFromFirstFolderHoldingFile()
{
    QTemporaryDir dir;
    const QStringList folders{dir.filePath("shared"), dir.filePath("user"), dir.filePath("program")};
    for (const QString& folder : folders)
        QVERIFY(QDir().mkpath(folder));
    PrefixTable table;
    QVERIFY(table.LoadPrefixTable(folders).ok);
    QCOMPARE(table.count(), 0);

    QVERIFY(writeFile(folders[2] + "/arrlpre2.txt", lines(3)));
    QVERIFY(writeFile(folders[1] + "/ARRLPRE2.TXT", kSmallTable));
    QVERIFY(table.LoadPrefixTable({QString(), folders[0], folders[1], folders[2]}).ok);
    QCOMPARE(table.count(), 10);

    QVERIFY(writeFile(folders[0] + "/Arrlpre2.txt", "\"DL\",\"Germany\"\r\n"));
    const FileResult result = table.LoadPrefixTable(folders);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains("Arrlpre2.txt") && result.error.contains("line 1"),
             qPrintable(result.error));
    QCOMPARE(table.count(), 0);
}

void TestPrefixTable::shippedTableAgreesWithBruteForce()
{
    QFile file(QStringLiteral(VELM_DATA_DIR "/arrlpre2.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    PrefixTable table;
    QString error;
    QVERIFY2(table.loadFromBytes(file.readAll(), &error), qPrintable(error));
    QVERIFY(table.count() > 1000 && table.count() < PrefixTable::Capacity);

    QStringList prefixes;
    QHash<QString, int> numbers;
    for (int number = 1; number <= table.count(); ++number) {
        prefixes << table.entry(number).Prefix.toUpper();
        numbers.insert(prefixes.back(), number);
    }
    for (int i = 1; i < prefixes.size(); ++i)
        QVERIFY2(prefixes[i - 1] < prefixes[i], qPrintable(prefixes[i - 1] + " before " + prefixes[i]));

    // Every prefix on its own and with a suffix, and every two-character start of a call.
    QStringList calls;
    for (const QString& prefix : prefixes)
        calls << prefix << prefix + "1AB";
    const QString characters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (QChar first : characters) {
        for (QChar second : characters)
            calls << QString(first) + second + "1ABC";
    }
    for (const QString& call : calls) {
        int expected = 0;
        for (qsizetype length = call.size(); length > 0 && expected == 0; --length)
            expected = numbers.value(call.left(length));
        QVERIFY2(table.findPrefix(call, false) == expected, qPrintable(call));
        QVERIFY2(table.findPrefix(call.toLower(), true) == expected, qPrintable(call));
    }

    QCOMPARE(table.PrefixLookup("DL1ABC", "", kOwnLat, kOwnLong).spcText, QString("Germany"));
    QCOMPARE(table.PrefixLookup("KH6ABC", "", kOwnLat, kOwnLong).spcText, QString("HI"));
    QCOMPARE(table.PrefixLookup("KL7ABC", "", kOwnLat, kOwnLong).spcText, QString("AK"));
    QCOMPARE(table.DXSpotCountry("W1AW"), QString("USA"));
    QCOMPARE(table.DXSpotCountry("VE3ABC"), QString("Canada"));
}

namespace {

// The S/P/C field and continent the call field leaves behind once the call is in and the field left: a
// lookup per change of the call text (the field emptied while the call is shorter than 2 characters, as the
// key handler does), then the province from the call.
struct LookupOutcome {
    QString spc, continent;
    bool operator==(const LookupOutcome&) const = default;
};

LookupOutcome typed(const PrefixTable& table, const QString& call, qsizetype fromLength)
{
    QString spc, fromLookup, continent;
    for (qsizetype length = fromLength; length <= call.size(); ++length) {
        if (length - 1 < 2)
            spc.clear();
        const PrefixLookupResult result =
            table.PrefixLookup(call.left(length), spc, kOwnLat, kOwnLong, fromLookup);
        if (result.spcText)
            spc = fromLookup = *result.spcText;
        if (result.updateLabels)
            continent = result.continent;
    }
    if (const QString province = table.ProvinceFromCall(call, spc); !province.isEmpty())
        spc = province;
    return {spc, continent};
}

} // namespace

void TestPrefixTable::typingACallEndsAsLookingItUpWhole()
{
    QFile file(QStringLiteral(VELM_DATA_DIR "/arrlpre2.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    PrefixTable table;
    QVERIFY(table.loadFromBytes(file.readAll()));

    QStringList calls;
    for (int number = 1; number <= table.count(); ++number) {
        const QString prefix = table.entry(number).Prefix.toUpper();
        calls << prefix << prefix + "AB" << prefix + "1AB";
    }
    for (const QString& call : std::as_const(calls)) {
        const LookupOutcome keyByKey = typed(table, call, 1);
        const LookupOutcome whole = typed(table, call, call.size());
        QVERIFY2(keyByKey == whole, qPrintable(call + ": " + keyByKey.spc + " / " + whole.spc));
        QVERIFY2(keyByKey.spc != "Not Found", qPrintable(call));
    }

    // Every province row, including the call areas whose first two letters have no entry of their own.
    const std::pair<const char*, const char*> provinces[] = {
        {"VE1AA", "NS"}, {"VE2AA", "QC"}, {"VE3AA", "ON"}, {"VE4AA", "MB"}, {"VE5AA", "SK"},
        {"VE6AA", "AB"}, {"VE7AA", "BC"}, {"VE8AA", "NT"}, {"VE9AA", "NB"}, {"VY1AA", "NT"},
        {"VY2AA", "PE"}, {"VO1AA", "NF"}, {"VO2AA", "LB"}};
    for (const auto& [call, province] : provinces) {
        const LookupOutcome outcome = typed(table, QString::fromLatin1(call), 1);
        QCOMPARE(outcome.spc, QString::fromLatin1(province));
        QCOMPARE(outcome.continent, QStringLiteral("NA"));
    }

    // What the operator typed stays; a "Not Found" typed by hand keeps the continent empty.
    QCOMPARE(table.PrefixLookup("VE3ABC", "ON", kOwnLat, kOwnLong, "Not Found").spcText, std::nullopt);
    const PrefixLookupResult typedNotFound = table.PrefixLookup("VE3ABC", "Not Found", kOwnLat, kOwnLong);
    QCOMPARE(typedNotFound.spcText, std::nullopt);
    QCOMPARE(typedNotFound.continent, QString());
}

QTEST_GUILESS_MAIN(TestPrefixTable)
#include "tst_prefixtable.moc"
