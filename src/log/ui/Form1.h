#pragma once
// Responsibilities: the main window: owner and only writer of the LogStore, log.txt and the preferences; the
// clocks, band and mode, the keyboard routing, and the public operations other windows call.

#include "log/KeyRouter.h"
#include "log/LogFile.h"
#include "log/LogStore.h"
#include "log/MultiplierState.h"
#include "log/DupCheck.h"
#include "log/EntryKeys.h"
#include "log/PrefixTable.h"
#include "log/OperatingClock.h"
#include "log/ProgramFolder.h"
#include "log/ProgramPreferences.h"
#include "log/StationPorts.h"
#include "log/UserFolderSetup.h"
#include "platform/Services.h"
#include "platform/ui/ValueLabel.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace velm {

class CountrySource;
class Form5;
class SharedPreferences;

// Everything the main window is built from; main builds it once, tests from fakes.
struct Form1Context {
    Services services;
    ProgramFolder programFolder;
    UserFolderPaths userFolders;
    SharedPreferences& sharedPreferences;
    StationPorts ports;
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    static const QString Title;

    explicit Form1(Form1Context context, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence as far as it is built: preferences, UTC offset check, band and mode, station
    // window, reload. Returns false when the program must end (the log could not be reloaded).
    bool startUp();

    // Reloads the whole store from log.txt and refreshes every derived view. On failure the operator is told
    // ("File Error"), nothing is written, programMustEnd is emitted and false is returned.
    bool mnuOpen2();
    // Adds the record to the store and appends it to log.txt; on a failed write the record is taken back
    // out, the operator is told why, and false is returned.
    bool AppendQso(const QsoRecord& record);
    // Replaces log.txt by the store; the caller reloads afterwards.
    bool RewriteLog();

    // Loads arrlpre2.txt from the shared, user-data or program folder; false when a file is there but
    // unreadable (failure, when given, then names the file and the reason).
    bool LoadPrefixTable(QString* failure = nullptr);
    // Country, continent, bearing and miles for the call field's text.
    void PrefixLookup();
    void ProvinceFromCall();
    // Bearing and distance from the own station to the given point (west-positive longitude).
    void HDCalc(double cntlat, double cntlong);
    // The duplicate check on leaving the call field; true when the call was refused as a duplicate.
    bool DupCheck();
    void cmdDup_Click();
    void ListRefresh();
    void RefreshGrid();
    void Labeldisplay();
    void TimeStats();
    void UpdateNewIndicator();
    void mnuColors_Click();
    void mnuListPrevious_Click();

    // --- Entry row and commit (Form1Entry.cpp): public operations ---
    // Commits the entry row (Enter in any entry field): checks, records, scores and appends the contact.
    void Mains();
    // "&Clear" and Esc: empties the entry row, the message and possible-duplicates lines and the lookup labels.
    void cmdClear_Click();
    // The entry row's key filters, for other windows' fields (key codes as in log/EntryCommit.h).
    static int Capital(int keyCode);
    static int number(int keyCode);
    // --- end entry row public ---

    // --- Contact list (Form1ContactList.cpp): public operations ---
    // Rebuilds the contact list rows (last 20 or all, newest first).
    void RefreshContactList();
    // "Last 20" / "All": lists every contact or the last 20; the caption names what is shown.
    void cmdList_Click();
    // Opens the selected contact in the edit window; then log.txt is rewritten and reloaded. Nothing
    // happens while no row is selected.
    void cmdEdit_Click();
    // Deletes the selected contact after "Are you sure?"; later records move down one number, log.txt is
    // rewritten and reloaded. A failed rewrite puts the store back as the file still has it.
    void cmdDelete_Click();
    // For the call field gaining the focus: hides "Edit Contact" and "Delete Contact"; with the field empty,
    // a list showing fewer rows than QsoCount and fewer than 18 (a short duplicate listing) is refreshed.
    void contactListOnCallFocus();
    // --- end contact list public ---

    // --- Start-up, log lifecycle and exit (Form1Lifecycle.cpp): public operations ---
    // The automatic backup: a copy of log.txt in the BACKUP folder when the log changed since it was opened.
    void Backup();
    // "&New": asks for a typed YES, backs the log up, empties it and resets the operating time.
    void StartNewLog();
    void mnuArchive_Click();
    void mnuRestore_Click();
    // The count of the first reload that found records; a backup is due when the log differs from it.
    int backupReference() const { return m_backupReference; }
    // --- end lifecycle public ---

    // Reads qrppref.txt; false (and the preferences unchanged) when it cannot be read (failure, when given,
    // then names the file, the line and what was wrong).
    bool ReadPreferences(QString* failure = nullptr);
    // Rewrites qrppref.txt; a failure is shown to the operator with the file and the reason. While the file
    // is kept because it failed to read, nothing is written, the operator is told once and false is returned.
    bool SavePref();
    void CheckUtcOffset();
    void mnuSetup_Click();
    void cmdLogOn_Click();
    void ShowOperatingTime();
    // The one-second clock tick.
    void Timer2_Timer();
    void selectBand(const QString& band);
    void selectMode(const QString& mode);
    void Label24_Click();
    void Label30_Click();
    // The message line under the entry row; a screen reader hears a new text without the focus moving, and
    // a refusal (Announce::Always) every time it is made.
    void showMessage(const QString& text, MessageTone tone = MessageTone::Normal,
                     Announce when = Announce::IfChanged);

    const LogStore& logStore() const { return m_store; }
    const ProgramPreferences& preferences() const { return m_prefs; }
    const OperatingClock& operatingClock() const { return m_operatingClock; }
    const MultiplierState& multipliers() const { return m_multipliers; }
    const PrefixTable& prefixTable() const { return m_prefixTable; }
    const ProgramFolder& programFolder() const { return m_context.programFolder; }
    const UserFolderPaths& userFolders() const { return m_context.userFolders; }
    // How modal windows of this window are run; tests drive them without a nested event loop.
    void setModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }

    // Menu items, named as the rest of the program refers to them.
    QAction* mnuNew = nullptr;
    QAction* mnuArchive = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuWriteSumm = nullptr;
    QAction* mnuADIF = nullptr;
    QAction* mnuKestroneImport = nullptr;
    QAction* mnuCopyListtoClipboard = nullptr;
    QAction* mnuPostContest = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuBand160Ch = nullptr;
    QAction* mnuBand80Ch = nullptr;
    QAction* mnuBand40Ch = nullptr;
    QAction* mnuBand20Ch = nullptr;
    QAction* mnuBand15Ch = nullptr;
    QAction* mnuBand10Ch = nullptr;
    QAction* mnuBand6Ch = nullptr;
    QAction* mnuPrivileges = nullptr;
    QAction* mnu160 = nullptr; // "&CW"
    QAction* mnuSSB = nullptr; // "&PH"
    QAction* mnuCwKeyer = nullptr;
    QAction* mnuCwStrings = nullptr;
    QAction* mnuVoiceKeyer = nullptr;
    QAction* mnuCodePractice = nullptr;
    QAction* mnuBlind = nullptr;
    QAction* mnuRigInterface = nullptr;
    QAction* mnuRigTune = nullptr;
    QAction* mnuSpotConfigure = nullptr;
    QAction* mnuSpectrumMap = nullptr;
    QAction* mnuColors = nullptr;
    QAction* mnuFormSize = nullptr;
    QAction* mnuTaskbar = nullptr;
    QAction* mnuListPrevious = nullptr;
    QAction* mnuGraph = nullptr;
    QAction* mnuHelp = nullptr;

    // Own station.
    QLabel* Label2 = nullptr;  // call
    QLabel* Label25 = nullptr; // S/P/C
    QLabel* Label4 = nullptr;  // VELM number or power
    // Clocks.
    QLabel* lblutctime = nullptr;
    QLabel* lblCurTime = nullptr;
    QLabel* Label16 = nullptr; // AM / PM
    QLabel* lblttrack = nullptr;
    QPushButton* cmdLogOn = nullptr;
    QTimer* Timer2 = nullptr;
    // Band and mode.
    QLabel* Label24 = nullptr;
    QLabel* Label30 = nullptr;
    // Entry row and message line.
    QLineEdit* txtCall = nullptr;
    QLineEdit* txtRSTR = nullptr;
    QLineEdit* txtCntry = nullptr;
    QLineEdit* txtSec = nullptr;
    QLineEdit* txtRSTS = nullptr;
    QLabel* lblDialog = nullptr;
    // Entry captions 0..4 and the DX list caption 5.
    QList<QLabel*> lblStation;
    // Country lookup.
    QLabel* Label19 = nullptr; // continent
    QLabel* Label22 = nullptr; // bearing
    QLabel* Label23 = nullptr; // miles
    QLabel* Label3 = nullptr;  // "New"
    // Possible duplicates.
    QLabel* lblPossDup = nullptr;
    QLabel* lblDupe = nullptr;
    QPushButton* cmdDup = nullptr;
    // Multipliers: Label10[1..62] (index 0 unused) and the DX countries of the current band.
    QLabel* Label15 = nullptr;
    QList<QLabel*> Label10;
    QListWidget* List1 = nullptr;
    // Score block and rates.
    QLabel* lblTotCon = nullptr;
    QLabel* lblsectogo = nullptr;
    QLabel* lblTotSec = nullptr;
    QLabel* lblTotScore = nullptr;
    QLabel* lblAQSO60 = nullptr;
    QLabel* lblAQSO20 = nullptr;
    QTimer* Timer1 = nullptr;
    // Contact list.
    QTreeWidget* ListView1 = nullptr;
    // --- Entry row and commit: controls ---
    QPushButton* cmdClear = nullptr;
    // Post-contest entry: shown while "&Post Contest Mode" is checked, with their captions.
    QLineEdit* txtPostConTime = nullptr;
    QLineEdit* txtPostConDate = nullptr;
    QLabel* lblPostConTime = nullptr;
    QLabel* lblPostConDate = nullptr;
    // --- end entry row controls ---
    // --- Contact list: controls ---
    QPushButton* cmdList = nullptr;   // "Last 20" / "All"
    QPushButton* cmdEdit = nullptr;   // "Edit Contact"
    QPushButton* cmdDelete = nullptr; // "Delete Contact"
    // --- end contact list controls ---
    // --- Lifecycle: controls ---
    // --- end lifecycle controls ---

Q_SIGNALS:
    // The program cannot go on (the log could not be reloaded); main ends the event loop with this code.
    void programMustEnd(int exitCode);
    // A keyboard shortcut asked for another window; the windows connect here as they are built.
    void windowRequested(velm::WindowShortcut window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildStationArea();
    QWidget* buildClockArea();
    QWidget* buildBandModeArea();
    QWidget* buildEntryRow();
    QWidget* buildScoreArea();
    QWidget* buildLookupArea();
    QWidget* buildDupeArea();
    QWidget* buildMultiplierArea();
    QWidget* buildDxArea();
    QWidget* buildContactList();
    void paintGridLabel(int number);
    void connectMenus();
    void showStation();
    void showBandAndMode();
    bool Form_KeyPress(QObject* watched, QKeyEvent* key);
    void txtCall_LostFocus();
    void releaseHeldKeys();
    void showPossibleDupes(const QString& list, bool onTeal);
    void clearLookupLabels();
    void gridLabelHover(int number);
    int gridLabelNumber(const QObject* object) const;
    void mnuHelp_Click();
    void mnuExit_Click();

    Form1Context m_context;
    Services& m_services;
    LogFile m_logFile;
    PreferencesFile m_preferencesFile;
    LogStore m_store;
    ProgramPreferences m_prefs;
    OperatingClock m_operatingClock;
    KeyRouter m_keyRouter;
    MessageTone m_messageTone = MessageTone::Normal;
    int m_reportLength = 3; // both report fields allow 3 characters until a mode is chosen
    PrefixTable m_prefixTable;
    MultiplierState m_multipliers;
    DupeHold m_dupeHold;
    QList<QKeyEvent*> m_heldKeys;
    QTimer* m_holdTimer = nullptr;
    bool m_partialDupesOn = true;
    QString m_spcFromLookup; // what PrefixLookup last wrote into txtCntry
    // --- Entry row and commit: private members and helpers ---
    void connectEntryRow();
    // One key typed into an entry field: the row and the key to EntryKeys, its effects rendered in order;
    // false when the field is to take the key itself.
    bool entryKeyPress(EntryField field, QKeyEvent* key);
    void applyEntryEffect(const EntryEffect& effect);
    void showPartialDupes(const PartialDupeResult& result);
    void entryFieldInsertion(QLineEdit& field, const QString& pasted);
    void entryFieldGotFocus(QWidget* field);
    void commitEntry();
    bool frmcmp();
    bool recordContact();
    void clearEntryRow();
    void mnuPostContest_Click(bool checked);
    bool postContestShown() const;
    EntryKeys m_entryKeys{m_store, m_prefixTable};
    // While a commit runs, focus moves are only noted; the fields' focus rules run once it has finished.
    bool m_focusRulesHeld = false;
    // --- end entry row private ---
    // --- Contact list: private members and helpers ---
    QWidget* buildContactListButtons();
    void connectContactList();
    bool contactList_Event(QObject* watched, QEvent* event);
    int selectedContactRecord() const;
    void noContactSelected();
    void showContactButtons();
    void hideContactButtons();
    void sizeContactColumns();
    // Ends an edit or deletion: rewrite log.txt and reload; on a failed rewrite the store goes back to before.
    void rewriteAndReload(const LogStore& before);
    bool m_listAll = false;
    // Forwards the list's and the window's events to contactList_Event; a member, so that it is gone before
    // the window's children are destroyed (their last events must not reach a half-destroyed Form1).
    QScopedPointer<QObject> m_contactListEvents;
    // --- end contact list private ---
    // --- Lifecycle: private members and helpers ---
    // Backup with the choice of ignoring the reference count; false (and why) when no copy could be made.
    bool makeBackup(bool evenWhenUnchanged, QString* failure = nullptr);
    QString backupFolder() const;
    void rememberOperatingTime();
    int m_backupReference = 0;
    bool m_exiting = false;
    bool m_logLoaded = false;
    bool m_toldPreferencesKept = false; // the refused save of an unreadable qrppref.txt was reported
    // --- end lifecycle private ---
    QWidget* m_multiplierArea = nullptr; // the grid, hidden until the preferences give it a band and colours
    std::function<int(QDialog&)> m_runModal;
    Form5* m_help = nullptr;
};

} // namespace velm
