// velmlog: the QRP VELM contest logger. main builds the platform services once and wires the windows.

#include "log/ContestSession.h"
#include "log/SharedPreferences.h"
#include "log/StationPorts.h"
#include "log/UserFolderSetup.h"
#include "log/WorkingFolder.h"
#include "log/ui/Form1.h"
#include "log/ui/frmLogo.h"
#include "output/ui/OutputMenus.h"
#include "rig/Rig.h"
#include "rig/ui/RigWindows.h"
#include "views/ui/BandPlanMenu.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"
#include "platform/SystemClock.h"
#include "platform/SystemUserFolders.h"
#include "platform/io/LineSafety.h"
#include "platform/io/QtAgwEngine.h"
#include "platform/io/SystemStationServices.h"
#include "platform/ui/ProgramIcon.h"
#include "platform/ui/QtPrompts.h"
#include "spots/SpotConnection.h"
#include "spots/SpotStore.h"
#include "spots/SpotTexts.h"
#include "spots/ui/SpotArea.h"
#include "spots/ui/SpotViews.h"
#include "spots/ui/SpotWindows.h"
#include "platform/ui/SerialPortsWindow.h"
#include "transmit/MorseClock.h"
#include "transmit/TransmitController.h"
#include "transmit/WinKeyProtocolLink.h"
#include "transmit/ui/CWFrm.h"
#include "transmit/ui/frmCWStrings.h"
#include "transmit/ui/frmWinKey.h"
#include "platform/audio/QtWavePlayer.h"
#include "transmit/PhoneKeyer.h"
#include "transmit/VoiceNavigation.h"
#include "transmit/ui/VoiceWindows.h"
#include "transmit/ui/frmCodePractice.h"
#include "views/ui/GraphQSO.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QStandardPaths>

#include <cstdio>

namespace {

void report(const QString& text)
{
    std::fprintf(stderr, "velmlog: %s\n", qPrintable(text));
}

// An installed logger works in its own folder, seeded from the shipped data as `./velm run` seeds it; a
// logger started from the build tree works in the folder current at start.
bool enterWorkingFolder(velm::Prompts& prompts, bool quiet)
{
    const std::optional<QString> data = velm::installedDataFolder(QCoreApplication::applicationDirPath());
    if (!data)
        return true;
    const QString folder = velm::installedWorkingFolder(
        qEnvironmentVariable("VELM_DIR"), QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    const velm::SeedResult seeded = velm::seedWorkingFolder(*data, folder);
    for (const QString& name : seeded.copied)
        report(QStringLiteral("copied %1 into %2").arg(name, QDir::toNativeSeparators(folder)));
    if (!seeded.ok() || !QDir::setCurrent(folder)) {
        const QString why = seeded.ok() ? QStringLiteral("%1: the folder cannot be entered").arg(folder)
                                        : seeded.failures.join(QLatin1Char('\n'));
        report(why);
        if (!quiet)
            prompts.detailedMessage(QStringLiteral("The working folder could not be prepared."), why,
                                    QStringLiteral("velmlog"), velm::MessageIcon::Critical);
        return false;
    }
    return true;
}

// `velmlog --check-data`: loads the settings, the prefix table and the log of the working folder as a start
// does, says what it found, and ends without a window.
int checkData(velm::ContestSession& session)
{
    int failures = 0;
    for (const auto& [what, result] :
         {std::pair{"settings", session.ReadPreferences()},
          std::pair{"prefix table", session.LoadPrefixTable()}, std::pair{"log", session.mnuOpen2()}}) {
        if (!result.ok) {
            report(QStringLiteral("%1: %2").arg(QLatin1String(what), result.error));
            ++failures;
        }
    }
    report(QStringLiteral("%1: %2 prefixes, %3 contacts")
               .arg(QDir::toNativeSeparators(session.programFolder().path()))
               .arg(session.prefixTable().count())
               .arg(session.store().QsoCount()));
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any port opens: a kill or a crash releases every key and PTT line.
    velm::LineSafety::install();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmlog"));
    QApplication::setOrganizationName(QStringLiteral("Orvane_Software"));
    QApplication::setApplicationVersion(QStringLiteral(VELMLOG_VERSION));
    velm::applyProgramIcon();
    const bool checkOnly = QCoreApplication::arguments().contains(QStringLiteral("--check-data"));

    velm::QtPrompts prompts;
    velm::SystemClock clock;
    velm::QtSettingsStore settings;
    velm::SystemUserFolders folders;
    const velm::Services services{prompts, clock, settings, folders};
    if (!enterWorkingFolder(prompts, checkOnly))
        return 1;

    // The folder current at start is the program folder: log.txt and the program's files live there.
    const velm::ProgramFolder programFolder(QDir::currentPath());
    velm::SharedPreferences sharedPreferences;
    const velm::UserFolderPaths userFolders = velm::prepareUserFolders(folders, prompts, sharedPreferences);
    QDir::setCurrent(programFolder.path());
    if (checkOnly) {
        velm::ContestSession session(services, programFolder, userFolders);
        return checkData(session);
    }
    {
        velm::frmLogo logo(userFolders.SharedFolder);
        logo.exec();
    }

    // The contest: the log, the preferences and their rules; the windows show it.
    velm::ContestSession session(services, programFolder, userFolders);

    // The station services: serial ports by number, the parallel port, lines made per use.
    velm::SystemStationServices systemStation(settings);
    const velm::StationServices station = systemStation.services();

    // CW: the Morse engine on the keying lines, the WinKey keyer over its serial port.
    velm::SteadyMorseClock morseClock;
    velm::WinKeyProtocolLink winKeyLink(station.serialPorts, station.newSerialLine());
    velm::TransmitController transmit(
        velm::TransmitContext{services, station, session, morseClock, winKeyLink});

    // Voice: the phone messages keying PTT, and the spoken prompts, each on a player of its own.
    velm::QtWavePlayer voicePlayer, promptPlayer;
    velm::PhoneKeyer voiceKeyer(
        velm::PhoneKeyerContext{services, station, session, transmit.transmitPorts(), voicePlayer});
    velm::VoiceNavigation voice(velm::VoiceNavigationContext{session, promptPlayer,
                                                             [&voiceKeyer] { return voiceKeyer.transmitting(); }});

    // The station subsystems as the log reaches them; each stays a null port until it is built.
    velm::Rig rig(session, services, station);
    velm::StationLifecycles stations;
    stations.add(voiceKeyer); // wave2.txt is read just before cw.txt
    stations.add(transmit);
    stations.add(rig);

    // DX spotting: the spot sources and the store of spots the views observe.
    velm::SpotStore spotStore(clock);
    velm::QtAgwEngine agwEngine;
    velm::SpotConnection spots(services, station, agwEngine, session, spotStore);
    stations.add(spots);

    velm::Form1 mainWindow(
        velm::Form1Context{services, session, sharedPreferences,
                           velm::StationPorts{transmit, voiceKeyer, transmit, rig, voice, stations}});
    transmit.setEntryRow(&mainWindow);
    QObject::connect(&mainWindow, &velm::Form1::programMustEnd, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    velm::connectOutputMenus({mainWindow.mnuWriteSumm, mainWindow.mnuADIF, mainWindow.mnuKestroneImport,
                              mainWindow.mnuCopyListtoClipboard},
                             session, mainWindow, velm::Form1::Title, services, sharedPreferences,
                             &mainWindow);
    velm::SpotWindows spotWindows(spots, &mainWindow);
    spotWindows.connectConfigure(mainWindow.mnuSpotConfigure);
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, &spotWindows,
                     [&spotWindows](velm::WindowShortcut window) {
                         if (window == velm::WindowShortcut::DxSpotting)
                             spotWindows.showPacketSpotfrm();
                     });
    // The spot list or band map at the bottom of the main window, and the spectrum map.
    velm::SpotViews spotViews({spotStore, spots, session, clock, rig, mainWindow}, &mainWindow);
    mainWindow.addSpotArea(spotViews.area());
    spotViews.connectSpectrumMap(mainWindow.mnuSpectrumMap);
    QObject::connect(&spotViews, &velm::SpotViews::hovered, &mainWindow, &velm::Form1::showSpotHover);
    QObject::connect(&spotViews, &velm::SpotViews::callFieldWanted, mainWindow.txtCall,
                     [&mainWindow] { mainWindow.txtCall->setFocus(); });
    QObject::connect(&spotViews, &velm::SpotViews::configureWanted, &spotWindows,
                     &velm::SpotWindows::showPacketSpotfrm);
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, &spotViews,
                     [&spotViews](velm::WindowShortcut window) {
                         if (window == velm::WindowShortcut::SpectrumMap)
                             spotViews.showSpectrumMap();
                     },
                     Qt::QueuedConnection); // the map's modal loop runs after the key is handled
    QObject::connect(&spots, &velm::SpotConnection::ownCallSpotted, &mainWindow,
                     [&mainWindow](const QString& record) {
                         mainWindow.showWhiteNotice(velm::spottext::kSpottedMessage,
                                                    velm::spottext::spottedDupesLine(record));
                     });
    velm::RigWindows* rigWindows = velm::connectRigMenus(
        {mainWindow.mnuRigInterface, [&mainWindow](const QString& text) { mainWindow.showMessage(text); },
         mainWindow.mnuRigTune},
        rig, prompts, &mainWindow);
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, rigWindows, &velm::RigWindows::windowRequested);
    auto* bandPlan = new velm::BandPlanMenu(mainWindow.mnuPrivileges, session.programFolder().path(), prompts,
                                            &mainWindow);
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, bandPlan, &velm::BandPlanMenu::windowRequested);
    // The CW windows: created now, hidden between uses.
    velm::CWFrm cwWindow(transmit, prompts, station.serialCatalog, &mainWindow);
    cwWindow.setWindowFlag(Qt::Window);
    velm::frmCWStrings cwStrings(transmit, &mainWindow);
    cwStrings.setKeyForwarder([&mainWindow](QKeyEvent* key) { return mainWindow.forwardedKeyPress(key); });
    cwWindow.setWinKeyWindow([&] {
        velm::frmWinKey winKeyWindow(transmit, prompts, station.serialCatalog, &cwWindow);
        winKeyWindow.exec();
    });
    QObject::connect(&cwWindow, &velm::CWFrm::done, &mainWindow, [&] {
        if (transmit.cwKeyingConfigured())
            cwStrings.showMinimized();
        mainWindow.activateWindow();
        mainWindow.txtCall->setFocus();
    });
    QObject::connect(&transmit, &velm::TransmitController::setupWindowWanted, &cwWindow, [&] {
        if (!cwWindow.isVisible())
            cwWindow.showNormalRaised();
    });
    QObject::connect(
        &transmit, &velm::TransmitController::messageLine, &mainWindow, [&](const QString& text) {
            mainWindow.showMessage(text, transmit.KeyboardCwMode() ? velm::MessageTone::KeyboardCw
                                                                   : velm::MessageTone::Normal);
        });
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, &mainWindow,
                     [&](velm::WindowShortcut window) {
                         if (window == velm::WindowShortcut::CwKeyer)
                             cwWindow.showNormalRaised();
                         else if (window == velm::WindowShortcut::CwStrings)
                             cwStrings.showNormalRaised();
                     });
    mainWindow.mnuCwKeyer->setEnabled(true);
    QObject::connect(mainWindow.mnuCwKeyer, &QAction::triggered, &cwWindow, &velm::CWFrm::showNormalRaised);
    mainWindow.mnuCwStrings->setEnabled(true);
    QObject::connect(mainWindow.mnuCwStrings, &QAction::triggered, &cwStrings,
                     &velm::frmCWStrings::showNormalRaised);
    // "Serial Ports" beside "&Setup": which device each port number opens.
    auto* serialPorts = new QAction(QStringLiteral("Serial P&orts"), &mainWindow);
    serialPorts->setObjectName(QStringLiteral("mnuSerialPorts"));
    mainWindow.menuBar()->insertAction(mainWindow.mnuSetup, serialPorts);
    mainWindow.menuBar()->insertAction(serialPorts, mainWindow.mnuSetup);
    QObject::connect(serialPorts, &QAction::triggered, &mainWindow, [&] {
        velm::openSerialPortsWindow(&mainWindow, station.serialPorts, station.serialCatalog);
    });

    // The voice windows: created now, hidden between uses.
    velm::VoiceWindows voiceWindows(voiceKeyer, voice, prompts, station.serialCatalog, &mainWindow, [&] {
        mainWindow.activateWindow();
        mainWindow.txtCall->setFocus();
    });
    voiceWindows.connectMenus({mainWindow.mnuVoiceKeyer, mainWindow.mnuBlind});
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, &voiceWindows,
                     &velm::VoiceWindows::windowRequested);
    mainWindow.mnuCodePractice->setEnabled(true);
    QObject::connect(mainWindow.mnuCodePractice, &QAction::triggered, &mainWindow,
                     [&] { velm::openCodePractice(transmit, &mainWindow); });
    // "&Graph": the rate graph over the log, modal.
    mainWindow.mnuGraph->setEnabled(true);
    QObject::connect(mainWindow.mnuGraph, &QAction::triggered, &mainWindow,
                     [&] { velm::openGraphQSO(session.store(), prompts, &mainWindow); });

    mainWindow.show();
    if (!mainWindow.startUp())
        return 1;
    return QApplication::exec();
}
