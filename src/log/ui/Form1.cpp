#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/Keyers.h"
#include "log/SharedPreferences.h"
#include "log/StationProfile.h"
#include "log/UtcOffsetCheck.h"
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

Q_LOGGING_CATEGORY(lcLogWindow, "velm.log.window", QtWarningMsg)

namespace velm {

const QString Form1::Title = QStringLiteral("Orvane's QRP VELM Log 2.4");

namespace {
const QString kTotalContacts = QStringLiteral("Total Contacts");
const QString kTotalPoints = QStringLiteral("Total QSO Points");
const QString kTimeOnCaption = QStringLiteral("&Log \"Time On\"");
const QString kTimeOffCaption = QStringLiteral("&Log \"Time Off\"");

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

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}
} // namespace

Form1::Form1(Form1Context context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)), m_services(m_context.services),
      m_logFile(m_context.programFolder.path()), m_preferencesFile(m_context.programFolder.path()),
      m_keyRouter(m_context.keyers), m_runModal([](QDialog& dialog) { return dialog.exec(); })
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
    layout->addWidget(buildEntryRow());
    layout->addWidget(buildScoreArea(), 0, Qt::AlignLeft);
    layout->addStretch(1);
    setCentralWidget(central);

    connectMenus();
    showStation();
    showBandAndMode();
    showScore();
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

QWidget* Form1::buildStationArea()
{
    auto* box = new QGroupBox(QStringLiteral("Station"), this);
    auto* grid = new QGridLayout(box);
    Label2 = valueLabel(box, "Label2");
    Label25 = valueLabel(box, "Label25");
    Label4 = valueLabel(box, "Label4");
    QFont large = Label2->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    for (QLabel* label : {Label2, Label25, Label4})
        label->setFont(large);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Label25, 0, 1);
    grid->addWidget(Label4, 0, 2);
    return box;
}

QWidget* Form1::buildClockArea()
{
    auto* box = new QGroupBox(QStringLiteral("Clock"), this);
    auto* grid = new QGridLayout(box);
    lblutctime = valueLabel(box, "lblutctime");
    lblCurTime = valueLabel(box, "lblCurTime");
    Label16 = valueLabel(box, "Label16");
    lblttrack = valueLabel(box, "lblttrack");
    grid->addWidget(new QLabel(QStringLiteral("UTC"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Local"), box), 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Operating Time"), box), 0, 3);
    grid->addWidget(lblutctime, 1, 0);
    grid->addWidget(lblCurTime, 1, 1);
    grid->addWidget(Label16, 1, 2);
    grid->addWidget(lblttrack, 1, 3);
    cmdLogOn = new QPushButton(kTimeOnCaption, box);
    cmdLogOn->setObjectName(QStringLiteral("cmdLogOn"));
    cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
    cmdLogOn->setFocusPolicy(Qt::TabFocus);
    connect(cmdLogOn, &QPushButton::clicked, this, &Form1::cmdLogOn_Click);
    grid->addWidget(cmdLogOn, 1, 4);
    return box;
}

QWidget* Form1::buildBandModeArea()
{
    auto* box = new QGroupBox(QStringLiteral("Band / Mode"), this);
    auto* grid = new QHBoxLayout(box);
    Label24 = valueLabel(box, "Label24");
    Label30 = valueLabel(box, "Label30");
    for (QLabel* label : {Label24, Label30}) {
        label->setToolTip(QStringLiteral("Click to change modes."));
        label->setCursor(Qt::PointingHandCursor);
        QFont large = label->font();
        large.setPointSizeF(large.pointSizeF() * 1.4);
        large.setBold(true);
        label->setFont(large);
        label->installEventFilter(this);
        grid->addWidget(label);
    }
    return box;
}

QWidget* Form1::buildEntryRow()
{
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    const auto addField = [&](QLineEdit*& field, const char* name, const QString& caption, int maxLength,
                              int column) {
        field = new QLineEdit(row);
        field->setObjectName(QString::fromLatin1(name));
        field->setMaxLength(maxLength);
        field->setAccessibleName(caption);
        QFont large = field->font();
        large.setPointSizeF(large.pointSizeF() * 1.6);
        field->setFont(large);
        auto* label = new QLabel(caption, row);
        label->setBuddy(field);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
    };
    // The report fields' length is checked per key (reportFieldFull), so a shorter limit after a mode
    // change never cuts a report already typed.
    addField(txtCall, "txtCall", QStringLiteral("Call"), 12, 0);
    addField(txtRSTR, "txtRSTR", QStringLiteral("RS(T) Rc"), 32767, 1);
    addField(txtCntry, "txtCntry", QStringLiteral("State/Prov/Coun"), 30, 2);
    addField(txtSec, "txtSec", QStringLiteral("VELM/PWR"), 20, 3);
    addField(txtRSTS, "txtRSTS", QStringLiteral("RS(T) Sn"), 32767, 4);
    txtCntry->setToolTip(QStringLiteral("State / Province / Country"));
    txtSec->setToolTip(QStringLiteral("Enter power followed by W"));
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    lblDialog = valueLabel(row, "lblDialog");
    lblDialog->setAutoFillBackground(true);
    lblDialog->setMinimumHeight(lblDialog->fontMetrics().height() * 3 / 2);
    grid->addWidget(lblDialog, 2, 0, 1, 5);
    setTabChain({txtCall, txtRSTR, txtCntry, txtSec, txtRSTS});
    return row;
}

QWidget* Form1::buildScoreArea()
{
    auto* score = new QGroupBox(QStringLiteral("Score Statistics"), this);
    auto* grid = new QGridLayout(score);
    lblTotCon = valueLabel(score, "lblTotCon");
    lblTotSec = valueLabel(score, "lblTotSec");
    grid->addWidget(new QLabel(QStringLiteral("Total Contacts ............"), score), 0, 0);
    grid->addWidget(lblTotCon, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Total QSO Points ........"), score), 1, 0);
    grid->addWidget(lblTotSec, 1, 1);
    return score;
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
}

void Form1::showScore()
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    setValueLabel(lblTotCon, kTotalContacts, english.toString(m_store.QsoCount()));
    setValueLabel(lblTotSec, kTotalPoints, english.toString(m_store.PointsTotal()));
}

void Form1::showStation()
{
    setValueLabel(Label2, QStringLiteral("Own call"), m_prefs.OwnCall);
    setValueLabel(Label25, QStringLiteral("Own state, province or country"), m_prefs.OwnSpc);
    setValueLabel(Label4, QStringLiteral("Own VELM number or power"), m_prefs.OwnVelmPwr);
}

void Form1::showBandAndMode()
{
    setValueLabel(Label24, QStringLiteral("Band"), m_prefs.CurrentBand);
    setValueLabel(Label30, QStringLiteral("Mode"), m_prefs.CurrentMode);
    const std::pair<QAction*, const char*> bands[] = {{mnuBand160Ch, "160"}, {mnuBand80Ch, "80"},
                                                      {mnuBand40Ch, "40"},   {mnuBand20Ch, "20"},
                                                      {mnuBand15Ch, "15"},   {mnuBand10Ch, "10"},
                                                      {mnuBand6Ch, "6"}};
    for (const auto& [item, band] : bands)
        item->setChecked(m_prefs.CurrentBand == QLatin1String(band));
    const bool cw = m_prefs.CurrentMode == QLatin1String("CW");
    mnu160->setChecked(cw);
    mnuSSB->setChecked(!cw);
}

void Form1::showMessage(const QString& text, MessageTone tone)
{
    setValueLabel(lblDialog, QStringLiteral("Message"), text);
    m_messageTone = tone;
    QPalette palette = lblDialog->palette();
    palette.setColor(QPalette::Window,
                     toQColor(tone == MessageTone::KeyboardCw ? kMessageLightYellow : kMessageTeal));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDialog->setPalette(palette);
}

bool Form1::startUp()
{
    if (!ReadPreferences()) {
        // The rest of the start-up sequence is skipped; the window stays for the operator.
        m_services.prompts.message(QStringLiteral("Error opening file"), QStringLiteral("Error opeining file"),
                                   MessageIcon::Critical);
        return true;
    }
    CheckUtcOffset();
    showBandAndMode();
    mnuSetup_Click();
    return mnuOpen2();
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

bool Form1::ReadPreferences()
{
    const FileResult result = m_preferencesFile.ReadPreferences(m_prefs);
    if (!result.ok) {
        qCWarning(lcLogWindow) << "preferences not read:" << result.error;
        return false;
    }
    mnuListPrevious->setChecked(m_prefs.ListPrevious == 1);
    m_operatingClock.setOperatingSeconds(m_prefs.OperatingSeconds);
    showStation();
    showBandAndMode();
    ShowOperatingTime();
    return true;
}

bool Form1::SavePref()
{
    const FileResult result = m_preferencesFile.SavePref(m_prefs);
    if (!result.ok) {
        m_services.prompts.message(
            QStringLiteral("The preferences could not be saved; the last saved ones are kept.\n\n%1")
                .arg(result.error),
            QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
    }
    return result.ok;
}

void Form1::CheckUtcOffset()
{
    const UtcOffsetQuestion question =
        checkUtcOffset(m_services.clock.utcNow(), m_services.clock.localNow(), m_prefs.UtcOffset);
    if (!question.differs)
        return;
    const std::optional<float> accepted = acceptedUtcOffset(
        m_services.prompts.input(question.prompt, question.title, question.defaultAnswer));
    if (!accepted)
        return;
    const float previous = m_prefs.UtcOffset;
    m_prefs.UtcOffset = *accepted;
    if (!SavePref())
        m_prefs.UtcOffset = previous;
}

void Form1::mnuSetup_Click()
{
    frmStationID station(m_services.prompts, m_context.sharedPreferences, m_countries, this);
    station.setFields(stationFieldsFrom(stationProfileOf(m_prefs),
                                        m_services.settings.value(QStringLiteral("UserCallSign"), QString())));
    // Closing the window without "Done" keeps the station as it was.
    if (m_runModal(station) != QDialog::Accepted)
        return;
    if (!station.sharedSaveError().isEmpty()) {
        m_services.prompts.message(
            QStringLiteral("The shared preferences could not be saved.\n\n%1").arg(station.sharedSaveError()),
            QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
    }
    applyStationProfile(m_prefs, profileFromFields(station.fields()));
    showStation();
    SavePref();
}

void Form1::Timer2_Timer()
{
    const QDateTime now = m_services.clock.localNow();
    const ClockTexts texts = clockTexts(now, m_prefs.UtcOffset);
    setValueLabel(lblutctime, QStringLiteral("UTC"), texts.utc);
    setValueLabel(lblCurTime, QStringLiteral("Local time"), texts.local);
    setValueLabel(Label16, QStringLiteral("AM or PM"), texts.amPm);
    if (m_operatingClock.LoggedOn())
        setValueLabel(lblttrack, QStringLiteral("Operating Time"), m_operatingClock.display(now));
}

void Form1::ShowOperatingTime()
{
    setValueLabel(lblttrack, QStringLiteral("Operating Time"), formatOperatingTime(m_prefs.OperatingSeconds));
}

void Form1::cmdLogOn_Click()
{
    const QDateTime now = m_services.clock.localNow();
    if (!m_operatingClock.LoggedOn()) {
        m_operatingClock.timeOn(now);
        cmdLogOn->setText(kTimeOffCaption);
        showMessage(QStringLiteral(" "));
    } else {
        const QString loggedOff = m_operatingClock.timeOff(now, m_prefs.UtcOffset);
        m_prefs.OperatingSeconds = m_operatingClock.OperatingSeconds();
        cmdLogOn->setText(kTimeOnCaption);
        showMessage(loggedOff);
        SavePref();
    }
    txtCall->setFocus();
}

void Form1::selectBand(const QString& band)
{
    m_prefs.CurrentBand = band;
    showBandAndMode();
    SavePref();
    mnuOpen2();
}

void Form1::selectMode(const QString& mode)
{
    m_prefs.CurrentMode = mode == QLatin1String("CW") ? QStringLiteral("CW") : QStringLiteral("PH");
    showBandAndMode();
    SavePref();
    mnuOpen2();
    m_reportLength = reportLengthForMode(m_prefs.CurrentMode);
}

void Form1::Label24_Click() { selectBand(nextBand(m_prefs.CurrentBand)); }

void Form1::Label30_Click() { selectMode(toggledMode(m_prefs.CurrentMode)); }

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label24 || watched == Label30)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            watched == Label24 ? Label24_Click() : Label30_Click();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        return Form_KeyPress(watched, static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Every key of this window passes here once, at the widget that receives it first.
bool Form1::Form_KeyPress(QObject* watched, QKeyEvent* key)
{
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() != this || !isEnabled() || (focus ? widget != focus : widget != this))
        return false;
    const KeyOutcome outcome = m_keyRouter.route(
        KeyStroke{key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text()}, m_prefs.CurrentMode);
    if (outcome.message || outcome.tone)
        showMessage(outcome.message.value_or(lblDialog->text()), outcome.tone.value_or(m_messageTone));
    if (outcome.window)
        Q_EMIT windowRequested(*outcome.window);
    if (outcome.consumed)
        return true;
    for (QLineEdit* report : {txtRSTR, txtRSTS}) {
        if (widget == report && reportFieldFull(report, key))
            return true;
    }
    return false;
}

bool Form1::reportFieldFull(QLineEdit* field, QKeyEvent* key) const
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return field->text().size() - field->selectedText().size() + text.size() > m_reportLength;
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

void Form1::mnuExit_Click() { close(); }

} // namespace velm
