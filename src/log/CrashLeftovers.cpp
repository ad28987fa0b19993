#include "log/CrashLeftovers.h"

#include "log/LogFile.h"
#include "log/LogLifecycle.h"
#include "log/ProgramPreferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace velm {

namespace {

bool isLetterOrDigit(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

QStringList rewrittenProgramFiles()
{
    return {LogFile::FileName, PreferencesFile::FileName,
            QStringLiteral("PackSpot.txt"), // the spotting window's settings
            QStringLiteral("RigCntrl.txt"), QStringLiteral("cw.txt"),
            QStringLiteral("wave2.txt")}; // the voice keyer's settings
}

bool isRewriteLeftover(const QString& entry, const QString& name)
{
    constexpr qsizetype kRandom = 6;
    if (entry.size() != name.size() + 1 + kRandom || !entry.startsWith(name, Qt::CaseInsensitive) ||
        entry.at(name.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = name.size() + 1; i < entry.size(); ++i) {
        if (!isLetterOrDigit(entry.at(i)))
            return false;
    }
    return true;
}

QList<LeftoverMove> moveRewriteLeftovers(const QString& folder, const QStringList& names,
                                         const QString& backupFolder, const QDateTime& startedAt)
{
    QList<LeftoverMove> moves;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const bool leftover = std::any_of(names.begin(), names.end(), [&](const QString& name) {
            return isRewriteLeftover(entry.fileName(), name);
        });
        if (!leftover || entry.lastModified() >= startedAt)
            continue;
        LeftoverMove move{entry.filePath(), QString(), QString()};
        if (backupFolder.isEmpty() || !QDir().mkpath(backupFolder)) {
            move.error = QStringLiteral("the backup folder %1 could not be created")
                             .arg(QDir::toNativeSeparators(backupFolder));
        } else {
            // rename never replaces an existing file; across file systems it copies, then removes.
            const QString target = unusedFilePath(backupFolder, entry.fileName());
            QFile file(entry.filePath());
            if (file.rename(target))
                move.to = target;
            else
                move.error = file.errorString();
        }
        moves << move;
    }
    return moves;
}

} // namespace velm
