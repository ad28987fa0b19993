// Tests of the rig link on a fake serial line and a fake rigctld connection: start-up, the port's lines,
// handshaking and bytes on open and close, the polling cycle and what the session follows, lost ports.

#include "RigHarness.h"

#include "platform/SerialPortTable.h"
#include "rig/PegasusFiles.h"
#include "rig/RigctldReplies.h"

#include <QSignalSpy>

using namespace velm;
using namespace velm::test;

Q_DECLARE_METATYPE(velm::RigFailure)

namespace {

QByteArray hexBytes(const char* hex)
{
    QByteArray out;
    for (const QByteArray& pair : QByteArray(hex).split(' '))
        out += char(pair.toInt(nullptr, 16));
    return out;
}

const QByteArray kYaesuOpen(5, '\0');
const QByteArray kYaesuClose = QByteArray(4, '\0') + char(0x80);

} // namespace

class TestRig : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<RigFailure>(); }
    void startUpWithoutARigOpensNothing();
    void startUpUsesThePreferencesTypeWhenTheFileIsMissing();
    void openLinesHandshakeAndBytes_data();
    void openLinesHandshakeAndBytes();
    void handshakeIsSetOnEveryOpen();
    void yaesuCloseBytesOnEveryClose();
    void openFailureIsReportedAndNothingPolls();
    void pollIntervals();
    void kenwoodCycleFollowedByTheSession();
    void fullOutputQueueSendsNothing();
    void badHexKeepsAwaitingReplyFalse();
    void staleInputDroppedBeforeEachRequest();
    void inputWaitsForTheReadTick();
    void portLostEndsTheTestOnce();
    void noFrequencyNoFrequencyText_data();
    void noFrequencyNoFrequencyText();
    void useFrequencyUnchecked();
    void frequencyOutsideTheBands();
    void modeBy();
    void yaesu757AmShownButNotSelected();
    void otherOnlyShowsTheReply();
    void unknownTypeOpensButSendsNothing();
    void pegasusReadsTheFilesWithoutAPort();
    void unchangedBandWritesNothing();
    void doneSavesBothFiles();
    void rigctldPolls();
    void rigctldFailures();
    void unprocessedText();
};

void TestRig::startUpWithoutARigOpensNothing()
{
    RigHarness h;
    h.writeRigFile(QStringLiteral("Kenwood"));
    QVERIFY(h.rig().startUp().isEmpty());
    QVERIFY(!h.line());
    QVERIFY(!h.rig().polling());
    QCOMPARE(h.rig().RigType(), QStringLiteral("None"));
}

void TestRig::startUpUsesThePreferencesTypeWhenTheFileIsMissing()
{
    RigHarness h("Kenwood");
    QVERIFY(h.rig().startUp().isEmpty());
    QCOMPARE(h.rig().RigType(), QStringLiteral("Kenwood"));
    // The design defaults: port 1 (its default device), 56000,N,8,1, "500 ms".
    QVERIFY(h.line() && h.line()->isOpen());
    QCOMPARE(h.line()->path, SerialPortTable::defaultDevicePath(1));
    QCOMPARE(h.rig().settings().CommSettings, QStringLiteral("56000,N,8,1"));
    QCOMPARE(h.line()->settings.baudRate, 56000);
    QVERIFY(h.rig().polling());
    QCOMPARE(h.rig().pollInterval(), 250);
    // One tick ran at once: the send tick, with the (empty) query strings of a missing file.
    QVERIFY(h.rig().poller().AwaitingReply);
    QCOMPARE(h.rig().readouts().frequency, Rig::NoResponse);
}

void TestRig::openLinesHandshakeAndBytes_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QString>("power");
    QTest::addColumn<bool>("rts");
    QTest::addColumn<bool>("dtr");
    QTest::addColumn<bool>("rtsCts");
    QTest::addColumn<QByteArray>("opening");
    QTest::newRow("Kenwood, no power") << "Kenwood"
                                       << "N" << false << false << false << QByteArray();
    QTest::newRow("Icom, RTS power") << "Icom"
                                     << "R" << true << false << false << QByteArray();
    QTest::newRow("Kenwood 2, DTR power") << "Kenwood 2"
                                          << "D" << false << true << false << QByteArray();
    QTest::newRow("Orion") << "Ten Tec Orion"
                           << "N" << false << false << true << QByteArray("X\r");
    QTest::newRow("front panel") << "Ten Tec Fnt Pnl"
                                 << "N" << false << false << true << QByteArray();
    QTest::newRow("Yaesu") << "Yaesu"
                           << "N" << false << false << false << kYaesuOpen;
    QTest::newRow("Yaesu 1000") << "Yaesu 1000"
                                << "R" << true << false << false << kYaesuOpen;
    QTest::newRow("FTdx9000") << "Yaesu FTdx9000"
                              << "N" << false << false << false << QByteArray();
}

void TestRig::openLinesHandshakeAndBytes()
{
    QFETCH(QString, rigType);
    QFETCH(QString, power);
    QFETCH(bool, rts);
    QFETCH(bool, dtr);
    QFETCH(bool, rtsCts);
    QFETCH(QByteArray, opening);
    RigHarness h(rigType.toLatin1());
    h.writeRigFile(rigType, QStringLiteral("M"), power);
    h.rig().startUp();
    FakeSerialLine* line = h.line();
    QVERIFY(line && line->isOpen());
    QCOMPARE(line->rts, rts);
    QCOMPARE(line->dtr, dtr);
    // The line was opened with both lines off (the fake, like the real one, drops them in the open); only the
    // chosen power line went up after it.
    QVERIFY(line->lineChanges.size() <= 1);
    QCOMPARE(line->handshake, rtsCts ? Handshake::RtsCts : Handshake::None);
    QVERIFY(line->written().startsWith(opening));
    QCOMPARE(line->emergencyBytes, sendsYaesuOpenClose(rigType) ? kYaesuClose : QByteArray());
    // A pseudo-terminal has no lines to raise: no failure.
    line->modemLines = false;
    h.rig().StartTest();
    QVERIFY(line->isOpen());
    QVERIFY(h.rig().polling());
}

void TestRig::handshakeIsSetOnEveryOpen()
{
    RigHarness h("Ten Tec Orion");
    h.writeRigFile(QStringLiteral("Ten Tec Orion"));
    h.rig().startUp();
    QCOMPARE(h.line()->handshake, Handshake::RtsCts);
    h.rig().ApplyRigPreset(QStringLiteral("Kenwood"));
    h.rig().StartTest();
    QCOMPARE(h.line()->handshake, Handshake::None);
}

void TestRig::yaesuCloseBytesOnEveryClose()
{
    RigHarness h("Yaesu 990");
    h.writeRigFile(QStringLiteral("Yaesu 990"));
    h.rig().startUp();
    FakeSerialLine* line = h.line();
    QVERIFY(line->written().startsWith(kYaesuOpen));
    const auto closedWithBytes = [line](int closes) {
        return line->closeCount == closes && line->written().endsWith(kYaesuClose) &&
               line->drainCount >= closes;
    };
    h.rig().EndTest();
    QVERIFY(closedWithBytes(1));
    // "Test" again opens (open bytes); "Test" once more closes the open port first, with the close bytes.
    line->clearWrites();
    h.rig().StartTest();
    h.rig().StartTest();
    QCOMPARE(line->closeCount, 2);
    const QByteArray written = line->written();
    QCOMPARE(written.count(kYaesuClose), 1);
    QVERIFY(written.indexOf(kYaesuClose) > written.indexOf(kYaesuOpen));
    h.rig().shutdown();
    QVERIFY(closedWithBytes(3));
    // A type without the bytes closes without them.
    RigHarness k("Yaesu FTdx9000");
    k.writeRigFile(QStringLiteral("Yaesu FTdx9000"));
    k.rig().startUp();
    k.rig().EndTest();
    QVERIFY(!k.line()->written().contains(kYaesuClose));
    QCOMPARE(k.line()->drainCount, 1);
}

void TestRig::openFailureIsReportedAndNothingPolls()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    QSignalSpy failures(&h.rig(), &Rig::failure);
    h.rig().startUp();
    h.rig().EndTest();
    h.line()->failNextOpen(SerialError::NotFound, QStringLiteral("No such file or directory"));
    h.rig().StartTest();
    QVERIFY(!h.rig().polling());
    QVERIFY(!h.line()->isOpen());
    QCOMPARE(failures.size(), 1);
    const auto failure = failures.at(0).at(0).value<RigFailure>();
    QCOMPARE(failure.kind, RigFailure::Kind::OpenFailed);
    QCOMPARE(failure.text, Rig::InvalidCommText);
    QVERIFY2(failure.details.contains(SerialPortTable::defaultDevicePath(1)), qPrintable(failure.details));
    QVERIFY(failure.details.contains(QStringLiteral("No such file")));

    // Line settings no port takes (9 data bits from a hand-edited file) are refused before any open.
    RigHarness bad("Kenwood");
    RigSettings settings;
    RigChoices choices = designDefaultChoices();
    applyRigPreset(settings, choices, QStringLiteral("Kenwood"));
    takeChoices(settings, choices);
    settings.DataBits = QStringLiteral("9");
    bad.write("RigCntrl.txt", rigSettingsBytes(settings));
    QSignalSpy badFailures(&bad.rig(), &Rig::failure);
    bad.rig().startUp();
    QCOMPARE(bad.rig().settings().CommSettings, QStringLiteral("4800,N,9,2"));
    QCOMPARE(badFailures.size(), 1);
    QVERIFY(badFailures.at(0).at(0).value<RigFailure>().details.contains(QStringLiteral("4800,N,9,2")));
    QCOMPARE(bad.line()->openCount, 0);
    QVERIFY(!bad.rig().polling());
}

void TestRig::pollIntervals()
{
    QCOMPARE(Rig::pollIntervalMs(QStringLiteral("F")), 50);
    QCOMPARE(Rig::pollIntervalMs(QStringLiteral("M")), 250);
    QCOMPARE(Rig::pollIntervalMs(QStringLiteral("S")), 1000);
    QCOMPARE(Rig::pollIntervalMs(QStringLiteral("R")), 5000);
}

void TestRig::kenwoodCycleFollowedByTheSession()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    FakeSerialLine* line = h.line();
    QCOMPARE(line->written(), QByteArray("FA;MD;")); // the tick run at once
    line->feed("FA00007025000;MD3;");
    h.rig().PollTick(); // read
    QCOMPARE(h.rig().poller().RigFrequency, 7.025f);
    QCOMPARE(h.rig().readouts().frequency, QStringLiteral("7.02500"));
    QCOMPARE(h.rig().readouts().mode, QStringLiteral("CW"));
    QCOMPARE(h.rig().readouts().unprocessed, QStringLiteral("FA00007025000;MD3;"));
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("40"));
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("7.025"));
    // The radio goes to phone on 20 m.
    line->replies.clear();
    line->addReply("FA;MD;", "FA00014250000;MD2;");
    h.cycle();
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("20"));
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("PH"));
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("14.250"));
    // No reply: nothing changes, the next tick asks again.
    line->replies.clear();
    line->clearWrites();
    h.cycle();
    QCOMPARE(h.rig().readouts().frequency, QStringLiteral("14.25000"));
    h.rig().PollTick();
    QCOMPARE(line->written(), QByteArray("FA;MD;FA;MD;"));
}

void TestRig::fullOutputQueueSendsNothing()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.rig().PollTick(); // read tick (nothing came)
    h.line()->clearWrites();
    h.line()->outputQueue = 12;
    h.rig().PollTick();
    QVERIFY(h.line()->writes.isEmpty());
    QVERIFY(h.rig().poller().AwaitingReply); // the cycle goes on
    h.rig().PollTick();
    h.line()->outputQueue = 0;
    h.rig().PollTick();
    QCOMPARE(h.line()->written(), QByteArray("FA;MD;"));
}

void TestRig::badHexKeepsAwaitingReplyFalse()
{
    RigHarness h("Icom");
    h.writeRigFile(QStringLiteral("Icom"));
    h.rig().LoadRigSettings();
    h.rig().setFrequencyQuery(QStringLiteral("FE FE 64 E0 0G FD"));
    h.rig().startUp();
    QVERIFY(h.rig().polling());
    QVERIFY(!h.rig().poller().AwaitingReply);
    for (int i = 0; i < 3; ++i) {
        h.rig().PollTick();
        QVERIFY(!h.rig().poller().AwaitingReply);
    }
    QVERIFY(h.line()->writes.isEmpty());
}

void TestRig::staleInputDroppedBeforeEachRequest()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.rig().PollTick(); // read tick: nothing yet
    // The late half of an earlier reply arrives before the next request.
    h.line()->feed("FA00014025000;");
    h.line()->addReply("FA;MD;", "FA00007025000;MD3;");
    h.cycle();
    QCOMPARE(h.rig().poller().RigFrequency, 7.025f);
}

void TestRig::inputWaitsForTheReadTick()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    // While polling, bytes wait for the read tick.
    h.line()->feed("FA00014025000;");
    QCOMPARE(h.line()->bytesAvailable(), 14);
    h.rig().PollTick();
    QCOMPARE(h.rig().poller().RigFrequency, 14.025f);
}

void TestRig::portLostEndsTheTestOnce()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    QSignalSpy failures(&h.rig(), &Rig::failure);
    h.line()->vanish(QStringLiteral("Input/output error"));
    QVERIFY(!h.rig().polling());
    QCOMPARE(h.rig().readouts(), RigReadouts());
    QCOMPARE(failures.size(), 1);
    const auto failure = failures.at(0).at(0).value<RigFailure>();
    QCOMPARE(failure.kind, RigFailure::Kind::PortLost);
    QCOMPARE(
        failure.text,
        QStringLiteral("Rig port lost: %1 (Input/output error)").arg(SerialPortTable::defaultDevicePath(1)));
    // A write failing is the same loss, told once.
    h.rig().StartTest();
    QVERIFY(h.rig().polling());
    h.rig().PollTick();
    h.line()->failWrites = true;
    h.rig().PollTick();
    QTRY_COMPARE(failures.size(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(failures.size(), 2);
    QVERIFY(!h.rig().polling());
}

void TestRig::noFrequencyNoFrequencyText_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("mode-only reply") << "Kenwood" << QByteArray("MD3;");
    QTest::newRow("Other") << "Other" << QByteArray("FA00014025000;");
}

void TestRig::noFrequencyNoFrequencyText()
{
    QFETCH(QString, rigType);
    QFETCH(QByteArray, reply);
    RigHarness h(rigType.toLatin1());
    h.writeRigFile(rigType);
    h.rig().startUp();
    h.line()->feed(reply);
    h.rig().PollTick();
    // Without a frequency the contacts would be logged at "0.000".
    QVERIFY(h.session->LastRigFrequencyText().isEmpty());
    QCOMPARE(h.rig().readouts().frequency, Rig::NoResponse);
}

void TestRig::useFrequencyUnchecked()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.rig().setUseFrequency(false);
    h.line()->feed("FA00007025000;MD3;");
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().frequency, QStringLiteral("7.02500"));
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("20"));
    QVERIFY(h.session->LastRigFrequencyText().isEmpty());
}

void TestRig::frequencyOutsideTheBands()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.line()->feed("FA00010120000;MD3;");
    h.rig().PollTick();
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("10.120"));
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("20"));
}

void TestRig::modeBy()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.rig().PollTick();
    // By frequency: 14.200 is phone whatever the radio says; 14.150 itself lies in no segment.
    h.rig().setModeBy(ModeBy::Frequency);
    QCOMPARE(h.rig().readouts().mode, Rig::NoResponse);
    h.line()->addReply("FA;MD;", "FA00014200000;MD3;", 0, true);
    h.cycle();
    QCOMPARE(h.rig().readouts().mode, QStringLiteral("PH"));
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("PH"));
    h.line()->addReply("FA;MD;", "FA00014150000;MD3;", 0, true);
    h.cycle();
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("CW"));
    // "Don't Use": the radio's mode is shown but the main window keeps its own.
    h.rig().setModeBy(ModeBy::DontUse);
    h.line()->addReply("FA;MD;", "FA00014200000;MD2;", 0, true);
    h.cycle();
    QCOMPARE(h.rig().readouts().mode, QStringLiteral("PH"));
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("CW"));
}

void TestRig::yaesu757AmShownButNotSelected()
{
    RigHarness h("Yaesu 757 GX II");
    h.writeRigFile(QStringLiteral("Yaesu 757 GX II"));
    h.rig().startUp();
    QByteArray record(75, '\0');
    record.replace(5, 5, hexBytes("00 25 40 01 04"));
    h.line()->feed(record);
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().mode, QStringLiteral("AM"));
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("CW"));
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("14.025"));
    // "Convert to Hex" is preset, so the unprocessed data show as hex.
    QVERIFY(h.rig().readouts().unprocessed.startsWith(QStringLiteral("00 00 00 00 00 00 25 40 01 04 ")));
}

void TestRig::otherOnlyShowsTheReply()
{
    RigHarness h("Other");
    h.writeRigFile(QStringLiteral("Other"));
    h.rig().startUp();
    h.line()->feed("FA00014025000;\r");
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().frequency, Rig::NoResponse);
    QCOMPARE(h.rig().readouts().mode, QString()); // nothing decoded: the mode read-out shows the empty mode
    QCOMPARE(h.rig().readouts().unprocessed, QStringLiteral("FA00014025000;<0D>"));
    h.rig().setConvertFromHex(true);
    h.rig().PollTick();
    h.line()->feed("\xFE\x01");
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().unprocessed, QStringLiteral("FE 01 "));
}

void TestRig::unknownTypeOpensButSendsNothing()
{
    RigHarness h("Kenwood 3");
    h.rig().startUp();
    QCOMPARE(h.rig().RigType(), QStringLiteral("Kenwood 3"));
    QVERIFY(h.line()->isOpen());
    QVERIFY(h.rig().polling());
    h.line()->feed("FA00014025000;");
    h.rig().PollTick();
    h.rig().PollTick();
    QVERIFY(h.line()->writes.isEmpty());
    QCOMPARE(h.rig().poller().RigFrequency, 0.0f);
}

void TestRig::pegasusReadsTheFilesWithoutAPort()
{
    RigHarness h("Ten Tec Pegasus");
    h.writeRigFile(QStringLiteral("Ten Tec Pegasus"));
    h.fakes.settings.setValue(pegasus::FolderKey, h.dir.filePath(QStringLiteral("Pegasus")));
    h.rig().startUp();
    QVERIFY(!h.line());
    QVERIFY(h.rig().polling());
    // No file yet: nothing to follow, and no "0.000" for the log.
    h.rig().PollTick();
    QVERIFY(h.session->LastRigFrequencyText().isEmpty());
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("Pegasus")));
    h.write("Pegasus/PEGASUS.OUT", "7.04,\"USB\"\r\n");
    h.cycle();
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("7.040"));
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("40"));
    QCOMPARE(h.session->preferences().CurrentMode, QStringLiteral("PH"));
}

void TestRig::unchangedBandWritesNothing()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.rig().startUp();
    h.line()->feed("FA00014025000;MD3;");
    h.rig().PollTick();
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("14.025"));
    // Any save would write qrppref.txt again.
    QVERIFY(QFile::remove(h.dir.filePath(QStringLiteral("qrppref.txt"))));
    for (const char* reply : {"FA00014030000;MD3;", "FA00014025000;MD7;", "FA00014300000;MD3;"}) {
        h.rig().PollTick();
        h.line()->feed(reply);
        h.rig().PollTick();
    }
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("14.300"));
    QVERIFY(!h.exists("qrppref.txt"));
}

void TestRig::doneSavesBothFiles()
{
    RigHarness h;
    h.rig().LoadRigSettings();
    h.rig().ApplyRigPreset(QStringLiteral("Elecraft"));
    h.rig().chooseOption(RigOption::Port, 2);
    h.rig().chooseOption(RigOption::PollRate, 0);
    h.rig().setModeBy(ModeBy::Frequency);
    QVERIFY(h.rig().Done().ok);
    QVERIFY(h.rig().polling());
    QCOMPARE(h.line()->path, SerialPortTable::defaultDevicePath(3));
    QCOMPARE(h.session->preferences().RigType, QStringLiteral("Elecraft"));
    QVERIFY(h.read("qrppref.txt").contains("\"Elecraft\""));
    RigSettings saved;
    QCOMPARE(parseRigSettings(h.read("RigCntrl.txt"), saved), 14);
    QCOMPARE(saved.RigType, QStringLiteral("Elecraft"));
    QCOMPARE(saved.PortNumber, quint8(3));
    QCOMPARE(saved.PollRate, QStringLiteral("F"));
    QCOMPARE(saved.CommSettings, QStringLiteral("4800,N,8,2"));
    QCOMPARE(saved.ModeSource, qint16(2));
    // "None" is saved without a test.
    h.rig().ApplyRigPreset(QStringLiteral("None"));
    QVERIFY(h.rig().Done().ok);
    QVERIFY(!h.rig().polling());
    QVERIFY(!h.line()->isOpen());
    QVERIFY(h.read("RigCntrl.txt").contains("\"None\""));
}

void TestRig::rigctldPolls()
{
    RigHarness h("Hamlib NET rigctl");
    h.writeRigFile(rigtype::Rigctld);
    h.fakes.settings.setValue(rigctld::AddressKey, QStringLiteral("127.0.0.1:4599"));
    h.rig().startUp();
    FakeTcpClient* tcp = h.tcp();
    QVERIFY(tcp);
    QCOMPARE(tcp->connects.value(0), std::make_pair(QStringLiteral("127.0.0.1"), quint16(4599)));
    QVERIFY(h.rig().polling());
    QVERIFY(tcp->sent.isEmpty()); // not connected yet
    tcp->accept();
    h.rig().PollTick(); // read: nothing
    h.rig().PollTick(); // send
    QCOMPARE(tcp->sent, QByteArray("+\\get_freq\n+\\get_mode\n"));
    // Part of the answer in this tick, the rest in the next: nothing is asked again meanwhile.
    tcp->feed("get_freq:\nFrequency: 145000000\nRPRT 0\nget_mo");
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().frequency, QStringLiteral("145.00000"));
    QCOMPARE(h.session->LastRigFrequencyText(), QStringLiteral("145.000"));
    h.rig().PollTick();
    QCOMPARE(tcp->sends.size(), 1);
    tcp->feed("de:\nMode: CW\nPassband: 500\nRPRT 0\n");
    h.rig().PollTick();
    QCOMPARE(h.rig().readouts().mode, QStringLiteral("CW"));
    h.rig().PollTick();
    QCOMPARE(tcp->sends.size(), 2);
    // Bytes while nothing polls are dropped.
    h.rig().EndTest();
    QCOMPARE(tcp->closeCount, 1);
}

void TestRig::rigctldFailures()
{
    RigHarness h("Hamlib NET rigctl");
    h.writeRigFile(rigtype::Rigctld);
    QSignalSpy failures(&h.rig(), &Rig::failure);
    h.rig().startUp();
    h.tcp()->refuse(SocketError::ConnectionRefused, QStringLiteral("Connection refused"));
    QVERIFY(!h.rig().polling());
    QCOMPARE(failures.size(), 1);
    auto failure = failures.at(0).at(0).value<RigFailure>();
    QCOMPARE(failure.kind, RigFailure::Kind::OpenFailed);
    QCOMPARE(failure.details, QStringLiteral("rigctld at 127.0.0.1:4532: Connection refused (error 10061)"));
    // Connected, then the daemon goes away: the message line, once.
    h.rig().StartTest();
    h.tcp()->accept();
    h.tcp()->remoteClose();
    QCOMPARE(failures.size(), 2);
    failure = failures.at(1).at(0).value<RigFailure>();
    QCOMPARE(failure.kind, RigFailure::Kind::PortLost);
    QVERIFY(failure.text.startsWith(QStringLiteral("Rig port lost: 127.0.0.1:4532 (")));
    QVERIFY(!h.rig().polling());
    // An address that is no host:port connects nowhere.
    h.rig().setRigctldAddress(QStringLiteral("localhost"));
    const int connects = int(h.tcp()->connects.size());
    h.rig().StartTest();
    QCOMPARE(h.tcp()->connects.size(), connects);
    QCOMPARE(failures.size(), 3);
    QVERIFY(failures.at(2).at(0).value<RigFailure>().details.contains(QStringLiteral("host:port")));
}

void TestRig::unprocessedText()
{
    QCOMPARE(Rig::unprocessedText("FA;\r\n\x7F", false), QStringLiteral("FA;<0D><0A><7F>"));
    QCOMPARE(Rig::unprocessedText(QByteArray(5000, '\x01'), false).size(), Rig::kMaxUnprocessedChars);
    QCOMPARE(Rig::unprocessedText(QByteArray(5000, '\x01'), true).size(), Rig::kMaxUnprocessedChars);
    QCOMPARE(Rig::unprocessedText(QByteArray("\xFE\xFE", 2), true), QStringLiteral("FE FE "));
}

QTEST_GUILESS_MAIN(TestRig)
#include "tst_rig.moc"
