#include "log/ui/Form1.h"

#include "log/ui/Form5.h"
#include "platform/Prompts.h"
#include "platform/ui/ValueLabel.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QScreen>

Q_LOGGING_CATEGORY(lcLogWindow, "velm.log.window", QtWarningMsg)

namespace velm {

const QString Form1::Title = QStringLiteral("Orvane's QRP VELM Log 2.4");

namespace {
const QString kTotalContacts = QStringLiteral("Total Contacts");
const QString kTotalPoints = QStringLiteral("Total QSO Points");

// Menu items whose windows arrive later are present but disabled.
QAction* addItem(QMenu* menu, const QString& text, const char* name, bool enabled = false)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QAction* addCheckItem(QMenu* menu, const QString& text, const char* name)
{
    QAction* action = addItem(menu, text, name);
    action->setCheckable(true);
    return action;
}
} // namespace

Form1::Form1(Services services, ProgramFolder programFolder, UserFolderPaths userFolders, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_programFolder(std::move(programFolder)),
      m_userFolders(std::move(userFolders)), m_logFile(m_programFolder.path())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Title);
    buildMenus();
    buildCentralArea();
    showScore();
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 4 / 5, area.height() * 4 / 5);
    }
}

Form1::~Form1() = default;

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

void Form1::buildCentralArea()
{
    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);

    auto* score = new QGroupBox(QStringLiteral("Score Statistics"), central);
    auto* scoreLayout = new QGridLayout(score);
    lblTotCon = new QLabel(score);
    lblTotCon->setObjectName(QStringLiteral("lblTotCon"));
    lblTotSec = new QLabel(score);
    lblTotSec->setObjectName(QStringLiteral("lblTotSec"));
    scoreLayout->addWidget(new QLabel(QStringLiteral("Total Contacts ............"), score), 0, 0);
    scoreLayout->addWidget(lblTotCon, 0, 1);
    scoreLayout->addWidget(new QLabel(QStringLiteral("Total QSO Points ........"), score), 1, 0);
    scoreLayout->addWidget(lblTotSec, 1, 1);

    layout->addWidget(score, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    setCentralWidget(central);
}

void Form1::showScore()
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    setValueLabel(lblTotCon, kTotalContacts, english.toString(m_store.QsoCount()));
    setValueLabel(lblTotSec, kTotalPoints, english.toString(m_store.PointsTotal()));
}

bool Form1::mnuOpen2()
{
    const FileResult result = m_logFile.load(m_store, m_reloadObserver);
    if (!result.ok) {
        qCWarning(lcLogWindow) << "reload failed:" << result.error;
        m_services.prompts.message(kReloadErrorText, kReloadErrorTitle, MessageIcon::Critical);
        setEnabled(false);
        Q_EMIT programMustEnd(1);
        return false;
    }
    showScore();
    return true;
}

bool Form1::AppendQso(const QsoRecord& record)
{
    const FileResult result = appendRecord(m_store, m_logFile, record);
    if (!result.ok) {
        m_services.prompts.message(QStringLiteral("The contact with %1 was not logged.\n\n%2")
                                       .arg(record.Call, result.error),
                                   QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return false;
    }
    showScore();
    return true;
}

bool Form1::RewriteLog()
{
    const FileResult result = m_logFile.RewriteLog(m_store);
    if (!result.ok) {
        m_services.prompts.message(
            QStringLiteral("The log could not be rewritten; log.txt is unchanged.\n\n%1").arg(result.error),
            QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return false;
    }
    return true;
}

void Form1::mnuHelp_Click()
{
    if (!m_help)
        m_help = new Form5(m_programFolder, this);
    m_help->reload();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Form1::mnuExit_Click() { close(); }

} // namespace velm
