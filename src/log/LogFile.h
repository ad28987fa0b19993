#pragma once
// Responsibilities: the working log file log.txt in the program folder: reload of the whole store from it,
// append of one record, rewrite of the whole file, each reporting failure as a value.

#include "log/FileResult.h"
#include "log/LogStore.h"
#include "log/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace velm {

class FileSync;

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

// One record as a line of log.txt: nine texts, the points, the frequency text; ended by CR LF. Texts the
// record was read with in Windows-1252 are written back in it (see StoredEncoding), the rest in UTF-8.
QByteArray logLine(const QsoRecord& record);

// Where a torn last line of log.txt goes, and the time that names its file.
struct TornLineRecovery {
    QString backupFolder;
    QDateTime localNow;
};

// A last line of log.txt without its line break that could not be read, as a power cut or a kill in the
// middle of an append leaves it, and where it was put.
struct SetAsideLine {
    int lineNumber = 0;
    QByteArray bytes; // as they stood at the end of log.txt
    QString logPath;
    QString keptPath; // the new file in the BACKUP folder holding the bytes
    int completeRecords = 0;
};

// The message box that tells the operator what was set aside: file names and the bytes' text.
extern const QString kSetAsideTitle;
QString setAsideMessage(const SetAsideLine& setAside);

class LogFile {
public:
    static constexpr int FieldCount = 11;
    static const QString FileName; // "log.txt"

    // sync makes appends durable; null: the device's own (DeviceFileSync).
    explicit LogFile(QString programFolder, FileSync* sync = nullptr);

    // log.txt in the program folder, in the spelling found on disk when it differs in letter case.
    QString path() const;

    // Reads the whole file into a fresh store. Only when every line reads does it replace `store` and then
    // tell the observer (reloadStarted, then recordLoaded per record). On failure `store` is untouched,
    // the observer is not called and the error names the line and the reason.
    // Each non-blank line must hold eleven values; field 10 (Points) must read as a finite number (quoted
    // or bare; empty reads as 0); a bare value in a text field is taken as its text. Blank lines are
    // skipped. More than LogStore::Capacity records, or a points total beyond 32 bits, is a failure.
    FileResult load(LogStore& store, LogReloadObserver* observer = nullptr) const;

    // As load, except for a last line without its line break that does not read (torn by a power cut or a
    // kill during an append). Such a line does not fail the load: its bytes are written to a new file in the
    // backup folder (never over another) and pushed to the disk, then log.txt is cut back to the complete
    // lines through a temporary file and a rename, and the complete records load; setAside says what was
    // set aside. If either write fails the load fails and log.txt is as it was. A bad line anywhere else,
    // or one that has its line break, fails as in load.
    FileResult load(LogStore& store, LogReloadObserver* observer, const TornLineRecovery& recovery,
                    std::optional<SetAsideLine>& setAside);

    // Writes record QsoCount() of the store as one line at the end of the file, creating the file when
    // absent, and returns once the line is on the device (synced), so a power cut after a contact shows as
    // logged cannot lose it. When the file does not end with a line break (a hand edit) one is written
    // first, so lines never join. On a failed write or sync the file is cut back to its previous length.
    FileResult AppendQso(const LogStore& store);

    // Replaces the file by records 1..QsoCount() of the store through a temporary file and a rename: the
    // file afterwards is the old one or the new one, never part of either.
    FileResult RewriteLog(const LogStore& store);

    // Whether log.txt still holds exactly the bytes this object last read, appended or wrote (its size and
    // time, then the bytes themselves against a checksum), so a store loaded from it may be taken as the
    // file without parsing it again. False after a hand edit, a restore, or before anything was read.
    bool unchangedSinceLastUse() const;

private:
    // What log.txt held when this object last read or wrote it.
    struct Fingerprint {
        qint64 size = 0;
        QDateTime modified;
        quint64 checksum = 0; // FNV-1a over all the bytes, continued over each append
    };
    void remember(const QString& filePath, const QByteArray& bytes) const;
    void rememberAppended(const QString& filePath, const QByteArray& bytes) const;

    // Reads and checks every line into fresh; the offset and number of a torn last line when tornAt is given
    // (the records before it are in fresh), failing on it otherwise.
    FileResult parse(const QString& filePath, const QByteArray& data, LogStore& fresh, qsizetype* tornAt,
                     int* tornLine) const;
    FileResult setAside(const QString& filePath, const QByteArray& data, qsizetype tornAt,
                        const TornLineRecovery& recovery, QString& keptPath);
    void publish(LogStore& fresh, LogStore& store, LogReloadObserver* observer) const;

    QString m_folder;
    FileSync* m_sync;
    mutable std::optional<Fingerprint> m_known;
};

// The record as log.txt will hold it: every text through writableText (no double quote, no line break).
QsoRecord writableRecord(QsoRecord record);

// Adds the record to the store and appends it to the file. When the store refuses it (full, points out of
// range) nothing is written; when the write fails the record is taken back out of the store (the file is
// already back at its previous length), so store and file agree either way. Texts are stored as the file
// holds them (see writableText).
FileResult appendRecord(LogStore& store, LogFile& file, const QsoRecord& record);

} // namespace velm
