// Tests of the station profile: the station window's texts in and out, the copy into the shared preferences
// and the key rule of the UTC offset field.

#include "log/StationProfile.h"

#include <QtTest>

using namespace velm;

Q_DECLARE_METATYPE(velm::StationProfile)

namespace {

StationProfile knownProfile()
{
    return {QStringLiteral("K1ABC"), QStringLiteral("MA"), -5.5f, QStringLiteral("USA"), 95.3f, 40.0f,
            QStringLiteral("NA"),    QStringLiteral("5W")};
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestStationProfile : public QObject {
    Q_OBJECT

private slots:
    void profileTouchesOnlyStationValues();
    void fieldsOnOpening_data();
    void fieldsOnOpening();
    void numericFieldsOnDone_data();
    void numericFieldsOnDone();
    void storeSharedStation();
    void storeSharedStationReportsFailure();
    void utcFieldAccepts_data();
    void utcFieldAccepts();
};

void TestStationProfile::profileTouchesOnlyStationValues()
{
    ProgramPreferences prefs;
    prefs.CurrentBand = QStringLiteral("40");
    applyStationProfile(prefs, knownProfile());
    QCOMPARE(stationProfileOf(prefs), knownProfile());

    applyStationProfile(prefs, StationProfile());
    ProgramPreferences expected;
    expected.CurrentBand = QStringLiteral("40");
    QCOMPARE(prefs, expected);
}

void TestStationProfile::fieldsOnOpening_data()
{
    QTest::addColumn<StationProfile>("profile");
    QTest::addColumn<QString>("userCallSign");
    QTest::addColumn<QStringList>("expected"); // Text1, Text5, Text6, Text2, Text3, Text4, Text7, Text8

    StationProfile noCall = knownProfile();
    noCall.OwnCall.clear();
    QTest::newRow("own call kept") << knownProfile() << "W1XYZ"
                                   << QStringList{"K1ABC", "MA", "-5.5", "USA", "95.3", "40", "NA", "5W"};
    QTest::newRow("empty call takes UserCallSign")
        << noCall << "W1XYZ" << QStringList{"W1XYZ", "MA", "-5.5", "USA", "95.3", "40", "NA", "5W"};
    QTest::newRow("no call anywhere")
        << noCall << "" << QStringList{"", "MA", "-5.5", "USA", "95.3", "40", "NA", "5W"};
}

void TestStationProfile::fieldsOnOpening()
{
    QFETCH(StationProfile, profile);
    QFETCH(QString, userCallSign);
    QFETCH(QStringList, expected);
    const StationFields fields = stationFieldsFrom(profile, userCallSign);
    QCOMPARE((QStringList{fields.Text1, fields.Text5, fields.Text6, fields.Text2, fields.Text3, fields.Text4,
                          fields.Text7, fields.Text8}),
             expected);
}

void TestStationProfile::numericFieldsOnDone_data()
{
    QTest::addColumn<QString>("typed"); // typed into Text6, Text3 and Text4 alike
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("kept");
    QTest::newRow("not a number") << "abc" << 0.0f << "0";
    QTest::newRow("empty") << "" << 0.0f << "0";
    QTest::newRow("comma decimal") << "95,3" << 0.0f << "0";
    QTest::newRow("beyond float range") << "1e39" << 0.0f << "0";
    QTest::newRow("nan") << "nan" << 0.0f << "0";
    QTest::newRow("number with unit") << "95W" << 0.0f << "0";
    QTest::newRow("fraction") << "95.3" << 95.3f << "95.3";
    QTest::newRow("negative") << "-5.5" << -5.5f << "-5.5";
    QTest::newRow("blanks around kept") << " 40 " << 40.0f << " 40 ";
    QTest::newRow("exponent") << "1e1" << 10.0f << "1e1";
}

void TestStationProfile::numericFieldsOnDone()
{
    QFETCH(QString, typed);
    QFETCH(float, value);
    QFETCH(QString, kept);
    StationFields fields = stationFieldsFrom(knownProfile(), QString());
    fields.Text6 = fields.Text3 = fields.Text4 = typed;
    fields.Text2 = QStringLiteral("abc"); // a text field: never replaced

    const StationFields done = normalisedOnDone(fields);
    QCOMPARE(readsAsNumber(typed), kept == typed);
    StationFields expected = fields;
    expected.Text6 = expected.Text3 = expected.Text4 = kept;
    QCOMPARE(done, expected);

    StationProfile profile = knownProfile();
    profile.OwnCountry = QStringLiteral("abc");
    profile.UtcOffset = profile.OwnLongitude = profile.OwnLatitude = value;
    QCOMPARE(profileFromFields(done), profile);
}

void TestStationProfile::storeSharedStation()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("SharedUserPreferences.xml");
    SharedPreferences shared;
    shared.OpenSharedPreferences(path);

    StationFields fields = stationFieldsFrom(knownProfile(), QString());
    fields.Text3 = QStringLiteral("abc");
    const SaveResult result = velm::storeSharedStation(shared, normalisedOnDone(fields));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readFile(path), SharedPreferences::Header + "\r\n<OWN_CALL>K1ABC</OWN_CALL>"
                                                         "\r\n<OWN_SPC>MA</OWN_SPC>"
                                                         "\r\n<OWN_UTC>-5.5</OWN_UTC>"
                                                         "\r\n<OWN_COUNTRY>USA</OWN_COUNTRY>"
                                                         "\r\n<OWN_LONGITUDE>0</OWN_LONGITUDE>"
                                                         "\r\n<OWN_LATITUDE>40</OWN_LATITUDE>"
                                                         "\r\n<OWN_CONTINENT>NA</OWN_CONTINENT>"
                                                         "\r\n<OWN_VELM>5W</OWN_VELM>\r\n");
}

void TestStationProfile::storeSharedStationReportsFailure()
{
    // The one write is the last call's; its failure must reach the caller.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("SharedUserPreferences.xml"));
    SharedPreferences shared;
    shared.OpenSharedPreferences(dir.filePath("SharedUserPreferences.xml"));
    const SaveResult result = velm::storeSharedStation(shared, stationFieldsFrom(knownProfile(), QString()));
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(QStringLiteral("SharedUserPreferences.xml")), qPrintable(result.error));
}

void TestStationProfile::utcFieldAccepts_data()
{
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");
    const QString allowed = QStringLiteral("-./0123456789\b");
    for (const QChar c : allowed)
        QTest::addRow("accepts %s", c == u'\b' ? "Backspace" : qPrintable(QString(c))) << c << true;
    const QString refused = QStringLiteral(",+:a E\r");
    for (const QChar c : refused)
        QTest::addRow("refuses U+%04x", unsigned(c.unicode())) << c << false;
}

void TestStationProfile::utcFieldAccepts()
{
    QFETCH(QChar, key);
    QFETCH(bool, accepted);
    QCOMPARE(velm::utcFieldAccepts(key), accepted);
}

QTEST_GUILESS_MAIN(TestStationProfile)
#include "tst_stationprofile.moc"
