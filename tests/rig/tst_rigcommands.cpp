// The frequency and mode commands of every rig type as bytes, with their delays; frequencies that do not
// fit a command's field send nothing.

#include "rig/HexCodec.h"
#include "rig/RigChoices.h"
#include "rig/RigCommands.h"
#include "rig/RigTypes.h"

#include <QTest>

#include <limits>

using namespace velm;

namespace {

// The settings a type's preset gives.
RigSettings presetSettings(const QString& type)
{
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    applyRigPreset(settings, choices, type);
    settings.RigType = type;
    return settings;
}

QByteArray hex(const char* spaced)
{
    return HexSpacedToBytes(QString::fromLatin1(spaced)).value_or(QByteArray("<bad hex>"));
}

} // namespace

class TestRigCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frequencyCommandOfEveryType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<float>("mhz");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("secondDelay");
        const auto row = [](const char* name, const QString& type, float mhz, QByteArray bytes, int delay,
                            int second = 0) { QTest::newRow(name) << type << mhz << bytes << delay << second; };
        row("Kenwood", QStringLiteral("Kenwood"), 14.025f, "FA00014025000;", 205);
        row("Kenwood 2", QStringLiteral("Kenwood 2"), 14.025f, "FA00014025000;", 205);
        row("Elecraft", QStringLiteral("Elecraft"), 14.025f, "FA00014025000;", 205, 1000);
        row("Icom", rigtype::Icom, 14.025f, hex("FE FE 64 E0 05 00 50 02 14 00 FD"), 140);
        // The IC-735 reads and sets four data bytes.
        row("Icom 735", rigtype::Icom735, 14.025f, hex("FE FE 64 E0 05 00 50 02 14 FD"), 140);
        row("Omni VI", rigtype::OmniVI, 14.025f, hex("FE FE 04 E0 05 00 50 02 14 00 FD"), 140, 220);
        row("front panel", rigtype::FrontPanel, 14.025f, hex("2A 41 00 D6 01 28 0D"), 205);
        row("front panel 28.475", rigtype::FrontPanel, 28.475f, hex("2A 41 01 B2 7E 78 0D"), 205);
        // The Orion sets VFO A in hertz, as it reports it.
        row("Orion", rigtype::Orion, 14.025f, "*AF14025000\r", 205);
        row("Yaesu", rigtype::Yaesu, 14.025f, hex("01 40 25 00 01"), 205);
        for (const QString* type : {&rigtype::Yaesu757, &rigtype::Yaesu890, &rigtype::Yaesu920, &rigtype::Yaesu990,
                                    &rigtype::Yaesu1000D})
            row(qPrintable(*type), *type, 14.025f, hex("00 25 40 01 0A"), 205);
        row("Yaesu 1000", rigtype::Yaesu1000, 14.025f, hex("00 25 40 01 0A"), 10);
        row("FTdx9000", rigtype::FTdx9000, 14.025f, "FA14025000;", 205);
        row("FTdx9000 2 m", rigtype::FTdx9000, 144.2f, "FA144200000;", 205); // padding never shortens
        row("Icom 1296.1", rigtype::Icom, 1296.1f, hex("FE FE 64 E0 05 00 00 10 96 12 FD"), 140);
        row("Kenwood 10 Hz", QStringLiteral("Kenwood"), 14.02501f, "FA00014025010;", 205);
    }
    void frequencyCommandOfEveryType()
    {
        QFETCH(QString, type);
        QFETCH(float, mhz);
        QFETCH(QByteArray, bytes);
        QFETCH(int, delay);
        QFETCH(int, secondDelay);
        const float before = mhz;
        const FrequencyCommand command = frequencyCommand(presetSettings(type), RigReadings{}, mhz);
        QCOMPARE(command.kind, FrequencyCommand::Kind::Bytes);
        QCOMPARE(command.bytes.toHex(' '), bytes.toHex(' '));
        QCOMPARE(command.delayMs, delay);
        QCOMPARE(command.secondDelayMs, secondDelay);
        QCOMPARE(mhz, before);
    }

    void whatTheRadioLastSaidShapesTheCommand()
    {
        RigReadings readings;
        readings.RigVfo = 1;
        QCOMPARE(frequencyCommand(presetSettings(QStringLiteral("Kenwood 2")), readings, 7.04f).bytes,
                 QByteArray("FB00007040000;"));
        // Kenwood keeps the query's command: a radio read on VFO B is set there.
        RigSettings kenwood = presetSettings(QStringLiteral("Kenwood"));
        kenwood.FrequencyQuery = QStringLiteral("FB;");
        QCOMPARE(frequencyCommand(kenwood, readings, 7.04f).bytes, QByteArray("FB00007040000;"));
        // A query too short to name a VFO sets VFO A.
        for (const char* query : {"", "F"}) {
            kenwood.FrequencyQuery = QString::fromLatin1(query);
            QCOMPARE(frequencyCommand(kenwood, readings, 14.025f).bytes, QByteArray("FA00014025000;"));
        }
        // The FTdx9000 writes as many digits as it last sent.
        readings.FrequencyDigits = 9;
        QCOMPARE(frequencyCommand(presetSettings(rigtype::FTdx9000), readings, 14.025f).bytes,
                 QByteArray("FA014025000;"));
    }

    void nothingIsSent_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<float>("mhz");
        QTest::addColumn<QString>("frequencyQuery"); // "-" keeps the preset's
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("Yaesu 23 cm") << rigtype::Yaesu << 1270.0f << "-";
        QTest::newRow("Yaesu 990 1000 MHz") << rigtype::Yaesu990 << 1000.0f << "-";
        QTest::newRow("Icom 10 GHz") << rigtype::Icom << 10000.0f << "-";
        QTest::newRow("Icom 735 above 100 MHz") << rigtype::Icom735 << 144.2f << "-";
        QTest::newRow("front panel above 4.29 GHz") << rigtype::FrontPanel << 5000.0f << "-";
        QTest::newRow("zero") << QStringLiteral("Kenwood") << 0.0f << "-";
        QTest::newRow("negative") << QStringLiteral("Kenwood") << -5.0f << "-";
        QTest::newRow("NaN") << rigtype::Icom << nan << "-";
        QTest::newRow("infinite") << rigtype::Yaesu << inf << "-";
        QTest::newRow("Icom address not hex") << rigtype::Icom << 14.025f << "FE FE XY E0 03 FD";
        QTest::newRow("Icom query too short") << rigtype::Icom << 14.025f << "FE FE 6";
        QTest::newRow("Other") << rigtype::Other << 14.025f << "-";
        QTest::newRow("None") << rigtype::None << 14.025f << "-";
        QTest::newRow("unknown type") << QStringLiteral("Drake") << 14.025f << "-";
    }
    void nothingIsSent()
    {
        QFETCH(QString, type);
        QFETCH(float, mhz);
        QFETCH(QString, frequencyQuery);
        RigSettings settings = presetSettings(type);
        if (frequencyQuery != QLatin1String("-"))
            settings.FrequencyQuery = frequencyQuery;
        const FrequencyCommand command = frequencyCommand(settings, RigReadings{}, mhz);
        QCOMPARE(command.kind, FrequencyCommand::Kind::Nothing);
        QVERIFY(command.bytes.isEmpty());
    }

    void rigctldAndPegasus()
    {
        const FrequencyCommand rigctld = frequencyCommand(presetSettings(rigtype::Rigctld), {}, 14.025f);
        QCOMPARE(rigctld.kind, FrequencyCommand::Kind::Rigctld);
        QCOMPARE(rigctld.bytes, QByteArray("+\\set_freq 14025000\n"));
        QCOMPARE(frequencyCommand(presetSettings(rigtype::Pegasus), {}, 14.025f).kind,
                 FrequencyCommand::Kind::Pegasus);
        QCOMPARE(pegasusInText(14.025f, QStringLiteral(" CW ")), QByteArray("14.025\r\nCW\r\n"));
        QCOMPARE(pegasusInText(1270.0f, QStringLiteral("PH")), QByteArray("1270\r\nPH\r\n"));
        QCOMPARE(pegasusInText(5.3585f, QString()), QByteArray("5.3585\r\n\r\n"));
    }

    void modeTables_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("bytes"); // empty: no command
        // One line per mode: Kenwood text, CI-V body, Yaesu, Yaesu status, FTdx9000 tail.
        const struct {
            const char *mode, *kenwood, *civ, *yaesu, *status, *ftdx;
        } table[] = {
            {"LSB", "MD1;", "00", "00 00 00 00 07", "00 00 00 00 0C", "1;"},
            {"USB", "MD2;", "01", "01 00 00 00 07", "00 00 00 01 0C", "2;"},
            {"CW", "MD3;", "03", "02 00 00 00 07", "00 00 00 02 0C", "3;"},
            {"CW-R", nullptr, "07", nullptr, "00 00 00 03 0C", "7;"},
            {"AM", "MD5;", "02", "04 00 00 00 07", "00 00 00 04 0C", "5;"},
            {"FM", "MD4;", "05", "08 00 00 00 07", "00 00 00 06 0C", "4;"},
            {"RTTY", "MD6;", "04", "0A 00 00 00 07", "00 00 00 08 0C", "6;"},
            {"RTTY-R", nullptr, "08", nullptr, nullptr, nullptr},
            {"FSK", "MD6;", nullptr, nullptr, nullptr, nullptr},
            {"DIG", nullptr, nullptr, "0A 00 00 00 07", nullptr, nullptr},
            {"PKT", nullptr, nullptr, "0C 00 00 00 07", "00 00 00 0A 0C", nullptr},
        };
        for (const auto& r : table) {
            const QString mode = QString::fromLatin1(r.mode);
            const auto add = [&mode](const QString& type, QByteArray bytes) {
                QTest::addRow("%s %s", qPrintable(type), qPrintable(mode)) << type << mode << bytes;
            };
            for (const char* type : {"Kenwood", "Kenwood 2", "Elecraft"})
                add(QString::fromLatin1(type), r.kenwood);
            add(rigtype::Icom, r.civ ? hex(QByteArray("FE FE 64 E0 06 ") + r.civ + " FD") : QByteArray());
            add(rigtype::OmniVI, r.civ ? hex(QByteArray("FE FE 04 E0 06 ") + r.civ + " FD") : QByteArray());
            add(rigtype::Yaesu, r.yaesu ? hex(r.yaesu) : QByteArray());
            for (const QString* type : {&rigtype::Yaesu757, &rigtype::Yaesu890, &rigtype::Yaesu1000})
                add(*type, r.status ? hex(r.status) : QByteArray());
            add(rigtype::FTdx9000, r.ftdx ? QByteArray("MD0") + r.ftdx : QByteArray());
            for (const QString* type : {&rigtype::Icom735, &rigtype::FrontPanel, &rigtype::Orion, &rigtype::Pegasus,
                                        &rigtype::Other, &rigtype::None})
                add(*type, QByteArray());
        }
        QTest::newRow("unknown mode") << QStringLiteral("Kenwood") << QStringLiteral("SSB") << QByteArray();
        QTest::newRow("lower case") << QStringLiteral("Kenwood") << QStringLiteral("cw") << QByteArray();
    }
    void modeTables()
    {
        QFETCH(QString, type);
        QFETCH(QString, mode);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> command = modeCommand(presetSettings(type), mode);
        QCOMPARE(command.value_or(QByteArray()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(command.has_value(), !bytes.isEmpty());
    }

    void rigctldModeNames_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("line");
        for (const char* same : {"CW", "LSB", "USB", "AM", "FM", "RTTY"})
            QTest::newRow(same) << QString::fromLatin1(same) << "+\\set_mode " + QByteArray(same) + " 0\n";
        QTest::newRow("CW-R") << QStringLiteral("CW-R") << QByteArray("+\\set_mode CWR 0\n");
        QTest::newRow("RTTY-R") << QStringLiteral("RTTY-R") << QByteArray("+\\set_mode RTTYR 0\n");
        QTest::newRow("FSK") << QStringLiteral("FSK") << QByteArray("+\\set_mode RTTY 0\n");
        QTest::newRow("DIG") << QStringLiteral("DIG") << QByteArray("+\\set_mode PKTUSB 0\n");
        QTest::newRow("PKT") << QStringLiteral("PKT") << QByteArray("+\\set_mode PKTUSB 0\n");
    }
    void rigctldModeNames()
    {
        QFETCH(QString, mode);
        QFETCH(QByteArray, line);
        QCOMPARE(modeCommand(presetSettings(rigtype::Rigctld), mode).value_or(QByteArray()), line);
    }

    void ftdxModeQueryTooShort()
    {
        RigSettings settings = presetSettings(rigtype::FTdx9000);
        settings.ModeQuery = QStringLiteral("MD");
        QCOMPARE(modeCommand(settings, QStringLiteral("CW")).value_or(QByteArray()), QByteArray("MD03;"));
    }

    void digitHelpers()
    {
        QCOMPARE(pairsReversed(u"0001402500"), QStringLiteral("0025400100"));
        QCOMPARE(fixedDigits(14025000, 8), QStringLiteral("14025000"));
        QVERIFY(!fixedDigits(144200000, 8));
        QCOMPARE(megahertzToHz(28.475f), 28475000);
        QCOMPARE(shortestText(14.025f), QStringLiteral("14.025"));
        QCOMPARE(icomAddress(QStringLiteral("fe fe 5e e0 03 fd")), QStringLiteral("5E"));
    }
};

QTEST_APPLESS_MAIN(TestRigCommands)
#include "tst_rigcommands.moc"
