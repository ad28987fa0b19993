#pragma once
// Responsibilities: the main window's entry row: the five fields, the message line, the post-contest fields
// and Clear; each key through the entry rules, the fields' focus rules, the hold after a refused duplicate,
// and the commit (Mains) shown as the contest session decided it.

#include "log/EntryCommit.h"
#include "log/EntryKeys.h"
#include "log/KeyRouter.h"
#include "platform/ui/ValueLabel.h"

#include <QWidget>

#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace velm {

class ContactListPanel;
class ContestSession;
class DupesPanel;
class VoicePrompts;
struct CommitOutcome;
struct DupCheckResult;
struct Services;

class EntryRowPanel final : public QWidget {
    Q_OBJECT
public:
    EntryRowPanel(ContestSession& session, Services& services, VoicePrompts& voice, DupesPanel& dupes,
                  ContactListPanel& contacts, QWidget* parent);
    ~EntryRowPanel() override;

    // A key the window's filter hands over for one of the entry fields; true when it is taken care of.
    bool fieldKeyPress(QWidget* field, QKeyEvent* key);
    // After a refused duplicate, keys for the call field wait until the hold is over; true when held.
    bool holdKey(QWidget* field, QKeyEvent* key);

    // Commits the entry row (Enter in any entry field).
    void Mains();
    // "&Clear" and Esc.
    void cmdClear_Click();
    // The duplicate check on leaving the call field; true when the call was refused as a duplicate.
    bool DupCheck();
    void PrefixLookup();
    void ProvinceFromCall();
    void UpdateNewIndicator();
    void showMessage(const QString& text, MessageTone tone = MessageTone::Normal,
                     Announce when = Announce::IfChanged);
    MessageTone messageTone() const { return m_messageTone; }
    void setPostContestShown(bool shown);
    // A call put into the call field from outside (a spot): only what typing would let in; with tab the focus
    // then moves on, so the leaving rules run.
    void enterCall(const QString& call, bool tab);

    QLineEdit *txtCall = nullptr, *txtRSTR = nullptr, *txtCntry = nullptr, *txtSec = nullptr,
              *txtRSTS = nullptr;
    QLineEdit *txtPostConTime = nullptr, *txtPostConDate = nullptr;
    QLabel *lblPostConTime = nullptr, *lblPostConDate = nullptr;
    QList<QLabel*> lblStation; // the five captions
    QLabel* lblDialog = nullptr;
    QPushButton* cmdClear = nullptr;

Q_SIGNALS:
    // A commit attempt has ended, logged or refused; the rates are due again.
    void commitFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* lineEdit(EntryField field) const;
    std::optional<EntryField> entryField(const QObject* widget) const;
    EntryRowState rowState() const;
    void applyEntryEffect(const EntryEffect& effect);
    void showPartialDupes(const PartialDupeResult& result);
    void entryFieldInsertion(QLineEdit& field, const QString& pasted);
    void txtCall_LostFocus();
    void entryFieldGotFocus(QWidget* field);
    void releaseHeldKeys();
    void commitEntry();
    void showRefusals(const CommitOutcome& outcome);
    void showDuplicate(const DupCheckResult& result);
    void showRecord(const CommitOutcome& outcome);
    void clearEntryFields();
    bool postContestShown() const;

    ContestSession& m_session;
    Services& m_services;
    VoicePrompts& m_voice;
    DupesPanel& m_dupes;
    ContactListPanel& m_contacts;
    EntryKeys m_entryKeys;
    MessageTone m_messageTone = MessageTone::Normal;
    QList<QKeyEvent*> m_heldKeys;
    QTimer* m_holdTimer = nullptr;
    // While a commit runs, focus moves are only noted; the fields' focus rules run once it has finished.
    bool m_focusRulesHeld = false;
};

} // namespace velm
