#include "log/FileIo.h"

#include "log/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QSaveFile>

namespace velm {

bool writeAll(QFileDevice& file, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

QString writeFailureReason(const QFileDevice& file)
{
    return file.error() == QFileDevice::NoError ? QStringLiteral("the data could not be written completely")
                                                : file.errorString();
}

QString writeFailureText(const QString& path, const QString& reason)
{
    return QStringLiteral("%1:\n\n%2").arg(QDir::toNativeSeparators(path), reason);
}

QString replaceFile(const QString& path, const QByteArray& bytes)
{
    // Unbuffered: QSaveFile::commit() ignores a failure to flush its buffer and would rename a truncated
    // temporary over the file, reporting success; unbuffered writes fail here and make commit() refuse.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailureReason(file);
    if (!writeAll(file, bytes)) {
        const QString reason = writeFailureReason(file);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return writeFailureReason(file);
    return {};
}

QString readWholeFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
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

FileResult loadTableFromFolders(const QStringList& folders, const QString& name, bool missingIsFailure,
                                const std::function<bool(const QByteArray& bytes, QString* error)>& parse)
{
    QString filePath = findFileInFolders(folders, name);
    const auto failure = [&](const QString& reason) {
        return FileResult{false, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(filePath), reason)};
    };
    if (filePath.isEmpty()) {
        if (!missingIsFailure)
            return {};
        for (auto folder = folders.crbegin(); filePath.isEmpty() && folder != folders.crend(); ++folder) {
            if (!folder->isEmpty())
                filePath = QDir(*folder).filePath(name);
        }
        return failure(filePath.isEmpty() ? QStringLiteral("no folder to look in")
                                          : QStringLiteral("No such file"));
    }
    QByteArray bytes;
    if (const QString unreadable = readWholeFile(filePath, bytes); !unreadable.isEmpty())
        return failure(unreadable);
    QString error;
    if (!parse(bytes, &error))
        return failure(error);
    return {};
}

} // namespace velm
