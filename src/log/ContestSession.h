#pragma once
// Responsibilities: the contest as one logic object: the log store and log.txt, the preferences, the
// multipliers, the operating clock, the prefix table and the duplicate hold, the rules that change them, and
// one signal that tells every view what changed.

#include "log/DupCheck.h"
#include "log/EntryCommit.h"
#include "log/LogFile.h"
#include "log/LogStore.h"
#include "log/MultiplierState.h"
#include "log/OperatingClock.h"
#include "log/PrefixTable.h"
#include "log/ProgramFolder.h"
#include "log/ProgramPreferences.h"
#include "log/UserFolderSetup.h"
#include "log/UtcOffsetCheck.h"
#include "platform/Services.h"

#include <QFlags>
#include <QObject>

#include <optional>

namespace velm {

struct StationProfile;

// What a change touched; views refresh what they show of it.
enum class SessionChange {
    Records = 0x01,       // the log's records and everything derived from them (multipliers, score, rates)
    BandMode = 0x02,      // the current band or mode
    Preferences = 0x04,   // colours, list-previous and the other stored preferences
    OperatingTime = 0x08, // on/off, or the stored operating time
    Station = 0x10,       // the own station's values
    Lookup = 0x20,        // the continent, bearing, miles and "New" flag shown beside the entry row
};
Q_DECLARE_FLAGS(SessionChanges, SessionChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(SessionChanges)

// The continent, bearing and miles the lookup shows beside the entry row; the points rule reads the
// continent shown.
struct LookupLabels {
    QString continent, bearing, miles;
    friend bool operator==(const LookupLabels&, const LookupLabels&) = default;
};

// One press of Enter in the entry row: the five fields' texts and, while the post-contest fields are shown,
// their texts.
struct CommitRequest {
    EntryTexts entry;
    std::optional<QString> postContestDate, postContestTime;
};

// What a commit did, in the order it did it; the window shows it in that order.
struct CommitOutcome {
    // Post-contest entry: the fields' new texts; a refusal ends the commit there.
    std::optional<PostContestCheck> postContest;
    bool clockStarted = false; // the first Enter started the operating clock
    QList<Refusal> incomplete; // every failed completeness test, in the order made (a beep each)
    QString spc;               // the S/P/C text as checked (two characters upper-cased)
    bool sectionInvalid = false;
    DupCheckResult duplicate;
    enum class Record { NotTried, Logged, LogFull, NotLoaded, WriteFailed };
    Record record = Record::NotTried;
    QString failure; // LogFull, NotLoaded, WriteFailed: the message box's text
    QsoRecord logged;
    // A DX country of the contact: added to the band's list, or the list was full.
    std::optional<MultiplierState::AddResult> dxCountry;
    bool clearRow = false; // complete and a valid section (a refused duplicate included): the row empties
};

// Lifecycle flows that ask the operator several things in a row run the questions themselves (Prompts).
class ContestSession : public QObject {
    Q_OBJECT
public:
    ContestSession(Services services, ProgramFolder programFolder, UserFolderPaths userFolders,
                   QObject* parent = nullptr);
    ~ContestSession() override;

    const LogStore& store() const { return m_store; }
    const ProgramPreferences& preferences() const { return m_prefs; }
    const OperatingClock& operatingClock() const { return m_operatingClock; }
    const MultiplierState& multipliers() const { return m_multipliers; }
    const PrefixTable& prefixTable() const { return m_prefixTable; }
    const ProgramFolder& programFolder() const { return m_programFolder; }
    const UserFolderPaths& userFolders() const { return m_userFolders; }
    Services& services() { return m_services; }
    const LogFile& logFile() const { return m_logFile; }
    bool logLoaded() const { return m_logLoaded; }
    // The count of the first reload that found records; a backup is due when the log differs from it.
    int backupReference() const { return m_backupReference; }

    // --- Preferences and tables ---
    // qrppref.txt; on failure the preferences stay as they were and the error names file, line and reason.
    FileResult ReadPreferences();
    FileResult SavePref();
    // arrlpre2.txt from the shared, user-data or program folder; a failure when a file is there but
    // unreadable.
    FileResult LoadPrefixTable();
    // The stored UTC offset against the system clock; an accepted answer is stored and saved.
    UtcOffsetQuestion utcOffsetQuestion() const;
    FileResult acceptUtcOffset(float offset);
    FileResult applyStation(const StationProfile& profile);
    FileResult setColours(quint32 remaining, quint32 worked);
    FileResult setListPrevious(bool on);
    // The rig window's "&Done": the rig type is kept with the preferences.
    FileResult setRigType(const QString& rigType);
    // The voice navigation window's "Done": 0 off, 1 the call field, 2 every field.
    FileResult setVoiceNavLevel(quint8 level);
    // The main window's share of the screen (held to 30 ... 100) and its fit to the work area.
    FileResult setFormSizePercent(int percent);
    FileResult setTaskbarMode(bool on);

    // --- The log file ---
    // Rebuilds the store and every derived value from log.txt. On failure nothing is loaded (the store is
    // kept, logLoaded() is false) and nothing may be written until a reload succeeds.
    FileResult mnuOpen2();
    // Adds the record to the store and appends it to log.txt; on a failed write the store is as before.
    FileResult AppendQso(const QsoRecord& record);
    // Replaces log.txt by the store; on failure the store is put back as the file still has it.
    FileResult RewriteLog(const LogStore& before);
    // An edit or deletion made on a copy of the store: stored, log.txt rewritten, then reloaded. The result
    // is the rewrite's: on failure the store is as the file still has it.
    FileResult replaceStore(const LogStore& edited);
    // Start-up, before anything is read: temporaries an interrupted rewrite left beside the program's files
    // go to BACKUP.
    void moveCrashLeftovers();

    // --- Band and mode ---
    struct Selection {
        FileResult saved, reloaded;
    };
    Selection selectBand(const QString& band);
    Selection selectMode(const QString& mode);
    int reportLength() const { return m_reportLength; }
    // The rig read a frequency (MHz): a frequency inside one of the seven bands selects that band as the Band
    // menu does, and every frequency becomes LastRigFrequencyText, which the next commit stores and empties.
    void BandFreqConversion(float megahertz);
    // The rig read a mode: "CW" or "PH" that differs from the current mode selects it; other texts do
    // nothing.
    void ModeSelection(const QString& mode);
    const QString& LastRigFrequencyText() const { return m_lastRigFrequencyText; }

    // --- Operating clock ---
    void timeOn();
    // The message-line text "Logged Off at ..."; the time is saved.
    QString timeOff(FileResult* saved = nullptr);
    // Closing or exit: an open on-period is closed and saved.
    void rememberOperatingTime();
    QString operatingTimeText() const;

    // --- Entry row ---
    // The country lookup for the call field's text, remembering what it wrote into the S/P/C field.
    PrefixLookupResult lookupCall(const QString& call, const QString& spcNow);
    QString provinceFromCall(const QString& call, const QString& spcNow) const;
    std::optional<PrefixTable::Completion> completeCountry(const QString& spcText, int caret, QChar typed);
    // The "New" indicator for the S/P/C field's text; a commit adds a DX country only while it shows.
    bool UpdateNewIndicator(const QString& spcText);
    bool newIndicatorShown() const { return m_newShown; }
    const LookupLabels& lookupLabels() const { return m_lookup; }
    void setLookupLabels(const LookupLabels& labels);
    void clearLookupLabels();
    PartialDupeResult possibleDupes(const QString& callText, QChar key) const;
    bool partialDupesOn() const { return m_partialDupesOn; }
    void togglePartialDupes() { m_partialDupesOn = !m_partialDupesOn; }
    DupCheckResult DupCheck(const QString& call, const QString& velmPwr, const QString& spc) const;
    // A duplicate was refused now: keys for the call field wait 3 s.
    void holdAfterRefusal();
    DupeHold& dupeHold() { return m_dupeHold; }
    void setPostContest(bool on) { m_postContest = on; }
    bool postContest() const { return m_postContest; }
    CommitOutcome commit(const CommitRequest& request);
    // The call and the report sent as the entry row holds them, for the CW messages.
    void setCurrentCall(const QString& call) { m_currentCall = call; }
    void setCurrentReportSent(const QString& report) { m_currentReportSent = report; }
    const QString& currentCall() const { return m_currentCall; }
    const QString& currentReportSent() const { return m_currentReportSent; }

    // --- Backups, new log, archive, restore ---
    QString backupFolder() const;
    // The automatic backup when the log changed since it was opened; the reason when no copy could be made.
    QString Backup();
    void StartNewLog();
    void mnuArchive_Click();
    void mnuRestore_Click();

Q_SIGNALS:
    void changed(velm::SessionChanges what);
    // A save of qrppref.txt failed; the last saved preferences are kept. unreadAtStart: the file could not be
    // read, so no save is made into it while the program runs.
    void preferencesNotSaved(const QString& error, bool unreadAtStart);
    // log.txt could not be read: nothing is loaded and the program cannot go on.
    void logUnreadable(const QString& error);
    // A torn last line of log.txt was set aside in BACKUP; the complete records loaded.
    void logLineSetAside(const velm::SetAsideLine& setAside);

private:
    void emitLookup() { Q_EMIT changed(SessionChange::Lookup); }
    // evenWhenUnchanged: before the log is replaced or erased, whatever log.txt holds is kept.
    QString makeBackup(bool evenWhenUnchanged);
    Selection afterSelection();
    // What a reload derives from the records, rebuilt from the store as it stands.
    void rebuildFromStore();
    void noteFirstContacts();

    Services m_services;
    ProgramFolder m_programFolder;
    UserFolderPaths m_userFolders;
    LogFile m_logFile;
    PreferencesFile m_preferencesFile;
    LogStore m_store;
    ProgramPreferences m_prefs;
    OperatingClock m_operatingClock;
    PrefixTable m_prefixTable;
    MultiplierState m_multipliers;
    DupeHold m_dupeHold;
    int m_backupReference = 0;
    bool m_logLoaded = false;
    int m_reportLength = 3; // both report fields take 3 characters until a mode is chosen
    bool m_partialDupesOn = true;
    bool m_newShown = false;
    bool m_postContest = false;
    QString m_spcFromLookup; // what the lookup last wrote into the S/P/C field
    LookupLabels m_lookup;
    QString m_currentCall, m_currentReportSent;
    QString m_lastRigFrequencyText; // "#####.##0", emptied by every commit
};

} // namespace velm
