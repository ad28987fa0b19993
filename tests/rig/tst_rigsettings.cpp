// Tests of RigCntrl.txt (reading item by item, the example file byte for byte, damaged files, the .bad copy,
// failed saves), the option selections it gives, and the presets a rig type applies.

#include "rig/RigChoices.h"
#include "rig/RigSettings.h"
#include "rig/RigTypes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {

// The Kenwood set-up as the file holds it.
const QByteArray kKenwoodFile =
    "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n"
    "\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n";

RigSettings kenwood()
{
    RigSettings s;
    s.BaudRate = QStringLiteral("4800 ");
    s.Parity = QStringLiteral("N");
    s.DataBits = QStringLiteral("8");
    s.StopBits = QStringLiteral("2");
    s.ModeQuery = QStringLiteral("MD;");
    s.FrequencyQuery = QStringLiteral("FA;");
    s.CommSettings = QStringLiteral("4800,N,8,2");
    s.PortNumber = 1;
    s.PowerLine = QStringLiteral("N");
    s.PollRate = QStringLiteral("M");
    s.RigType = QStringLiteral("Kenwood");
    s.ConvertToHex = 0;
    s.UseFrequency = 1;
    s.ModeSource = 1;
    return s;
}

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

} // namespace

class TestRigSettings : public QObject {
    Q_OBJECT

private slots:
    void kenwoodExampleByteForByte();
    void baudPadding_data();
    void baudPadding();
    void itemsWhateverTheLineBreaks();
    void damagedFiles_data();
    void damagedFiles();
    void outOfRangeValuesSelectNothing();
    void oversizedFileIsNotRead();
    void unreadableFileKeptAsBad();
    void failedSaveNamesFileAndReason();
    void foundIgnoringCase();
    void takeChoicesBuildsCommSettings();
    void presets_data();
    void presets();
    void ftdx9000AfterKenwoodKeepsLineSettings();
    void otherEnablesConvertToHex();
};

void TestRigSettings::kenwoodExampleByteForByte()
{
    QCOMPARE(rigSettingsBytes(kenwood()), kKenwoodFile);
    RigSettings read;
    QString error;
    QCOMPARE(parseRigSettings(kKenwoodFile, read, &error), 14);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(read, kenwood());
    RigChoices choices = designDefaultChoices();
    selectStoredSettings(choices, read, 14);
    QCOMPARE(*selectedValue(choices, RigOption::Baud), QStringLiteral("4800"));
    QCOMPARE(*selectedValue(choices, RigOption::StopBits), QStringLiteral("2"));
    QCOMPARE(choices[RigOption::Port], 0);
    QVERIFY(choices.useFrequency);
    QCOMPARE(choices.modeBy, ModeBy::Rig);
    QVERIFY(!choices.convertToHexEnabled);
}

void TestRigSettings::baudPadding_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("selected"); // empty: no option
    QTest::newRow("1200 keeps its blank") << "1200 "
                                          << "1200 "
                                          << "1200";
    QTest::newRow("1200 without the blank") << "1200"
                                            << "1200 "
                                            << "1200";
    QTest::newRow("14400 fills all five") << "14400"
                                          << "14400"
                                          << "14400";
    QTest::newRow("longer text is cut") << "115200"
                                        << "11520"
                                        << "";
    QTest::newRow("no such rate") << "300"
                                  << "300  "
                                  << "";
}

void TestRigSettings::baudPadding()
{
    QFETCH(QString, item);
    QFETCH(QString, stored);
    QFETCH(QString, selected);
    RigSettings settings = kenwood();
    settings.BaudRate = item;
    QByteArray bytes = rigSettingsBytes(settings);
    RigSettings read;
    QCOMPARE(parseRigSettings(bytes, read), 14);
    QCOMPARE(read.BaudRate, stored);
    RigChoices choices = designDefaultChoices();
    selectStoredSettings(choices, read, 14);
    QCOMPARE(selectedValue(choices, RigOption::Baud).value_or(QString()), selected);
    // Written back, the stored text keeps its five characters.
    settings.BaudRate = paddedBaudRate(item);
    QVERIFY(rigSettingsBytes(settings).startsWith("\"" + stored.toLatin1() + "\"\r\n"));
}

void TestRigSettings::itemsWhateverTheLineBreaks()
{
    // All on two lines, blank lines between, bare texts, LF only, quoted numbers, a fraction.
    const QByteArray bytes = "\"4800 \",N,\"8\",\"2\",\"MD;\"\n\n\"FA;\",\"4800,N,8,2\",\"1\",\"N\",M\n"
                             "Kenwood,0,1,0.6\n";
    RigSettings read;
    QString error;
    QCOMPARE(parseRigSettings(bytes, read, &error), 14);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(read, kenwood());
}

void TestRigSettings::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fieldsRead");
    QTest::addColumn<QString>("rigType"); // after the read; "None" when field 11 was not reached
    QTest::newRow("cut after field 7") << kKenwoodFile.left(kKenwoodFile.indexOf("1\r\n")) << 7 << "None";
    QTest::newRow("empty") << QByteArray() << 0 << "None";
    QTest::newRow("port not a number")
        << QByteArray(kKenwoodFile).replace("\r\n1\r\n\"N\"", "\r\nx\r\n\"N\"") << 7 << "None";
    QTest::newRow("port beyond a byte")
        << QByteArray(kKenwoodFile).replace("\r\n1\r\n\"N\"", "\r\n300\r\n\"N\"") << 7 << "None";
    QTest::newRow("mode source beyond 16 bits") << kKenwoodFile.left(kKenwoodFile.size() - 3) + "70000\r\n"
                                                << 13 << "Kenwood";
    QTest::newRow("quote left open") << QByteArray("\"4800 \"\r\n\"N\r\n") << 1 << "None";
    QTest::newRow("binary junk") << QByteArray("\x00\x01\x02\"\xFF", 5) << 0 << "None";
}

void TestRigSettings::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fieldsRead);
    QFETCH(QString, rigType);
    RigSettings read; // defaults, type "None"
    QString error;
    QCOMPARE(parseRigSettings(bytes, read, &error), fieldsRead);
    QVERIFY(!error.isEmpty());
    QCOMPARE(read.RigType, rigType);
    // The fields read are applied, the rest of the controls keep the design defaults.
    RigChoices choices = designDefaultChoices();
    selectStoredSettings(choices, read, fieldsRead);
    if (fieldsRead == 0)
        QCOMPARE(choices, designDefaultChoices());
    if (fieldsRead >= 4)
        QCOMPARE(*selectedValue(choices, RigOption::StopBits), QStringLiteral("2"));
    if (fieldsRead < 10)
        QCOMPARE(*selectedValue(choices, RigOption::PollRate), QStringLiteral("M"));
}

void TestRigSettings::outOfRangeValuesSelectNothing()
{
    RigSettings settings = kenwood();
    settings.PortNumber = 11;
    settings.ModeSource = 7;
    settings.Parity = QStringLiteral("X");
    settings.ConvertToHex = 5;
    RigSettings read;
    QCOMPARE(parseRigSettings(rigSettingsBytes(settings), read), 14);
    RigChoices choices = designDefaultChoices();
    selectStoredSettings(choices, read, 14);
    QCOMPARE(choices[RigOption::Port], -1);
    QCOMPARE(choices[RigOption::Parity], -1);
    QCOMPARE(choices.modeBy, ModeBy::Nothing);
    QVERIFY(!choices.convertToHex);
    // "Test" keeps a field whose group has nothing selected; a save writes "Mode by" as "Rig".
    takeChoices(read, choices);
    QCOMPARE(read.PortNumber, quint8(11));
    QCOMPARE(read.Parity, QStringLiteral("X"));
    takeCheckBoxes(read, choices);
    QCOMPARE(read.ModeSource, qint16(1));
}

void TestRigSettings::oversizedFileIsNotRead()
{
    QTemporaryDir dir;
    write(dir.filePath(RigSettingsFile::FileName),
          kKenwoodFile + QByteArray(RigSettingsFile::kMaxBytes, '\n'));
    RigSettingsFile file(dir.path());
    RigSettings settings;
    FileResult result;
    QCOMPARE(file.read(settings, &result), 0);
    QVERIFY(!result.ok);
    QCOMPARE(settings, RigSettings());
}

void TestRigSettings::unreadableFileKeptAsBad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(RigSettingsFile::FileName);
    const QByteArray damaged = kKenwoodFile.left(40);
    write(path, damaged);
    RigSettingsFile file(dir.path());
    RigSettings settings;
    FileResult result;
    file.read(settings, &result);
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("RigCntrl.txt")));
    // The save keeps what the operator had, then writes the window's values.
    QVERIFY(file.save(kenwood()).ok);
    QCOMPARE(read(dir.filePath(RigSettingsFile::BadName)), damaged);
    QCOMPARE(read(path), kKenwoodFile);
    // A later save, after a good read, leaves the .bad copy alone.
    file.read(settings, &result);
    QVERIFY(result.ok);
    RigSettings other = kenwood();
    other.PortNumber = 2;
    QVERIFY(file.save(other).ok);
    QCOMPARE(read(dir.filePath(RigSettingsFile::BadName)), damaged);
}

void TestRigSettings::failedSaveNamesFileAndReason()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    RigSettingsFile file(folder); // the folder does not exist
    const FileResult saved = file.save(kenwood());
    QVERIFY(!saved.ok);
    QVERIFY2(saved.error.contains(QDir::toNativeSeparators(folder)), qPrintable(saved.error));
    QVERIFY2(saved.error.size() > folder.size() + 20, qPrintable(saved.error)); // the reason follows

    // An unreadable file whose .bad copy cannot be made is not written over.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("held")));
    const QString held = dir.filePath(QStringLiteral("held"));
    write(QDir(held).filePath(RigSettingsFile::FileName), "\"4800 ");
    QVERIFY(QDir(held).mkdir(RigSettingsFile::BadName)); // a folder where the copy would go
    RigSettingsFile heldFile(held);
    RigSettings settings;
    heldFile.read(settings);
    const FileResult refused = heldFile.save(kenwood());
    QVERIFY(!refused.ok);
    QVERIFY2(refused.error.contains(RigSettingsFile::BadName), qPrintable(refused.error));
    QCOMPARE(read(QDir(held).filePath(RigSettingsFile::FileName)), QByteArray("\"4800 "));
}

void TestRigSettings::foundIgnoringCase()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("RIGCNTRL.TXT")), kKenwoodFile);
    RigSettingsFile file(dir.path());
    RigSettings settings;
    QCOMPARE(file.read(settings), 14);
    QCOMPARE(settings.RigType, QStringLiteral("Kenwood"));
    QVERIFY(file.save(settings).ok);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("RIGCNTRL.TXT")});
}

void TestRigSettings::takeChoicesBuildsCommSettings()
{
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    choices[RigOption::Baud] = 0;   // 1200
    choices[RigOption::Parity] = 2; // E
    choices[RigOption::DataBits] = 0;
    choices[RigOption::StopBits] = 1;
    choices[RigOption::Port] = 9;
    choices[RigOption::Power] = 2;
    choices[RigOption::PollRate] = 0;
    takeChoices(settings, choices);
    QCOMPARE(settings.BaudRate, QStringLiteral("1200 "));
    QCOMPARE(settings.CommSettings, QStringLiteral("1200,E,7,2"));
    QCOMPARE(settings.PortNumber, quint8(10));
    QCOMPARE(settings.PowerLine, QStringLiteral("D"));
    QCOMPARE(settings.PollRate, QStringLiteral("F"));
}

void TestRigSettings::presets_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QString>("comm"); // after "Test" from the design defaults
    QTest::addColumn<QString>("frequencyQuery");
    QTest::addColumn<QString>("modeQuery");
    QTest::addColumn<bool>("convertToHex");
    QTest::addColumn<bool>("icomNote");
    QTest::newRow("Icom") << "Icom"
                          << "1200,N,8,1"
                          << "FE FE 64 E0 03 FD"
                          << "FE FE 64 E0 04 FD" << true << true;
    QTest::newRow("Icom 735") << "Icom 735"
                              << "1200,N,8,1"
                              << "FE FE 64 E0 03 FD"
                              << "FE FE 64 E0 04 FD" << true << true;
    QTest::newRow("Omni VI") << "Ten Tec Omni VI"
                             << "1200,N,8,1"
                             << "FE FE 04 E0 03 FD"
                             << "FE FE 04 E0 04 FD" << true << false;
    QTest::newRow("Kenwood") << "Kenwood"
                             << "4800,N,8,2"
                             << "FA;"
                             << "MD;" << false << false;
    QTest::newRow("Elecraft") << "Elecraft"
                              << "4800,N,8,2"
                              << "FA;"
                              << "MD;" << false << false;
    QTest::newRow("Kenwood 2") << "Kenwood 2"
                               << "4800,N,8,2"
                               << "IF;"
                               << "" << false << false;
    QTest::newRow("Yaesu") << "Yaesu"
                           << "4800,N,8,2"
                           << "00 00 00 00 03"
                           << "" << true << false;
    QTest::newRow("757") << "Yaesu 757 GX II"
                         << "4800,N,8,2"
                         << "00 00 00 00 10"
                         << "" << true << false;
    for (const char* model : {"Yaesu 890", "Yaesu 920", "Yaesu 990", "Yaesu 1000 D", "Yaesu 1000"})
        QTest::newRow(model) << model << "4800,N,8,2"
                             << "00 00 00 02 10"
                             << "" << true << false;
    QTest::newRow("FTdx9000") << "Yaesu FTdx9000"
                              << "4800,N,8,1"
                              << "FA;"
                              << "MD0;" << false << false;
    QTest::newRow("front panel") << "Ten Tec Fnt Pnl"
                                 << "56000,N,8,1"
                                 << "3F 41 0D"
                                 << "3F 4D 0D" << true << false;
    QTest::newRow("Orion") << "Ten Tec Orion"
                           << "56000,N,8,1"
                           << "?AF"
                           << "?RMM" << false << false;
    QTest::newRow("Pegasus") << "Ten Tec Pegasus"
                             << "56000,N,8,1"
                             << ""
                             << "" << false << false;
    QTest::newRow("rigctld") << "Hamlib NET rigctl"
                             << "56000,N,8,1"
                             << ""
                             << "" << false << false;
    QTest::newRow("None") << "None"
                          << "56000,N,8,1"
                          << ""
                          << "" << false << false;
}

void TestRigSettings::presets()
{
    QFETCH(QString, rigType);
    QFETCH(QString, comm);
    QFETCH(QString, frequencyQuery);
    QFETCH(QString, modeQuery);
    QFETCH(bool, convertToHex);
    QFETCH(bool, icomNote);
    RigSettings settings;
    settings.FrequencyQuery = QStringLiteral("old");
    RigChoices choices = designDefaultChoices();
    choices.icomNote = true;
    choices.convertToHexEnabled = true;
    choices[RigOption::Port] = 3;
    choices[RigOption::Power] = 1;
    choices[RigOption::PollRate] = 3;
    applyRigPreset(settings, choices, rigType);
    QCOMPARE(settings.RigType, rigType);
    QCOMPARE(settings.FrequencyQuery, frequencyQuery);
    QCOMPARE(settings.ModeQuery, modeQuery);
    QCOMPARE(choices.convertToHex, convertToHex);
    QCOMPARE(choices.convertFromHex, convertToHex); // follows "Convert to Hex"
    QVERIFY(!choices.convertToHexEnabled);
    QCOMPARE(choices.icomNote, icomNote);
    // Port, power and polling are never preset.
    QCOMPARE(choices[RigOption::Port], 3);
    QCOMPARE(choices[RigOption::Power], 1);
    QCOMPARE(choices[RigOption::PollRate], 3);
    takeChoices(settings, choices);
    QCOMPARE(settings.CommSettings, comm);
}

void TestRigSettings::ftdx9000AfterKenwoodKeepsLineSettings()
{
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    applyRigPreset(settings, choices, QStringLiteral("Kenwood"));
    choices[RigOption::Baud] = 0; // the operator picks 1200
    applyRigPreset(settings, choices, rigtype::FTdx9000);
    takeChoices(settings, choices);
    QCOMPARE(settings.CommSettings, QStringLiteral("4800,N,8,2"));
}

void TestRigSettings::otherEnablesConvertToHex()
{
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    applyRigPreset(settings, choices, QStringLiteral("Icom"));
    applyRigPreset(settings, choices, rigtype::Other);
    QVERIFY(choices.convertToHexEnabled);
    QVERIFY(!choices.convertToHex);
    QVERIFY(settings.FrequencyQuery.isEmpty() && settings.ModeQuery.isEmpty());
    applyRigPreset(settings, choices, QStringLiteral("Kenwood"));
    QVERIFY(!choices.convertToHexEnabled);
    // From a file: "Other" enables the box, "Icom 735" shows no note until chosen by hand.
    settings.RigType = rigtype::Other;
    selectStoredSettings(choices, settings, 14);
    QVERIFY(choices.convertToHexEnabled);
    settings.RigType = rigtype::Icom735;
    selectStoredSettings(choices, settings, 14);
    QVERIFY(!choices.icomNote);
    settings.RigType = rigtype::Icom;
    selectStoredSettings(choices, settings, 14);
    QVERIFY(choices.icomNote);
}

QTEST_GUILESS_MAIN(TestRigSettings)
#include "tst_rigsettings.moc"
