#include "log/ContestSession.h"

#include "log/BandMode.h"
#include "log/CrashLeftovers.h"
#include "log/FileIo.h"
#include "log/LogLifecycle.h"
#include "log/StationProfile.h"
#include "log/WriteFormat.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

namespace velm {

Q_LOGGING_CATEGORY(lcSession, "velm.log.session", QtWarningMsg)

ContestSession::ContestSession(Services services, ProgramFolder programFolder, UserFolderPaths userFolders,
                               QObject* parent)
    : QObject(parent), m_services(services), m_programFolder(std::move(programFolder)),
      m_userFolders(std::move(userFolders)), m_logFile(m_programFolder.path()),
      m_preferencesFile(m_programFolder.path())
{
}

ContestSession::~ContestSession() = default;

// --- Preferences and tables ---

FileResult ContestSession::ReadPreferences()
{
    FileResult result = m_preferencesFile.ReadPreferences(m_prefs);
    if (!result.ok) {
        qCWarning(lcSession) << "preferences not read:" << result.error;
        return result;
    }
    m_operatingClock.setOperatingSeconds(m_prefs.OperatingSeconds);
    Q_EMIT changed(SessionChange::Preferences | SessionChange::BandMode | SessionChange::Station |
                   SessionChange::OperatingTime);
    return result;
}

FileResult ContestSession::SavePref()
{
    FileResult saved = m_preferencesFile.SavePref(m_prefs);
    if (!saved.ok)
        Q_EMIT preferencesNotSaved(saved.error, m_preferencesFile.savesRefused());
    return saved;
}

FileResult ContestSession::LoadPrefixTable()
{
    QStringList folders;
    for (const QString& folder :
         {m_userFolders.SharedFolder, m_userFolders.UserDataFolder, m_programFolder.path()}) {
        if (!folder.isEmpty()) // an unknown folder must not become the current one
            folders << folder;
    }
    FileResult result = m_prefixTable.LoadPrefixTable(folders);
    if (!result.ok)
        qCWarning(lcSession) << "prefix table not loaded:" << result.error;
    return result;
}

UtcOffsetQuestion ContestSession::utcOffsetQuestion() const
{
    return checkUtcOffset(m_services.clock.utcNow(), m_services.clock.localNow(), m_prefs.UtcOffset);
}

FileResult ContestSession::acceptUtcOffset(float offset)
{
    const float previous = m_prefs.UtcOffset;
    m_prefs.UtcOffset = offset;
    FileResult saved = SavePref();
    if (!saved.ok)
        m_prefs.UtcOffset = previous;
    return saved;
}

FileResult ContestSession::applyStation(const StationProfile& profile)
{
    applyStationProfile(m_prefs, profile);
    Q_EMIT changed(SessionChange::Station);
    return SavePref();
}

FileResult ContestSession::setColours(quint32 remaining, quint32 worked)
{
    m_prefs.RemainingColour = qint32(remaining);
    m_prefs.WorkedColour = qint32(worked);
    FileResult saved = SavePref();
    Q_EMIT changed(SessionChange::Preferences);
    mnuOpen2();
    return saved;
}

FileResult ContestSession::setListPrevious(bool on)
{
    m_prefs.ListPrevious = on ? 1 : 0;
    return SavePref();
}

FileResult ContestSession::setRigType(const QString& rigType)
{
    m_prefs.RigType = rigType;
    return SavePref();
}

FileResult ContestSession::setVoiceNavLevel(quint8 level)
{
    m_prefs.VoiceNavLevel = level;
    Q_EMIT changed(SessionChange::Preferences);
    return SavePref();
}

FileResult ContestSession::setFormSizePercent(int percent)
{
    m_prefs.FormSizePercent = quint8(std::clamp(percent, 30, 100));
    return SavePref();
}

FileResult ContestSession::setTaskbarMode(bool on)
{
    m_prefs.TaskbarMode = on ? 1 : 0;
    return SavePref();
}

// --- The log file ---

FileResult ContestSession::mnuOpen2()
{
    // A last line torn by a power cut is set aside in BACKUP rather than refusing the whole log.
    std::optional<SetAsideLine> setAside;
    FileResult result = m_logFile.load(
        m_store, &m_multipliers, TornLineRecovery{backupFolder(), m_services.clock.localNow()}, setAside);
    if (!result.ok) {
        qCWarning(lcSession) << "reload failed:" << result.error;
        m_logLoaded = false;
        Q_EMIT logUnreadable(result.error);
        return result;
    }
    m_logLoaded = true;
    noteFirstContacts();
    m_multipliers.RefreshGrid();
    Q_EMIT changed(SessionChange::Records);
    if (setAside)
        Q_EMIT logLineSetAside(*setAside);
    return result;
}

FileResult ContestSession::AppendQso(const QsoRecord& record)
{
    // Until log.txt has been read, appending would leave the file holding contacts the screen does not.
    if (!m_logLoaded)
        return {false, QStringLiteral("the log is not open. Use File > Open to open it.")};
    return appendRecord(m_store, m_logFile, record);
}

FileResult ContestSession::RewriteLog(const LogStore& before)
{
    FileResult result = m_logFile.RewriteLog(m_store);
    if (!result.ok) {
        // The file was not replaced: keep the store as the file still has it, so that the next reload shows
        // what was shown before, and the program goes on.
        m_store = before;
        Q_EMIT changed(SessionChange::Records);
    }
    return result;
}

FileResult ContestSession::replaceStore(const LogStore& edited)
{
    const LogStore before = m_store;
    m_store = edited;
    FileResult rewritten = RewriteLog(before);
    if (rewritten.ok)
        mnuOpen2();
    return rewritten;
}

void ContestSession::moveCrashLeftovers()
{
    for (const LeftoverMove& move : moveRewriteLeftovers(m_programFolder.path(), rewrittenProgramFiles(),
                                                         backupFolder(), m_services.clock.utcNow())) {
        if (move.error.isEmpty())
            qCInfo(lcSession) << "moved" << move.from << "to" << move.to;
        else
            qCWarning(lcSession) << "left" << move.from << "where it is:" << move.error;
    }
}

void ContestSession::rebuildFromStore()
{
    m_multipliers.reloadStarted();
    for (int number = 1; number <= m_store.QsoCount(); ++number)
        m_multipliers.recordLoaded(m_store.record(number));
    noteFirstContacts();
    m_multipliers.RefreshGrid();
    Q_EMIT changed(SessionChange::Records);
}

void ContestSession::noteFirstContacts()
{
    // The first reload that finds contacts fixes the count a closing backup is measured against, whether
    // the file was read again or the store already held it.
    if (m_backupReference == 0)
        m_backupReference = m_store.QsoCount();
}

// --- Band and mode ---

ContestSession::Selection ContestSession::afterSelection()
{
    Q_EMIT changed(SessionChange::BandMode);
    Selection selection;
    selection.saved = SavePref();
    // log.txt as this session last read or wrote it: the store is the file, and only what is derived from it
    // is rebuilt. Any other file (a hand edit) is read again.
    if (m_logLoaded && m_logFile.unchangedSinceLastUse())
        rebuildFromStore();
    else
        selection.reloaded = mnuOpen2();
    return selection;
}

ContestSession::Selection ContestSession::selectBand(const QString& band)
{
    m_prefs.CurrentBand = band;
    return afterSelection();
}

ContestSession::Selection ContestSession::selectMode(const QString& mode)
{
    m_prefs.CurrentMode = modeText(storedMode(mode));
    m_reportLength = reportLengthForMode(m_prefs.CurrentMode);
    return afterSelection();
}

void ContestSession::BandFreqConversion(float megahertz)
{
    if (const std::optional<Band> band = Band::ofFrequency(megahertz);
        band && band->text().compare(m_prefs.CurrentBand, Qt::CaseInsensitive) != 0)
        selectBand(band->text());
    m_lastRigFrequencyText = QString::number(double(megahertz), 'f', 3);
}

void ContestSession::ModeSelection(const QString& mode)
{
    if (mode.isEmpty() || mode.compare(m_prefs.CurrentMode, Qt::CaseInsensitive) == 0)
        return;
    if (const std::optional<Mode> known = modeFromText(mode, Qt::CaseInsensitive))
        selectMode(modeText(*known));
}

// --- Operating clock ---

void ContestSession::timeOn()
{
    m_operatingClock.timeOn(m_services.clock.localNow());
    Q_EMIT changed(SessionChange::OperatingTime);
}

QString ContestSession::timeOff(FileResult* saved)
{
    const QString loggedOff = m_operatingClock.timeOff(m_services.clock.localNow(), m_prefs.UtcOffset);
    m_prefs.OperatingSeconds = m_operatingClock.OperatingSeconds();
    const FileResult result = SavePref();
    if (saved)
        *saved = result;
    Q_EMIT changed(SessionChange::OperatingTime);
    return loggedOff;
}

void ContestSession::rememberOperatingTime()
{
    if (m_operatingClock.LoggedOn())
        timeOff();
}

QString ContestSession::operatingTimeText() const
{
    return m_operatingClock.LoggedOn() ? m_operatingClock.display(m_services.clock.localNow())
                                       : formatOperatingTime(m_prefs.OperatingSeconds);
}

// --- Entry row ---

void ContestSession::setLookupLabels(const LookupLabels& labels)
{
    m_lookup = labels;
    emitLookup();
}

void ContestSession::clearLookupLabels()
{
    setLookupLabels({});
}

PrefixLookupResult ContestSession::lookupCall(const QString& call, const QString& spcNow)
{
    const PrefixLookupResult result =
        m_prefixTable.PrefixLookup(call, spcNow, m_prefs.OwnLatitude, m_prefs.OwnLongitude, m_spcFromLookup);
    if (result.spcText)
        m_spcFromLookup = *result.spcText;
    if (result.updateLabels)
        setLookupLabels({result.continent, result.bearing, result.miles});
    return result;
}

QString ContestSession::provinceFromCall(const QString& call, const QString& spcNow) const
{
    return m_prefixTable.ProvinceFromCall(call, spcNow);
}

std::optional<PrefixTable::Completion> ContestSession::completeCountry(const QString& spcText, int caret,
                                                                       QChar typed)
{
    std::optional<PrefixTable::Completion> completion =
        m_prefixTable.CountryCompletion(spcText, caret, typed, m_prefs.OwnLatitude, m_prefs.OwnLongitude);
    if (completion) {
        setLookupLabels({completion->continent,
                         completion->bearing ? completion->bearing->bearing : QString(),
                         completion->bearing ? completion->bearing->miles : QString()});
    }
    return completion;
}

bool ContestSession::UpdateNewIndicator(const QString& spcText)
{
    const bool shown = m_multipliers.UpdateNewIndicator(spcText, m_prefs.CurrentBand);
    if (shown != m_newShown) {
        m_newShown = shown;
        emitLookup();
    }
    return m_newShown;
}

PartialDupeResult ContestSession::possibleDupes(const QString& callText, QChar key) const
{
    return velm::PartialDupeCheck(m_store, callText, key, m_prefs.CurrentBand, m_partialDupesOn,
                                  m_operatingClock.LoggedOn());
}

DupCheckResult ContestSession::DupCheck(const QString& call, const QString& velmPwr, const QString& spc) const
{
    return velm::DupCheck(m_store,
                          DupCheckInput{call, m_prefs.CurrentBand, velmPwr, spc, m_prefs.ListPrevious == 1});
}

void ContestSession::holdAfterRefusal()
{
    m_dupeHold.refused(m_services.clock.milliseconds());
}

CommitOutcome ContestSession::commit(const CommitRequest& request)
{
    CommitOutcome outcome;
    if (m_postContest) {
        outcome.postContest = checkPostContest(request.postContestDate.value_or(QString()),
                                               request.postContestTime.value_or(QString()));
        if (outcome.postContest->refusal)
            return outcome;
    }
    // The operating clock starts with the first Enter, even when the entry is then refused.
    if (!m_operatingClock.LoggedOn()) {
        timeOn();
        outcome.clockStarted = true;
    }
    EntryTexts entry = request.entry;
    outcome.incomplete = frmcmp(entry);
    if (entry.spc.size() == 2) {
        entry.spc = entry.spc.toUpper();
        outcome.sectionInvalid = !isValidSection(entry.spc);
        if (!outcome.sectionInvalid && m_lookup.continent.isEmpty())
            setLookupLabels({QStringLiteral("NA"), m_lookup.bearing, m_lookup.miles});
    }
    outcome.spc = entry.spc;
    outcome.duplicate = DupCheck(entry.call, entry.velmPwr, entry.spc);
    const bool complete = outcome.incomplete.isEmpty() && !outcome.sectionInvalid;
    if (complete && outcome.duplicate.duplicateRecord == 0) {
        if (m_store.isFull()) {
            outcome.record = CommitOutcome::Record::LogFull;
            outcome.failure = QStringLiteral("The log already holds %1 contacts, as many as it can hold.\n\n"
                                             "The contact with %2 was not logged.")
                                  .arg(LogStore::Capacity)
                                  .arg(entry.call);
        } else {
            CommitInput input;
            input.entry = entry;
            input.localNow = m_services.clock.localNow();
            input.utcOffset = m_prefs.UtcOffset;
            if (outcome.postContest) {
                input.postContestDate = outcome.postContest->date;
                input.postContestTime = outcome.postContest->time;
            }
            input.mode = m_prefs.CurrentMode;
            input.band = m_prefs.CurrentBand;
            input.frequency = m_lastRigFrequencyText;
            input.continent = m_lookup.continent;
            input.ownContinent = m_prefs.OwnContinent;
            const QsoRecord record = buildQsoRecord(input);
            const FileResult appended = AppendQso(record);
            if (!m_logLoaded) {
                outcome.record = CommitOutcome::Record::NotLoaded;
                outcome.failure =
                    QStringLiteral("The contact with %1 was not logged: %2").arg(record.Call, appended.error);
            } else if (!appended.ok) {
                outcome.record = CommitOutcome::Record::WriteFailed;
                outcome.failure = QStringLiteral("The contact with %1 was not logged.\n\n%2")
                                      .arg(record.Call, appended.error);
            } else {
                outcome.record = CommitOutcome::Record::Logged;
                outcome.logged = m_store.record(m_store.QsoCount());
                if (outcome.logged.Spc.size() > 2 && m_newShown)
                    outcome.dxCountry = m_multipliers.AddDxCountry(outcome.logged.Band, outcome.logged.Spc);
                if (outcome.logged.Spc.size() == 2)
                    m_multipliers.MarkSpcWorked(outcome.logged.Band, outcome.logged.Spc);
                Q_EMIT changed(SessionChange::Records);
            }
        }
    }
    // A contact that could not be logged stays in the row, so the operator can note it.
    outcome.clearRow = complete && (outcome.duplicate.duplicateRecord != 0 ||
                                    outcome.record == CommitOutcome::Record::Logged);
    m_lastRigFrequencyText.clear();
    return outcome;
}

} // namespace velm
