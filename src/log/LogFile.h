#pragma once
// Responsibilities: the working log file log.txt in the program folder: reload of the whole store from it,
// append of one record, rewrite of the whole file, each reporting failure as a value.

#include "log/FileResult.h"
#include "log/LogStore.h"
#include "log/QsoRecord.h"

#include <QByteArray>
#include <QString>

namespace velm {

// Told about every record after a successful reload, so that state derived from the log (multiplier
// tables, counts) is rebuilt from the same records the store now holds.
class LogReloadObserver {
public:
    virtual ~LogReloadObserver() = default;
    virtual void reloadStarted() = 0;                       // reset derived state
    virtual void recordLoaded(const QsoRecord& record) = 0; // once per record, in file order
};

// The message box the window shows when a reload fails; the program then ends.
extern const QString kReloadErrorTitle;
extern const QString kReloadErrorText;

// One record as a line of log.txt: nine texts, the points, the frequency text; ended by CR LF.
QByteArray logLine(const QsoRecord& record);

class LogFile {
public:
    static constexpr int FieldCount = 11;

    explicit LogFile(QString programFolder);

    // log.txt in the program folder, in the spelling found on disk when it differs in letter case.
    QString path() const;

    // Reads the whole file into a fresh store. Only when every line reads does it replace `store` and then
    // tell the observer (reloadStarted, then recordLoaded per record). On failure `store` is untouched,
    // the observer is not called and the error names the line and the reason.
    // Each non-blank line must hold eleven values; field 10 (Points) must read as a finite number (quoted
    // or bare; empty reads as 0); a bare value in a text field is taken as its text. Blank lines are
    // skipped. More than LogStore::Capacity records, or a points total beyond 32 bits, is a failure.
    FileResult load(LogStore& store, LogReloadObserver* observer = nullptr) const;

    // Writes record QsoCount() of the store as one line at the end of the file, creating the file when
    // absent. When the file does not end with a line break (a hand edit) one is written first, so lines
    // never join. On a failed write the file is cut back to its previous length.
    FileResult AppendQso(const LogStore& store);

    // Replaces the file by records 1..QsoCount() of the store through a temporary file and a rename: the
    // file afterwards is the old one or the new one, never part of either.
    FileResult RewriteLog(const LogStore& store);

private:
    QString m_folder;
};

// The record as log.txt will hold it: every text through writableText (no double quote, no line break).
QsoRecord writableRecord(QsoRecord record);

// Adds the record to the store and appends it to the file. When the store refuses it (full, points out of
// range) nothing is written; when the write fails the record is taken back out of the store (the file is
// already back at its previous length), so store and file agree either way. Texts are stored as the file
// holds them (see writableText).
FileResult appendRecord(LogStore& store, LogFile& file, const QsoRecord& record);

} // namespace velm
