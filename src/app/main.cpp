// velmlog: the QRP VELM contest logger. main builds the platform services once and wires the windows.

#include "log/ContestSession.h"
#include "log/SharedPreferences.h"
#include "log/StationPorts.h"
#include "log/UserFolderSetup.h"
#include "log/ui/Form1.h"
#include "log/ui/frmLogo.h"
#include "output/ui/OutputMenus.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"
#include "platform/SystemClock.h"
#include "platform/SystemUserFolders.h"
#include "platform/io/LineSafety.h"
#include "platform/io/SystemStationServices.h"
#include "platform/ui/QtPrompts.h"
#include "platform/ui/SerialPortsWindow.h"
#include "transmit/MorseClock.h"
#include "transmit/TransmitController.h"
#include "transmit/WinKeyProtocolLink.h"
#include "transmit/ui/CWFrm.h"
#include "transmit/ui/frmCWStrings.h"
#include "transmit/ui/frmWinKey.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    // Before any port opens: a kill or a crash releases every key and PTT line.
    velm::LineSafety::install();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmlog"));
    QApplication::setOrganizationName(QStringLiteral("Orvane_Software"));

    velm::QtPrompts prompts;
    velm::SystemClock clock;
    velm::QtSettingsStore settings;
    velm::SystemUserFolders folders;
    const velm::Services services{prompts, clock, settings, folders};

    // The folder current at start is the program folder: log.txt and the program's files live there.
    const velm::ProgramFolder programFolder(QDir::currentPath());
    velm::SharedPreferences sharedPreferences;
    const velm::UserFolderPaths userFolders = velm::prepareUserFolders(folders, prompts, sharedPreferences);
    QDir::setCurrent(programFolder.path());
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

    // The station subsystems as the log reaches them; each stays a null port until it is built.
    velm::NullVoiceKeyer voiceKeyer;
    velm::NullRigPort rig;
    velm::NullVoicePrompts voice;
    velm::StationLifecycles stations;
    stations.add(transmit);

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

    mainWindow.show();
    if (!mainWindow.startUp())
        return 1;
    return QApplication::exec();
}
