#pragma once
// Responsibilities: the main window: owner and only writer of the LogStore and log.txt, its menu bar, and the
// public operations other windows call (reload, append, rewrite).

#include "log/LogFile.h"
#include "log/LogStore.h"
#include "log/ProgramFolder.h"
#include "log/UserFolderSetup.h"
#include "platform/Services.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;

namespace velm {

class Form5;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    static const QString Title;

    Form1(Services services, ProgramFolder programFolder, UserFolderPaths userFolders, QWidget* parent = nullptr);
    ~Form1() override;

    // Reloads the whole store from log.txt and refreshes every derived view. On failure the operator is told
    // ("File Error"), nothing is written, programMustEnd is emitted and false is returned.
    bool mnuOpen2();
    // Adds the record to the store and appends it to log.txt; on a failed write the record is taken back
    // out, the operator is told why, and false is returned.
    bool AppendQso(const QsoRecord& record);
    // Replaces log.txt by the store; the caller reloads afterwards.
    bool RewriteLog();

    const LogStore& logStore() const { return m_store; }
    const ProgramFolder& programFolder() const { return m_programFolder; }
    const UserFolderPaths& userFolders() const { return m_userFolders; }
    // The multiplier tables listen to every successful reload.
    void setReloadObserver(LogReloadObserver* observer) { m_reloadObserver = observer; }

    // Menu items, named as the rest of the program refers to them.
    QAction* mnuNew = nullptr;
    QAction* mnuArchive = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuWriteSumm = nullptr;
    QAction* mnuADIF = nullptr;
    QAction* mnuKestroneImport = nullptr;
    QAction* mnuCopyListtoClipboard = nullptr;
    QAction* mnuPostContest = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuBand160Ch = nullptr;
    QAction* mnuBand80Ch = nullptr;
    QAction* mnuBand40Ch = nullptr;
    QAction* mnuBand20Ch = nullptr;
    QAction* mnuBand15Ch = nullptr;
    QAction* mnuBand10Ch = nullptr;
    QAction* mnuBand6Ch = nullptr;
    QAction* mnuPrivileges = nullptr;
    QAction* mnu160 = nullptr; // "&CW"
    QAction* mnuSSB = nullptr; // "&PH"
    QAction* mnuCwKeyer = nullptr;
    QAction* mnuCwStrings = nullptr;
    QAction* mnuVoiceKeyer = nullptr;
    QAction* mnuCodePractice = nullptr;
    QAction* mnuBlind = nullptr;
    QAction* mnuRigInterface = nullptr;
    QAction* mnuRigTune = nullptr;
    QAction* mnuSpotConfigure = nullptr;
    QAction* mnuSpectrumMap = nullptr;
    QAction* mnuColors = nullptr;
    QAction* mnuFormSize = nullptr;
    QAction* mnuTaskbar = nullptr;
    QAction* mnuListPrevious = nullptr;
    QAction* mnuGraph = nullptr;
    QAction* mnuHelp = nullptr;

    // Score block.
    QLabel* lblTotCon = nullptr;
    QLabel* lblTotSec = nullptr;

Q_SIGNALS:
    // The program cannot go on (the log could not be reloaded); main ends the event loop with this code.
    void programMustEnd(int exitCode);

private:
    void buildMenus();
    void buildCentralArea();
    void showScore();
    void mnuHelp_Click();
    void mnuExit_Click();

    Services m_services;
    ProgramFolder m_programFolder;
    UserFolderPaths m_userFolders;
    LogFile m_logFile;
    LogStore m_store;
    LogReloadObserver* m_reloadObserver = nullptr;
    Form5* m_help = nullptr;
};

} // namespace velm
