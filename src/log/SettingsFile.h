#pragma once
// Responsibilities: one settings file of the program folder (qrppref.txt now; the keyer, rig and spotting
// files as they come): found under any letter case, read whole, and never written over after it failed to
// read.

#include "log/FileResult.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace velm {

// A settings file is read once and rewritten whole whenever a value changes. If it is there but does not read
// (damaged by hand, cut short, unreadable), whatever the program would write holds defaults and blanks, and
// writing it would destroy the station, the times and the colours the operator can still mend by hand. So
// after such a read every write is refused until a later read succeeds. A file that was missing may be
// created by a write.
class SettingsFile {
public:
    // name: the spelling a new file is written under (an existing spelling is kept).
    SettingsFile(QString folder, QString name);

    // The file in its existing spelling, found ignoring case (name wins when it is one of several); name in
    // the folder when none exists.
    QString path() const;

    // Reads the whole file and hands its bytes to parse, which returns why they do not read (empty when they
    // do). A failure names the file and the reason ("<path>: line 16: ..."). A file larger than maxBytes (when
    // not negative) is not read at all and fails like a damaged one.
    FileResult read(const std::function<QString(const QByteArray&)>& parse, qint64 maxBytes = -1);

    // Replaces the whole file through a temporary file and a rename, in the existing spelling; afterwards no
    // second file differing only in letter case is left beside it, so the next read cannot pick a stale copy
    // (one that cannot be removed is reported, although the bytes were saved). Refused, leaving the file as
    // it is, while writesRefused().
    FileResult replace(const QByteArray& bytes);

    // True when the last read failed on a file that is still there.
    bool writesRefused() const;
    // The caller has kept a copy of the file that failed to read (RigCntrl.bad, say): replace may write over
    // it from now on.
    void allowReplacing() { m_readFailed = false; }

    // For a file whose read failed: renames it to "<name>.unread" (".unread2", ... when that is taken), so
    // that what it holds is kept while a new file is written in its place; writes are allowed afterwards.
    // Returns the path it now has, or the failure (writes stay refused then). Nothing to do, and an empty
    // path, when writes are not refused.
    FileResult setAsideUnread(QString* keptAs);

private:
    QString m_folder, m_name;
    bool m_readFailed = false; // the file was there and did not read
    QString m_readError;       // why, for the refusal
};

} // namespace velm
