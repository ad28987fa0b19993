// Tests of the polling tables: the request of every rig type with its preset strings, the alternation, the
// length tests, invalid hex, and the mode from the frequency.

#include "rig/RigChoices.h"
#include "rig/RigPoller.h"
#include "rig/RigTypes.h"

#include <QtTest>

using namespace velm;

Q_DECLARE_METATYPE(velm::PollRequest::Outcome)

namespace {

RigSettings preset(const QString& rigType)
{
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    applyRigPreset(settings, choices, rigType);
    return settings;
}

QByteArray bytes(const char* hex)
{
    QByteArray out;
    for (const QByteArray& pair : QByteArray(hex).split(' '))
        out += char(pair.toInt(nullptr, 16));
    return out;
}

} // namespace

class TestRigPoller : public QObject {
    Q_OBJECT

private slots:
    void presetRequests_data();
    void presetRequests();
    void shortQueries_data();
    void shortQueries();
    void badHexKeepsTheRequest_data();
    void badHexKeepsTheRequest();
    void otherSendsAsTyped();
    void modeFromFrequency_data();
    void modeFromFrequency();
    void decodeFollowsTheRequestAsked();
};

void TestRigPoller::presetRequests_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("Kenwood") << "Kenwood" << QByteArray("FA;MD;") << QByteArray("FA;MD;");
    QTest::newRow("Elecraft") << "Elecraft" << QByteArray("FA;MD;") << QByteArray("FA;MD;");
    QTest::newRow("Kenwood 2") << "Kenwood 2" << QByteArray("IF;") << QByteArray("IF;");
    QTest::newRow("Icom") << "Icom" << bytes("FE FE 64 E0 03 FD") << bytes("FE FE 64 E0 04 FD");
    QTest::newRow("Icom 735") << "Icom 735" << bytes("FE FE 64 E0 03 FD") << bytes("FE FE 64 E0 04 FD");
    QTest::newRow("Omni VI") << "Ten Tec Omni VI" << bytes("FE FE 04 E0 03 FD") << bytes("FE FE 04 E0 04 FD");
    QTest::newRow("Yaesu") << "Yaesu" << bytes("00 00 00 00 03") << bytes("00 00 00 00 03");
    QTest::newRow("757") << "Yaesu 757 GX II" << bytes("00 00 00 00 10") << bytes("00 00 00 00 10");
    QTest::newRow("990") << "Yaesu 990" << bytes("00 00 00 02 10") << bytes("00 00 00 02 10");
    QTest::newRow("FTdx9000") << "Yaesu FTdx9000" << QByteArray("FA;") << QByteArray("MD0;");
    QTest::newRow("front panel") << "Ten Tec Fnt Pnl" << bytes("3F 41 0D") << bytes("3F 4D 0D");
    QTest::newRow("Orion") << "Ten Tec Orion" << QByteArray("?AF\r?RMM\r") << QByteArray("?AF\r?RMM\r");
    QTest::newRow("rigctld") << "Hamlib NET rigctl" << QByteArray("+\\get_freq\n+\\get_mode\n")
                             << QByteArray("+\\get_freq\n+\\get_mode\n");
    QTest::newRow("Pegasus") << "Ten Tec Pegasus" << QByteArray() << QByteArray();
    QTest::newRow("None") << "None" << QByteArray() << QByteArray();
    QTest::newRow("a type not in the list") << "Kenwood 3" << QByteArray() << QByteArray();
}

void TestRigPoller::presetRequests()
{
    QFETCH(QString, rigType);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    RigSettings settings = preset(rigType);
    if (!isRigType(rigType)) {
        settings = preset(QStringLiteral("Kenwood"));
        settings.RigType = rigType;
    }
    RigPoller poller;
    QCOMPARE(poller.request(settings, false).bytes, first);
    QCOMPARE(poller.request(settings, false).bytes, second);
    QCOMPARE(poller.request(settings, false).bytes, first);
}

void TestRigPoller::shortQueries_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QString>("frequencyQuery");
    QTest::addColumn<QString>("modeQuery");
    QTest::addColumn<QList<QByteArray>>("cycle");
    // Icom with no mode string asks only the frequency: every second cycle is silent.
    QTest::newRow("Icom, no mode string")
        << "Icom"
        << "FE FE 64 E0 03 FD"
        << "" << QList<QByteArray>{bytes("FE FE 64 E0 03 FD"), {}, bytes("FE FE 64 E0 03 FD")};
    QTest::newRow("Icom, 16 characters")
        << "Icom"
        << "FE FE 64 E0 03 F"
        << "FE FE 64 E0 04 FD" << QList<QByteArray>{{}, bytes("FE FE 64 E0 04 FD"), {}};
    // More pairs than six are ignored.
    QTest::newRow("Icom, seven pairs") << "Icom"
                                       << "FE FE 64 E0 03 FD 00"
                                       << "" << QList<QByteArray>{bytes("FE FE 64 E0 03 FD"), {}};
    QTest::newRow("Yaesu, 13 characters") << "Yaesu"
                                          << "00 00 00 00 0"
                                          << "" << QList<QByteArray>{{}, {}};
    QTest::newRow("FTdx9000, one character") << "Yaesu FTdx9000"
                                             << "F"
                                             << "MD0;" << QList<QByteArray>{{}, QByteArray("MD0;"), {}};
    QTest::newRow("front panel, 6 characters") << "Ten Tec Fnt Pnl"
                                               << "3F 41 "
                                               << "3F 4D 0D" << QList<QByteArray>{{}, bytes("3F 4D 0D")};
    QTest::newRow("Kenwood, mode only") << "Kenwood"
                                        << ""
                                        << "MD;" << QList<QByteArray>{QByteArray("MD;")};
    QTest::newRow("Orion, frequency only") << "Ten Tec Orion"
                                           << "?AF"
                                           << "" << QList<QByteArray>{QByteArray("?AF\r")};
}

void TestRigPoller::shortQueries()
{
    QFETCH(QString, rigType);
    QFETCH(QString, frequencyQuery);
    QFETCH(QString, modeQuery);
    QFETCH(QList<QByteArray>, cycle);
    RigSettings settings = preset(rigType);
    settings.FrequencyQuery = frequencyQuery;
    settings.ModeQuery = modeQuery;
    RigPoller poller;
    for (const QByteArray& expected : cycle) {
        const PollRequest request = poller.request(settings, false);
        QCOMPARE(request.bytes, expected);
        QCOMPARE(request.outcome,
                 expected.isEmpty() ? PollRequest::Outcome::Nothing : PollRequest::Outcome::Send);
    }
}

void TestRigPoller::badHexKeepsTheRequest_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QString>("frequencyQuery");
    QTest::newRow("Icom") << "Icom"
                          << "FE FE 64 E0 0G FD";
    QTest::newRow("Icom, sign") << "Icom"
                                << "FE FE +4 E0 03 FD";
    QTest::newRow("Yaesu") << "Yaesu 990"
                           << "00 00 00 02 1X";
    QTest::newRow("front panel, commas") << "Ten Tec Fnt Pnl"
                                         << "3F,41,0D";
    QTest::newRow("Other") << "Other"
                           << "FE F";
}

void TestRigPoller::badHexKeepsTheRequest()
{
    QFETCH(QString, rigType);
    QFETCH(QString, frequencyQuery);
    RigSettings settings = preset(rigType);
    settings.FrequencyQuery = frequencyQuery;
    RigPoller poller;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(poller.request(settings, true).outcome, PollRequest::Outcome::BadHex);
        QCOMPARE(int(poller.NextRequest), 0); // the frequency is asked again
    }
}

void TestRigPoller::otherSendsAsTyped()
{
    RigSettings settings = preset(rigtype::Other);
    settings.FrequencyQuery = QStringLiteral("FE 01");
    settings.ModeQuery = QStringLiteral("0D");
    RigPoller poller;
    QCOMPARE(poller.request(settings, true).bytes, QByteArray("\xFE\x01\x0D", 3));
    QCOMPARE(poller.request(settings, false).bytes, QByteArray("FE 010D"));
    settings.FrequencyQuery.clear();
    QCOMPARE(poller.request(settings, true).bytes, QByteArray("\x0D", 1));
}

void TestRigPoller::modeFromFrequency_data()
{
    QTest::addColumn<float>("frequency");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<QString>("mode");
    QTest::newRow("40 m CW") << 7.02f << "PH"
                             << "CW";
    QTest::newRow("40 m phone") << 7.2f << "CW"
                                << "PH";
    QTest::newRow("14.150 is no segment's") << 14.15f << "CW"
                                            << "CW";
    QTest::newRow("14.1501") << 14.1501f << "CW"
                             << "PH";
    QTest::newRow("160 m keeps the radio's") << 1.83f << "PH"
                                             << "PH";
    QTest::newRow("30 m") << 10.12f << "PH"
                          << "CW";
    QTest::newRow("2 m phone") << 145.0f << "CW"
                               << "PH";
    QTest::newRow("outside all") << 440.0f << "AM"
                                 << "AM";
}

void TestRigPoller::modeFromFrequency()
{
    QFETCH(float, frequency);
    QFETCH(QString, decoded);
    QFETCH(QString, mode);
    RigPoller poller;
    poller.RigFrequency = frequency;
    poller.RigMode = decoded;
    poller.ModeFromFrequency();
    QCOMPARE(poller.RigMode, mode);
}

void TestRigPoller::decodeFollowsTheRequestAsked()
{
    // After the frequency request NextRequest is 1: the read tick decodes a frequency, and a mode answer
    // arriving then is not taken for one.
    RigSettings settings = preset(rigtype::Icom);
    RigPoller poller;
    poller.request(settings, true);
    poller.ReplyBuffer = bytes("FE FE E0 64 03 00 50 02 14 00 FD FE FE E0 64 04 03 02 FD");
    poller.decode(settings, {});
    QCOMPARE(poller.RigFrequency, 14.025f);
    QVERIFY(poller.RigMode.isEmpty());
    poller.request(settings, true);
    poller.decode(settings, {});
    QCOMPARE(poller.RigMode, QStringLiteral("CW"));
}

QTEST_GUILESS_MAIN(TestRigPoller)
#include "tst_rigpoller.moc"
