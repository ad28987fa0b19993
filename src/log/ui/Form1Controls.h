#pragma once
// Responsibilities: the main window's menu items and controls under the names the rest of the program uses
// for them (see README.md here). The panels own the controls; these are aliases the main window fills in.

#include <QList>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace velm {

struct Form1Menus {
    QAction *mnuNew = nullptr, *mnuArchive = nullptr, *mnuRestore = nullptr, *mnuOpen = nullptr;
    QAction *mnuWriteSumm = nullptr, *mnuADIF = nullptr, *mnuKestroneImport = nullptr;
    QAction *mnuCopyListtoClipboard = nullptr, *mnuPostContest = nullptr, *mnuExit = nullptr;
    QAction* mnuSetup = nullptr;
    QAction *mnuBand160Ch = nullptr, *mnuBand80Ch = nullptr, *mnuBand40Ch = nullptr, *mnuBand20Ch = nullptr;
    QAction *mnuBand15Ch = nullptr, *mnuBand10Ch = nullptr, *mnuBand6Ch = nullptr, *mnuPrivileges = nullptr;
    QAction* mnu160 = nullptr; // "&CW"
    QAction* mnuSSB = nullptr; // "&PH"
    QAction *mnuCwKeyer = nullptr, *mnuCwStrings = nullptr, *mnuVoiceKeyer = nullptr;
    QAction *mnuCodePractice = nullptr, *mnuBlind = nullptr;
    QAction *mnuRigInterface = nullptr, *mnuRigTune = nullptr;
    QAction *mnuSpotConfigure = nullptr, *mnuSpectrumMap = nullptr;
    QAction *mnuColors = nullptr, *mnuFormSize = nullptr, *mnuTaskbar = nullptr, *mnuListPrevious = nullptr;
    QAction *mnuGraph = nullptr, *mnuHelp = nullptr;
};

struct Form1Controls {
    // Own station.
    QLabel *Label2 = nullptr, *Label25 = nullptr, *Label4 = nullptr;
    // Clocks, band and mode.
    QLabel *lblutctime = nullptr, *lblCurTime = nullptr, *Label16 = nullptr, *lblttrack = nullptr;
    QPushButton* cmdLogOn = nullptr;
    QTimer* Timer2 = nullptr;
    QLabel *Label24 = nullptr, *Label30 = nullptr;
    // Entry row, message line, post-contest fields.
    QLineEdit *txtCall = nullptr, *txtRSTR = nullptr, *txtCntry = nullptr, *txtSec = nullptr,
              *txtRSTS = nullptr;
    QLabel* lblDialog = nullptr;
    QList<QLabel*> lblStation; // captions 0..4 of the entry row, 5 of the DX list
    QPushButton* cmdClear = nullptr;
    QLineEdit *txtPostConTime = nullptr, *txtPostConDate = nullptr;
    QLabel *lblPostConTime = nullptr, *lblPostConDate = nullptr;
    // Country lookup.
    QLabel *Label19 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label3 = nullptr;
    // Possible duplicates.
    QLabel *lblPossDup = nullptr, *lblDupe = nullptr;
    QPushButton* cmdDup = nullptr;
    // Multipliers: Label10[1..62] (index 0 unused) and the DX countries of the current band.
    QLabel* Label15 = nullptr;
    QList<QLabel*> Label10;
    QListWidget* List1 = nullptr;
    // Score and rates.
    QLabel *lblTotCon = nullptr, *lblsectogo = nullptr, *lblTotSec = nullptr, *lblTotScore = nullptr;
    QLabel *lblAQSO60 = nullptr, *lblAQSO20 = nullptr;
    QTimer* Timer1 = nullptr;
    // Contact list.
    QTreeWidget* ListView1 = nullptr;
    QPushButton *cmdList = nullptr, *cmdEdit = nullptr, *cmdDelete = nullptr;
};

} // namespace velm
