// The spotting window's logic on fakes: settings loaded in order, source choice and presets, captions and
// help, option clicks, each transport's open, send, receive and failures, the AGW commands and frames, the
// own-call notice, the poll's counters, "&Done", and the program's end.

#include "SpotHarness.h"
#include "spots/SpotTexts.h"

#include <QSignalSpy>

using namespace velm;
using namespace velm::test;

namespace {

const QByteArray kSpot = "DX de KE8GX:     14025.0  3B9FR        599 into N. MI                 1812Z";

// Opens the AGW source on the fake engine.
void openAgw(SpotHarness& h)
{
    h->List1_Click(SpotSourceName::Agw);
    h->OpenSpotSource();
    QVERIFY(h->polling());
}

} // namespace

class TestSpotConnection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Settings, source choice, captions ---
    void loadsSavedTncAsSavedAndOpensIt()
    {
        SpotHarness h(spotSettingsFile("TNC", "1200", 1, "D", 1));
        h->LoadSpotSettings();
        QCOMPARE(h->settings().baud, QStringLiteral("1200")); // the TNC presets are for a choice, not a load
        QCOMPARE(h->settings().handshake, quint8(1));
        QCOMPARE(h->settings().dxOnly, 0); // never applied
        QVERIFY(!h->loading());
        QVERIFY(h->isOpen());
        QVERIFY(h->polling());
        QCOMPARE(h.serial().settings.baudRate, 1200);
        QCOMPARE(h.serial().path, QStringLiteral("/dev/ttyS1")); // port 2
        QVERIFY(h.serial().dtr);
        QCOMPARE(h->enabledControls(), (SpotControls{true, true, false, true}));
        QCOMPARE(h->sendCaption(), QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
        QVERIFY(h.traffic().endsWith(spottext::kTncOpen));
    }

    void missingOrBadFileKeepsTheDesignState_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("port 300") << spotSettingsFile("TNC").replace("\r\n2\r\n", "\r\n300\r\n");
    }
    void missingOrBadFileKeepsTheDesignState()
    {
        QFETCH(QByteArray, file);
        SpotHarness h(file);
        h->LoadSpotSettings();
        QCOMPARE(h->settings(), SpotSettings());
        QVERIFY(!h->isOpen());
        QCOMPARE(h->enabledControls(), SpotControls{});
        QCOMPARE(h.serial().openCount, 0);
        if (!file.isEmpty())
            QVERIFY(h.traffic().contains(QStringLiteral("value 5 (serial port)")));
    }

    void choosingTncPresetsAndClosesWhatIsOpen()
    {
        SpotHarness h(spotSettingsFile("Telnet"));
        h->LoadSpotSettings();
        QVERIFY(h->isOpen());
        h->setDxOnly(true);
        h->List1_Click(SpotSourceName::Tnc);
        QVERIFY(!h->isOpen());
        QCOMPARE(h.tcp().state(), TcpClient::State::Unconnected);
        QCOMPARE(h->settings().dxOnly, 0);
        QCOMPARE(h->settings().serialSettingsText(), QStringLiteral("9600,N,8,1"));
        QCOMPARE(h->settings().handshake, quint8(3));
        QCOMPARE(h->settings().commandHex, QStringLiteral("03"));
        QCOMPARE(h->traffic().caret(), qsizetype(1));
        QCOMPARE(h.traffic(), spottext::help(SpotSourceName::Tnc));
        h->OpenSpotSource();
        QCOMPARE(formatSerialSettings(h.serial().settings), QStringLiteral("9600,N,8,1"));
        QCOMPARE(h.serial().handshake, Handshake::RtsCts);
    }

    void captionsAndHelp_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("helpHas");
        QTest::addColumn<QStringList>("helpLacks");
        const QString general = QStringLiteral("Use this form to configure");
        const QString telnet = QStringLiteral("the Telnet option is very easy");
        const QString tnc = QStringLiteral("To use a Packet TNC");
        const QString agw = QStringLiteral("This program will also interface with the AGW Packet Engine.");
        const QString closing = QStringLiteral("When you have configured your DX spotting options");
        const QString note = QStringLiteral("Kantronics KPC3+");
        QTest::newRow("None") << SpotSourceName::None << QString()
                              << QStringList{general, telnet, tnc, agw, closing, note} << QStringList{};
        QTest::newRow("TNC") << SpotSourceName::Tnc << "Send text  (Ctrl C or Esc for TNC Command mode):"
                             << QStringList{tnc, closing, note} << QStringList{general, telnet, agw};
        QTest::newRow("Telnet") << SpotSourceName::Telnet
                                << "Type text to send and press enter:" << QStringList{telnet, closing}
                                << QStringList{general, tnc, agw, note};
        QTest::newRow("AGW") << SpotSourceName::Agw
                             << "Send text (use : to send cmds such as :C Orvane or :D)"
                             << QStringList{agw, spottext::kAgwDownloadAddress, closing, note}
                             << QStringList{general, tnc, telnet};
    }
    void captionsAndHelp()
    {
        QFETCH(QString, source);
        QFETCH(QString, caption);
        QFETCH(QStringList, helpHas);
        QFETCH(QStringList, helpLacks);
        SpotHarness h;
        h->List1_Click(source);
        QCOMPARE(h->sendCaption(), caption);
        for (const QString& text : helpHas)
            QVERIFY2(h.traffic().contains(text), qPrintable(text));
        for (const QString& text : helpLacks)
            QVERIFY2(!h.traffic().contains(text), qPrintable(text));
        QVERIFY(h.traffic().endsWith(QStringLiteral("different hardware.\r\n\r\n")) ||
                h.traffic().endsWith(QStringLiteral("spotting options.\r\n\r\n")));
        QVERIFY(!h.traffic().contains(QStringLiteral("\r\n\r\n\r\n")));
        QCOMPARE(h->enabledControls().portButtons, source != SpotSourceName::None);
    }

    void optionClicksCloseTheSource()
    {
        SpotHarness h(spotSettingsFile("TNC"));
        h->LoadSpotSettings();
        QVERIFY(h->isOpen());
        h->setBaud(QStringLiteral("4800"));
        QVERIFY(!h->isOpen());
        QVERIFY(!h.serial().isOpen());
        QVERIFY(h.traffic().endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
        h->OpenSpotSource();
        h->setHandshake(2);
        QVERIFY(!h->isOpen());
        h->setTelnetHost(QStringLiteral("elsewhere")); // a text is no option click
        h->OpenSpotSource();
        h->setCommandHex(QStringLiteral("1B"));
        QVERIFY(h->isOpen());
    }

    // --- TNC ---
    void tncLinesFromHandshakeAndPower_data()
    {
        QTest::addColumn<int>("handshake");
        QTest::addColumn<QString>("power");
        QTest::addColumn<bool>("rts");
        QTest::addColumn<bool>("dtr");
        QTest::addColumn<int>("mode");
        QTest::newRow("none, none") << 1 << "N" << false << false << int(Handshake::None);
        QTest::newRow("Xon Xoff, DTR power") << 2 << "D" << false << true << int(Handshake::XonXoff);
        QTest::newRow("RTS") << 3 << "N" << true << false << int(Handshake::RtsCts);
        QTest::newRow("RTS OnOff, RTS power") << 4 << "R" << true << false << int(Handshake::RtsCtsXonXoff);
        QTest::newRow("none, RTS power") << 1 << "R" << true << false << int(Handshake::None);
    }
    void tncLinesFromHandshakeAndPower()
    {
        QFETCH(int, handshake);
        QFETCH(QString, power);
        QFETCH(bool, rts);
        QFETCH(bool, dtr);
        QFETCH(int, mode);
        SpotHarness h(spotSettingsFile("TNC", "9600", handshake, power.toLatin1().constData()));
        h->LoadSpotSettings();
        QCOMPARE(h.serial().rts, rts);
        QCOMPARE(h.serial().dtr, dtr);
        QCOMPARE(int(h.serial().handshake), mode);
        h->CloseSpotSource();
        QVERIFY(!h.serial().rts && !h.serial().dtr); // closing releases both
    }

    void tncFailedOpenClosesThenShows()
    {
        SpotHarness h;
        h->List1_Click(SpotSourceName::Tnc);
        h.serial().failNextOpen(SerialError::Busy, QStringLiteral("Device or resource busy"));
        bool openWhenShown = true;
        QObject::connect(&*h, &SpotConnection::windowWanted, [&] { openWhenShown = h->isOpen(); });
        h->OpenSpotSource();
        QVERIFY(!openWhenShown);
        QVERIFY(!h->isOpen() && !h->polling());
        QCOMPARE(h.fakes.prompts.beeps, 1);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, spottext::kInvalidCommTitle);
        QCOMPARE(h.fakes.prompts.messages[0].text, spottext::kInvalidComm);
        QVERIFY(h.fakes.prompts.messages[0].details.contains(QStringLiteral("/dev/ttyS0")));
        QCOMPARE(h.traffic(), spottext::kAttempting + spottext::kTncUnable + spottext::kPortClosed);
    }

    void tncKeysAndSending()
    {
        SpotHarness h(spotSettingsFile("TNC"));
        h->LoadSpotSettings();
        h.serial().clearWrites();
        QVERIFY(h->commandModeKey());
        QCOMPARE(h.serial().written(), QByteArray("\x03"));
        h->setCommandHex(QStringLiteral("1b"));
        QVERIFY(h->commandModeKey());
        for (const char* bad : {"", "G1", "0x3", "123", " "}) {
            h->setCommandHex(QString::fromLatin1(bad));
            QVERIFY2(!h->commandModeKey(), bad);
        }
        h->txtSent_Enter(QStringLiteral("c GB7DXC"));
        QCOMPARE(h.serial().written(), QByteArray("\x03\x1B"
                                                  "c GB7DXC\r"));
        // Closed: the key opens the source first, then sends.
        h->CloseSpotSource();
        h->setCommandHex(QStringLiteral("03"));
        h.serial().clearWrites();
        QVERIFY(h->commandModeKey());
        QVERIFY(h->isOpen());
        QCOMPARE(h.serial().written(), QByteArray("\x03"));
    }

    void tncReceivesOnTheTickAndLosesThePortOnce()
    {
        SpotHarness h(spotSettingsFile("TNC"));
        h->LoadSpotSettings();
        h.serial().feed(kSpot.left(50));
        h->PollSpotSource();
        QCOMPARE(h.store->spot(49).call, QString());
        h.serial().feed(kSpot.mid(50) + "\r");
        h->PollSpotSource();
        QCOMPARE(h.store->spot(49).call, QStringLiteral("3B9FR"));
        const int beeps = h.fakes.prompts.beeps;
        h.serial().vanish(QStringLiteral("Device disappeared from the system"));
        QVERIFY(!h->isOpen() && !h->polling());
        QVERIFY(h.traffic().contains(QStringLiteral("Device disappeared from the system")));
        QCOMPARE(h.fakes.prompts.beeps, beeps + 1);
    }

    // --- Telnet ---
    void telnetConnectsSendsAndStores()
    {
        SpotHarness h(spotSettingsFile("Telnet", "9600", 3, "N", 0, " dxc.example.net ", "7300"));
        h->LoadSpotSettings();
        QCOMPARE(h.tcp().connects.size(), 1);
        QCOMPARE(h.tcp().connects[0], (std::pair<QString, quint16>{QStringLiteral("dxc.example.net"), 7300}));
        QCOMPARE(h.traffic(), QStringLiteral("Attempting connection to: dxc.example.net:7300\r\n\r\n"));
        QVERIFY(h->polling());
        h->txtSent_Enter(QStringLiteral("K1ABC"));
        QVERIFY(h.traffic().endsWith(spottext::kNotYetConnected));
        QCOMPARE(h.tcp().sent, QByteArray());
        h.tcp().accept();
        h.tcp().feed("login: ");
        QVERIFY(h.traffic().endsWith(QStringLiteral("login: ")));
        h->txtSent_Enter(QStringLiteral("K1ABC"));
        QCOMPARE(h.tcp().sent, QByteArray("K1ABC\r\n"));
        h.tcp().feed("\r\n" + kSpot.left(33));
        h.tcp().feed(kSpot.mid(33) + "\r\n" + kSpot + "\r\n");
        QCOMPARE(h.store->spot(49).call, QStringLiteral("3B9FR"));
        QCOMPARE(h.store->spot(48).call, QStringLiteral("3B9FR")); // stored twice, the older one removed
        QCOMPARE(h.store->spot(48).frequency, 0.0f);
    }

    void telnetErrors_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << 10061 << "ERROR: Connection is forcefully rejected.";
        QTest::newRow("host not found") << 11001 << "ERROR: Authoritative answer: Host not found.";
        QTest::newRow("timed out") << 10060 << "ERROR: Socket has been shut down.";
        QTest::newRow("shut down") << 10058 << "ERROR: Socket has been shut down.";
        QTest::newRow("reset") << 10054 << "ERROR: The connection is reset by remote side.!";
        QTest::newRow("network") << 10051
                                 << "ERROR: The network cannot be reached from this host at this time.";
        QTest::newRow("not in the table") << 12345 << "Error number 12345";
    }
    void telnetErrors()
    {
        QFETCH(int, error);
        QFETCH(QString, message);
        SpotHarness h(spotSettingsFile("Telnet"));
        h->LoadSpotSettings();
        h.tcp().refuse(error);
        QVERIFY(!h->isOpen() && !h->polling());
        QVERIFY2(h.traffic().endsWith(message + spottext::kPortClosed), qPrintable(h.traffic()));
        QCOMPARE(h.fakes.prompts.beeps, 1);
    }

    void telnetPortMustBeATcpPort_data()
    {
        QTest::addColumn<QByteArray>("port");
        QTest::newRow("0") << QByteArray("0");
        QTest::newRow("65536") << QByteArray("65536");
        QTest::newRow("letters") << QByteArray("telnet");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("negative") << QByteArray("-23");
    }
    void telnetPortMustBeATcpPort()
    {
        QFETCH(QByteArray, port);
        SpotHarness h(spotSettingsFile("Telnet", "9600", 3, "N", 0, "127.0.0.1", port));
        h->LoadSpotSettings();
        QVERIFY(h.tcp().connects.isEmpty());
        QVERIFY(!h->isOpen());
        QVERIFY(h.traffic().contains(QStringLiteral("ERROR: The property value is invalid.")));
    }

    void telnetServerClosingMidLine()
    {
        SpotHarness h(spotSettingsFile("Telnet"));
        h->LoadSpotSettings();
        h.tcp().accept();
        h->setDxOnly(true);
        h.tcp().feed(kSpot.left(40));
        h.tcp().remoteClose();
        QVERIFY(!h->isOpen());
        QVERIFY(h.traffic().contains(QString::fromLatin1(kSpot.left(40)) +
                                     QStringLiteral("\r\nERROR: The connection")));
        QCOMPARE(h.store->spot(49).call, QString());
    }

    // --- AGW ---
    void agwNeedsTheOwnCall()
    {
        SpotHarness h({}, nullptr, false, QByteArray(kSpotPreferences).replace("\"K1ABC\"", "\"  \""));
        h->List1_Click(SpotSourceName::Agw);
        h->OpenSpotSource();
        QVERIFY(!h->isOpen());
        QVERIFY(h.fakeAgw.starts.isEmpty());
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, spottext::kCallRequiredTitle);
        QCOMPARE(h.fakes.prompts.beeps, 1);
    }

    void agwEngineNotAnswering()
    {
        SpotHarness h;
        h.fakeAgw.answers = false;
        h.fakes.settings.setValue(SpotConnection::kAgwHostKey, QStringLiteral("10.0.0.7"));
        h.fakes.settings.setValue(SpotConnection::kAgwPortKey, QStringLiteral("8010"));
        QSignalSpy shown(&*h, &SpotConnection::windowWanted);
        h->List1_Click(SpotSourceName::Agw);
        h->OpenSpotSource();
        QCOMPARE(h.fakeAgw.starts.size(), 1);
        QCOMPARE(h.fakeAgw.starts[0].host, QStringLiteral("10.0.0.7"));
        QCOMPARE(h.fakeAgw.starts[0].port, quint16(8010));
        QCOMPARE(h.fakeAgw.starts[0].call, QByteArray("K1ABC"));
        QVERIFY(!h->isOpen() && !h->polling());
        QCOMPARE(h.fakeAgw.openLinks, 0);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, spottext::kAgwUnableTitle);
        QCOMPARE(h.fakes.prompts.messages[0].text, spottext::agwUnableMessage());
        QVERIFY(h.traffic().endsWith(spottext::agwUnableTraffic()));
        QVERIFY(!h.traffic().contains(spottext::kPortClosed));
    }

    void agwCommandsAndConnectedMode()
    {
        SpotHarness h;
        openAgw(h);
        QCOMPARE(h.fakeAgw.starts[0].host, QStringLiteral("127.0.0.1"));
        QCOMPARE(h.fakeAgw.starts[0].port, quint16(8000));
        QVERIFY(h.traffic().endsWith(spottext::kAgwConnected));
        // Without a connection: plain text and :D send nothing.
        h->txtSent_Enter(QStringLiteral("hello"));
        h->txtSent_Enter(QStringLiteral(":D"));
        QVERIFY(h.fakeAgw.puts.isEmpty());
        h->txtSent_Enter(QStringLiteral(":c"));
        QCOMPARE(h.fakes.prompts.messages.size(), 1);
        QCOMPARE(h.fakes.prompts.messages[0].title, spottext::kConnectCallRequiredTitle);
        h->txtSent_Enter(QStringLiteral(":cAB1CDEFGHIJ"));
        QVERIFY(h.traffic().contains(QStringLiteral("AB1CDEFGHIJ: a packet call sign has 1 to 9")));
        QVERIFY(h.fakeAgw.puts.isEmpty());
        h->txtSent_Enter(QStringLiteral(":c  gb7dxc "));
        QCOMPARE(h.fakeAgw.puts.size(), 2);
        QCOMPARE(h.fakeAgw.puts[0].kind, 'c');
        QCOMPARE(h.fakeAgw.puts[0].destination, QByteArray("GB7DXC"));
        QCOMPARE(h.fakeAgw.puts[1].kind, 'P');
        QVERIFY(h.fakeAgw.puts[1].data.isEmpty());

        h.fakeAgw.queue('c', "GB7DXC", "*** CONNECTED With Station GB7DXC\r");
        h->PollSpotSource();
        QCOMPARE(h->connectedCall(), QStringLiteral("GB7DXC"));
        QCOMPARE(h->caption(), QStringLiteral("DX Spotting Setup - Connected to GB7DXC"));
        QVERIFY(h.traffic().endsWith(QStringLiteral("** Connected to GB7DXC **")));
        h->txtSent_Enter(QStringLiteral("sh/dx"));
        QCOMPARE(h.fakeAgw.puts.last().kind, 'D');
        QCOMPARE(h.fakeAgw.puts.last().destination, QByteArray("GB7DXC"));
        QCOMPARE(h.fakeAgw.puts.last().data, QByteArray("sh/dx\r"));
        h.fakeAgw.queue('D', "GB7DXC", kSpot + "\r");
        h->PollSpotSource();
        QCOMPARE(h.store->spot(49).call, QStringLiteral("3B9FR"));

        // A disconnect of another station leaves the link; the connected station's ends it.
        const int beeps = h.fakes.prompts.beeps;
        h.fakeAgw.queue('d', "W1AW", "*** DISCONNECTED From Station W1AW\r");
        h->PollSpotSource();
        QCOMPARE(h->connectedCall(), QStringLiteral("GB7DXC"));
        h.fakeAgw.queue('d', "gb7dxc", "*** DISCONNECTED From Station GB7DXC\r");
        h->PollSpotSource();
        QVERIFY(h->connectedCall().isEmpty());
        QCOMPARE(h->caption(), spottext::kCaption);
        QCOMPARE(h.fakes.prompts.beeps, beeps + 2);
        QVERIFY(h.traffic().endsWith(QStringLiteral("\r\n** Disconnected from GB7DXC **\r\n")));
    }

    void agwReadsFiftyFramesATick()
    {
        SpotHarness h;
        openAgw(h);
        for (int i = 0; i < 120; ++i)
            h.fakeAgw.queue('U', "W3LPL", " 1:Fm W3LPL To ID <UI pid=F0 Len=4 PF=0 >[04:28:03]\rtext\r");
        h->PollSpotSource();
        QCOMPARE(h.fakeAgw.frames.size(), std::size_t(70));
        h->PollSpotSource();
        h->PollSpotSource();
        QVERIFY(h.fakeAgw.frames.empty());
    }

    void agwEveryOpenClosesWhatIsOpen()
    {
        SpotHarness h;
        openAgw(h);
        h.fakeAgw.queue('c', "GB7DXC", "*** CONNECTED With Station GB7DXC\r");
        h->PollSpotSource();
        h->OpenSpotSource();
        h->OpenSpotSource();
        QCOMPARE(h.fakeAgw.openLinks, 1);
        QCOMPARE(h.fakeAgw.starts.size(), 3);
        QCOMPARE(h.fakeAgw.puts.last().kind, 'd'); // the station was told goodbye first
        h.fakeAgw.answers = false;
        h->OpenSpotSource();
        QCOMPARE(h.fakeAgw.openLinks, 0);
    }

    void agwEngineGone()
    {
        SpotHarness h;
        openAgw(h);
        const int beeps = h.fakes.prompts.beeps;
        h.fakeAgw.vanish();
        QVERIFY(!h->isOpen() && !h->polling());
        QVERIFY(h.traffic().contains(QStringLiteral("** Connection to the AGW Packet Engine lost **")));
        QCOMPARE(h.fakes.prompts.beeps, beeps + 1);
    }

    void agwWordWrap()
    {
        SpotHarness h;
        openAgw(h);
        h.fakeAgw.queue('c', "GB7DXC", "*** CONNECTED With Station GB7DXC\r");
        h->PollSpotSource();
        const QString seventy(70, QLatin1Char('a'));
        QVERIFY(!h->txtSent_Change(seventy + QLatin1Char('b')));
        QVERIFY(!h->txtSent_Change(seventy.left(69) + QLatin1Char(' ')));
        QVERIFY(h->txtSent_Change(seventy + QLatin1Char(' ')));
        QCOMPARE(h.fakeAgw.puts.last().data, (seventy + QLatin1Char('\r')).toLatin1());
    }

    // --- Spots, counters, Done, end ---
    void ownCallSpotted()
    {
        SpotHarness h;
        QSignalSpy notice(&*h, &SpotConnection::ownCallSpotted);
        h->DispatchSpot({QStringLiteral("14025.0"), QStringLiteral("k1abc")},
                        QStringLiteral("DX de W1AW:     14025.0  K1ABC   qrp 1812Z\r\n"));
        QCOMPARE(notice.count(), 1);
        QCOMPARE(notice.at(0).at(0).toString(), QStringLiteral("de W1AW:     14025.0  K1ABC   qrp 1812Z"));
        QCOMPARE(h.fakes.prompts.beeps, 1);
        QCOMPARE(h.store->spot(49).call, QStringLiteral("k1abc")); // stored like any other spot
        h->DispatchSpot({QStringLiteral("14025.0"), QString()}, QStringLiteral("DX de W1AW: 14025.0"));
        QCOMPARE(notice.count(), 1); // an empty call is never the own call
    }

    void redrawHookAfter360IdleTicks()
    {
        SpotHarness h;
        QSignalSpy redraw(&*h, &SpotConnection::bandMapRedrawDue);
        for (int i = 0; i < 360; ++i)
            h->PollSpotSource();
        QCOMPARE(redraw.count(), 0);
        h->DispatchSpot({QStringLiteral("14025.0"), QStringLiteral("DL1ABC")},
                        QStringLiteral("DX de X: 14025.0 DL1ABC"));
        QCOMPARE(h->LabelUpdateTimeCounter(), 0.0f);
        for (int i = 0; i < 361; ++i)
            h->PollSpotSource();
        QCOMPARE(redraw.count(), 1);
        QCOMPARE(h->LabelUpdateTimeCounter(), 0.0f);
    }

    void spotLast()
    {
        SpotHarness h;
        const SpotLastText last = h->Command3_Click();
        QCOMPARE(last.text, QStringLiteral("DX Frequency in kHz DL1ABC"));
        QCOMPARE(last.text.mid(last.selectionStart, last.selectionLength),
                 QStringLiteral("Frequency in kHz"));
    }

    void doneSavesOpensAndAsksForTheSpotArea()
    {
        SpotHarness h;
        h->LoadSpotSettings();
        h->List1_Click(SpotSourceName::Telnet);
        h->setTelnetHost(QStringLiteral("dxc.example.net"));
        h->setTelnetPort(QStringLiteral("7300"));
        h->setListDisplay(false);
        QSignalSpy resize(&*h, &SpotConnection::PacketResize);
        h->cmdDone_Click();
        QVERIFY(h->isOpen());
        QCOMPARE(h.tcp().connects.size(), 1);
        QCOMPARE(resize.count(), 1);
        QCOMPARE(h.read("PackSpot.txt"), spotSettingsFile("Telnet", "9600", 1, "N", 0, "dxc.example.net")
                                             .replace("\r\n2\r\n", "\r\n1\r\n"));
        QVERIFY(h.fakes.prompts.messages.isEmpty());

        // A file that did not read is kept, and the operator is told which and why.
        SpotHarness bad(spotSettingsFile("TNC").replace("\r\n2\r\n", "\r\n300\r\n"));
        bad->LoadSpotSettings();
        bad->cmdDone_Click();
        QCOMPARE(bad.fakes.prompts.messages.size(), 1);
        QVERIFY(bad.fakes.prompts.messages[0].text.contains(QStringLiteral("PackSpot.txt")));
        QVERIFY(bad.read("PackSpot.txt").contains("\r\n300\r\n"));
    }

    void programEndSaysGoodbyeAndLetsGo()
    {
        SpotHarness h;
        openAgw(h);
        h.fakeAgw.queue('c', "GB7DXC", "*** CONNECTED With Station GB7DXC\r");
        h->PollSpotSource();
        h->shutdown();
        QCOMPARE(h.fakeAgw.puts.last().kind, 'd');
        QCOMPARE(h.fakeAgw.puts.last().destination, QByteArray("GB7DXC"));
        QVERIFY(!h.fakeAgw.isOpen());
        QVERIFY(!h->polling());

        SpotHarness tnc(spotSettingsFile("TNC"));
        tnc->LoadSpotSettings();
        tnc->shutdown();
        QVERIFY(!tnc.serial().isOpen() && !tnc.serial().rts && !tnc.serial().dtr);
    }
};

QTEST_GUILESS_MAIN(TestSpotConnection)
#include "tst_spotconnection.moc"
