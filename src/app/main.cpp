// velmlog: the QRP VELM contest logger. main builds the platform services once and wires the windows.

#include "log/ContestSession.h"
#include "log/SharedPreferences.h"
#include "log/StationPorts.h"
#include "log/UserFolderSetup.h"
#include "log/ui/Form1.h"
#include "log/ui/frmLogo.h"
#include "output/ui/OutputMenus.h"
#include "rig/Rig.h"
#include "rig/ui/RigWindows.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"
#include "platform/SystemClock.h"
#include "platform/SystemUserFolders.h"
#include "platform/io/LineSafety.h"
#include "platform/io/SystemStationServices.h"
#include "platform/ui/QtPrompts.h"

#include <QApplication>
#include <QDir>

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

    // The serial ports, the parallel port and the TCP clients the station subsystems open.
    velm::SystemStationServices stationServices(settings);

    // The station subsystems as the log reaches them; each stays a null port until it is built.
    velm::NullCwSender cw;
    velm::NullVoiceKeyer voiceKeyer;
    velm::NullWinKeyState winKey;
    velm::Rig rig(session, services, stationServices.services());
    velm::NullVoicePrompts voice;
    velm::StationLifecycles stations;
    stations.add(rig);

    velm::Form1 mainWindow(
        velm::Form1Context{services, session, sharedPreferences,
                           velm::StationPorts{cw, voiceKeyer, winKey, rig, voice, stations}});
    QObject::connect(&mainWindow, &velm::Form1::programMustEnd, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    velm::connectOutputMenus({mainWindow.mnuWriteSumm, mainWindow.mnuADIF, mainWindow.mnuKestroneImport,
                              mainWindow.mnuCopyListtoClipboard},
                             session, mainWindow, velm::Form1::Title, services, sharedPreferences,
                             &mainWindow);
    velm::RigWindows* rigWindows = velm::connectRigMenus(
        {mainWindow.mnuRigInterface, [&mainWindow](const QString& text) { mainWindow.showMessage(text); }}, rig,
        prompts, &mainWindow);
    QObject::connect(&mainWindow, &velm::Form1::windowRequested, rigWindows, &velm::RigWindows::windowRequested);
    mainWindow.show();
    if (!mainWindow.startUp())
        return 1;
    return QApplication::exec();
}
