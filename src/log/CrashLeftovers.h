#pragma once
// Responsibilities: the temporaries an interrupted whole-file rewrite leaves beside the file it was replacing
// ("log.txt.Ab12Cd"), found at start-up and moved into the BACKUP folder, never deleted.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace velm {

// The files of the program folder that are rewritten whole through a temporary file and a rename; a settings
// file that is rewritten the same way joins this list.
QStringList rewrittenProgramFiles();

// True when entry is the temporary a rewrite of name leaves when it is killed before its rename: the name in
// any letter case, a dot and six letters or digits (QSaveFile's pattern).
bool isRewriteLeftover(const QString& entry, const QString& name);

struct LeftoverMove {
    QString from;  // the leftover in the program folder
    QString to;    // where it went; empty when it could not be moved
    QString error; // why it stayed, when it did
};

// Moves each leftover of names in folder that was last modified before startedAt (a rewrite still running in
// another copy of the program is left alone) into backupFolder, created when absent. A leftover keeps its own
// name there, or the next free one (see unusedFilePath): nothing in BACKUP is ever written over. A leftover
// that cannot be moved stays where it is. Returns one entry per leftover found.
QList<LeftoverMove> moveRewriteLeftovers(const QString& folder, const QStringList& names,
                                         const QString& backupFolder, const QDateTime& startedAt);

} // namespace velm
