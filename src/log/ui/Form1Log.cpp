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

Q_LOGGING_CATEGORY(lcLogWindow, "velm.log.window", QtWarningMsg)

namespace velm {

namespace {
const QString kPreferencesKeptText = QStringLiteral(
    "qrppref.txt could not be read when the program started, so nothing is saved into it while the program "
    "runs: your station, operating time and colours in it are kept as they are. Mend the file with a text "
    "editor (or remove it to start with blank settings) and start the program again.");
} // namespace

using namespace form1;

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

bool Form1::mnuOpen2()
{
    // The grid is painted "remaining" first, so a failed reload never leaves stale worked colours.
    for (int number = 1; number < Label10.size(); ++number) {
        QPalette palette = Label10.at(number)->palette();
        palette.setColor(QPalette::WindowText, toQColor(quint32(m_prefs.RemainingColour)));
        Label10.at(number)->setPalette(palette);
    }
    // A last line torn by a power cut is set aside in BACKUP rather than refusing the whole log.
    std::optional<SetAsideLine> setAside;
    const FileResult result = m_logFile.load(
        m_store, &m_multipliers, TornLineRecovery{backupFolder(), m_services.clock.localNow()}, setAside);
    if (!result.ok) {
        qCWarning(lcLogWindow) << "reload failed:" << result.error;
        m_services.prompts.detailedMessage(kReloadErrorText, result.error, kReloadErrorTitle,
                                           MessageIcon::Critical);
        setEnabled(false);
        m_logLoaded = false;
        Q_EMIT programMustEnd(1);
        return false;
    }
    m_logLoaded = true;
    if (m_backupReference == 0)
        m_backupReference = m_store.QsoCount();
    RefreshContactList();
    TimeStats();
    ListRefresh();
    RefreshGrid();
    Labeldisplay();
    if (setAside)
        m_services.prompts.message(setAsideMessage(*setAside), kSetAsideTitle, MessageIcon::Warning);
    return true;
}

bool Form1::AppendQso(const QsoRecord& record)
{
    // Until log.txt has been read, appending would leave the file holding contacts the screen does not.
    if (!m_logLoaded) {
        m_services.prompts.message(QStringLiteral("The contact with %1 was not logged: the log is not open. Use "
                                                  "File > Open to open it.")
                                       .arg(record.Call),
                                   QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return false;
    }
    const FileResult result = appendRecord(m_store, m_logFile, record);
    if (!result.ok) {
        m_services.prompts.message(QStringLiteral("The contact with %1 was not logged.\n\n%2")
                                       .arg(record.Call, result.error),
                                   QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return false;
    }
    Labeldisplay();
    TimeStats();
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

bool Form1::ReadPreferences(QString* failure)
{
    const FileResult result = m_preferencesFile.ReadPreferences(m_prefs);
    if (!result.ok) {
        qCWarning(lcLogWindow) << "preferences not read:" << result.error;
        if (failure)
            *failure = result.error;
        return false;
    }
    mnuListPrevious->setChecked(m_prefs.ListPrevious == 1);
    m_operatingClock.setOperatingSeconds(m_prefs.OperatingSeconds);
    showStation();
    showBandAndMode();
    ShowOperatingTime();
    ListRefresh();
    RefreshGrid();
    m_multiplierArea->show();
    return true;
}

bool Form1::SavePref()
{
    const FileResult result = m_preferencesFile.SavePref(m_prefs);
    if (!result.ok && m_preferencesFile.savesRefused()) {
        // Every band change saves: one message per run, the rest goes to the log category.
        qCWarning(lcLogWindow) << "preferences not saved:" << result.error;
        if (!m_toldPreferencesKept) {
            m_toldPreferencesKept = true;
            m_services.prompts.detailedMessage(kPreferencesKeptText, result.error,
                                               QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
        }
    } else if (!result.ok) {
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
    frmStationID station(m_services.prompts, m_context.sharedPreferences, &m_prefixTable, this);
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
    if (!txtCall->text().isEmpty())
        UpdateNewIndicator();
    SavePref();
    mnuOpen2();
}

void Form1::selectMode(const QString& mode)
{
    m_prefs.CurrentMode = mode == QLatin1String("CW") ? QStringLiteral("CW") : QStringLiteral("PH");
    showBandAndMode();
    SavePref();
    mnuOpen2();
    if (!txtCall->text().isEmpty())
        UpdateNewIndicator();
    m_reportLength = reportLengthForMode(m_prefs.CurrentMode);
}

void Form1::Label24_Click() { selectBand(nextBand(m_prefs.CurrentBand)); }

void Form1::Label30_Click() { selectMode(toggledMode(m_prefs.CurrentMode)); }

} // namespace velm
