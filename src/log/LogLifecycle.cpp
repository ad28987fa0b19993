#include "log/LogLifecycle.h"

#include "log/CallFileStem.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>

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

QString copyFileSafely(const QString& from, const QString& to)
{
    QByteArray bytes;
    if (const QString unreadable = readWholeFile(from, bytes); !unreadable.isEmpty())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(from), unreadable);
    const QString failure = replaceFile(to, bytes);
    if (!failure.isEmpty())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(to), failure);
    return {};
}

} // namespace velm
