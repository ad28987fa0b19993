#pragma once
// Responsibilities: the file side of a log's life: names of backups and archives, when a backup is due, and
// copying a log to or from the BACKUP folder so that a failed copy never leaves half a file behind.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace velm {

class FileSync;

// "yyyymmddhhnn.log" from the local time: two backups within one minute share a name.
QString backupFileName(const QDateTime& localNow);
// The call's file stem, the local date "yyyy-mm-dd" and ".log": K1ABC/4 on 2011-03-05 → K1ABC2011-03-05.log.
QString archiveFileName(const QString& ownCall, const QDate& localDate);
// An automatic backup is due when the log has contacts and its size differs from the count it was opened
// with.
bool backupDue(int qsoCount, int backupReference);

// "log.txt-incomplete-line-yyyymmdd-hhnnss.txt" from the local time: the file a torn last line is kept in.
QString tornLineFileName(const QDateTime& localNow);

// folder/name when no such entry exists; otherwise the first free of "name (2)", "name (3)", ... with the
// number before the last extension ("x (2).txt"), so that nothing in the folder is ever written over.
QString unusedFilePath(const QString& folder, const QString& name);

// Writes bytes to a new file at path (failing when anything is there already) and pushes them to the device
// before returning. A file that could not be written whole is removed again. Returns the reason it failed,
// empty on success.
QString writeNewFile(const QString& path, const QByteArray& bytes, FileSync& sync);

} // namespace velm
