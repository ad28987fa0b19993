// Tests of the rig link's pure conversions: the hex helpers, every reply decoder on real and damaged replies,
// the Pegasus file, rigctld's replies, and seeded random buffers through each of them.

#include "rig/HexCodec.h"
#include "rig/PegasusFiles.h"
#include "rig/RigDecoders.h"
#include "rig/RigTypes.h"
#include "rig/RigctldReplies.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace velm;

namespace {

QByteArray hex(const char* text)
{
    return *HexSpacedToBytes(QString::fromLatin1(text));
}

// Readings no decoder would write, so that "unchanged" is visible.
RigReadings sentinel()
{
    RigReadings r;
    r.RigFrequency = 12.345f;
    r.RigMode = QStringLiteral("XX");
    r.RigVfo = 10;
    r.FrequencyDigits = 7;
    return r;
}

using Decoder = std::function<void(QByteArrayView, RigReadings&)>;

struct NamedDecoder {
    const char* name;
    Decoder decode;
};

const QString kFa = QStringLiteral("FA;");
const QString kMd0 = QStringLiteral("MD0;");

QList<NamedDecoder> allDecoders()
{
    return {
        {"KenwoodFrequency", [](QByteArrayView b, RigReadings& r) { DecodeKenwoodFrequency(b, kFa, r); }},
        {"KenwoodMode", [](QByteArrayView b, RigReadings& r) { DecodeKenwoodMode(b, r); }},
        {"KenwoodIF", [](QByteArrayView b, RigReadings& r) { DecodeKenwoodIF(b, r); }},
        {"IcomFrequency", [](QByteArrayView b, RigReadings& r) { DecodeIcomFrequency(b, false, r); }},
        {"Icom735Frequency", [](QByteArrayView b, RigReadings& r) { DecodeIcomFrequency(b, true, r); }},
        {"IcomMode", [](QByteArrayView b, RigReadings& r) { DecodeIcomMode(b, r); }},
        {"YaesuBcd", [](QByteArrayView b, RigReadings& r) { DecodeYaesuBcd(b, r); }},
        {"757Status", [](QByteArrayView b, RigReadings& r) { Decode757Status(b, r); }},
        {"YaesuStatus890",
         [](QByteArrayView b, RigReadings& r) { DecodeYaesuStatus(b, rigtype::Yaesu890, r); }},
        {"YaesuStatus920",
         [](QByteArrayView b, RigReadings& r) { DecodeYaesuStatus(b, rigtype::Yaesu920, r); }},
        {"YaesuStatus1000",
         [](QByteArrayView b, RigReadings& r) { DecodeYaesuStatus(b, rigtype::Yaesu1000, r); }},
        {"FTdx9000", [](QByteArrayView b, RigReadings& r) { DecodeFTdx9000(b, kFa, kMd0, r); }},
        {"FrontPanelFrequency", [](QByteArrayView b, RigReadings& r) { DecodeFrontPanelFrequency(b, r); }},
        {"FrontPanelMode", [](QByteArrayView b, RigReadings& r) { DecodeFrontPanelMode(b, r); }},
        {"OrionFrequency", [](QByteArrayView b, RigReadings& r) { DecodeOrionFrequency(b, r); }},
        {"OrionMode", [](QByteArrayView b, RigReadings& r) { DecodeOrionMode(b, r); }},
        {"Pegasus", [](QByteArrayView b, RigReadings& r) { parsePegasusOut(b, r); }},
        {"Rigctld",
         [](QByteArrayView b, RigReadings& r) {
             RigctldReplies replies;
             replies.feed(b, r);
         }},
    };
}

// Pieces the random buffers are built from, so that they reach past the first test of each decoder.
const QByteArray kFragments[] = {
    "FA",       "MD",          "IF",          "MD0",         "@AF",      "@RMM", "A",         "M",    ";",
    "\r",       "\n",          ",",           "\"",          "\xFE\xFE", "\xFD", "\x03",      "\x04", "\xFC",
    "RPRT 0\n", "get_freq:\n", "Frequency: ", "get_mode:\n", "Mode: ",   "CW",   "0001402500"};

QByteArray randomBuffer(QRandomGenerator& random)
{
    QByteArray buffer;
    const int pieces = int(random.bounded(12));
    for (int p = 0; p < pieces; ++p) {
        if (random.bounded(2) == 0) {
            buffer += kFragments[random.bounded(int(std::size(kFragments)))];
        } else {
            const int length = int(random.bounded(8));
            for (int i = 0; i < length; ++i) {
                // Mostly digits and hex-looking bytes, some of anything.
                const quint32 kind = random.bounded(3);
                buffer += kind == 0 ? char('0' + random.bounded(10)) : char(random.bounded(256));
            }
        }
    }
    return buffer;
}

bool sane(const RigReadings& before, const RigReadings& after)
{
    const bool frequency =
        after.RigFrequency == before.RigFrequency ||
        (std::isfinite(after.RigFrequency) && after.RigFrequency >= 0 && after.RigFrequency < 100000);
    static const QStringList modes{QStringLiteral("CW"), QStringLiteral("PH"), QStringLiteral("AM"),
                                   QStringLiteral("FM")};
    const bool mode = after.RigMode == before.RigMode || modes.contains(after.RigMode);
    const bool vfo = after.RigVfo == before.RigVfo || after.RigVfo <= 9;
    const bool digits = after.FrequencyDigits == before.FrequencyDigits || after.FrequencyDigits == 8 ||
                        after.FrequencyDigits == 9;
    return frequency && mode && vfo && digits;
}

} // namespace

class TestRigCodecs : public QObject {
    Q_OBJECT

private slots:
    void hexDigit();
    void bytesToHex();
    void hexToBytes_data();
    void hexToBytes();
    void hexSpacedToBytes_data();
    void hexSpacedToBytes();
    void hzToMhz_data();
    void hzToMhz();
    void decoders_data();
    void decoders();
    void ftdx9000DigitCount();
    void pegasusFile_data();
    void pegasusFile();
    void rigctldReplies_data();
    void rigctldReplies();
    void rigctldLongLinesAndPending();
    void randomBuffers_data();
    void randomBuffers();
};

void TestRigCodecs::hexDigit()
{
    QCOMPARE(*HexDigit(0), QLatin1Char('0'));
    QCOMPARE(*HexDigit(10), QLatin1Char('A'));
    QCOMPARE(*HexDigit(15), QLatin1Char('F'));
    QVERIFY(!HexDigit(16));
    QVERIFY(!HexDigit(-1));
}

void TestRigCodecs::bytesToHex()
{
    QCOMPARE(BytesToHex(QByteArray("\xFE\x01", 2)), QStringLiteral("FE01"));
    QCOMPARE(BytesToHexSpaced(QByteArray("\xFE\xFE", 2)), QStringLiteral("FE FE "));
    QCOMPARE(BytesToHex(QByteArray()), QString());
    // What BytesToHexSpaced writes reads back.
    const QByteArray all = [] {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes += char(i);
        return bytes;
    }();
    QCOMPARE(*HexSpacedToBytes(BytesToHexSpaced(all)), all);
    QCOMPARE(*HexToBytes(BytesToHex(all)), all);
}

void TestRigCodecs::hexToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("pairs") << "FE01" << true << QByteArray("\xFE\x01", 2);
    QTest::newRow("lower case") << "fe0a" << true << QByteArray("\xFE\x0A", 2);
    QTest::newRow("final single digit") << "ABC" << true << QByteArray("\xAB\x0C", 2);
    QTest::newRow("empty") << "" << true << QByteArray();
    // QString::toInt(16) would take each of these.
    QTest::newRow("blank in a pair") << " F" << false << QByteArray();
    QTest::newRow("sign") << "+1" << false << QByteArray();
    QTest::newRow("0x") << "0x10" << false << QByteArray();
    QTest::newRow("letter") << "FG" << false << QByteArray();
    QTest::newRow("bad final digit") << "FEG" << false << QByteArray();
}

void TestRigCodecs::hexToBytes()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(HexToBytes(text).has_value(), ok);
    QFETCH(QByteArray, bytes);
    if (ok)
        QCOMPARE(*HexToBytes(text), bytes);
}

void TestRigCodecs::hexSpacedToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Icom preset") << "FE FE 64 E0 03 FD" << true << QByteArray("\xFE\xFE\x64\xE0\x03\xFD", 6);
    QTest::newRow("closing blank") << "FE 01 " << true << QByteArray("\xFE\x01", 2);
    QTest::newRow("one pair") << "0d" << true << QByteArray("\x0D", 1);
    QTest::newRow("empty") << "" << true << QByteArray();
    QTest::newRow("cut pair") << "FE F" << false << QByteArray();
    QTest::newRow("comma separator") << "FE,01" << false << QByteArray();
    QTest::newRow("no separator") << "FEFE" << false << QByteArray();
    QTest::newRow("blank inside pair") << "F  01" << false << QByteArray();
    QTest::newRow("sign") << "+1 02" << false << QByteArray();
    QTest::newRow("two closing blanks") << "FE  " << false << QByteArray();
}

void TestRigCodecs::hexSpacedToBytes()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexSpacedToBytes(text).has_value(), ok);
    if (ok)
        QCOMPARE(*HexSpacedToBytes(text), bytes);
}

void TestRigCodecs::hzToMhz_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<float>("mhz"); // -1: no number
    QTest::newRow("11 digits") << QByteArray("00014025000") << 14.025f;
    QTest::newRow("rounded to 10 Hz") << QByteArray("00014025006") << 14.02501f;
    QTest::newRow("blank") << QByteArray("0001402 000") << -1.0f;
    QTest::newRow("sign") << QByteArray("+0014025000") << -1.0f;
    QTest::newRow("letter") << QByteArray("0001402X000") << -1.0f;
    QTest::newRow("empty") << QByteArray() << -1.0f;
    QTest::newRow("13 digits") << QByteArray("0000014025000") << -1.0f;
}

void TestRigCodecs::hzToMhz()
{
    QFETCH(QByteArray, digits);
    QFETCH(float, mhz);
    const std::optional<float> value = velm::hzToMhz(digits);
    if (mhz < 0)
        QVERIFY(!value);
    else
        QCOMPARE(*value, mhz);
}

void TestRigCodecs::decoders_data()
{
    QTest::addColumn<QString>("decoder");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<float>("frequency"); // 12.345: unchanged
    QTest::addColumn<QString>("mode");    // "XX": unchanged
    QTest::addColumn<int>("vfo");         // 10: unchanged

    const auto row = [](const char* name, const char* decoder, const QByteArray& reply, float frequency,
                        const char* mode, int vfo = 10) {
        QTest::newRow(name) << QString::fromLatin1(decoder) << reply << frequency << QString::fromLatin1(mode)
                            << vfo;
    };
    const float same = 12.345f;
    const QByteArray ifCw = "IF00014025000     +000000000030000000;";
    // Kenwood / Elecraft.
    row("Kenwood FA and MD3", "Kenwood", "FA00007025000;MD3;", 7.025f, "CW");
    row("Kenwood MD2 alone", "Kenwood", "MD2;", same, "PH");
    row("Kenwood CW-R is CW", "Kenwood", "MD7;", same, "CW");
    row("Kenwood garbled digits", "Kenwood", "FA0001402X000;", same, "XX");
    row("Kenwood cut FA", "Kenwood", "FA000140250", same, "XX");
    row("Kenwood FA without its ;", "Kenwood", "FA00014025000MD", same, "XX");
    row("Kenwood busy", "Kenwood", "?;", same, "XX");
    row("Kenwood cut MD", "Kenwood", "MD", same, "XX");
    row("Kenwood MD without a digit", "Kenwood", "MD;", same, "XX");
    // Kenwood 2.
    row("IF CW on VFO A", "KenwoodIF", ifCw, 14.025f, "CW", 0);
    row("IF CW on VFO B", "KenwoodIF", "IF00007025000     +000000000031000000;", 7.025f, "CW", 1);
    row("IF CW-R", "KenwoodIF", "IF00014025000     +000000000070000000;", 14.025f, "CW", 0);
    row("IF USB", "KenwoodIF", "IF00014250000     +000000000020000000;", 14.25f, "PH", 0);
    row("IF cut before the mode", "KenwoodIF", ifCw.left(25), 14.025f, "XX", 10);
    row("IF cut before the VFO", "KenwoodIF", ifCw.left(30), 14.025f, "CW", 10);
    row("IF garbled frequency", "KenwoodIF", "IF0001402X000     +000000000030000000;", same, "CW", 0);
    // Icom CI-V: the request's echo, then the answer.
    row("Icom echo and answer", "Icom", hex("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 00 FD"), 14.025f,
        "XX");
    row("Icom transceive broadcast", "Icom", hex("FE FE 00 64 00 00 50 02 14 00 FD"), same, "XX");
    row("Icom cut frame", "Icom", hex("FE FE E0 64 03 00 50 02"), same, "XX");
    row("Icom frame short of FD", "Icom", hex("FE FE E0 64 03 00 50 02 14 00"), same, "XX");
    row("Icom 4 data bytes", "Icom", hex("FE FE E0 64 03 00 50 02 14 FD"), same, "XX");
    row("Icom not BCD", "Icom", hex("FE FE E0 64 03 00 5A 02 14 00 FD"), same, "XX");
    row("Icom collision then answer", "Icom", hex("FE FE E0 FC FC FD FE FE E0 64 03 00 50 02 14 00 FD"),
        14.025f, "XX");
    row("Icom cut frame then answer", "Icom", hex("FE FE E0 64 03 00 50 FE FE E0 64 03 00 50 02 14 00 FD"),
        14.025f, "XX");
    row("Icom NG", "Icom", hex("FE FE E0 64 FA FD"), same, "XX");
    row("Icom 1296 MHz", "Icom", hex("FE FE E0 64 03 00 00 10 96 12 FD"), 1296.1f, "XX");
    row("Icom 735 four bytes", "Icom735", hex("FE FE E0 04 03 00 50 02 14 FD"), 14.025f, "XX");
    row("Icom 735 five bytes", "Icom735", hex("FE FE E0 04 03 00 50 02 14 00 FD"), same, "XX");
    row("Icom mode CW", "IcomMode", hex("FE FE 64 E0 04 FD FE FE E0 64 04 03 02 FD"), same, "CW");
    row("Icom mode CW-R is CW", "IcomMode", hex("FE FE E0 64 04 07 01 FD"), same, "CW");
    row("Icom mode USB", "IcomMode", hex("FE FE E0 64 04 01 02 FD"), same, "PH");
    row("Icom mode without filter", "IcomMode", hex("FE FE E0 64 04 00 FD"), same, "PH");
    row("Icom mode echo only", "IcomMode", hex("FE FE 64 E0 04 FD"), same, "XX");
    // Yaesu BCD.
    row("Yaesu 14.025 CW", "YaesuBcd", hex("01 40 25 00 02"), 14.025f, "CW");
    row("Yaesu mode 0A", "YaesuBcd", hex("01 40 25 00 0A"), same, "XX");
    row("Yaesu below 1 MHz", "YaesuBcd", hex("00 05 30 00 01"), 0.53f, "PH");
    row("Yaesu mode 88", "YaesuBcd", hex("14 40 00 00 88"), 144.0f, "PH");
    row("Yaesu four bytes", "YaesuBcd", hex("01 40 25 00"), same, "XX");
    row("Yaesu not BCD", "YaesuBcd", hex("01 4A 25 00 02"), same, "XX");
    // FT-757GX II: frequency at bytes 6-9 little-endian BCD, mode at byte 10.
    row("757 AM", "757Status", hex("00 00 00 00 00 00 25 40 01 04 00"), 14.025f, "AM");
    row("757 CW", "757Status", hex("00 00 00 00 00 00 25 70 00 02"), 7.025f, "CW");
    row("757 cut at 9 bytes", "757Status", hex("00 00 00 00 00 00 25 40 01"), same, "XX");
    // Status records: 1,402,500 steps of 10 Hz are 15 66 84.
    row("890", "YaesuStatus890", hex("00 00 15 66 84 00 00 02 00"), 14.025f, "CW");
    row("890 cut at 7 bytes", "YaesuStatus890", hex("00 00 15 66 84 00 00"), same, "XX");
    row("990", "YaesuStatus990", hex("00 15 66 84 00 00 00 01"), 14.025f, "PH");
    row("1000 D", "YaesuStatus1000D", hex("00 15 66 84 00 00 00 02"), 14.025f, "CW");
    row("1000 mode digit 9", "YaesuStatus1000", hex("00 01 56 68 40 00 00 09"), 14.025f, "XX");
    row("920 CW", "YaesuStatus920", hex("00 00 D6 01 28 00 00 41"), 14.025f, "CW");
    row("920 USB", "YaesuStatus920", hex("00 00 D6 01 28 00 00 40"), 14.025f, "PH");
    // FTdx9000.
    row("FTdx9000 8 digits", "FTdx9000", "FA14025000;", 14.025f, "XX");
    row("FTdx9000 9 digits", "FTdx9000", "FA014025000;MD03;", 14.025f, "CW");
    row("FTdx9000 CW-R", "FTdx9000", "MD07;", same, "CW");
    row("FTdx9000 USB", "FTdx9000", "MD02;", same, "PH");
    row("FTdx9000 cut MD0", "FTdx9000", "MD0", same, "XX");
    row("FTdx9000 7 digits", "FTdx9000", "FA1402500;", same, "XX");
    row("FTdx9000 cut FA", "FTdx9000", "FA01402500", same, "XX");
    row("FTdx9000 garbled FA", "FTdx9000", "FA0140X5000;", same, "XX");
    // Ten-Tec front panel: A + 4 bytes of hertz; M + mode characters.
    row("front panel 14.025", "FrontPanelFrequency", QByteArray("A\x00\xD6\x01\x28\r", 6), 14.025f, "XX");
    row("front panel cut", "FrontPanelFrequency", QByteArray("A\x00\xD6\x01", 4), same, "XX");
    row("front panel not A", "FrontPanelFrequency", QByteArray("Z\x00\xD6\x01\x28\r", 6), same, "XX");
    row("front panel CW", "FrontPanelMode", "M33\r", same, "CW");
    row("front panel USB", "FrontPanelMode", "M11\r", same, "PH");
    row("front panel not M", "FrontPanelMode", "A33\r", same, "XX");
    // Orion.
    row("Orion frequency", "OrionFrequency", "@AF14025000\r", 14.025f, "XX");
    row("Orion frequency without CR", "OrionFrequency", "@AF14025000", same, "XX");
    row("Orion MHz text", "OrionFrequency", "@AF14.025\r", same, "XX");
    row("Orion CW", "OrionMode", "@RMM2\r", same, "CW");
    row("Orion CW-R", "OrionMode", "@RMM3\r", same, "CW");
    row("Orion USB", "OrionMode", "@RMM0\r", same, "PH");
    row("Orion cut RMM", "OrionMode", "@RMM", same, "XX");
}

void TestRigCodecs::decoders()
{
    QFETCH(QString, decoder);
    QFETCH(QByteArray, reply);
    QFETCH(float, frequency);
    QFETCH(QString, mode);
    QFETCH(int, vfo);
    RigReadings readings = sentinel();
    if (decoder == QLatin1String("Kenwood")) {
        DecodeKenwoodFrequency(reply, kFa, readings);
        DecodeKenwoodMode(reply, readings);
    } else if (decoder == QLatin1String("KenwoodIF")) {
        DecodeKenwoodIF(reply, readings);
    } else if (decoder == QLatin1String("Icom") || decoder == QLatin1String("Icom735")) {
        DecodeIcomFrequency(reply, decoder == QLatin1String("Icom735"), readings);
    } else if (decoder == QLatin1String("IcomMode")) {
        DecodeIcomMode(reply, readings);
    } else if (decoder == QLatin1String("YaesuBcd")) {
        DecodeYaesuBcd(reply, readings);
    } else if (decoder == QLatin1String("757Status")) {
        Decode757Status(reply, readings);
    } else if (decoder.startsWith(QLatin1String("YaesuStatus"))) {
        const QString model =
            decoder.mid(11) == QLatin1String("1000D") ? QStringLiteral("1000 D") : decoder.mid(11);
        DecodeYaesuStatus(reply, QStringLiteral("Yaesu ") + model, readings);
    } else if (decoder == QLatin1String("FTdx9000")) {
        DecodeFTdx9000(reply, kFa, kMd0, readings);
    } else if (decoder == QLatin1String("FrontPanelFrequency")) {
        DecodeFrontPanelFrequency(reply, readings);
    } else if (decoder == QLatin1String("FrontPanelMode")) {
        DecodeFrontPanelMode(reply, readings);
    } else if (decoder == QLatin1String("OrionFrequency")) {
        DecodeOrionFrequency(reply, readings);
    } else if (decoder == QLatin1String("OrionMode")) {
        DecodeOrionMode(reply, readings);
    } else {
        QFAIL("unknown decoder");
    }
    QCOMPARE(readings.RigFrequency, frequency);
    QCOMPARE(readings.RigMode, mode);
    QCOMPARE(int(readings.RigVfo), vfo);
}

void TestRigCodecs::ftdx9000DigitCount()
{
    RigReadings readings;
    DecodeFTdx9000("FA014025000;", kFa, kMd0, readings);
    QCOMPARE(readings.FrequencyDigits, 9);
    DecodeFTdx9000("FA14025000;", kFa, kMd0, readings);
    QCOMPARE(readings.FrequencyDigits, 8);
    // A query too short for a prefix decodes nothing.
    readings = sentinel();
    DecodeFTdx9000("FA014025000;MD03;", QStringLiteral("F"), QStringLiteral("MD"), readings);
    QCOMPARE(readings.RigFrequency, 12.345f);
    QCOMPARE(readings.RigMode, QStringLiteral("XX"));
}

void TestRigCodecs::pegasusFile_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<float>("frequency");
    QTest::addColumn<QString>("mode");
    const float same = 12.345f;
    QTest::newRow("USB is PH") << QByteArray("7.04,\"USB\"\r\n") << 7.04f << "PH";
    QTest::newRow("CW") << QByteArray("14.025,\"CW\"\r\n") << 14.025f << "CW";
    QTest::newRow("values on two lines") << QByteArray("14.025\r\n\"CW\"\r\n") << 14.025f << "CW";
    QTest::newRow("no file") << QByteArray("-") << same << "XX";
    QTest::newRow("frequency only") << QByteArray("7.04\r\n") << 7.04f << "XX";
    QTest::newRow("number cut at the end") << QByteArray("7.0") << same << "XX";
    // A line cut inside a quoted text is no line: nothing on it counts.
    QTest::newRow("mode cut open") << QByteArray("7.04,\"US") << same << "XX";
    QTest::newRow("not a number") << QByteArray("abc,\"CW\"\r\n") << same << "XX";
    QTest::newRow("zero") << QByteArray("0,\"CW\"\r\n") << same << "XX";
    QTest::newRow("negative") << QByteArray("-7,\"CW\"\r\n") << same << "XX";
    QTest::newRow("too large") << QByteArray(5000, '1') << same << "XX";
}

void TestRigCodecs::pegasusFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    if (content != "-") {
        QFile file(dir.filePath(QStringLiteral("pegasus.out"))); // found whatever the letter case
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QFETCH(float, frequency);
    QFETCH(QString, mode);
    RigReadings readings = sentinel();
    ReadPegasusFile(dir.path(), readings);
    QCOMPARE(readings.RigFrequency, frequency);
    QCOMPARE(readings.RigMode, mode);
}

void TestRigCodecs::rigctldReplies_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<float>("frequency");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("pending"); // after expecting 2
    const float same = 12.345f;
    const QByteArray both =
        "get_freq:\nFrequency: 145000000\nRPRT 0\nget_mode:\nMode: FM\nPassband: 15000\nRPRT 0\n";
    QTest::newRow("both answers") << QList<QByteArray>{both} << 145.0f << "PH" << 0;
    QTest::newRow("split anywhere") << QList<QByteArray>{both.left(7), both.mid(7, 20), both.mid(27)}
                                    << 145.0f << "PH" << 0;
    QTest::newRow("CWR") << QList<QByteArray>{"get_mode:\nMode: CWR\nPassband: 500\nRPRT 0\n"} << same << "CW"
                         << 1;
    QTest::newRow("other mode leaves it")
        << QList<QByteArray>{"get_mode:\nMode: PKTUSB\nPassband: 500\nRPRT 0\n"} << same << "XX" << 1;
    QTest::newRow("negative report") << QList<QByteArray>{"get_freq:\nFrequency: 7040000\nRPRT -1\n"} << same
                                     << "XX" << 1;
    QTest::newRow("missing report") << QList<QByteArray>{"get_freq:\nFrequency: 7040000\n"} << same << "XX"
                                    << 2;
    QTest::newRow("junk inside a block")
        << QList<QByteArray>{"get_freq:\nFM\nFrequency: 7040000\nRPRT 0\n"} << same << "XX" << 1;
    QTest::newRow("resynchronised after junk")
        << QList<QByteArray>{"15000\nRPRT -1\nget_freq:\nFrequency: 7040000\nRPRT 0\n"} << 7.04f << "XX" << 0;
    QTest::newRow("set echo passes") << QList<QByteArray>{"set_freq: 7040000\nRPRT 0\nget_freq:\nFrequency: "
                                                          "7040000\nRPRT 0\n"}
                                     << 7.04f << "XX" << 0;
    QTest::newRow("fraction of a hertz")
        << QList<QByteArray>{"get_freq:\nFrequency: 7040000.000000\nRPRT 0\n"} << 7.04f << "XX" << 1;
    QTest::newRow("not a frequency") << QList<QByteArray>{"get_freq:\nFrequency: -5\nRPRT 0\n"} << same
                                     << "XX" << 1;
    QTest::newRow("zero hertz") << QList<QByteArray>{"get_freq:\nFrequency: 0\nRPRT 0\n"} << same << "XX"
                                << 1;
}

void TestRigCodecs::rigctldReplies()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(float, frequency);
    QFETCH(QString, mode);
    QFETCH(int, pending);
    RigReadings readings = sentinel();
    RigctldReplies replies;
    replies.expect(2);
    for (const QByteArray& read : reads)
        replies.feed(read, readings);
    QCOMPARE(readings.RigFrequency, frequency);
    QCOMPARE(readings.RigMode, mode);
    QCOMPARE(replies.pending(), pending);
}

void TestRigCodecs::rigctldLongLinesAndPending()
{
    RigReadings readings = sentinel();
    RigctldReplies replies;
    // A line over 4 KiB is skipped to its end, arriving in pieces or whole; the stream goes on after it.
    replies.feed("get_freq:\nFrequency: ", readings);
    replies.feed(QByteArray(3000, '1'), readings);
    replies.feed(QByteArray(3000, '1'), readings);
    replies.feed("\nRPRT 0\nget_freq:\nFrequency: 7040000\nRPRT 0\n", readings);
    QCOMPARE(readings.RigFrequency, 7.04f);
    // Replies that never come are given up after a few quiet ticks.
    replies.expect(2);
    for (int i = 0; i < RigctldReplies::kTicksBeforeGivingUp - 1; ++i)
        replies.tickPassed();
    QCOMPARE(replies.pending(), 2);
    replies.tickPassed();
    QCOMPARE(replies.pending(), 0);
    QCOMPARE(rigctld::parseAddress(QStringLiteral(" 127.0.0.1:4532 "))->port, quint16(4532));
    QCOMPARE(rigctld::parseAddress(QStringLiteral("[::1]:4533"))->host, QStringLiteral("::1"));
    for (const char* bad :
         {"127.0.0.1", "127.0.0.1:0", "127.0.0.1:65536", "host:+1", ":4532", "a b:1", "::1:4532"})
        QVERIFY2(!rigctld::parseAddress(QString::fromLatin1(bad)), bad);
}

void TestRigCodecs::randomBuffers_data()
{
    QTest::addColumn<int>("index");
    const QList<NamedDecoder> all = allDecoders();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(all[i].name) << i;
}

void TestRigCodecs::randomBuffers()
{
    QFETCH(int, index);
    const NamedDecoder decoder = allDecoders().at(index);
    QRandomGenerator random(quint32(20240 + index));
    RigReadings readings = sentinel();
    for (int i = 0; i < 100000; ++i) {
        const QByteArray buffer = randomBuffer(random);
        const RigReadings before = readings;
        decoder.decode(buffer, readings);
        if (!sane(before, readings))
            QFAIL(qPrintable(QStringLiteral("buffer %1 (%2) gave %3 %4")
                                 .arg(i)
                                 .arg(BytesToHexSpaced(buffer))
                                 .arg(double(readings.RigFrequency))
                                 .arg(readings.RigMode)));
    }
}

QTEST_GUILESS_MAIN(TestRigCodecs)
#include "tst_rigcodecs.moc"
