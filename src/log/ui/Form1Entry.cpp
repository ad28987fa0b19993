// The main window's key handling: the window-wide key filter, the entry fields' keys handed to the entry
// rules (EntryKeys) and their effects rendered, the focus rules, and the hold after a refused duplicate.

#include "log/ui/Form1.h"

#include "log/EntryKeys.h"
#include "log/SpcTable.h"
#include "log/TextInsertion.h"
#include "log/VoicePrompts.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/ValueLabel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include <variant>

namespace velm {

namespace {
// How often held keys look whether the hold after a refused duplicate is over.
constexpr int kHoldPollMs = 50;

constexpr std::pair<EntryField, QLineEdit * Form1::*> kEntryFields[] = {
    {EntryField::Call, &Form1::txtCall},
    {EntryField::RstRcvd, &Form1::txtRSTR},
    {EntryField::Spc, &Form1::txtCntry},
    {EntryField::VelmPwr, &Form1::txtSec},
    {EntryField::RstSnt, &Form1::txtRSTS},
    {EntryField::PostConTime, &Form1::txtPostConTime},
    {EntryField::PostConDate, &Form1::txtPostConDate}};

QLineEdit* lineEditOf(const Form1& form, EntryField field)
{
    for (const auto& [which, member] : kEntryFields) {
        if (which == field)
            return form.*member;
    }
    return nullptr;
}

std::optional<EntryField> entryFieldOf(const Form1& form, const QObject* widget)
{
    for (const auto& [which, member] : kEntryFields) {
        if (form.*member == widget)
            return which;
    }
    return std::nullopt;
}

FieldState fieldStateOf(const QLineEdit& field)
{
    const int cursor = field.cursorPosition();
    return FieldState{field.text(), cursor, field.hasSelectedText() ? field.selectionStart() : cursor,
                      int(field.selectedText().size())};
}

EntryRowState entryRowOf(const Form1& form)
{
    EntryRowState row;
    for (const auto& [which, member] : kEntryFields)
        row.field(which) = fieldStateOf(*(form.*member));
    return row;
}

// The key as the entry fields take it: the character it types, Enter or Backspace; std::nullopt for keys
// that type nothing there (arrows, Tab, Delete, Ctrl shortcuts), which keep their usual meaning.
std::optional<EntryKey> entryKeyOf(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EntryKey::enter();
    case Qt::Key_Backspace:
        return EntryKey::backspace();
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() == 1 && text.at(0).isPrint())
        return EntryKey::character(text.at(0));
    return std::nullopt;
}

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
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
    if (const std::optional<EntryField> field = entryFieldOf(*this, widget))
        return entryKeyPress(*field, key);
    return false;
}

bool Form1::entryKeyPress(EntryField field, QKeyEvent* event)
{
    const std::optional<EntryKey> key = entryKeyOf(event);
    if (!key)
        return false; // arrows, Tab, Delete and shortcuts keep their usual meaning
    const EntryKeyContext context{m_operatingClock.LoggedOn(), m_reportLength,
                                  m_prefs.CurrentBand,         m_partialDupesOn,
                                  m_prefs.OwnLatitude,         m_prefs.OwnLongitude};
    const EntryKeyOutcome outcome = m_entryKeys.press(entryRowOf(*this), field, *key, context);
    // In order: a carried key is in its field before the focus follows it, so the focus rules see it there.
    for (const EntryEffect& effect : outcome.effects)
        applyEntryEffect(effect);
    switch (outcome.disposition) {
    case KeyDisposition::ToField:
        return false;
    case KeyDisposition::Insert:
        lineEditOf(*this, field)->insert(QString(outcome.inserted));
        break;
    case KeyDisposition::Consumed:
        break;
    }
    return true;
}

void Form1::applyEntryEffect(const EntryEffect& effect)
{
    using namespace entry_effect;
    std::visit(Overloaded{
                   [this](const ClearField& clear) { lineEditOf(*this, clear.field)->clear(); },
                   [this](const SetField& set) {
                       QLineEdit* field = lineEditOf(*this, set.field);
                       field->setText(set.state.text);
                       if (set.state.hasSelection())
                           field->setSelection(set.state.selectionStart, set.state.selectionLength);
                       else
                           field->setCursorPosition(set.state.cursor);
                   },
                   [this](const ClearLookup&) { clearLookupLabels(); },
                   [this](const ShowLookup& lookup) {
                       setValueLabel(Label19, QStringLiteral("Continent"), lookup.continent);
                       setValueLabel(Label22, QStringLiteral("Bearing"), lookup.bearing);
                       setValueLabel(Label23, QStringLiteral("Miles"), lookup.miles);
                   },
                   [this](const FocusTo& focus) { lineEditOf(*this, focus.field)->setFocus(); },
                   [this](const FocusNext&) { focusNextChild(); },
                   [this](const ShowMessage& message) { showMessage(message.text); },
                   [this](const Beep&) { m_services.prompts.beep(); },
                   [this](const ShowPossibleDupes& dupes) { showPartialDupes(dupes.result); },
                   [this](const Commit&) { Mains(); },
               },
               effect);
}

void Form1::showPartialDupes(const PartialDupeResult& result)
{
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
    const std::optional<EntryField> found = entryFieldOf(*this, &field);
    if (!found)
        return;
    const EntryField which = *found;
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
            showPartialDupes(velm::PartialDupeCheck(m_store, field.text().chopped(1), field.text().back(),
                                                    m_prefs.CurrentBand, m_partialDupesOn,
                                                    m_operatingClock.LoggedOn()));
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
