// The main window's duplicate check display, the commit of the entry row (Mains) and post-contest mode.

#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/EntryCommit.h"
#include "log/SpcTable.h"
#include "log/VoicePrompts.h"
#include "log/SharedPreferences.h"
#include "log/StationProfile.h"
#include "log/UtcOffsetCheck.h"
#include "log/ui/Form1Parts.h"
#include "log/ui/Form5.h"
#include "log/ui/frmStationID.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/InsertionGuard.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/ValueLabel.h"

#include <QActionGroup>
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>


namespace velm {

bool Form1::DupCheck()
{
    const DupCheckResult result = velm::DupCheck(
        m_store, DupCheckInput{txtCall->text(), m_prefs.CurrentBand, txtSec->text(), txtCntry->text(),
                               m_prefs.ListPrevious == 1});
    if (result.listCleared)
        ListView1->clear();
    for (const ContactRow& row : result.previousRows)
        ListView1->addTopLevelItem(new QTreeWidgetItem(row.columns));
    if (result.fillVelmPwr) {
        txtSec->setText(*result.fillVelmPwr);
        txtSec->selectAll();
    }
    if (result.fillSpc) {
        txtCntry->setText(*result.fillSpc);
        txtCntry->selectAll();
    }
    if (result.duplicateRecord == 0)
        return false;

    showMessage(result.message, MessageTone::Duplicate, Announce::Always);
    showPossibleDupes(lblDupe->text(), false);
    m_services.prompts.beep();
    m_context.ports.voice.BlindKeyPhone(QStringLiteral("Dupe"));
    if (m_prefs.VoiceNavLevel > 0) {
        // The prompt is heard before the operator types on; painting goes on, input waits.
        while (m_context.ports.voice.promptPlaying())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    m_dupeHold.refused(m_services.clock.milliseconds());
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS})
        field->clear();
    clearLookupLabels();
    txtCall->setFocus();
    return true;
}

void Form1::cmdDup_Click()
{
    showPossibleDupes(lblDupe->text(), false);
    m_partialDupesOn = !m_partialDupesOn;
    cmdDup->setText(m_partialDupesOn ? QStringLiteral("On") : QStringLiteral("Off"));
    cmdDup->setAccessibleName(QStringLiteral("Possible duplicates ") + cmdDup->text());
    txtCall->setFocus();
}

void Form1::showPossibleDupes(const QString& list, bool onTeal)
{
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.2);
    lblDupe->setFont(font);
    setValueLabel(lblDupe, QStringLiteral("Possible duplicates"), list);
    QPalette palette = lblDupe->palette();
    palette.setColor(QPalette::Window, onTeal ? toQColor(kMessageTeal) : QApplication::palette().color(QPalette::Button));
    lblDupe->setPalette(palette);
}

void Form1::gridLabelHover(int number)
{
    const SpcEntry& entry = spcEntry(number);
    QFont font = lblDupe->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * 1.05); // a little smaller than the duplicates list
    const QString text = QStringLiteral("  %1    Total =%2").arg(entry.name).arg(MultiplierState::spcTotal(m_store, entry.code));
    setValueLabel(lblDupe, entry.code, text);
    lblDupe->setFont(font);
}

// --- Commit, clear and post-contest mode ---

int Form1::Capital(int keyCode) { return velm::Capital(keyCode); }

int Form1::number(int keyCode) { return velm::number(keyCode); }

void Form1::connectEntryRow()
{
    connect(cmdClear, &QPushButton::clicked, this, &Form1::cmdClear_Click);
    auto* guard = new InsertionGuard(
        [this](QLineEdit& field, const QString& text) { entryFieldInsertion(field, text); }, this);
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate})
        guard->guard(field);
    mnuPostContest->setEnabled(true);
    connect(mnuPostContest, &QAction::toggled, this, &Form1::mnuPostContest_Click);
}

void Form1::mnuPostContest_Click(bool checked)
{
    for (QWidget* widget :
         std::initializer_list<QWidget*>{txtPostConTime, txtPostConDate, lblPostConTime, lblPostConDate})
        widget->setVisible(checked);
}

bool Form1::postContestShown() const
{
    return !txtPostConTime->isHidden();
}

void Form1::cmdClear_Click()
{
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS})
        field->clear();
    showPossibleDupes(QString(), false);
    showMessage(QString(), MessageTone::Normal);
    clearLookupLabels();
    txtCall->setFocus();
}

void Form1::clearEntryRow()
{
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS})
        field->clear();
    clearLookupLabels();
    txtCall->setFocus();
}

void Form1::Mains()
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

void Form1::commitEntry()
{
    if (postContestShown()) {
        const PostContestCheck check = checkPostContest(txtPostConDate->text(), txtPostConTime->text());
        txtPostConDate->setText(check.date);
        txtPostConTime->setText(check.time);
        if (check.refusal) {
            showMessage(check.refusal->message, MessageTone::Normal, Announce::Always);
            m_services.prompts.beep();
            return;
        }
    }
    // The operating clock starts with the first Enter, even when the entry is then refused.
    if (!m_operatingClock.LoggedOn())
        cmdLogOn_Click();
    const bool complete = frmcmp();
    bool sectionValid = true;
    if (txtCntry->text().size() == 2) {
        txtCntry->setText(txtCntry->text().toUpper());
        sectionValid = isValidSection(txtCntry->text());
        if (!sectionValid) {
            m_services.prompts.beep();
            showMessage(invalidSection().message, MessageTone::Normal, Announce::Always);
            txtCntry->setFocus();
        } else if (Label19->text().isEmpty()) {
            setValueLabel(Label19, QStringLiteral("Continent"), QStringLiteral("NA"));
        }
    }
    const bool duplicate = DupCheck();
    // A contact that could not be logged stays in the row, so the operator can note it.
    if (complete && sectionValid && (duplicate || recordContact()))
        clearEntryRow();
    showPossibleDupes(QString(), false);
    TimeStats();
    m_context.ports.rig.clearLastRigFrequencyText();
}

bool Form1::frmcmp()
{
    const QList<Refusal> failed =
        velm::frmcmp({txtCall->text(), txtRSTR->text(), txtCntry->text(), txtSec->text(), txtRSTS->text()});
    if (failed.isEmpty())
        return true;
    for (qsizetype i = 0; i < failed.size(); ++i)
        m_services.prompts.beep();
    showMessage(failed.last().message, MessageTone::Normal, Announce::Always);
    const std::pair<EntryField, QLineEdit*> fields[] = {{EntryField::Call, txtCall},
                                                        {EntryField::RstRcvd, txtRSTR},
                                                        {EntryField::Spc, txtCntry},
                                                        {EntryField::VelmPwr, txtSec},
                                                        {EntryField::RstSnt, txtRSTS}};
    for (const auto& [field, edit] : fields) {
        if (failed.last().focus == field)
            edit->setFocus();
    }
    return false;
}

bool Form1::recordContact()
{
    if (m_store.isFull()) {
        m_services.prompts.message(
            QStringLiteral("The log already holds %1 contacts, as many as it can hold.\n\n"
                           "The contact with %2 was not logged.")
                .arg(LogStore::Capacity)
                .arg(txtCall->text()),
            QStringLiteral("Log Full"), MessageIcon::Warning);
        return false;
    }
    CommitInput input;
    input.entry = {txtCall->text(), txtRSTR->text(), txtCntry->text(), txtSec->text(), txtRSTS->text()};
    input.localNow = m_services.clock.localNow();
    input.utcOffset = m_prefs.UtcOffset;
    if (postContestShown()) {
        input.postContestDate = txtPostConDate->text();
        input.postContestTime = txtPostConTime->text();
    }
    input.mode = m_prefs.CurrentMode;
    input.band = m_prefs.CurrentBand;
    input.frequency = m_context.ports.rig.LastRigFrequencyText();
    input.continent = Label19->text();
    input.ownContinent = m_prefs.OwnContinent;
    const QsoRecord record = buildQsoRecord(input);
    if (!AppendQso(record))
        return false;
    RefreshContactList();
    showMessage(QString(), MessageTone::Normal);

    if (record.Spc.size() > 2 && !Label3->isHidden()) {
        const MultiplierState::AddResult added = m_multipliers.AddDxCountry(record.Band, record.Spc);
        if (added == MultiplierState::AddResult::Added) {
            ListRefresh();
        } else if (added == MultiplierState::AddResult::ListFull) {
            m_services.prompts.message(
                QStringLiteral("The list of DX countries worked on %1 m is full (%2 countries).\n\n"
                               "The contact with %3 is logged, but %4 does not count as a new multiplier.")
                    .arg(record.Band)
                    .arg(MultiplierState::DxListCapacity)
                    .arg(record.Call, record.Spc),
                QStringLiteral("DX List Full"), MessageIcon::Warning);
        }
    }
    if (record.Spc.size() == 2 && m_multipliers.MarkSpcWorked(record.Band, record.Spc))
        paintGridLabel(findGridSpc(record.Spc));
    Labeldisplay();
    return true;
}

} // namespace velm
