// The entry row: its fields and message line, each key through the entry rules (EntryKeys) and their effects
// rendered, pasted text, the focus rules, and the hold after a refused duplicate.

#include "log/ui/EntryRowPanel.h"

#include "log/BandMode.h"
#include "log/ContestSession.h"
#include "log/TextInsertion.h"
#include "log/VoicePrompts.h"
#include "log/ui/ContactListPanel.h"
#include "log/ui/DupesPanel.h"
#include "log/ui/Form1Parts.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/Services.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/InsertionGuard.h"
#include "platform/ui/TabOrder.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <variant>

namespace velm {

namespace {
// How often held keys look whether the hold after a refused duplicate is over.
constexpr int kHoldPollMs = 50;

constexpr std::pair<EntryField, QLineEdit * EntryRowPanel::*> kEntryFields[] = {
    {EntryField::Call, &EntryRowPanel::txtCall},
    {EntryField::RstRcvd, &EntryRowPanel::txtRSTR},
    {EntryField::Spc, &EntryRowPanel::txtCntry},
    {EntryField::VelmPwr, &EntryRowPanel::txtSec},
    {EntryField::RstSnt, &EntryRowPanel::txtRSTS},
    {EntryField::PostConTime, &EntryRowPanel::txtPostConTime},
    {EntryField::PostConDate, &EntryRowPanel::txtPostConDate}};

FieldState fieldStateOf(const QLineEdit& field)
{
    const int cursor = field.cursorPosition();
    return FieldState{field.text(), cursor, field.hasSelectedText() ? field.selectionStart() : cursor,
                      int(field.selectedText().size())};
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

EntryRowPanel::EntryRowPanel(ContestSession& session, Services& services, VoicePrompts& voice,
                             DupesPanel& dupes, ContactListPanel& contacts, QWidget* parent)
    : QWidget(parent), m_session(session), m_services(services), m_voice(voice), m_dupes(dupes),
      m_contacts(contacts), m_entryKeys(session.store(), session.prefixTable())
{
    auto* grid = new QGridLayout(this);
    const auto addField = [&](QLineEdit*& field, EntryField which, const char* name, const QString& caption,
                              int column) {
        field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMaxLength(entryFieldMaxLength(which));
        field->setAccessibleName(caption);
        QFont large = field->font();
        large.setPointSizeF(large.pointSizeF() * 1.6);
        field->setFont(large);
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("lblStation%1").arg(column));
        label->setBuddy(field);
        lblStation.append(label);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
    };
    addField(txtCall, EntryField::Call, "txtCall", QStringLiteral("Call"), 0);
    addField(txtRSTR, EntryField::RstRcvd, "txtRSTR", QStringLiteral("RS(T) Rc"), 1);
    addField(txtCntry, EntryField::Spc, "txtCntry", QStringLiteral("State/Prov/Coun"), 2);
    addField(txtSec, EntryField::VelmPwr, "txtSec", QStringLiteral("VELM/PWR"), 3);
    addField(txtRSTS, EntryField::RstSnt, "txtRSTS", QStringLiteral("RS(T) Sn"), 4);
    txtCntry->setToolTip(QStringLiteral("State / Province / Country"));
    txtSec->setToolTip(QStringLiteral("Enter power followed by W"));
    // Widths by what each field holds, in its own large font: the call never shrinks below a long call.
    const auto widthFor = [](QLineEdit* field, const char* sample) {
        return QFontMetrics(field->font()).horizontalAdvance(QString::fromLatin1(sample)) + 16;
    };
    txtCall->setMinimumWidth(widthFor(txtCall, "VP2V/W1ABCD"));
    txtCntry->setMinimumWidth(widthFor(txtCntry, "Germany MMM"));
    txtSec->setMinimumWidth(widthFor(txtSec, "12345W"));
    for (QLineEdit* report : {txtRSTR, txtRSTS})
        report->setFixedWidth(widthFor(report, "5999"));
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    // Post-contest entry: contacts from a paper log carry their own date and time.
    const auto addPostContestField = [&](QLineEdit*& field, QLabel*& label, EntryField which,
                                         const char* name, const QString& caption, int column) {
        field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMaxLength(entryFieldMaxLength(which));
        field->setAccessibleName(caption);
        field->setFont(txtCall->font());
        label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("lbl") + field->objectName().mid(3));
        label->setBuddy(field);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
        field->hide();
        label->hide();
    };
    addPostContestField(txtPostConTime, lblPostConTime, EntryField::PostConTime, "txtPostConTime",
                        QStringLiteral("Time"), 5);
    addPostContestField(txtPostConDate, lblPostConDate, EntryField::PostConDate, "txtPostConDate",
                        QStringLiteral("Date"), 6);

    cmdClear = new QPushButton(QStringLiteral("&Clear"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setToolTip(QStringLiteral("Click to clear entry fields or press ALT C"));
    cmdClear->setFocusPolicy(Qt::TabFocus); // a click leaves the focus where the operator types
    grid->addWidget(cmdClear, 1, 7);
    connect(cmdClear, &QPushButton::clicked, this, &EntryRowPanel::cmdClear_Click);

    lblDialog = form1::valueLabel(this, "lblDialog");
    lblDialog->setAutoFillBackground(true);
    lblDialog->setMinimumHeight(lblDialog->fontMetrics().height() * 3 / 2);
    lblDialog->setToolTip(QStringLiteral(
        "It is not necessary to press Space or Tab to tab unless the Callsign includes a \"/\"."));
    grid->addWidget(lblDialog, 2, 0, 1, 5);
    setTabChain({txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate, cmdClear});

    auto* guard = new InsertionGuard(
        [this](QLineEdit& field, const QString& text) { entryFieldInsertion(field, text); }, this);
    for (const auto& [which, member] : kEntryFields) {
        guard->guard(this->*member);
        (this->*member)->installEventFilter(this);
    }
    connect(txtCall, &QLineEdit::textChanged, this, [this](const QString& call) {
        PrefixLookup();
        m_session.setCurrentCall(call);
    });
    connect(txtRSTS, &QLineEdit::textChanged, &m_session, &ContestSession::setCurrentReportSent);
    connect(txtCntry, &QLineEdit::textChanged, this, &EntryRowPanel::UpdateNewIndicator);

    m_holdTimer = new QTimer(this);
    m_holdTimer->setSingleShot(true);
    connect(m_holdTimer, &QTimer::timeout, this, &EntryRowPanel::releaseHeldKeys);
}

EntryRowPanel::~EntryRowPanel()
{
    qDeleteAll(m_heldKeys);
}

QLineEdit* EntryRowPanel::lineEdit(EntryField field) const
{
    for (const auto& [which, member] : kEntryFields) {
        if (which == field)
            return this->*member;
    }
    return nullptr;
}

std::optional<EntryField> EntryRowPanel::entryField(const QObject* widget) const
{
    for (const auto& [which, member] : kEntryFields) {
        if (this->*member == widget)
            return which;
    }
    return std::nullopt;
}

EntryRowState EntryRowPanel::rowState() const
{
    EntryRowState row;
    for (const auto& [which, member] : kEntryFields)
        row.field(which) = fieldStateOf(*(this->*member));
    return row;
}

void EntryRowPanel::showMessage(const QString& text, MessageTone tone, Announce when)
{
    setMessageLine(lblDialog, QStringLiteral("Message"), text, when);
    m_messageTone = tone;
    QPalette palette = lblDialog->palette();
    const quint32 colour = tone == MessageTone::KeyboardCw  ? kMessageLightYellow
                           : tone == MessageTone::Duplicate ? kMessageRed
                                                            : kMessageTeal;
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::WindowText, Qt::black);
    lblDialog->setPalette(palette);
}

bool EntryRowPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
        // Moving to another control counts; the window losing focus or a menu opening does not. During a
        // commit the moves are settled once it has finished (Mains).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_focusRulesHeld && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusOut && watched == txtCall)
                txtCall_LostFocus();
            else if (event->type() == QEvent::FocusIn)
                entryFieldGotFocus(static_cast<QWidget*>(watched));
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool EntryRowPanel::holdKey(QWidget* field, QKeyEvent* key)
{
    if (field != txtCall ||
        (m_heldKeys.isEmpty() && !m_session.dupeHold().holding(m_services.clock.milliseconds())))
        return false;
    m_heldKeys.append(key->clone());
    m_holdTimer->start(kHoldPollMs);
    return true;
}

bool EntryRowPanel::fieldKeyPress(QWidget* widget, QKeyEvent* event)
{
    const std::optional<EntryField> field = entryField(widget);
    const std::optional<EntryKey> key = entryKeyOf(event);
    if (!field || !key)
        return false; // arrows, Tab, Delete and shortcuts keep their usual meaning
    const ProgramPreferences& prefs = m_session.preferences();
    const EntryKeyContext context{m_session.operatingClock().LoggedOn(),
                                  m_session.reportLength(),
                                  prefs.CurrentBand,
                                  m_session.partialDupesOn(),
                                  prefs.OwnLatitude,
                                  prefs.OwnLongitude};
    const EntryKeyOutcome outcome = m_entryKeys.press(rowState(), *field, *key, context);
    // In order: a carried key is in its field before the focus follows it, so the focus rules see it there.
    for (const EntryEffect& effect : outcome.effects)
        applyEntryEffect(effect);
    switch (outcome.disposition) {
    case KeyDisposition::ToField:
        return false;
    case KeyDisposition::Insert:
        lineEdit(*field)->insert(QString(outcome.inserted));
        break;
    case KeyDisposition::Consumed:
        break;
    }
    return true;
}

void EntryRowPanel::applyEntryEffect(const EntryEffect& effect)
{
    using namespace entry_effect;
    std::visit(Overloaded{
                   [this](const ClearField& clear) { lineEdit(clear.field)->clear(); },
                   [this](const SetField& set) {
                       QLineEdit* field = lineEdit(set.field);
                       field->setText(set.state.text);
                       if (set.state.hasSelection())
                           field->setSelection(set.state.selectionStart, set.state.selectionLength);
                       else
                           field->setCursorPosition(set.state.cursor);
                   },
                   [this](const ClearLookup&) { m_session.clearLookupLabels(); },
                   [this](const ShowLookup& lookup) {
                       m_session.setLookupLabels({lookup.continent, lookup.bearing, lookup.miles});
                   },
                   [this](const FocusTo& focus) { lineEdit(focus.field)->setFocus(); },
                   [this](const FocusNext&) { focusNextChild(); },
                   [this](const ShowMessage& message) { showMessage(message.text); },
                   [this](const Beep&) { m_services.prompts.beep(); },
                   [this](const ShowPossibleDupes& dupes) { showPartialDupes(dupes.result); },
                   [this](const Commit&) { Mains(); },
               },
               effect);
}

void EntryRowPanel::showPartialDupes(const PartialDupeResult& result)
{
    if (result.messageToTeal)
        showMessage(lblDialog->text(), MessageTone::Normal);
    m_dupes.showPossibleDupes(result.list, result.listOnTeal);
    if (result.message)
        showMessage(*result.message, MessageTone::Normal);
    if (result.beep)
        m_services.prompts.beep();
}

// Pasted or dropped text: the per-key filters of the field, its length limit, and for the call field the
// same start-of-call rule and possible-duplicates scan as typing. It never moves on to the next field.
void EntryRowPanel::entryFieldInsertion(QLineEdit& field, const QString& pasted)
{
    const std::optional<EntryField> found = entryField(&field);
    if (!found)
        return;
    const EntryField which = *found;
    const bool report = which == EntryField::RstRcvd || which == EntryField::RstSnt;
    const int limit = report ? m_session.reportLength() : field.maxLength();
    const QString before = field.text();
    const qsizetype room = std::max<qsizetype>(0, limit - (before.size() - field.selectedText().size()));
    const InsertedText inserted = filterInsertion(
        pasted, [which](QChar typed) { return entryFieldCharacter(which, typed); }, room,
        which == EntryField::Spc);
    if (!inserted.text.isEmpty()) {
        if (which == EntryField::Call && before.size() < 2) {
            txtCntry->clear();
            m_session.clearLookupLabels();
        }
        field.insert(inserted.text);
        if (which == EntryField::Spc) {
            const int caret = field.cursorPosition();
            field.setText(spcCase(field.text()));
            field.setCursorPosition(caret);
        }
        if (which == EntryField::Call)
            showPartialDupes(m_session.possibleDupes(field.text().chopped(1), field.text().back()));
    }
    if (inserted.refused || inserted.cut)
        m_services.prompts.beep();
    if (inserted.cut)
        showMessage(QStringLiteral("Only %1 characters fit in %2; the rest was not pasted.")
                        .arg(limit)
                        .arg(field.accessibleName()));
}

void EntryRowPanel::enterCall(const QString& call, bool tab)
{
    const InsertedText accepted = filterInsertion(
        call, [](QChar typed) { return entryFieldCharacter(EntryField::Call, typed); },
        entryFieldMaxLength(EntryField::Call), false);
    if (accepted.refused || accepted.cut || accepted.text.isEmpty())
        return; // a call the field would not take as typed is not put there
    txtCall->setFocus();
    txtCall->setText(accepted.text);
    if (tab)
        txtRSTR->setFocus(Qt::TabFocusReason);
}

void EntryRowPanel::txtCall_LostFocus()
{
    // A refused duplicate has emptied the row and taken the focus back: there is nothing to fill.
    if (!txtCall->text().isEmpty() && DupCheck())
        return;
    // Default reports, selected so that typing replaces them.
    const QString report = defaultReport(storedMode(m_session.preferences().CurrentMode));
    for (QLineEdit* field : {txtRSTR, txtRSTS}) {
        if (field->text().isEmpty()) {
            field->setText(report);
            field->setSelection(0, int(report.size()));
        }
    }
    ProvinceFromCall();
}

void EntryRowPanel::entryFieldGotFocus(QWidget* field)
{
    const quint8 voiceLevel = m_session.preferences().VoiceNavLevel;
    if (field == txtCall) {
        if (txtCall->text().isEmpty()) {
            txtRSTR->clear();
            txtRSTS->clear();
        }
        if (voiceLevel > 0)
            m_voice.BlindKeyPhone(QStringLiteral("Call"));
        m_contacts.contactListOnCallFocus(txtCall->text().isEmpty());
        return;
    }
    const std::pair<QLineEdit*, const char*> prompts[] = {
        {txtRSTR, "RstRcvd"}, {txtCntry, "SPC"}, {txtSec, "VelmPwr"}, {txtRSTS, "RstSnt"}};
    for (const auto& [entry, prompt] : prompts) {
        if (field == entry && voiceLevel >= 2)
            m_voice.BlindKeyPhone(QString::fromLatin1(prompt));
    }
    if (field == txtPostConDate && txtPostConDate->text().isEmpty())
        txtPostConDate->setText(m_services.clock.localNow().date().toString(QStringLiteral("yyyy/MM/dd")));
    if (field == txtPostConDate || field == txtPostConTime)
        static_cast<QLineEdit*>(field)->selectAll();
}

void EntryRowPanel::releaseHeldKeys()
{
    if (m_session.dupeHold().holding(m_services.clock.milliseconds())) {
        m_holdTimer->start(kHoldPollMs);
        return;
    }
    m_session.dupeHold().release();
    // Each key goes where a typed key would go now: to the field the advance of the keys before it has moved
    // the focus to, through the same key rules. A key that starts a new hold is queued again, in order.
    const QList<QKeyEvent*> keys = std::exchange(m_heldKeys, {});
    for (QKeyEvent* key : keys) {
        QWidget* focus = QApplication::focusWidget();
        QCoreApplication::sendEvent(focus && focus->window() == window() ? focus : txtCall, key);
        delete key;
    }
}

void EntryRowPanel::PrefixLookup()
{
    const PrefixLookupResult result = m_session.lookupCall(txtCall->text(), txtCntry->text());
    if (result.spcText)
        txtCntry->setText(*result.spcText);
    if (result.selectSpc)
        txtCntry->selectAll();
}

void EntryRowPanel::ProvinceFromCall()
{
    const QString province = m_session.provinceFromCall(txtCall->text(), txtCntry->text());
    if (province.isEmpty())
        return;
    txtCntry->setText(province);
    txtCntry->setSelection(0, 2);
}

void EntryRowPanel::UpdateNewIndicator()
{
    m_session.UpdateNewIndicator(txtCntry->text());
}

void EntryRowPanel::setPostContestShown(bool shown)
{
    for (QWidget* widget :
         std::initializer_list<QWidget*>{txtPostConTime, txtPostConDate, lblPostConTime, lblPostConDate})
        widget->setVisible(shown);
    m_session.setPostContest(shown);
}

bool EntryRowPanel::postContestShown() const
{
    return !txtPostConTime->isHidden();
}

} // namespace velm
