// The main window's start-up sequence, the station, colours, clock, band and mode actions, the log's
// lifecycle menu items, and closing.

#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/SharedPreferences.h"
#include "log/StationProfile.h"
#include "log/ui/ClockPanel.h"
#include "log/ui/EntryRowPanel.h"
#include "log/ui/AboutWindow.h"
#include "log/ui/Form5.h"
#include "log/ui/Form6.h"
#include "log/ui/LookupPanel.h"
#include "log/ui/frmStationID.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLogWindow, "velm.log.window", QtWarningMsg)

namespace velm {

namespace {
const QString kStartUpFailure = QStringLiteral("Error opening file");
const QString kStartUpFailureTitle = QStringLiteral("Error opeining file");
const QString kPreferencesKeptText = QStringLiteral(
    "qrppref.txt could not be read when the program started, so nothing is saved into it while the program "
    "runs: your station, operating time and colours in it are kept as they are. Mend the file with a text "
    "editor (or remove it to start with blank settings) and start the program again.");
} // namespace

bool Form1::startUp()
{
    // A failed step ends the sequence; the window stays with what was done so far. The message keeps its
    // fixed wording; the details say which file, which line and what was wrong, so the operator can mend it.
    QString failure;
    const auto stop = [this, &failure] {
        m_services.prompts.detailedMessage(kStartUpFailure, failure, kStartUpFailureTitle,
                                           MessageIcon::Critical);
        return true;
    };
    // Temporaries left by a rewrite that a crash or a kill interrupted go to BACKUP before anything is read.
    m_session.moveCrashLeftovers();
    Label3->hide();
    showMessage(QStringLiteral("Select a band and mode. Click Log \"Time On\" below!"));
    if (!ReadPreferences(&failure))
        return stop();
    fitMainWindow(); // the stored form size
    CheckUtcOffset();
    showBandModeMenus();
    if (!LoadPrefixTable(&failure))
        return stop();
    mnuSetup_Click();
    if (m_services.prompts.askYesNo(
            QStringLiteral("Do you want to continue an existing contest? (Yes opens your "
                           "existing log, No erases any existing log and starts a new "
                           "log.)"),
            QStringLiteral("Open existing log?"))) {
        mnuOpen2();
    } else {
        StartNewLog();
    }
    if (!m_session.logLoaded())
        return false; // the reload failed: the program ends
    ShowOperatingTime();
    failure = m_context.ports.lifecycle.startUp();
    if (!failure.isEmpty())
        return stop();
    fitMainWindow(); // the taskbar's check mark, and the work area at 100 %
    txtCall->setFocus(); // the operator starts typing a call at once
    return true;
}

bool Form1::ReadPreferences(QString* failure)
{
    const FileResult result = m_session.ReadPreferences();
    if (!result.ok && failure)
        *failure = result.error;
    return result.ok;
}

bool Form1::LoadPrefixTable(QString* failure)
{
    const FileResult result = m_session.LoadPrefixTable();
    if (!result.ok && failure)
        *failure = result.error;
    return result.ok;
}

void Form1::preferencesNotSaved(const QString& error, bool unreadAtStart)
{
    if (!unreadAtStart) {
        m_services.prompts.message(
            QStringLiteral("The preferences could not be saved; the last saved ones are kept.\n\n%1")
                .arg(error),
            QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
        return;
    }
    // Every band change saves: one message per run, the rest goes to the log category.
    qCWarning(lcLogWindow) << "preferences not saved:" << error;
    if (!m_toldPreferencesKept) {
        m_toldPreferencesKept = true;
        m_services.prompts.detailedMessage(kPreferencesKeptText, error,
                                           QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
    }
}

void Form1::CheckUtcOffset()
{
    const UtcOffsetQuestion question = m_session.utcOffsetQuestion();
    if (!question.differs)
        return;
    if (const std::optional<float> accepted = acceptedUtcOffset(
            m_services.prompts.input(question.prompt, question.title, question.defaultAnswer)))
        m_session.acceptUtcOffset(*accepted);
}

void Form1::mnuSetup_Click()
{
    frmStationID station(m_services.prompts, m_context.sharedPreferences, &m_session.prefixTable(), this);
    station.setFields(
        stationFieldsFrom(stationProfileOf(m_session.preferences()),
                          m_services.settings.value(QStringLiteral("UserCallSign"), QString())));
    // Closing the window without "Done" keeps the station as it was.
    if (m_runModal(station) != QDialog::Accepted)
        return;
    if (!station.sharedSaveError().isEmpty()) {
        m_services.prompts.message(
            QStringLiteral("The shared preferences could not be saved.\n\n%1").arg(station.sharedSaveError()),
            QStringLiteral("Preferences Not Saved"), MessageIcon::Warning);
    }
    m_session.applyStation(profileFromFields(station.fields()));
}

void Form1::mnuColors_Click()
{
    const ProgramPreferences& prefs = m_session.preferences();
    Form6 colours(m_services.prompts, quint32(prefs.RemainingColour), quint32(prefs.WorkedColour), this);
    m_runModal(colours);
    m_session.setColours(colours.remainingColour(), colours.workedColour());
}

void Form1::mnuListPrevious_Click()
{
    m_session.setListPrevious(mnuListPrevious->isChecked());
}

void Form1::cmdLogOn_Click()
{
    if (!m_session.operatingClock().LoggedOn()) {
        m_session.timeOn();
        showMessage(QStringLiteral(" "));
    } else {
        showMessage(m_session.timeOff());
    }
    txtCall->setFocus();
}

void Form1::selectBand(const QString& band)
{
    m_session.selectBand(band);
}

void Form1::selectMode(const QString& mode)
{
    m_session.selectMode(mode);
}

void Form1::Label24_Click()
{
    selectBand(nextBand(m_session.preferences().CurrentBand));
}

void Form1::Label30_Click()
{
    selectMode(toggledMode(m_session.preferences().CurrentMode));
}

void Form1::Backup()
{
    m_session.Backup();
}

void Form1::StartNewLog()
{
    m_session.StartNewLog();
}

void Form1::mnuArchive_Click()
{
    m_session.mnuArchive_Click();
}

void Form1::mnuRestore_Click()
{
    m_session.mnuRestore_Click();
}

void Form1::mnuHelp_Click()
{
    if (!m_help)
        m_help = new Form5(m_session.programFolder(), this);
    m_help->reload();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Form1::mnuAbout_Click()
{
    if (!m_about)
        m_about = new AboutWindow(m_session.programFolder(), this);
    m_about->reload();
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_exiting) {
        event->accept();
        return;
    }
    // Closing stops sending; while a character is still on the air the window stays.
    m_context.ports.cw.CwBuffer().clear();
    if (m_context.ports.cw.CwSending()) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    if (m_about)
        m_about->close();
    m_context.ports.lifecycle.shutdown();
    Backup();
    m_session.rememberOperatingTime();
    event->accept();
}

// "&Exit" ends at once: no backup, no waiting for CW; every line is released all the same.
void Form1::mnuExit_Click()
{
    m_context.ports.cw.CwBuffer().clear();
    m_context.ports.lifecycle.shutdown();
    m_session.rememberOperatingTime();
    m_exiting = true;
    Q_EMIT programMustEnd(0);
}

} // namespace velm
