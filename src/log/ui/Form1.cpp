#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/SharedPreferences.h"
#include "log/StationProfile.h"
#include "log/UtcOffsetCheck.h"
#include "log/ui/Form1Parts.h"
#include "log/ui/Form5.h"
#include "log/ui/frmStationID.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

using namespace form1;

const QString Form1::Title = QStringLiteral("Orvane's QRP VELM Log 2.4");

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

Form1::Form1(Form1Context context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)), m_services(m_context.services),
      m_logFile(m_context.programFolder.path()), m_preferencesFile(m_context.programFolder.path()),
      m_keyRouter(m_context.ports.cw, m_context.ports.voiceKeyer, m_context.ports.winKey), m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Title);
    buildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(buildStationArea());
    top->addWidget(buildClockArea());
    top->addWidget(buildBandModeArea());
    top->addStretch(1);
    layout->addLayout(top);
    auto* entry = new QHBoxLayout;
    entry->addWidget(buildEntryRow(), 1);
    entry->addWidget(buildLookupArea());
    layout->addLayout(entry);
    layout->addWidget(buildDupeArea());
    auto* middle = new QHBoxLayout;
    m_multiplierArea = buildMultiplierArea();
    middle->addWidget(m_multiplierArea, 3);
    middle->addWidget(buildDxArea(), 1);
    middle->addWidget(buildScoreArea(), 0, Qt::AlignTop);
    layout->addLayout(middle);
    layout->addWidget(buildContactList(), 1);
    layout->addWidget(buildContactListButtons());
    setCentralWidget(central);
    // Moving the mouse over the background empties the possible-duplicates line.
    central->setMouseTracking(true);

    connectMenus();
    connectEntryRow();
    connectContactList();
    m_holdTimer = new QTimer(this);
    m_holdTimer->setSingleShot(true);
    connect(m_holdTimer, &QTimer::timeout, this, &Form1::releaseHeldKeys);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &Form1::TimeStats);
    Timer1->start();
    connect(txtCall, &QLineEdit::textChanged, this, &Form1::PrefixLookup);
    connect(txtCntry, &QLineEdit::textChanged, this, &Form1::UpdateNewIndicator);
    showPossibleDupes(QString(), false);
    // Band, mode, grid and DX list show once the preferences are read: until then there is no band to show
    // them for, and the grid has no colours.
    m_multiplierArea->hide();
    Labeldisplay();
    showStation();
    showMessage(QString());
    ShowOperatingTime();

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    Timer2->start();
    Timer2_Timer();

    // The window sees every key before the focused field does.
    qApp->installEventFilter(this);

    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 4 / 5, area.height() * 4 / 5);
    }
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
    qDeleteAll(m_heldKeys);
}

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
    for (QAction* item : {mnuBand160Ch, mnuBand80Ch, mnuBand40Ch, mnuBand20Ch, mnuBand15Ch, mnuBand10Ch, mnuBand6Ch})
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

    mnuHelp = bar->addAction(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
}

void Form1::connectMenus()
{
    const std::pair<QAction*, const char*> bands[] = {{mnuBand160Ch, "160"}, {mnuBand80Ch, "80"},
                                                      {mnuBand40Ch, "40"},   {mnuBand20Ch, "20"},
                                                      {mnuBand15Ch, "15"},   {mnuBand10Ch, "10"},
                                                      {mnuBand6Ch, "6"}};
    for (const auto& [item, band] : bands) {
        item->setEnabled(true);
        const QString text = QString::fromLatin1(band);
        connect(item, &QAction::triggered, this, [this, text] { selectBand(text); });
    }
    mnu160->setEnabled(true);
    mnuSSB->setEnabled(true);
    connect(mnu160, &QAction::triggered, this, [this] { selectMode(QStringLiteral("CW")); });
    connect(mnuSSB, &QAction::triggered, this, [this] { selectMode(QStringLiteral("PH")); });
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
}

void Form1::mnuHelp_Click()
{
    if (!m_help)
        m_help = new Form5(m_context.programFolder, this);
    m_help->reload();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}


} // namespace velm
