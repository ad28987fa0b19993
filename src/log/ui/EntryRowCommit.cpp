// The entry row's commit (Mains) and duplicate check as the window shows them, and Clear.

#include "log/ui/EntryRowPanel.h"

#include "log/ContestSession.h"
#include "log/VoicePrompts.h"
#include "log/ui/ContactListPanel.h"
#include "log/ui/DupesPanel.h"
#include "platform/Prompts.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace velm {

void EntryRowPanel::cmdClear_Click()
{
    clearEntryFields();
    m_dupes.showPossibleDupes(QString(), false);
    showMessage(QString(), MessageTone::Normal);
    m_session.clearLookupLabels();
    txtCall->setFocus();
}

void EntryRowPanel::clearEntryFields()
{
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS})
        field->clear();
}

bool EntryRowPanel::DupCheck()
{
    const DupCheckResult result = m_session.DupCheck(txtCall->text(), txtSec->text(), txtCntry->text());
    showDuplicate(result);
    return result.duplicateRecord != 0;
}

void EntryRowPanel::showDuplicate(const DupCheckResult& result)
{
    m_contacts.showPreviousContacts(result);
    if (result.fillVelmPwr) {
        txtSec->setText(*result.fillVelmPwr);
        txtSec->selectAll();
    }
    if (result.fillSpc) {
        txtCntry->setText(*result.fillSpc);
        txtCntry->selectAll();
    }
    if (result.duplicateRecord == 0)
        return;

    showMessage(result.message, MessageTone::Duplicate, Announce::Always);
    m_dupes.showOnButtonFace();
    m_services.prompts.beep();
    m_voice.BlindKeyPhone(QStringLiteral("Dupe"));
    // The prompt is heard before the operator types on; painting goes on, input waits.
    if (m_session.preferences().VoiceNavLevel > 0)
        m_voice.waitForPrompt();
    m_session.holdAfterRefusal();
    clearEntryFields();
    m_session.clearLookupLabels();
    txtCall->setFocus();
}

void EntryRowPanel::Mains()
{
    // The fields' focus rules run once, for where the focus ends, as if the operator had moved it: a check
    // that sends the focus elsewhere must not fill default reports into the entry being checked.
    QWidget* const before = QApplication::focusWidget();
    {
        const QScopedValueRollback<bool> held(m_focusRulesHeld, true);
        commitEntry();
    }
    QWidget* const after = QApplication::focusWidget();
    if (after == before)
        return;
    if (before == txtCall)
        txtCall_LostFocus();
    if (after && QApplication::focusWidget() == after) // a refused duplicate may have moved it again
        entryFieldGotFocus(after);
}

void EntryRowPanel::commitEntry()
{
    CommitRequest request{
        {txtCall->text(), txtRSTR->text(), txtCntry->text(), txtSec->text(), txtRSTS->text()}, {}, {}};
    if (postContestShown()) {
        request.postContestDate = txtPostConDate->text();
        request.postContestTime = txtPostConTime->text();
    }
    const CommitOutcome outcome = m_session.commit(request);
    if (outcome.postContest) {
        txtPostConDate->setText(outcome.postContest->date);
        txtPostConTime->setText(outcome.postContest->time);
        if (outcome.postContest->refusal) {
            showMessage(outcome.postContest->refusal->message, MessageTone::Normal, Announce::Always);
            m_services.prompts.beep();
            return;
        }
    }
    // The first Enter started the operating clock, as "Time On" does.
    if (outcome.clockStarted) {
        showMessage(QStringLiteral(" "));
        txtCall->setFocus();
    }
    showRefusals(outcome);
    showDuplicate(outcome.duplicate);
    showRecord(outcome);
    if (outcome.clearRow) {
        clearEntryFields();
        m_session.clearLookupLabels();
        txtCall->setFocus();
    }
    m_dupes.showPossibleDupes(QString(), false);
    Q_EMIT commitFinished();
}

void EntryRowPanel::showRefusals(const CommitOutcome& outcome)
{
    if (!outcome.incomplete.isEmpty()) {
        for (qsizetype i = 0; i < outcome.incomplete.size(); ++i)
            m_services.prompts.beep();
        showMessage(outcome.incomplete.last().message, MessageTone::Normal, Announce::Always);
        if (outcome.incomplete.last().focus)
            lineEdit(*outcome.incomplete.last().focus)->setFocus();
    }
    if (txtCntry->text().size() == 2)
        txtCntry->setText(outcome.spc);
    if (outcome.sectionInvalid) {
        m_services.prompts.beep();
        showMessage(invalidSection().message, MessageTone::Normal, Announce::Always);
        txtCntry->setFocus();
    }
}

void EntryRowPanel::showRecord(const CommitOutcome& outcome)
{
    switch (outcome.record) {
    case CommitOutcome::Record::NotTried:
        return;
    case CommitOutcome::Record::LogFull:
        m_services.prompts.message(outcome.failure, QStringLiteral("Log Full"), MessageIcon::Warning);
        return;
    case CommitOutcome::Record::NotLoaded:
    case CommitOutcome::Record::WriteFailed:
        m_services.prompts.message(outcome.failure, QStringLiteral("Log Write Error"), MessageIcon::Critical);
        return;
    case CommitOutcome::Record::Logged:
        break;
    }
    showMessage(QString(), MessageTone::Normal);
    if (outcome.dxCountry == MultiplierState::AddResult::ListFull) {
        m_services.prompts.message(
            QStringLiteral("The list of DX countries worked on %1 m is full (%2 countries).\n\n"
                           "The contact with %3 is logged, but %4 does not count as a new multiplier.")
                .arg(outcome.logged.Band)
                .arg(MultiplierState::DxListCapacity)
                .arg(outcome.logged.Call, outcome.logged.Spc),
            QStringLiteral("DX List Full"), MessageIcon::Warning);
    }
}

} // namespace velm
