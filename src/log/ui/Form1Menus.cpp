// The main window's menus: built with every item the program has, items of windows not built yet disabled.

#include "log/ui/Form1.h"

#include "log/ui/EntryRowPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>

namespace velm {

namespace {
// Menu items whose windows arrive later are present but disabled.
QAction* addItem(QMenu* menu, const QString& text, const char* name, bool enabled = false)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QAction* addCheckItem(QMenu* menu, const QString& text, const char* name, bool enabled = false)
{
    QAction* action = addItem(menu, text, name, enabled);
    action->setCheckable(true);
    return action;
}

} // namespace

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    mnuNew = addItem(file, QStringLiteral("&New"), "mnuNew");
    mnuArchive = addItem(file, QStringLiteral("Archive Current &Log"), "mnuArchive");
    mnuRestore = addItem(file, QStringLiteral("&Restore from Archive or Backup"), "mnuRestore");
    mnuOpen = addItem(file, QStringLiteral("&Open"), "mnuOpen");
    file->addSeparator();
    mnuWriteSumm = addItem(file, QStringLiteral("&Write Summary and Log Files"), "mnuWriteSumm");
    mnuADIF = addItem(file, QStringLiteral("Export &ADIF File"), "mnuADIF");
    mnuKestroneImport = addItem(file, QStringLiteral("E&xport for Kestrone Import"), "mnuKestroneImport");
    mnuCopyListtoClipboard =
        addItem(file, QStringLiteral("&Copy Listed Items to Clipboard"), "mnuCopyListtoClipboard");
    file->addSeparator();
    mnuPostContest = addCheckItem(file, QStringLiteral("&Post Contest Mode"), "mnuPostContest");
    file->addSeparator();
    mnuExit = addItem(file, QStringLiteral("&Exit"), "mnuExit", true);
    connect(mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);

    mnuSetup = bar->addAction(QStringLiteral("&Setup"));
    mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
    mnuSetup->setEnabled(false);

    QMenu* band = bar->addMenu(QStringLiteral("&Band"));
    auto* bands = new QActionGroup(this);
    mnuBand160Ch = addCheckItem(band, QStringLiteral("160"), "mnuBand160Ch");
    mnuBand80Ch = addCheckItem(band, QStringLiteral("80"), "mnuBand80Ch");
    mnuBand40Ch = addCheckItem(band, QStringLiteral("40"), "mnuBand40Ch");
    mnuBand20Ch = addCheckItem(band, QStringLiteral("20"), "mnuBand20Ch");
    mnuBand15Ch = addCheckItem(band, QStringLiteral("15"), "mnuBand15Ch");
    mnuBand10Ch = addCheckItem(band, QStringLiteral("10"), "mnuBand10Ch");
    mnuBand6Ch = addCheckItem(band, QStringLiteral("6"), "mnuBand6Ch");
    for (QAction* item :
         {mnuBand160Ch, mnuBand80Ch, mnuBand40Ch, mnuBand20Ch, mnuBand15Ch, mnuBand10Ch, mnuBand6Ch})
        bands->addAction(item);
    band->addSeparator();
    mnuPrivileges = addItem(band, QStringLiteral("&Privileges"), "mnuPrivileges");

    QMenu* mode = bar->addMenu(QStringLiteral("&Mode"));
    auto* modes = new QActionGroup(this);
    mnu160 = addCheckItem(mode, QStringLiteral("&CW"), "mnu160");
    mnuSSB = addCheckItem(mode, QStringLiteral("&PH"), "mnuSSB");
    modes->addAction(mnu160);
    modes->addAction(mnuSSB);

    QMenu* keyers = bar->addMenu(QStringLiteral("&Keyers"));
    mnuCwKeyer = addItem(keyers, QStringLiteral("&CW Keyer\tCtrl+S"), "mnuCwKeyer");
    mnuCwStrings = addItem(keyers, QStringLiteral("CW &Strings\tCtrl+W"), "mnuCwStrings");
    mnuVoiceKeyer = addItem(keyers, QStringLiteral("&Voice Keyer\tCtrl+P"), "mnuVoiceKeyer");
    mnuCodePractice = addItem(keyers, QStringLiteral("Code &Practice"), "mnuCodePractice");
    keyers->addSeparator();
    mnuBlind = addItem(keyers, QStringLiteral("&Voice Navigation"), "mnuBlind");

    QMenu* rig = bar->addMenu(QStringLiteral("&Rig"));
    mnuRigInterface = addItem(rig, QStringLiteral("&Rig Interface\tCtrl+R"), "mnuRigInterface");
    mnuRigTune = addItem(rig, QStringLiteral("Change &Frequency and Mode\tCtrl+G"), "mnuRigTune");

    QMenu* spotting = bar->addMenu(QStringLiteral("&DX Spotting"));
    mnuSpotConfigure = addItem(spotting, QStringLiteral("&Configure\tCtrl+D"), "mnuSpotConfigure");
    mnuSpectrumMap = addItem(spotting, QStringLiteral("&View Spectrum Map\tCtrl+B"), "mnuSpectrumMap");

    QMenu* appearance = bar->addMenu(QStringLiteral("&Appearance"));
    mnuColors = addItem(appearance, QStringLiteral("&Colors"), "mnuColors");
    mnuFormSize = addItem(appearance, QStringLiteral("&Form Size"), "mnuFormSize");
    mnuTaskbar = addCheckItem(appearance, QStringLiteral("&Taskbar"), "mnuTaskbar");
    appearance->addSeparator();
    mnuListPrevious = addCheckItem(appearance, QStringLiteral("&List Previous Contacts"), "mnuListPrevious");

    mnuGraph = bar->addAction(QStringLiteral("&Graph"));
    mnuGraph->setObjectName(QStringLiteral("mnuGraph"));
    mnuGraph->setEnabled(false);

    // Help first, so Alt+H then Enter opens the help page; the licences and data versions beside it.
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp = addItem(help, QStringLiteral("&Help"), "mnuHelp", true);
    mnuAbout = addItem(help, QStringLiteral("&About velmlog"), "mnuAbout", true);
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
}

void Form1::connectMenus()
{
    const std::array<QAction*, Band::Count> items = bandItems();
    for (const Band& band : Band::all()) {
        QAction* item = items[std::size_t(band.column() - 1)];
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this, band] { selectBand(band.text()); });
    }
    mnu160->setEnabled(true);
    mnuSSB->setEnabled(true);
    connect(mnu160, &QAction::triggered, this, [this] { selectMode(modeText(Mode::Cw)); });
    connect(mnuSSB, &QAction::triggered, this, [this] { selectMode(modeText(Mode::Phone)); });
    mnuSetup->setEnabled(true);
    connect(mnuSetup, &QAction::triggered, this, &Form1::mnuSetup_Click);
    for (QAction* item : {mnuNew, mnuArchive, mnuRestore, mnuOpen})
        item->setEnabled(true);
    connect(mnuNew, &QAction::triggered, this, [this] {
        StartNewLog();
        TimeStats();
    });
    connect(mnuArchive, &QAction::triggered, this, &Form1::mnuArchive_Click);
    connect(mnuRestore, &QAction::triggered, this, &Form1::mnuRestore_Click);
    connect(mnuOpen, &QAction::triggered, this, &Form1::mnuOpen2);
    mnuColors->setEnabled(true);
    connect(mnuColors, &QAction::triggered, this, &Form1::mnuColors_Click);
    mnuListPrevious->setEnabled(true);
    connect(mnuListPrevious, &QAction::triggered, this, &Form1::mnuListPrevious_Click);
    mnuFormSize->setEnabled(true);
    connect(mnuFormSize, &QAction::triggered, this, &Form1::mnuFormSize_Click);
    mnuTaskbar->setEnabled(true);
    connect(mnuTaskbar, &QAction::triggered, this, &Form1::mnuTaskbar_Click);
    mnuPostContest->setEnabled(true);
    connect(mnuPostContest, &QAction::toggled, m_entry, &EntryRowPanel::setPostContestShown);
}

} // namespace velm
