// The rig link end to end: each fake radio on a socat pseudo-terminal pair (real serial lines, "500 ms"
// polling) drives the real main window, whose contacts carry the radio's frequency; bad replies change
// nothing; killing socat closes the port within a tick and says so once; Hamlib's rigctld with its dummy rig
// is followed, a frequency set by another client included; the Pegasus files; a spot from a local DX cluster
// tunes the radio from the band map.

#include "log/ui/Form1Harness.h"
#include "platform/io/SystemStationServices.h"
#include "rig/PegasusFiles.h"
#include "rig/Rig.h"
#include "rig/RigctldReplies.h"
#include "rig/ui/RigWindows.h"
#include "rig/ui/frmRigTune.h"
#include "spots/SpotConnection.h"
#include "spots/SpotStore.h"
#include "spots/ui/SpotArea.h"
#include "spots/ui/SpotLabel.h"
#include "spots/ui/SpotViews.h"
#include "support/ClusterServer.h"
#include "support/FakeAgwEngine.h"
#include "support/FakePegasus.h"
#include "support/FakeRadio.h"
#include "support/RigctldProcess.h"
#include "support/SocatPair.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace velm;
using namespace velm::test;

Q_DECLARE_METATYPE(velm::test::FakeRadio::Misbehaviour)

namespace {

constexpr int kFollowMs = 5000; // a few "500 ms" cycles

// The main window over a session and a Rig on the system's serial lines and sockets.
struct Station {
    explicit Station(const QString& rigType, const QString& device = {})
    {
        write("qrppref.txt", QByteArray(kPreferences).replace("\"None\"", "\"" + rigType.toLatin1() + "\""));
        write("arrlpre2.txt", kTestPrefixes);
        write("log.txt", QByteArray());
        RigSettings settings;
        RigChoices choices = designDefaultChoices();
        applyRigPreset(settings, choices, rigType);
        takeChoices(settings, choices);
        takeCheckBoxes(settings, choices);
        write("RigCntrl.txt", rigSettingsBytes(settings));
        if (!device.isEmpty())
            fakes.settings.setValue(SerialPortTable::settingKey(1), device);
        folders.UserDataFolder = dir.filePath(QStringLiteral("user"));
        shared.OpenSharedPreferences(dir.filePath(QStringLiteral("SharedUserPreferences.xml")));
        session.emplace(fakes.services(), ProgramFolder(dir.path()), folders);
        rig.emplace(*session, fakes.services(), system.services());
        stations.add(*rig);
        form = std::make_unique<Form1>(Form1Context{
            fakes.services(), *session, shared, StationPorts{keyers, keyers, keyers, *rig, voice, stations}});
        form->setModalRunner([](QDialog&) { return int(QDialog::Rejected); });
        windows =
            connectRigMenus({form->mnuRigInterface, [this](const QString& text) { form->showMessage(text); }},
                            *rig, fakes.prompts, form.get());
        windows->setModalRunner([this](QDialog&) {
            ++modals;
            return int(QDialog::Rejected);
        });
    }

    bool start()
    {
        if (!form->ReadPreferences() || !form->LoadPrefixTable() || !form->mnuOpen2())
            return false;
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            return false;
        form->cmdLogOn_Click();
        return stations.startUp().isEmpty();
    }

    // A contact typed into the entry row; the frequency its log line carries.
    QByteArray logContact(const QString& keys)
    {
        form->txtCall->setFocus();
        for (const QChar key : keys)
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QList<QByteArray> lines = read("log.txt").split('\n');
        const QByteArray last = lines.size() >= 2 ? lines.at(lines.size() - 2) : QByteArray();
        return last.mid(last.lastIndexOf(',') + 1).trimmed();
    }

    const ProgramPreferences& prefs() const { return session->preferences(); }

    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const char* name) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TestServices fakes;
    UserFolderPaths folders;
    SharedPreferences shared;
    FakeKeyers keyers;
    RecordingVoicePrompts voice;
    StationLifecycles stations;
    SystemStationServices system{fakes.settings};
    std::optional<ContestSession> session;
    std::optional<Rig> rig;
    std::unique_ptr<Form1> form;
    RigWindows* windows = nullptr;
    int modals = 0;
};

// A socat pair with the radio on its far end.
struct RadioLink {
    explicit RadioLink(FakeRadio::Model model) : radio(model)
    {
        if (!SocatPair::available())
            return;
        ok = pair.start() && radio.open(pair.pathB());
    }
    SocatPair pair;
    FakeRadio radio;
    bool ok = false;
};

const char* const kSerialTypes[] = {
    "Kenwood",         "Elecraft",   "Kenwood 2",       "Yaesu FTdx9000", "Icom",      "Icom 735",
    "Ten Tec Omni VI", "Yaesu",      "Yaesu 757 GX II", "Yaesu 890",      "Yaesu 920", "Yaesu 990",
    "Yaesu 1000 D",    "Yaesu 1000", "Ten Tec Orion",   "Ten Tec Fnt Pnl"};

} // namespace

class TestRigRadios : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachRadioDrivesTheMainWindow_data();
    void eachRadioDrivesTheMainWindow();
    void badRepliesChangeNothing_data();
    void badRepliesChangeNothing();
    void noiseOnTheLine_data();
    void noiseOnTheLine();
    void yaesuOpenAndCloseReachTheRadio();
    void startUpWithAMissingDevice();
    void rigctldDummyRig();
    void goTunesEachRadio_data();
    void goTunesEachRadio();
    void rigctldTunedByTheTuneWindow();
    void pegasusFiles();
    void clusterSpotTunesTheRadio();
};

void TestRigRadios::initTestCase()
{
    if (!SocatPair::available())
        QSKIP("socat is not installed (./velm test installs it)");
}

void TestRigRadios::eachRadioDrivesTheMainWindow_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<int>("digits"); // the FTdx9000 family's FA width
    for (const char* type : kSerialTypes)
        QTest::newRow(type) << QString::fromLatin1(type) << 9;
    QTest::newRow("Yaesu FTdx9000, 8 digits") << QStringLiteral("Yaesu FTdx9000") << 8;
}

void TestRigRadios::eachRadioDrivesTheMainWindow()
{
    QFETCH(QString, rigType);
    QFETCH(int, digits);
    RadioLink link(FakeRadio::modelFor(rigType));
    QVERIFY2(link.ok, qPrintable(link.pair.errorString() + link.radio.errorString()));
    link.radio.hertz = 7025000;
    link.radio.mode = FakeRadio::Mode::Usb;
    link.radio.frequencyDigits = digits;
    Station station(rigType, link.pair.pathA());
    QVERIFY(station.start());
    QVERIFY(station.rig->polling());
    QCOMPARE(station.rig->pollInterval(), 250);
    // The main window follows: 40 m, phone, and the frequency for the next contact.
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("7.025"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("40"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("PH"), kFollowMs);
    QCOMPARE(station.logContact(QStringLiteral("w1aw59ct1234")), QByteArray("\"7.025\""));
    QVERIFY(station.read("log.txt").contains("\"PH\",\"40\""));

    // The radio vanishes: within a tick the port is closed, and the message line says so once.
    QSignalSpy failures(&*station.rig, &Rig::failure);
    link.pair.kill();
    QTRY_VERIFY_WITH_TIMEOUT(!station.rig->polling(), 1000);
    QTest::qWait(600);
    QCOMPARE(failures.size(), 1);
    QVERIFY2(
        station.form->lblDialog->text().startsWith(QStringLiteral("Rig port lost: ") + link.pair.pathA()),
        qPrintable(station.form->lblDialog->text()));
    QVERIFY(station.fakes.prompts.messages.isEmpty());
}

void TestRigRadios::badRepliesChangeNothing_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<FakeRadio::Misbehaviour>("misbehaviour");
    QTest::addColumn<QString>(
        "modeMeanwhile"); // a mode sent apart from a garbled frequency is still followed
    using M = FakeRadio::Misbehaviour;
    QTest::newRow("Kenwood garbled") << "Kenwood" << M::Garble << "CW";
    QTest::newRow("Kenwood cut") << "Kenwood" << M::Cut << "PH";
    QTest::newRow("Kenwood split over two ticks") << "Kenwood" << M::Split << "PH";
    QTest::newRow("Kenwood late") << "Kenwood" << M::Delay << "PH";
    QTest::newRow("Kenwood 2 cut") << "Kenwood 2" << M::Cut << "PH";
    QTest::newRow("FTdx9000 garbled") << "Yaesu FTdx9000" << M::Garble << "CW";
    QTest::newRow("Icom garbled") << "Icom" << M::Garble << "CW";
    QTest::newRow("Icom cut") << "Icom" << M::Cut << "PH";
    QTest::newRow("Icom 735 split") << "Icom 735" << M::Split << "PH";
    QTest::newRow("Yaesu garbled") << "Yaesu" << M::Garble << "PH";
    QTest::newRow("757 cut") << "Yaesu 757 GX II" << M::Cut << "PH";
    QTest::newRow("990 split") << "Yaesu 990" << M::Split << "PH";
    QTest::newRow("Orion garbled") << "Ten Tec Orion" << M::Garble << "CW";
    QTest::newRow("front panel cut") << "Ten Tec Fnt Pnl" << M::Cut << "PH";
    QTest::newRow("Orion withheld") << "Ten Tec Orion" << M::Withhold << "PH";
}

void TestRigRadios::badRepliesChangeNothing()
{
    QFETCH(QString, rigType);
    QFETCH(FakeRadio::Misbehaviour, misbehaviour);
    QFETCH(QString, modeMeanwhile);
    RadioLink link(FakeRadio::modelFor(rigType));
    QVERIFY(link.ok);
    link.radio.hertz = 7025000;
    link.radio.mode = FakeRadio::Mode::Usb;
    Station station(rigType, link.pair.pathA());
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("40"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("PH"), kFollowMs);
    // From now on every reply is damaged: the radio moves, the program must not.
    link.radio.misbehaviour = misbehaviour;
    link.radio.delayMs = 300; // longer than a tick
    link.radio.hertz = 14250000;
    link.radio.mode = FakeRadio::Mode::Cw;
    const int asked = link.radio.requests;
    QTRY_VERIFY_WITH_TIMEOUT(link.radio.requests >= asked + 6, kFollowMs);
    QTest::qWait(400); // the last split or late half
    QCOMPARE(station.session->LastRigFrequencyText(), QStringLiteral("7.025"));
    QCOMPARE(station.prefs().CurrentBand, QStringLiteral("40"));
    QCOMPARE(station.prefs().CurrentMode, modeMeanwhile);
    QCOMPARE(station.rig->readouts().frequency, QStringLiteral("7.02500"));
    QVERIFY(station.rig->polling());
    // Good replies again: it follows.
    link.radio.misbehaviour = FakeRadio::Misbehaviour::None;
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("20"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("CW"), kFollowMs);
}

void TestRigRadios::noiseOnTheLine_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::newRow("Kenwood") << "Kenwood";
    QTest::newRow("Icom") << "Icom";
    QTest::newRow("Yaesu") << "Yaesu";
}

void TestRigRadios::noiseOnTheLine()
{
    QFETCH(QString, rigType);
    RadioLink link(FakeRadio::modelFor(rigType));
    QVERIFY(link.ok);
    link.radio.hertz = 21025000;
    Station station(rigType, link.pair.pathA());
    QVERIFY(station.start());
    // Chatter, transceive broadcasts of another frequency and bus collisions between the replies.
    link.radio.startChatter(37);
    QTimer noise;
    QObject::connect(&noise, &QTimer::timeout, &link.radio, [&link] {
        const quint64 real = link.radio.hertz;
        link.radio.hertz = 3525000;
        link.radio.broadcastFrequency();
        link.radio.hertz = real;
        link.radio.collide();
    });
    if (rigType == QLatin1String("Icom"))
        noise.start(53);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("15"), kFollowMs);
    const int asked = link.radio.requests;
    QTRY_VERIFY_WITH_TIMEOUT(link.radio.requests >= asked + 8, kFollowMs);
    // Never a frequency the radio did not report: 15 m throughout, or at most a cycle lost.
    QCOMPARE(station.prefs().CurrentBand, QStringLiteral("15"));
    QCOMPARE(station.session->LastRigFrequencyText(), QStringLiteral("21.025"));
}

void TestRigRadios::yaesuOpenAndCloseReachTheRadio()
{
    RadioLink link(FakeRadio::Model::Yaesu990);
    QVERIFY(link.ok);
    Station station(QStringLiteral("Yaesu 990"), link.pair.pathA());
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(link.radio.opens, 1, kFollowMs);
    station.rig->EndTest();
    QTRY_COMPARE_WITH_TIMEOUT(link.radio.closes, 1, kFollowMs);
    station.rig->StartTest();
    QTRY_COMPARE_WITH_TIMEOUT(link.radio.opens, 2, kFollowMs);
    // Closing the program: the close command goes out before the port closes.
    station.form->close();
    QTRY_COMPARE_WITH_TIMEOUT(link.radio.closes, 2, kFollowMs);
    QVERIFY(!station.rig->linkOpen());
}

void TestRigRadios::startUpWithAMissingDevice()
{
    QTemporaryDir nowhere;
    Station station(QStringLiteral("Kenwood"), nowhere.filePath(QStringLiteral("ttyGone")));
    QVERIFY(station.start());
    QCOMPARE(station.fakes.prompts.messages.size(), 1);
    QCOMPARE(station.fakes.prompts.messages[0].title, Rig::InvalidCommTitle);
    QVERIFY(station.fakes.prompts.messages[0].details.contains(QStringLiteral("ttyGone")));
    QCOMPARE(station.modals, 1); // the rig window came up for the operator
    QVERIFY(!station.rig->polling());
}

void TestRigRadios::rigctldDummyRig()
{
    if (!RigctldProcess::available())
        QSKIP("rigctld is not installed (Debian libhamlib-utils; ./velm test installs it)");
    RigctldProcess daemon;
    QVERIFY2(daemon.start(), qPrintable(daemon.errorString()));
    Station station(rigtype::Rigctld);
    station.fakes.settings.setValue(rigctld::AddressKey, daemon.address());
    QVERIFY(station.start());
    // The dummy rig starts on 145 MHz FM: no band of the contest, phone.
    QTRY_COMPARE_WITH_TIMEOUT(station.rig->readouts().frequency, QStringLiteral("145.00000"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("145.000"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("PH"), kFollowMs);
    QCOMPARE(station.prefs().CurrentBand, QStringLiteral("20"));
    // Another program on the station tunes the radio.
    QVERIFY(daemon.command("F 7040000").contains("RPRT 0"));
    QVERIFY(daemon.command("M CW 500").contains("RPRT 0"));
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("7.040"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("40"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("CW"), kFollowMs);
    QCOMPARE(station.logContact(QStringLiteral("w1aw559ct1234")), QByteArray("\"7.040\""));
    // The daemon ends: the link says so once.
    QSignalSpy failures(&*station.rig, &Rig::failure);
    daemon.kill();
    QTRY_VERIFY_WITH_TIMEOUT(!station.rig->polling(), 2000);
    QCOMPARE(failures.size(), 1);
    QVERIFY(station.form->lblDialog->text().startsWith(QStringLiteral("Rig port lost: ") + daemon.address()));
}

void TestRigRadios::pegasusFiles()
{
    FakePegasus pegasus;
    Station station(rigtype::Pegasus);
    station.fakes.settings.setValue(pegasus::FolderKey, pegasus.folder());
    QVERIFY(pegasus.write(7.04, QStringLiteral("USB")));
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("7.040"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("PH"), kFollowMs);
    QCOMPARE(station.prefs().CurrentBand, QStringLiteral("40"));
    // A file caught half written changes nothing.
    QVERIFY(pegasus.writeRaw("14.0"));
    QTest::qWait(1200);
    QCOMPARE(station.session->LastRigFrequencyText(), QStringLiteral("7.040"));
    QVERIFY(pegasus.write(14.025, QStringLiteral("CW")));
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("20"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("CW"), kFollowMs);
}

void TestRigRadios::goTunesEachRadio_data()
{
    QTest::addColumn<QString>("rigType");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QByteArray>("command"); // as the radio saw it (text without its terminator)
    const auto hex = [](const char* spaced) {
        return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
    };
    QTest::newRow("Kenwood") << QStringLiteral("Kenwood") << 9 << QByteArray("FA00014025000");
    QTest::newRow("Elecraft") << QStringLiteral("Elecraft") << 9 << QByteArray("FA00014025000");
    QTest::newRow("Kenwood 2") << QStringLiteral("Kenwood 2") << 9 << QByteArray("FA00014025000");
    QTest::newRow("FTdx9000 9 digits") << rigtype::FTdx9000 << 9 << QByteArray("FA014025000");
    QTest::newRow("FTdx9000 8 digits") << rigtype::FTdx9000 << 8 << QByteArray("FA14025000");
    QTest::newRow("Icom") << rigtype::Icom << 9 << hex("FE FE 64 E0 05 00 50 02 14 00 FD");
    QTest::newRow("Icom 735") << rigtype::Icom735 << 9 << hex("FE FE 64 E0 05 00 50 02 14 FD");
    QTest::newRow("Omni VI") << rigtype::OmniVI << 9 << hex("FE FE 04 E0 05 00 50 02 14 00 FD");
    QTest::newRow("Yaesu") << rigtype::Yaesu << 9 << hex("01 40 25 00 01");
    for (const QString* type : {&rigtype::Yaesu757, &rigtype::Yaesu890, &rigtype::Yaesu920,
                                &rigtype::Yaesu990, &rigtype::Yaesu1000D, &rigtype::Yaesu1000})
        QTest::newRow(qPrintable(*type)) << *type << 9 << hex("00 25 40 01 0A");
    QTest::newRow("Orion") << rigtype::Orion << 9 << QByteArray("*AF14025000");
    QTest::newRow("front panel") << rigtype::FrontPanel << 9 << hex("2A 41 00 D6 01 28 0D");
}

void TestRigRadios::goTunesEachRadio()
{
    QFETCH(QString, rigType);
    QFETCH(int, digits);
    QFETCH(QByteArray, command);
    RadioLink link(FakeRadio::modelFor(rigType));
    QVERIFY2(link.ok, qPrintable(link.pair.errorString() + link.radio.errorString()));
    link.radio.hertz = 7025000;
    link.radio.frequencyDigits = digits;
    Station station(rigType, link.pair.pathA());
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("7.025"), kFollowMs);
    frmRigTune tune(*station.rig, station.form.get());
    tune.show();
    tune.txtFreq->setText(QStringLiteral("14.025"));
    tune.Command1->click(); // returns once the change is done; events ran meanwhile
    QTRY_VERIFY_WITH_TIMEOUT(link.radio.commands.contains(command), kFollowMs);
    QCOMPARE(link.radio.hertz, quint64(14025000));
    QVERIFY(station.rig->polling());
    // The next polls report where the radio went.
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("14.025"), kFollowMs);
    QCOMPARE(station.prefs().CurrentBand, QStringLiteral("20"));
    QVERIFY(station.fakes.prompts.messages.isEmpty());
}

void TestRigRadios::rigctldTunedByTheTuneWindow()
{
    if (!RigctldProcess::available())
        QSKIP("rigctld is not installed (Debian libhamlib-utils; ./velm test installs it)");
    RigctldProcess daemon;
    QVERIFY2(daemon.start(), qPrintable(daemon.errorString()));
    Station station(rigtype::Rigctld);
    station.fakes.settings.setValue(rigctld::AddressKey, daemon.address());
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(station.rig->readouts().frequency, QStringLiteral("145.00000"), kFollowMs);
    frmRigTune tune(*station.rig, station.form.get());
    tune.show();
    tune.txtFreq->setText(QStringLiteral("14.025"));
    tune.Command1->click();
    tune.cmdCW->click();
    QVERIFY(daemon.command("f").contains("14025000"));
    QVERIFY(daemon.command("m").startsWith("CW"));
    QVERIFY(station.rig->polling());
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("14.025"), kFollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentMode, QStringLiteral("CW"), kFollowMs);
    QVERIFY(station.fakes.prompts.messages.isEmpty());
}

// A spot line from a DX cluster on a local socket, through the spotting link and the band map: a right click
// on it tunes the Kenwood on the socat pair, the call goes into the entry row, and the next polls report the
// spotted frequency.
void TestRigRadios::clusterSpotTunesTheRadio()
{
    RadioLink link(FakeRadio::modelFor(QStringLiteral("Kenwood")));
    QVERIFY2(link.ok, qPrintable(link.pair.errorString() + link.radio.errorString()));
    link.radio.hertz = 14010000;
    ClusterServer cluster;
    QVERIFY(cluster.start());
    Station station(QStringLiteral("Kenwood"), link.pair.pathA());
    // PackSpot.txt: Telnet to the local node, band map display.
    station.write("PackSpot.txt",
                  "\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n2\r\n\"N\"\r\n\"Telnet\"\r\n0\r\n3\r\n0\r\n"
                  "#FALSE#\r\n\"03\"\r\n\"" +
                      QByteArray::number(cluster.port()) + "\"\r\n\"127.0.0.1\"\r\n");
    QVERIFY(station.start());
    QTRY_COMPARE_WITH_TIMEOUT(station.prefs().CurrentBand, QStringLiteral("20"), kFollowMs);

    FakeAgwEngine agw;
    SpotStore store(station.fakes.clock);
    SpotConnection spots(station.fakes.services(), station.system.services(), agw, *station.session, store);
    SpotViews views({store, spots, *station.session, station.fakes.clock, *station.rig, *station.form},
                    station.form.get());
    station.form->addSpotArea(views.area());
    spots.LoadSpotSettings();
    QVERIFY(cluster.waitForClient());
    spots.txtSent_Enter(QStringLiteral("K1ABC"));
    QVERIFY(cluster.waitForReceived("K1ABC\r\n"));
    spots.cmdDone_Click(); // the band map opens at the bottom of the main window
    QVERIFY(views.area()->isVisible());

    cluster.sendLine("DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z");
    QTRY_COMPARE(store.spot(SpotStore::kNewest).call, QStringLiteral("3B9FR"));
    SpotLabel* label = views.area()->lblDXSpot[SpotStore::kNewest];
    QTRY_VERIFY(label->isVisible()); // drawn on the 20 m band map
    station.form->txtCall->setFocus();
    link.radio.commands.clear();
    QTest::mouseClick(label, Qt::RightButton);
    QTRY_VERIFY_WITH_TIMEOUT(link.radio.commands.contains("FA00014025000"), kFollowMs);
    QCOMPARE(link.radio.hertz, quint64(14025000));
    QCOMPARE(station.form->txtCall->text(), QStringLiteral("3B9FR"));
    QTRY_COMPARE_WITH_TIMEOUT(station.session->LastRigFrequencyText(), QStringLiteral("14.025"), kFollowMs);
}

QTEST_MAIN(TestRigRadios)
#include "tst_rigradios.moc"
