// The main window: its panels over the contest session, what each session change refreshes, the keys of
// the whole window, and the public operations as one-line forwards.

#include "log/ui/Form1.h"

#include "log/ui/ClockPanel.h"
#include "log/ui/ContactListPanel.h"
#include "log/ui/DupesPanel.h"
#include "log/ui/EntryRowPanel.h"
#include "log/ui/LookupPanel.h"
#include "log/ui/MultiplierPanel.h"
#include "log/ui/ScorePanel.h"
#include "log/ui/StationPanel.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velm {

const QString Form1::Title = QStringLiteral("Orvane's QRP VELM Log 2.4");

Form1::Form1(Form1Context context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)), m_services(m_context.services),
      m_session(m_context.session),
      m_keyRouter(m_context.ports.cw, m_context.ports.voiceKeyer, m_context.ports.winKey),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Title);
    buildMenus();

    auto* central = new QWidget(this);
    m_station = new StationPanel(central);
    m_clock = new ClockPanel(m_session, m_services.clock, central);
    m_lookup = new LookupPanel(m_session, central);
    m_dupes = new DupesPanel(m_session, central);
    m_multipliers = new MultiplierPanel(m_session, central);
    m_score = new ScorePanel(m_session, m_services.clock, central);
    m_contacts = new ContactListPanel(m_session, m_services.prompts, m_runModal, central);
    m_entry = new EntryRowPanel(m_session, m_services, m_context.ports.voice, *m_dupes, *m_contacts, central);

    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(m_station);
    top->addWidget(m_clock);
    top->addStretch(1);
    layout->addLayout(top);
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_entry, 1);
    entry->addWidget(m_lookup);
    layout->addLayout(entry);
    layout->addWidget(m_dupes);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_multipliers, 4);
    middle->addWidget(m_score, 0, Qt::AlignTop);
    layout->addLayout(middle);
    layout->addWidget(m_contacts, 1);
    setCentralWidget(central);
    // Moving the mouse over the background empties the possible-duplicates line.
    central->setMouseTracking(true);
    central->installEventFilter(this);
    aliasControls();

    connectMenus();
    connect(m_clock, &ClockPanel::logOnClicked, this, &Form1::cmdLogOn_Click);
    connect(m_clock, &ClockPanel::bandClicked, this, &Form1::Label24_Click);
    connect(m_clock, &ClockPanel::modeClicked, this, &Form1::Label30_Click);
    connect(m_dupes, &DupesPanel::callFieldWanted, txtCall, [this] { txtCall->setFocus(); });
    connect(m_contacts, &ContactListPanel::callFieldWanted, txtCall, [this] { txtCall->setFocus(); });
    connect(m_contacts, &ContactListPanel::refused, this, [this](const QString& text) { showMessage(text); });
    connect(m_multipliers, &MultiplierPanel::spcClicked, txtCntry, &QLineEdit::setText);
    connect(m_multipliers, &MultiplierPanel::spcHovered, m_dupes, &DupesPanel::showHover);
    connect(m_entry, &EntryRowPanel::commitFinished, m_score, &ScorePanel::TimeStats);
    connect(&m_session, &ContestSession::changed, this, &Form1::sessionChanged);
    connect(&m_session, &ContestSession::logUnreadable, this, &Form1::logUnreadable);
    connect(&m_session, &ContestSession::preferencesNotSaved, this, &Form1::preferencesNotSaved);
    connect(&m_session, &ContestSession::logLineSetAside, this, [this](const SetAsideLine& setAside) {
        m_services.prompts.message(setAsideMessage(setAside), kSetAsideTitle, MessageIcon::Warning);
    });

    m_dupes->showPossibleDupes(QString(), false);
    m_score->Labeldisplay();
    m_station->showStation(m_session.preferences());
    showMessage(QString());
    ShowOperatingTime();
    Timer2_Timer();

    // The window sees every key before the focused field does.
    qApp->installEventFilter(this);

    // Start-up: the whole screen first; the stored form size and taskbar fit follow the preferences.
    followScreenChanges();
    fitMainWindow();
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
}

// The controls under the names the rest of the program uses; the panels own them.
void Form1::aliasControls()
{
    Label2 = m_station->Label2;
    Label25 = m_station->Label25;
    Label4 = m_station->Label4;
    lblutctime = m_clock->lblutctime;
    lblCurTime = m_clock->lblCurTime;
    Label16 = m_clock->Label16;
    lblttrack = m_clock->lblttrack;
    cmdLogOn = m_clock->cmdLogOn;
    Timer2 = m_clock->Timer2;
    Label24 = m_clock->Label24;
    Label30 = m_clock->Label30;
    txtCall = m_entry->txtCall;
    txtRSTR = m_entry->txtRSTR;
    txtCntry = m_entry->txtCntry;
    txtSec = m_entry->txtSec;
    txtRSTS = m_entry->txtRSTS;
    lblDialog = m_entry->lblDialog;
    lblStation = m_entry->lblStation;
    lblStation.append(m_multipliers->dxCaption);
    cmdClear = m_entry->cmdClear;
    txtPostConTime = m_entry->txtPostConTime;
    txtPostConDate = m_entry->txtPostConDate;
    lblPostConTime = m_entry->lblPostConTime;
    lblPostConDate = m_entry->lblPostConDate;
    Label19 = m_lookup->Label19;
    Label22 = m_lookup->Label22;
    Label23 = m_lookup->Label23;
    Label3 = m_lookup->Label3;
    lblPossDup = m_dupes->lblPossDup;
    lblDupe = m_dupes->lblDupe;
    cmdDup = m_dupes->cmdDup;
    Label15 = m_multipliers->Label15;
    Label10 = m_multipliers->Label10;
    List1 = m_multipliers->List1;
    lblTotCon = m_score->lblTotCon;
    lblsectogo = m_score->lblsectogo;
    lblTotSec = m_score->lblTotSec;
    lblTotScore = m_score->lblTotScore;
    lblAQSO60 = m_score->lblAQSO60;
    lblAQSO20 = m_score->lblAQSO20;
    Timer1 = m_score->Timer1;
    ListView1 = m_contacts->ListView1;
    cmdList = m_contacts->cmdList;
    cmdEdit = m_contacts->cmdEdit;
    cmdDelete = m_contacts->cmdDelete;
}

void Form1::sessionChanged(SessionChanges what)
{
    if (what & SessionChange::Records) {
        RefreshContactList();
        TimeStats();
        ListRefresh();
        RefreshGrid();
        Labeldisplay();
    }
    if (what & SessionChange::BandMode) {
        showBandModeMenus();
        if (!txtCall->text().isEmpty())
            UpdateNewIndicator();
    }
    if (what & SessionChange::Preferences) {
        // Colours, and the band the grid shows, come with the preferences.
        mnuListPrevious->setChecked(m_session.preferences().ListPrevious == 1);
        ListRefresh();
        RefreshGrid();
        m_multipliers->showGrid();
    }
    if (what & SessionChange::Station)
        m_station->showStation(m_session.preferences());
    if (what & SessionChange::OperatingTime) {
        m_clock->showLoggedOn(m_session.operatingClock().LoggedOn());
        if (m_session.operatingClock().LoggedOn())
            Timer2_Timer();
        else
            ShowOperatingTime();
    }
    if (what & SessionChange::Lookup)
        m_lookup->showLookup();
}

void Form1::showBandModeMenus()
{
    m_clock->showBandAndMode();
    const QString& band = m_session.preferences().CurrentBand;
    const std::array<QAction*, Band::Count> items = bandItems();
    for (const Band& each : Band::all())
        items[std::size_t(each.column() - 1)]->setChecked(band == each.text());
    const bool cw = storedMode(m_session.preferences().CurrentMode) == Mode::Cw;
    mnu160->setChecked(cw);
    mnuSSB->setChecked(!cw);
}

std::array<QAction*, Band::Count> Form1::bandItems() const
{
    return {mnuBand160Ch, mnuBand80Ch, mnuBand40Ch, mnuBand20Ch, mnuBand15Ch, mnuBand10Ch, mnuBand6Ch};
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched == centralWidget())
        m_dupes->showPossibleDupes(QString(), false);
    else if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        return Form_KeyPress(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Every key of this window passes here once, at the widget that receives it first.
bool Form1::Form_KeyPress(QWidget* widget, QKeyEvent* key)
{
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() != this || !isEnabled() || (focus ? widget != focus : widget != this))
        return false;
    if (m_entry->holdKey(widget, key))
        return true;
    // In the contact list the arrows move the selected row; the CW speed keys are for the entry row.
    if (widget == ListView1 && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
        return false;
    if (routeWindowKey(key))
        return true;
    return m_entry->fieldKeyPress(widget, key);
}

bool Form1::routeWindowKey(QKeyEvent* key)
{
    const KeyOutcome outcome =
        m_keyRouter.route(KeyStroke{key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text()},
                          m_session.preferences().CurrentMode);
    if (outcome.message || outcome.tone)
        showMessage(outcome.message.value_or(lblDialog->text()),
                    outcome.tone.value_or(m_entry->messageTone()));
    if (outcome.window)
        Q_EMIT windowRequested(*outcome.window);
    if (outcome.clearEntry)
        cmdClear_Click();
    return outcome.consumed;
}

bool Form1::forwardedKeyPress(QKeyEvent* key)
{
    return isEnabled() && routeWindowKey(key);
}

// --- The public operations ---

bool Form1::mnuOpen2()
{
    // The grid is painted "remaining" first, so a failed reload never leaves stale worked colours.
    m_multipliers->paintAllRemaining();
    return m_session.mnuOpen2().ok;
}

void Form1::logUnreadable(const QString& error)
{
    m_services.prompts.detailedMessage(kReloadErrorText, error, kReloadErrorTitle, MessageIcon::Critical);
    setEnabled(false);
    Q_EMIT programMustEnd(1);
}

bool Form1::AppendQso(const QsoRecord& record)
{
    const FileResult result = m_session.AppendQso(record);
    if (!result.ok) {
        m_services.prompts.message(
            QStringLiteral("The contact with %1 was not logged.\n\n%2").arg(record.Call, result.error),
            QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return false;
    }
    Q_EMIT m_session.changed(SessionChange::Records);
    return true;
}

bool Form1::RewriteLog()
{
    const FileResult result = m_session.RewriteLog(m_session.store());
    if (!result.ok)
        m_services.prompts.message(
            QStringLiteral("The log could not be rewritten; log.txt is unchanged.\n\n%1").arg(result.error),
            QStringLiteral("Log Write Error"), MessageIcon::Critical);
    return result.ok;
}

bool Form1::SavePref()
{
    return m_session.SavePref().ok;
}

void Form1::PrefixLookup()
{
    m_entry->PrefixLookup();
}

void Form1::ProvinceFromCall()
{
    m_entry->ProvinceFromCall();
}

void Form1::HDCalc(double cntlat, double cntlong)
{
    const ProgramPreferences& prefs = m_session.preferences();
    const std::optional<BearingDistance> result =
        velm::HDCalc(prefs.OwnLatitude, prefs.OwnLongitude, cntlat, cntlong);
    m_session.setLookupLabels({m_session.lookupLabels().continent, result ? result->bearing : QString(),
                               result ? result->miles : QString()});
}

bool Form1::DupCheck()
{
    return m_entry->DupCheck();
}

void Form1::cmdDup_Click()
{
    m_dupes->cmdDup_Click();
}

void Form1::ListRefresh()
{
    m_multipliers->ListRefresh();
}

void Form1::RefreshGrid()
{
    m_multipliers->RefreshGrid();
}

void Form1::Labeldisplay()
{
    m_score->Labeldisplay();
}

void Form1::TimeStats()
{
    m_score->TimeStats();
}

void Form1::UpdateNewIndicator()
{
    m_entry->UpdateNewIndicator();
}

void Form1::Mains()
{
    m_entry->Mains();
}

void Form1::cmdClear_Click()
{
    m_entry->cmdClear_Click();
}

int Form1::Capital(int keyCode)
{
    return velm::Capital(keyCode);
}

int Form1::number(int keyCode)
{
    return velm::number(keyCode);
}

void Form1::RefreshContactList()
{
    m_contacts->RefreshContactList();
}

void Form1::cmdList_Click()
{
    m_contacts->cmdList_Click();
}

void Form1::cmdEdit_Click()
{
    m_contacts->cmdEdit_Click();
}

void Form1::cmdDelete_Click()
{
    m_contacts->cmdDelete_Click();
}

void Form1::contactListOnCallFocus()
{
    m_contacts->contactListOnCallFocus(txtCall->text().isEmpty());
}

void Form1::Timer2_Timer()
{
    m_clock->Timer2_Timer();
}

void Form1::ShowOperatingTime()
{
    m_clock->ShowOperatingTime();
}

void Form1::showMessage(const QString& text, MessageTone tone, Announce when)
{
    m_entry->showMessage(text, tone, when);
}

void Form1::showWhiteNotice(const QString& message, const QString& dupesLine)
{
    showMessage(message, MessageTone::White, Announce::Always);
    m_dupes->showNotice(dupesLine);
}

void Form1::addSpotArea(QWidget* area)
{
    if (auto* rows = qobject_cast<QVBoxLayout*>(centralWidget()->layout()))
        rows->addWidget(area);
}

void Form1::showSpotHover(const QString& tooltip)
{
    m_dupes->showHover(QStringLiteral("Spot"), tooltip);
}

void Form1::enterCall(const QString& call, bool tab)
{
    m_entry->enterCall(call, tab);
}

void Form1::commitEntryRow()
{
    m_entry->Mains();
}

QStringList Form1::contactHeadings() const
{
    return m_contacts->headings();
}

QList<QStringList> Form1::shownContactRows() const
{
    return m_contacts->shownRows();
}

} // namespace velm
