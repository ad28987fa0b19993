// The main window's key handling: the window-wide key filter, the entry fields' per-key rules and focus
// rules, and the hold after a refused duplicate.

#include "log/ui/Form1.h"

#include "log/BandMode.h"
#include "log/EntryCommit.h"
#include "log/SpcTable.h"
#include "log/TextInsertion.h"
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

namespace {
// How often held keys look whether the hold after a refused duplicate is over.
constexpr int kHoldPollMs = 50;

// The code a key gives the entry fields' handlers: the character it types, Enter or Backspace; 0 for keys
// that type nothing there (arrows, Tab, Delete, Ctrl shortcuts), which keep their usual meaning.
int keyAsciiOf(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Backspace:
        return kKeyBackspace;
    default:
        break;
    }
    const QString text = key->text();
    return text.size() == 1 && text.at(0).isPrint() ? text.at(0).unicode() : 0;
}

bool isDigitKey(int keyAscii)
{
    return keyAscii >= '0' && keyAscii <= '9';
}
} // namespace

void Form1::showMessage(const QString& text, MessageTone tone, Announce when)
{
    setMessageLine(lblDialog, QStringLiteral("Message"), text, when);
    m_messageTone = tone;
    QPalette palette = lblDialog->palette();
    const quint32 colour = tone == MessageTone::KeyboardCw ? kMessageLightYellow
                           : tone == MessageTone::Duplicate ? kMessageRed
                                                            : kMessageTeal;
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDialog->setPalette(palette);
}

// The S/P/C number of a grid label, 0 for any other object.
int Form1::gridLabelNumber(const QObject* object) const
{
    for (int number = 1; number < Label10.size(); ++number) {
        if (Label10.at(number) == object)
            return number;
    }
    return 0;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == Label24 || watched == Label30) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                watched == Label24 ? Label24_Click() : Label30_Click();
            return true;
        }
        if (const int number = gridLabelNumber(watched); number > 0) {
            txtCntry->setText(spcEntry(number).code); // a grid click fills the S/P/C field
            return true;
        }
        break;
    case QEvent::Enter:
        if (const int number = gridLabelNumber(watched); number > 0)
            gridLabelHover(number);
        break;
    case QEvent::MouseMove:
        if (watched == centralWidget())
            showPossibleDupes(QString(), false);
        break;
    case QEvent::FocusOut:
    case QEvent::FocusIn: {
        // Moving to another control counts; the window losing focus or a menu opening does not. During a
        // commit the moves are settled once it has finished (Mains).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (m_focusRulesHeld || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (event->type() == QEvent::FocusOut && watched == txtCall)
            txtCall_LostFocus();
        else if (event->type() == QEvent::FocusIn && watched->isWidgetType())
            entryFieldGotFocus(static_cast<QWidget*>(watched));
        break;
    }
    case QEvent::KeyPress:
        if (watched->isWidgetType())
            return Form_KeyPress(watched, static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Every key of this window passes here once, at the widget that receives it first.
bool Form1::Form_KeyPress(QObject* watched, QKeyEvent* key)
{
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() != this || !isEnabled() || (focus ? widget != focus : widget != this))
        return false;
    // After a refused duplicate, keys for the call field wait until the hold is over, then replay in order.
    if (widget == txtCall && (!m_heldKeys.isEmpty() || m_dupeHold.holding(m_services.clock.milliseconds()))) {
        m_heldKeys.append(key->clone());
        m_holdTimer->start(kHoldPollMs);
        return true;
    }
    // In the contact list the arrows move the selected row; the CW speed keys are for the entry row.
    if (widget == ListView1 && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
        return false;
    const KeyOutcome outcome = m_keyRouter.route(
        KeyStroke{key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text()}, m_prefs.CurrentMode);
    if (outcome.message || outcome.tone)
        showMessage(outcome.message.value_or(lblDialog->text()), outcome.tone.value_or(m_messageTone));
    if (outcome.window)
        Q_EMIT windowRequested(*outcome.window);
    if (outcome.clearEntry)
        cmdClear_Click();
    if (outcome.consumed)
        return true;
    for (QLineEdit* field : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate}) {
        if (widget == field)
            return entryKeyPress(field, key);
    }
    return false;
}

bool Form1::reportFieldFull(QLineEdit* field, QKeyEvent* key) const
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return field->text().size() - field->selectedText().size() + text.size() > m_reportLength;
}

bool Form1::entryKeyPress(QLineEdit* field, QKeyEvent* event)
{
    const int typed = keyAsciiOf(event);
    if (typed == 0)
        return false; // arrows, Tab, Delete and shortcuts keep their usual meaning
    int key = typed;
    if (field == txtCall)
        txtCall_KeyPress(key);
    else if (field == txtRSTR)
        txtRSTR_KeyPress(key);
    else if (field == txtCntry)
        txtCntry_KeyPress(key);
    else if (field == txtSec)
        txtSec_KeyPress(key);
    else if (field == txtRSTS)
        txtRSTS_KeyPress(key);
    else
        postContestKeyPress(field, key);
    if (key == 0)
        return true;
    if ((field == txtRSTR || field == txtRSTS) && reportFieldFull(field, event))
        return true;
    if (key == typed)
        return false;
    field->insert(QString(QChar(key)));
    return true;
}

void Form1::txtCall_KeyPress(int& keyAscii)
{
    const QString text = txtCall->text();
    // A call of one letter finds no country yet; the next key starts the lookup afresh.
    if (text.size() < 2) {
        txtCntry->clear();
        clearLookupLabels();
    }
    if (keyAscii == kKeyDoubleQuote)
        keyAscii = 0;
    // A digit after a complete call starts the report: W1ABC then 5 puts the 5 in the report field.
    if (isDigitKey(keyAscii) && txtCall->cursorPosition() == text.size() && !txtCall->hasSelectedText() &&
        advancesToReport(text)) {
        m_pendingKey = QString::number(keyAscii);
        m_advanceState = 4;
        int carried = keyAscii;
        txtRSTR_KeyPress(carried);
        keyAscii = 0;
        txtRSTR->setFocus();
    }
    if (text.size() < 3 && m_operatingClock.LoggedOn())
        showMessage(QStringLiteral(" "));
    if (!m_operatingClock.LoggedOn()) {
        showMessage(QStringLiteral("Click Log \"Time On\"!"));
        m_services.prompts.beep();
    }
    if (keyAscii == 0)
        return;
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
        return;
    }
    if (keyAscii == kKeySpace && m_advanceState != 4) {
        keyAscii = 0;
        txtRSTR->setFocus();
        return;
    }
    keyAscii = velm::Capital(keyAscii);
    scanPossibleDupes(text, QChar(keyAscii));
}

void Form1::scanPossibleDupes(const QString& textBefore, QChar key)
{
    const PartialDupeResult result = velm::PartialDupeCheck(m_store, textBefore, key, m_prefs.CurrentBand,
                                                            m_partialDupesOn, m_operatingClock.LoggedOn());
    if (result.messageToTeal)
        showMessage(lblDialog->text(), MessageTone::Normal);
    showPossibleDupes(result.list, result.listOnTeal);
    if (result.message)
        showMessage(*result.message, MessageTone::Normal);
    if (result.beep)
        m_services.prompts.beep();
}

// Pasted or dropped text: the per-key filters of the field, its length limit, and for the call field the
// same start-of-call rule and possible-duplicates scan as typing. It never moves on to the next field.
void Form1::entryFieldInsertion(QLineEdit& field, const QString& pasted)
{
    const std::pair<QLineEdit*, EntryField> fields[] = {
        {txtCall, EntryField::Call},          {txtRSTR, EntryField::RstRcvd},
        {txtCntry, EntryField::Spc},          {txtSec, EntryField::VelmPwr},
        {txtRSTS, EntryField::RstSnt},        {txtPostConTime, EntryField::PostConTime},
        {txtPostConDate, EntryField::PostConDate}};
    const auto found = std::find_if(std::begin(fields), std::end(fields),
                                    [&](const auto& entry) { return entry.first == &field; });
    if (found == std::end(fields))
        return;
    const EntryField which = found->second;
    const bool report = which == EntryField::RstRcvd || which == EntryField::RstSnt;
    const int limit = report ? m_reportLength : field.maxLength();
    const QString before = field.text();
    const qsizetype room = std::max<qsizetype>(0, limit - (before.size() - field.selectedText().size()));
    const InsertedText inserted = filterInsertion(
        pasted, [which](QChar typed) { return entryFieldCharacter(which, typed); }, room,
        which == EntryField::Spc);
    if (!inserted.text.isEmpty()) {
        if (which == EntryField::Call && before.size() < 2) {
            txtCntry->clear();
            clearLookupLabels();
        }
        field.insert(inserted.text);
        if (which == EntryField::Spc) {
            const int caret = field.cursorPosition();
            field.setText(spcCase(field.text()));
            field.setCursorPosition(caret);
        }
        if (which == EntryField::Call)
            scanPossibleDupes(field.text().chopped(1), field.text().back());
    }
    if (inserted.refused || inserted.cut)
        m_services.prompts.beep();
    if (inserted.cut)
        showMessage(QStringLiteral("Only %1 characters fit in %2; the rest was not pasted.")
                        .arg(limit)
                        .arg(field.accessibleName()));
}

void Form1::txtCall_LostFocus()
{
    // A refused duplicate has emptied the row and taken the focus back: there is nothing to fill.
    if (!txtCall->text().isEmpty() && DupCheck())
        return;
    // Default reports, selected so that typing replaces them.
    const QString report =
        m_prefs.CurrentMode == QLatin1String("CW") ? QStringLiteral("559") : QStringLiteral("55");
    for (QLineEdit* field : {txtRSTR, txtRSTS}) {
        if (field->text().isEmpty()) {
            field->setText(report);
            field->setSelection(0, int(report.size()));
        }
    }
    ProvinceFromCall();
}

void Form1::txtRSTR_KeyPress(int& keyAscii)
{
    // A letter starts the S/P/C.
    if (keyAscii > '9') {
        m_pendingKey = QString::number(keyAscii);
        m_advanceState = 3;
        int letter = QChar(keyAscii).toUpper().unicode();
        txtCntry_KeyPress(letter);
        keyAscii = kKeySpace;
    }
    if (m_advanceState == 4)
        keyAscii = m_pendingKey.toInt();
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
        return;
    }
    if (keyAscii == kKeySpace)
        txtCntry->setFocus();
    keyAscii = velm::number(keyAscii);
    if (m_advanceState == 4)
        takeCarriedKey(txtRSTR, keyAscii);
}

void Form1::txtCntry_KeyPress(int& keyAscii)
{
    if (keyAscii == kKeyDoubleQuote) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
        return;
    }
    const int caret = txtCntry->hasSelectedText() ? txtCntry->selectionStart() : txtCntry->cursorPosition();
    if (keyAscii == kKeySpace && caret == 0 && m_advanceState == 0) {
        keyAscii = 0;
        txtSec->setFocus();
        return;
    }
    // A digit starts the member number.
    if (isDigitKey(keyAscii)) {
        m_advanceState = 4;
        m_pendingKey = QString::number(keyAscii);
        int carried = keyAscii;
        txtSec_KeyPress(carried);
        keyAscii = 0;
        txtSec->setFocus();
        return;
    }
    if (m_advanceState == 3) {
        takeCarriedKey(txtCntry, keyAscii);
        return;
    }
    // Typing at the start replaces the contents (Backspace types nothing).
    const bool typing = keyAscii != kKeySpace && keyAscii != kKeyBackspace;
    if (typing && caret == 0)
        txtCntry->clear();
    if (txtCntry->text().isEmpty() || caret < 2)
        keyAscii = velm::Capital(keyAscii);
    // The first two letters are capitals; a country name goes on in lower case: GE then r gives Ger.
    if (typing && caret == 2) {
        const int selected = int(txtCntry->selectedText().size());
        const QString text = txtCntry->text();
        txtCntry->setText(text.left(1) + text.mid(1).toLower());
        selected ? txtCntry->setSelection(caret, selected) : txtCntry->setCursorPosition(caret);
    }
    if (txtCntry->text().size() < 2)
        return;
    const std::optional<PrefixTable::Completion> completion = m_prefixTable.CountryCompletion(
        txtCntry->text(), caret, QChar(keyAscii), m_prefs.OwnLatitude, m_prefs.OwnLongitude);
    if (completion) {
        txtCntry->setText(completion->text);
        txtCntry->setSelection(completion->selectionStart, completion->selectionLength);
        setValueLabel(Label19, QStringLiteral("Continent"), completion->continent);
        setValueLabel(Label22, QStringLiteral("Bearing"),
                      completion->bearing ? completion->bearing->bearing : QString());
        setValueLabel(Label23, QStringLiteral("Miles"),
                      completion->bearing ? completion->bearing->miles : QString());
        keyAscii = 0;
    } else if (keyAscii == kKeySpace) {
        keyAscii = 0;
        txtSec->setFocus();
    }
}

void Form1::txtSec_KeyPress(int& keyAscii)
{
    if (keyAscii == kKeyDoubleQuote) {
        keyAscii = 0;
        return;
    }
    if (m_advanceState == 4)
        keyAscii = m_pendingKey.toInt();
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
        return;
    }
    if (keyAscii == kKeySpace) {
        keyAscii = 0;
        txtRSTS->setFocus();
        return;
    }
    keyAscii = velm::Capital(keyAscii);
    if (m_advanceState == 4)
        takeCarriedKey(txtSec, keyAscii);
}

void Form1::txtRSTS_KeyPress(int& keyAscii)
{
    // CW operators send cut numbers: 5NN is 599 and 5TT 500. Any other letter is refused where it was typed;
    // the report stays digits only and the focus stays in the row.
    if (keyAscii > '9') {
        keyAscii = cutNumber(keyAscii);
        if (keyAscii == 0) {
            m_services.prompts.beep();
            return;
        }
    }
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
        return;
    }
    if (keyAscii == kKeySpace)
        focusNextChild();
    keyAscii = velm::number(keyAscii);
}

// The post-contest time takes digits and ":", the date digits and "/".
void Form1::postContestKeyPress(QLineEdit* field, int& keyAscii)
{
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Mains();
    } else if (keyAscii == kKeySpace) {
        keyAscii = 0;
        focusNextChild();
    } else if (keyAscii != (field == txtPostConTime ? ':' : '/')) {
        keyAscii = velm::number(keyAscii);
    }
}

// The carried key becomes the field's whole text, caret after it; the advance is over.
void Form1::takeCarriedKey(QLineEdit* field, int& keyAscii)
{
    if (keyAscii != 0) {
        field->setText(QString(QChar(keyAscii)));
        field->setCursorPosition(1);
    }
    m_advanceState = 0;
    keyAscii = 0;
}

void Form1::entryFieldGotFocus(QWidget* field)
{
    if (field == txtCall) {
        if (txtCall->text().isEmpty()) {
            txtRSTR->clear();
            txtRSTS->clear();
        }
        if (m_prefs.VoiceNavLevel > 0)
            m_context.ports.voice.BlindKeyPhone(QStringLiteral("Call"));
        contactListOnCallFocus();
        return;
    }
    const std::pair<QLineEdit*, const char*> prompts[] = {
        {txtRSTR, "RstRcvd"}, {txtCntry, "SPC"}, {txtSec, "VelmPwr"}, {txtRSTS, "RstSnt"}};
    for (const auto& [entry, prompt] : prompts) {
        if (field == entry && m_prefs.VoiceNavLevel >= 2)
            m_context.ports.voice.BlindKeyPhone(QString::fromLatin1(prompt));
    }
    if (field == txtPostConDate && txtPostConDate->text().isEmpty())
        txtPostConDate->setText(m_services.clock.localNow().date().toString(QStringLiteral("yyyy/MM/dd")));
    if (field == txtPostConDate || field == txtPostConTime)
        static_cast<QLineEdit*>(field)->selectAll();
}

void Form1::releaseHeldKeys()
{
    if (m_dupeHold.holding(m_services.clock.milliseconds())) {
        m_holdTimer->start(kHoldPollMs);
        return;
    }
    m_dupeHold.release();
    // Each key goes where a typed key would go now: to the field the advance of the keys before it has moved
    // the focus to, through the same key rules. A key that starts a new hold is queued again, in order.
    const QList<QKeyEvent*> keys = std::exchange(m_heldKeys, {});
    for (QKeyEvent* key : keys) {
        QWidget* focus = QApplication::focusWidget();
        QCoreApplication::sendEvent(focus && focus->window() == this ? focus : txtCall, key);
        delete key;
    }
}

} // namespace velm
