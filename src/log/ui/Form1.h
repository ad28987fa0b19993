#pragma once
// Responsibilities: the main window: composes its panels over the contest session, routes the window's keys,
// runs the start-up sequence and closing, and offers the public operations other windows call.

#include "log/BandMode.h"
#include "log/ContestSession.h"
#include "log/EntryRowPort.h"
#include "log/KeyRouter.h"
#include "log/ShownContacts.h"
#include "log/StationPorts.h"
#include "log/ui/Form1Controls.h"
#include "log/ui/Form1Parts.h"
#include "platform/ui/ValueLabel.h"

#include <QMainWindow>

namespace velm {

class ClockPanel;
class ContactListPanel;
class DupesPanel;
class EntryRowPanel;
class Form5;
class AboutWindow;
class LookupPanel;
class MultiplierPanel;
class ScorePanel;
class SharedPreferences;
class StationPanel;

// Everything the main window is built from; main builds it once, tests from fakes.
struct Form1Context {
    Services services;
    ContestSession& session;
    SharedPreferences& sharedPreferences;
    StationPorts ports;
};

class Form1 : public QMainWindow,
              public Form1Menus,
              public Form1Controls,
              public EntryRowPort,
              public ShownContacts {
    Q_OBJECT
public:
    static const QString Title;

    explicit Form1(Form1Context context, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence. Returns false when the program must end (the log could not be reloaded).
    bool startUp();

    // The public operations, as the rest of the program names them.
    bool mnuOpen2();
    bool AppendQso(const QsoRecord& record);
    bool RewriteLog();
    bool ReadPreferences(QString* failure = nullptr);
    bool SavePref();
    bool LoadPrefixTable(QString* failure = nullptr);
    void CheckUtcOffset();
    void PrefixLookup();
    void ProvinceFromCall();
    void HDCalc(double cntlat, double cntlong);
    bool DupCheck();
    void cmdDup_Click();
    void ListRefresh();
    void RefreshGrid();
    void Labeldisplay();
    void TimeStats();
    void UpdateNewIndicator();
    void Mains();
    void cmdClear_Click();
    static int Capital(int keyCode);
    static int number(int keyCode);
    void RefreshContactList();
    void cmdList_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void contactListOnCallFocus();
    void Backup();
    void StartNewLog();
    void mnuArchive_Click();
    void mnuRestore_Click();
    void mnuSetup_Click();
    void mnuColors_Click();
    void mnuListPrevious_Click();
    void mnuFormSize_Click();
    void mnuTaskbar_Click();
    // The window's place and fonts from the form size and taskbar preferences, on its own screen.
    void fitMainWindow();
    void cmdLogOn_Click();
    void ShowOperatingTime();
    void Timer2_Timer();
    void selectBand(const QString& band);
    void selectMode(const QString& mode);
    void Label24_Click();
    void Label30_Click();
    void showMessage(const QString& text, MessageTone tone = MessageTone::Normal,
                     Announce when = Announce::IfChanged);
    // A notice from another subsystem on white: the message line and the possible-duplicates line.
    void showWhiteNotice(const QString& message, const QString& dupesLine);
    // The spot area as the bottom row (the rows above give it room while shown); a spot's tooltip on hover.
    void addSpotArea(QWidget* area);
    void showSpotHover(const QString& tooltip);

    ContestSession& session() { return m_session; }
    const LogStore& logStore() const { return m_session.store(); }
    const ProgramPreferences& preferences() const { return m_session.preferences(); }
    const OperatingClock& operatingClock() const { return m_session.operatingClock(); }
    const MultiplierState& multipliers() const { return m_session.multipliers(); }
    const PrefixTable& prefixTable() const { return m_session.prefixTable(); }
    const ProgramFolder& programFolder() const { return m_session.programFolder(); }
    const UserFolderPaths& userFolders() const { return m_session.userFolders(); }
    int backupReference() const { return m_session.backupReference(); }
    void setModalRunner(form1::ModalRunner runner) { m_runModal = std::move(runner); }

    // A key pressed in a window that handles keys as this one does (the CW strings list): the window-wide
    // rules only (function keys, arrows, Esc, keyboard CW, shortcuts); true when they took the key.
    bool forwardedKeyPress(QKeyEvent* key);
    // EntryRowPort: a spotted call, the "!" of a CW message.
    void enterCall(const QString& call, bool tab) override;
    void commitEntryRow() override;
    // ShownContacts: the contact list as displayed.
    QStringList contactHeadings() const override;
    QList<QStringList> shownContactRows() const override;

Q_SIGNALS:
    // The program cannot go on (the log could not be reloaded); main ends the event loop with this code.
    void programMustEnd(int exitCode);
    // A keyboard shortcut asked for another window; the windows connect here as they are built.
    void windowRequested(velm::WindowShortcut window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followScreenChanges();
    void buildMenus();
    void connectMenus();
    void aliasControls();
    void sessionChanged(SessionChanges what);
    void showBandModeMenus();
    // The Band menu's items in the order of Band::all().
    std::array<QAction*, Band::Count> bandItems() const;
    void logUnreadable(const QString& error);
    void preferencesNotSaved(const QString& error, bool unreadAtStart);
    bool Form_KeyPress(QWidget* widget, QKeyEvent* key);
    bool routeWindowKey(QKeyEvent* key);
    void mnuHelp_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    Form1Context m_context;
    Services& m_services;
    ContestSession& m_session;
    KeyRouter m_keyRouter;
    form1::ModalRunner m_runModal;
    StationPanel* m_station = nullptr;
    ClockPanel* m_clock = nullptr;
    EntryRowPanel* m_entry = nullptr;
    LookupPanel* m_lookup = nullptr;
    DupesPanel* m_dupes = nullptr;
    MultiplierPanel* m_multipliers = nullptr;
    ScorePanel* m_score = nullptr;
    ContactListPanel* m_contacts = nullptr;
    Form5* m_help = nullptr;
    AboutWindow* m_about = nullptr;
    bool m_toldPreferencesKept = false;
    bool m_exiting = false;
};

} // namespace velm
