// The backup-first flows of the contest session: a backup before anything is erased, a new log, an archive
// under a chosen name, a restore.

#include "log/ContestSession.h"

#include "log/FileIo.h"
#include "log/LogLifecycle.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace velm {

Q_DECLARE_LOGGING_CATEGORY(lcSession)

namespace {
const QString kLogFilter = QStringLiteral("Log Files (*.log)");
} // namespace

// --- Backups, new log, archive, restore ---

QString ContestSession::backupFolder() const
{
    // Without a user data folder there is nowhere safe to put backups (never the root of the disk).
    if (m_userFolders.UserDataFolder.isEmpty())
        return {};
    return m_userFolders.UserDataFolder + QStringLiteral("/BACKUP");
}

QString ContestSession::Backup()
{
    return makeBackup(false);
}

QString ContestSession::makeBackup(bool evenWhenUnchanged)
{
    if (evenWhenUnchanged) {
        // Before the log is replaced or erased: whatever the file holds is kept, loaded or not (at start-up
        // the store is still empty when the operator chooses a new log).
        if (QFileInfo(m_logFile.path()).size() == 0)
            return {};
    } else if (!backupDue(m_store.QsoCount(), m_backupReference)) {
        return {};
    }
    const QString folder = backupFolder();
    QString reason;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        reason =
            QStringLiteral("the backup folder %1 could not be created").arg(QDir::toNativeSeparators(folder));
    else
        reason = copyFileSafely(m_logFile.path(),
                                folder + QLatin1Char('/') + backupFileName(m_services.clock.localNow()));
    if (!reason.isEmpty())
        qCWarning(lcSession) << "backup failed:" << reason;
    return reason;
}

void ContestSession::StartNewLog()
{
    Prompts& prompts = m_services.prompts;
    const std::optional<QString> answer = prompts.input(
        QStringLiteral(
            "Are you sure that you want to start a new log file?  This function will ERASE the existing "
            "log file!\r\n\r\nTo verify that you want to start a new log file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (answer && answer->toUpper() == QLatin1String("YES")) {
        // The log is copied to BACKUP before it is emptied, changed since opening or not, so erasing it never
        // destroys its only copy; without a copy nothing is erased.
        if (const QString failure = makeBackup(true); !failure.isEmpty()) {
            prompts.message(
                QStringLiteral("The log was not erased, because it could not be backed up first.\n\n%1")
                    .arg(failure),
                QStringLiteral("Log Not Erased"), MessageIcon::Critical);
        } else if (const QString emptied = replaceFile(m_logFile.path(), QByteArray()); !emptied.isEmpty()) {
            prompts.message(QStringLiteral("The log could not be emptied.\n\n%1: %2")
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
    Q_EMIT changed(SessionChange::OperatingTime);
    mnuOpen2();
}

void ContestSession::mnuArchive_Click()
{
    Prompts& prompts = m_services.prompts;
    prompts.message(
        QStringLiteral(
            "This function is used to create a permanent copy of your currently open log file.  To open "
            "your log file at a later date, click File > Restore from Archive or Backup."),
        QStringLiteral("Archive Information"), MessageIcon::Information);
    const QString folder = backupFolder();
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    const std::optional<QString> chosen = prompts.saveFileName(
        QStringLiteral("Archive Current Log"),
        folder + QLatin1Char('/') + archiveFileName(m_prefs.OwnCall, m_services.clock.localNow().date()),
        kLogFilter);
    if (!chosen)
        return;
    const QString failure = copyFileSafely(m_logFile.path(), *chosen);
    if (!failure.isEmpty())
        prompts.message(failure, QStringLiteral("Error Archiving Log"), MessageIcon::Critical);
}

void ContestSession::mnuRestore_Click()
{
    Prompts& prompts = m_services.prompts;
    prompts.message(
        QStringLiteral(
            "This action will open an archived log or backup file and creates a working file called "
            "log.txt.  If you make any changes to your archived data that you would like to permanently "
            "save, before you click File > New to start a new contest, be sure to click File > Archive "
            "to save your changes."),
        QStringLiteral("Opening Archived Data Information"), MessageIcon::Information);
    if (m_store.QsoCount() > 0 &&
        !prompts.askYesNo(QStringLiteral("Are you sure that you want to open an archived log?  This "
                                         "action will clear and replace existing QSO data."),
                          QStringLiteral("Are your sure?")))
        return;
    const std::optional<QString> chosen =
        prompts.openFileName(QStringLiteral("Restore from Archive or Backup"), backupFolder(), kLogFilter);
    if (!chosen)
        return;
    // The log being replaced is backed up first, so a restore never destroys its only copy.
    if (const QString failure = makeBackup(true); !failure.isEmpty()) {
        prompts.message(
            QStringLiteral("The current log was not replaced, because it could not be backed up first.\n\n%1")
                .arg(failure),
            QStringLiteral("Error Restoring Log"), MessageIcon::Critical);
        return;
    }
    if (const QString failure = copyFileSafely(*chosen, m_logFile.path()); !failure.isEmpty()) {
        prompts.message(failure, QStringLiteral("Error Restoring Log"), MessageIcon::Critical);
        return;
    }
    mnuOpen2();
}

} // namespace velm
