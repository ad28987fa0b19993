#include "log/SettingsFile.h"

#include "log/FileIo.h"
#include "log/ProgramFolder.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace velm {

Q_LOGGING_CATEGORY(lcSettingsFile, "velm.log.settings", QtInfoMsg)

namespace {

FileResult failure(const QString& filePath, const QString& reason)
{
    FileResult result{false, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(filePath), reason)};
    qCDebug(lcSettingsFile) << result.error;
    return result;
}

} // namespace

SettingsFile::SettingsFile(QString folder, QString name)
    : m_folder(std::move(folder)), m_name(std::move(name))
{
}

QString SettingsFile::path() const
{
    return findFileIgnoringCase(m_folder, m_name);
}

FileResult SettingsFile::read(const std::function<QString(const QByteArray&)>& parse, qint64 maxBytes)
{
    const QString filePath = path();
    QString reason;
    QByteArray data;
    if (maxBytes >= 0 && QFileInfo(filePath).size() > maxBytes)
        reason = QStringLiteral("larger than %1 bytes, so it is not read").arg(maxBytes);
    else if (const QString unreadable = readWholeFile(filePath, data); !unreadable.isEmpty())
        reason = unreadable;
    else
        reason = parse(data);
    // A missing file holds nothing a write could destroy; anything else that failed is kept as it is.
    m_readFailed = !reason.isEmpty() && QFileInfo::exists(filePath);
    m_readError = reason;
    if (!reason.isEmpty())
        return failure(filePath, reason);
    return {};
}

bool SettingsFile::writesRefused() const
{
    return m_readFailed && QFileInfo::exists(path());
}

FileResult SettingsFile::setAsideUnread(QString* keptAs)
{
    if (keptAs)
        keptAs->clear();
    if (!writesRefused())
        return {};
    const QString filePath = path();
    QString target = filePath + QStringLiteral(".unread");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = filePath + QStringLiteral(".unread%1").arg(n);
    QFile file(filePath);
    if (!file.rename(target))
        return failure(filePath, QStringLiteral("could not be kept as %1: %2")
                                     .arg(QDir::toNativeSeparators(target), file.errorString()));
    m_readFailed = false;
    if (keptAs)
        *keptAs = target;
    return {};
}

FileResult SettingsFile::replace(const QByteArray& bytes)
{
    const QString filePath = path();
    if (writesRefused())
        return failure(filePath,
                       QStringLiteral("not saved, so that the file is kept as it is: it could not be "
                                      "read (%1)")
                           .arg(m_readError));
    const QString reason = replaceFile(filePath, bytes);
    if (!reason.isEmpty())
        return failure(filePath, reason);

    // Other spellings of the name would be a second, stale copy on a file system that tells letter case
    // apart. When the listing does not hold the exact name just written, the system matched it to an
    // existing spelling (a case-blind file system), and that entry is the file itself: remove nothing.
    const QString savedName = QFileInfo(filePath).fileName();
    const QDir dir(m_folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (!entries.contains(savedName))
        return {};
    QStringList leftOver;
    for (const QString& entry : entries) {
        if (entry == savedName || entry.compare(savedName, Qt::CaseInsensitive) != 0)
            continue;
        QFile stale(dir.filePath(entry));
        if (!stale.remove())
            leftOver << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(stale.fileName()),
                                                      stale.errorString());
    }
    if (!leftOver.isEmpty())
        return failure(filePath, QStringLiteral("saved, but an older copy under another spelling could not "
                                                "be removed: %1")
                                     .arg(leftOver.join(QStringLiteral(", "))));
    return {};
}

} // namespace velm
