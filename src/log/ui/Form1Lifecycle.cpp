// The main window's start-up sequence, new log, backups, archive and restore, and closing.

#include "log/ui/Form1.h"

#include "log/CrashLeftovers.h"
#include "log/LogLifecycle.h"
#include "log/WriteFormat.h"
#include "log/ui/Form5.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLogWindow)

namespace velm {

namespace {
const QString kStartUpFailure = QStringLiteral("Error opening file");
const QString kStartUpFailureTitle = QStringLiteral("Error opeining file");
const QString kLogFilter = QStringLiteral("Log Files (*.log)");
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
    for (const LeftoverMove& move :
         moveRewriteLeftovers(m_context.programFolder.path(), rewrittenProgramFiles(), backupFolder(),
                              m_services.clock.utcNow())) {
        if (move.error.isEmpty())
            qCInfo(lcLogWindow) << "moved" << move.from << "to" << move.to;
        else
            qCWarning(lcLogWindow) << "left" << move.from << "where it is:" << move.error;
    }
    Label3->hide();
    showMessage(QStringLiteral("Select a band and mode. Click Log \"Time On\" below!"));
    m_partialDupesOn = true;
    if (!ReadPreferences(&failure))
        return stop();
    CheckUtcOffset();
    showBandAndMode();
    if (!LoadPrefixTable(&failure))
        return stop();
    mnuSetup_Click();
    if (m_services.prompts.askYesNo(QStringLiteral("Do you want to continue an existing contest? (Yes opens your "
                                                   "existing log, No erases any existing log and starts a new "
                                                   "log.)"),
                                    QStringLiteral("Open existing log?"))) {
        mnuOpen2();
    } else {
        StartNewLog();
    }
    if (!m_logLoaded)
        return false; // the reload failed: the program ends
    ShowOperatingTime();
    txtCall->setFocus(); // the operator starts typing a call at once
    return true;
}

QString Form1::backupFolder() const
{
    // Without a user data folder there is nowhere safe to put backups (never the root of the disk).
    if (m_context.userFolders.UserDataFolder.isEmpty())
        return {};
    return m_context.userFolders.UserDataFolder + QStringLiteral("/BACKUP");
}

void Form1::Backup()
{
    makeBackup(false);
}

bool Form1::makeBackup(bool evenWhenUnchanged, QString* failure)
{
    if (evenWhenUnchanged) {
        // Before the log is replaced or erased: whatever the file holds is kept, loaded or not (at start-up the
        // store is still empty when the operator chooses a new log).
        if (QFileInfo(m_logFile.path()).size() == 0)
            return true;
    } else if (!backupDue(m_store.QsoCount(), m_backupReference)) {
        return true;
    }
    const QString folder = backupFolder();
    QString reason;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        reason = QStringLiteral("the backup folder %1 could not be created").arg(QDir::toNativeSeparators(folder));
    else
        reason = copyFileSafely(m_logFile.path(),
                                folder + QLatin1Char('/') + backupFileName(m_services.clock.localNow()));
    if (reason.isEmpty())
        return true;
    qCWarning(lcLogWindow) << "backup failed:" << reason;
    if (failure)
        *failure = reason;
    return false;
}

void Form1::StartNewLog()
{
    const std::optional<QString> answer = m_services.prompts.input(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will ERASE the existing "
                       "log file!\r\n\r\nTo verify that you want to start a new log file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (answer && answer->toUpper() == QLatin1String("YES")) {
        // The log is copied to BACKUP before it is emptied, changed since opening or not, so erasing it never
        // destroys its only copy; without a copy nothing is erased.
        QString failure;
        if (!makeBackup(true, &failure)) {
            m_services.prompts.message(
                QStringLiteral("The log was not erased, because it could not be backed up first.\n\n%1").arg(failure),
                QStringLiteral("Log Not Erased"), MessageIcon::Critical);
        } else if (const QString emptied = replaceFile(m_logFile.path(), QByteArray()); !emptied.isEmpty()) {
            m_services.prompts.message(
                QStringLiteral("The log could not be emptied.\n\n%1: %2")
                    .arg(QDir::toNativeSeparators(m_logFile.path()), emptied),
                QStringLiteral("Log Not Erased"), MessageIcon::Critical);
        } else {
            const QDateTime now = m_services.clock.localNow();
            const bool wasOn = m_operatingClock.LoggedOn();
            if (wasOn)
                m_operatingClock.timeOff(now, m_prefs.UtcOffset);
            m_operatingClock.setOperatingSeconds(0);
            if (wasOn)
                m_operatingClock.timeOn(now);
            m_prefs.OperatingSeconds = 0;
            m_store.clear();
            SavePref();
        }
    }
    ShowOperatingTime();
    mnuOpen2();
}

void Form1::mnuArchive_Click()
{
    m_services.prompts.message(
        QStringLiteral("This function is used to create a permanent copy of your currently open log file.  To open "
                       "your log file at a later date, click File > Restore from Archive or Backup."),
        QStringLiteral("Archive Information"), MessageIcon::Information);
    const QString folder = backupFolder();
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    const std::optional<QString> chosen = m_services.prompts.saveFileName(
        QStringLiteral("Archive Current Log"),
        folder + QLatin1Char('/') + archiveFileName(m_prefs.OwnCall, m_services.clock.localNow().date()), kLogFilter);
    if (!chosen)
        return;
    const QString failure = copyFileSafely(m_logFile.path(), *chosen);
    if (!failure.isEmpty())
        m_services.prompts.message(failure, QStringLiteral("Error Archiving Log"), MessageIcon::Critical);
}

void Form1::mnuRestore_Click()
{
    m_services.prompts.message(
        QStringLiteral("This action will open an archived log or backup file and creates a working file called "
                       "log.txt.  If you make any changes to your archived data that you would like to permanently "
                       "save, before you click File > New to start a new contest, be sure to click File > Archive "
                       "to save your changes."),
        QStringLiteral("Opening Archived Data Information"), MessageIcon::Information);
    if (m_store.QsoCount() > 0 &&
        !m_services.prompts.askYesNo(QStringLiteral("Are you sure that you want to open an archived log?  This "
                                                    "action will clear and replace existing QSO data."),
                                     QStringLiteral("Are your sure?")))
        return;
    const std::optional<QString> chosen =
        m_services.prompts.openFileName(QStringLiteral("Restore from Archive or Backup"), backupFolder(), kLogFilter);
    if (!chosen)
        return;
    // The log being replaced is backed up first, so a restore never destroys its only copy.
    QString failure;
    if (!makeBackup(true, &failure)) {
        m_services.prompts.message(
            QStringLiteral("The current log was not replaced, because it could not be backed up first.\n\n%1")
                .arg(failure),
            QStringLiteral("Error Restoring Log"), MessageIcon::Critical);
        return;
    }
    failure = copyFileSafely(*chosen, m_logFile.path());
    if (!failure.isEmpty()) {
        m_services.prompts.message(failure, QStringLiteral("Error Restoring Log"), MessageIcon::Critical);
        return;
    }
    mnuOpen2();
}

// Operating time survives the run: an open on-period is closed and saved.
void Form1::rememberOperatingTime()
{
    if (!m_operatingClock.LoggedOn())
        return;
    m_operatingClock.timeOff(m_services.clock.localNow(), m_prefs.UtcOffset);
    m_prefs.OperatingSeconds = m_operatingClock.OperatingSeconds();
    SavePref();
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
    Backup();
    rememberOperatingTime();
    event->accept();
}

// "&Exit" ends at once: no backup, no waiting for CW.
void Form1::mnuExit_Click()
{
    rememberOperatingTime();
    m_exiting = true;
    Q_EMIT programMustEnd(0);
}

} // namespace velm
