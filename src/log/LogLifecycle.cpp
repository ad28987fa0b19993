#include "log/LogLifecycle.h"

#include "log/CallFileStem.h"
#include "log/FileIo.h"
#include "log/WriteFormat.h"
#include "platform/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velm {

QString backupFileName(const QDateTime& localNow)
{
    return localNow.toString(QStringLiteral("yyyyMMddHHmm")) + QStringLiteral(".log");
}

QString archiveFileName(const QString& ownCall, const QDate& localDate)
{
    return CallFileStem(ownCall) + localDate.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
}

bool backupDue(int qsoCount, int backupReference)
{
    return qsoCount != 0 && qsoCount != backupReference;
}

QString tornLineFileName(const QDateTime& localNow)
{
    return QStringLiteral("log.txt-incomplete-line-") + localNow.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QStringLiteral(".txt");
}

QString unusedFilePath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int number = 2;; ++number) {
        const QString candidate =
            dir.filePath(QStringLiteral("%1 (%2)%3").arg(stem, QString::number(number), extension));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString writeNewFile(const QString& path, const QByteArray& bytes, FileSync& sync)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return file.errorString();
    QString reason;
    if (!writeAll(file, bytes))
        reason = writeFailureReason(file);
    else
        reason = sync.syncToDevice(file);
    if (!reason.isEmpty())
        file.remove(); // only what this call wrote, never a file that was there
    return reason;
}

} // namespace velm
