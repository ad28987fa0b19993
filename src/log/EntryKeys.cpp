#include "log/EntryKeys.h"

#include "log/LogStore.h"

#include <algorithm>

namespace velm {

namespace {

using namespace entry_effect;

// The key as it goes through a field's rules; std::nullopt once a rule has discarded it.
using WorkingKey = std::optional<EntryKey>;

EntryKey capital(EntryKey key)
{
    return key.isCharacter() ? EntryKey::character(QChar(Capital(key.code().unicode()))) : key;
}

// Digits and Backspace are kept, everything else discarded.
WorkingKey onlyDigits(EntryKey key)
{
    return key.isDigit() || key.isBackspace() ? WorkingKey(key) : std::nullopt;
}

// The field's own edit for a key it takes, as a line edit makes it.
void applyToField(FieldState& field, EntryKey key, int maxLength)
{
    if (key.isEnter())
        return;
    if (field.hasSelection()) {
        field.text.remove(field.selectionStart, field.selectionLength);
        field.cursor = field.selectionStart;
        field.selectionStart = field.selectionLength = 0;
        if (key.isBackspace())
            return;
    } else if (key.isBackspace()) {
        if (field.cursor > 0)
            field.text.remove(--field.cursor, 1);
        return;
    }
    if (field.text.size() < maxLength) {
        field.text.insert(field.cursor, key.code());
        ++field.cursor;
    }
}

// One key's way through the rules: the handlers below change the row and note the effects as they go, in
// the order the window is to apply them.
class KeyPress {
public:
    KeyPress(const LogStore& store, const PrefixTable& prefixes, const EntryKeyContext& context,
             EntryKeyOutcome& outcome)
        : m_store(store), m_prefixes(prefixes), m_context(context), m_out(outcome), m_row(outcome.row)
    {
    }

    void run(EntryField field, WorkingKey& key)
    {
        switch (field) {
        case EntryField::Call:
            txtCall_KeyPress(key);
            break;
        case EntryField::RstRcvd:
            txtRSTR_KeyPress(key);
            break;
        case EntryField::Spc:
            txtCntry_KeyPress(key);
            break;
        case EntryField::VelmPwr:
            txtSec_KeyPress(key);
            break;
        case EntryField::RstSnt:
            txtRSTS_KeyPress(key);
            break;
        case EntryField::PostConTime:
        case EntryField::PostConDate:
            postContestKeyPress(field, key);
            break;
        }
    }

private:
    void txtCall_KeyPress(WorkingKey& key)
    {
        const FieldState before = m_row.call;
        // A call of one letter finds no country yet; the next key starts the lookup afresh.
        if (before.text.size() < 2) {
            clearField(EntryField::Spc);
            m_out.effects.append(ClearLookup{});
        }
        if (key->isDoubleQuote())
            key.reset();
        // A digit after a complete call starts the report: W1ABC then 5 puts the 5 in the report field.
        if (key && key->isDigit() && before.cursor == before.text.size() && !before.hasSelection() &&
            advancesToReport(before.text)) {
            startCarry(AdvanceState::CarryDigit, key->code());
            WorkingKey carried = key;
            txtRSTR_KeyPress(carried);
            key.reset();
            focusTo(EntryField::RstRcvd);
        }
        if (before.text.size() < 3 && m_context.loggedOn)
            m_out.effects.append(ShowMessage{QStringLiteral(" ")});
        if (!m_context.loggedOn) {
            m_out.effects.append(ShowMessage{QStringLiteral("Click Log \"Time On\"!")});
            m_out.effects.append(Beep{});
        }
        if (!key)
            return;
        if (key->isEnter()) {
            commit(key);
            return;
        }
        if (key->isSpace() && m_row.advance != AdvanceState::CarryDigit) {
            key.reset();
            focusTo(EntryField::RstRcvd);
            return;
        }
        key = capital(*key);
        m_out.effects.append(
            ShowPossibleDupes{PartialDupeCheck(m_store, before.text, key->code(), m_context.band,
                                               m_context.partialDupesOn, m_context.loggedOn)});
    }

    void txtRSTR_KeyPress(WorkingKey& key)
    {
        // A letter starts the S/P/C.
        if (key->isAboveDigits()) {
            const QChar letter = key->code().toUpper();
            startCarry(AdvanceState::CarryLetter, letter);
            WorkingKey carried = EntryKey::character(letter);
            txtCntry_KeyPress(carried);
            key = EntryKey::space();
        }
        if (m_row.advance == AdvanceState::CarryDigit)
            key = EntryKey::character(m_row.carried);
        if (key->isEnter()) {
            commit(key);
            return;
        }
        if (key->isSpace())
            focusTo(EntryField::Spc);
        key = onlyDigits(*key);
        if (m_row.advance == AdvanceState::CarryDigit)
            takeCarriedKey(EntryField::RstRcvd, key);
    }

    void txtCntry_KeyPress(WorkingKey& key)
    {
        if (key->isDoubleQuote()) {
            key.reset();
            return;
        }
        if (key->isEnter()) {
            commit(key);
            return;
        }
        FieldState& spc = m_row.spc;
        const int caret = spc.caret();
        if (key->isSpace() && caret == 0 && m_row.advance == AdvanceState::Idle) {
            key.reset();
            focusTo(EntryField::VelmPwr);
            return;
        }
        // A digit starts the member number.
        if (key->isDigit()) {
            startCarry(AdvanceState::CarryDigit, key->code());
            WorkingKey carried = key;
            txtSec_KeyPress(carried);
            key.reset();
            focusTo(EntryField::VelmPwr);
            return;
        }
        if (m_row.advance == AdvanceState::CarryLetter) {
            takeCarriedKey(EntryField::Spc, key);
            return;
        }
        // Typing at the start replaces the contents (Backspace types nothing).
        const bool typing = !key->isSpace() && !key->isBackspace();
        if (typing && caret == 0)
            clearField(EntryField::Spc);
        if (spc.text.isEmpty() || caret < 2)
            key = capital(*key);
        // The first two letters are capitals; a country name goes on in lower case: GE then r gives Ger.
        if (typing && caret == 2) {
            const int selected = spc.selectionLength;
            const QString text = spc.text.left(1) + spc.text.mid(1).toLower();
            setField(EntryField::Spc,
                     selected ? FieldState::selected(text, caret, selected) : FieldState::at(text, caret));
        }
        if (spc.text.size() < 2)
            return;
        const std::optional<PrefixTable::Completion> completion = m_prefixes.CountryCompletion(
            spc.text, caret, key->code(), m_context.ownLatitude, m_context.ownLongitude);
        if (completion) {
            setField(EntryField::Spc, FieldState::selected(completion->text, completion->selectionStart,
                                                           completion->selectionLength));
            m_out.effects.append(ShowLookup{completion->continent,
                                            completion->bearing ? completion->bearing->bearing : QString(),
                                            completion->bearing ? completion->bearing->miles : QString()});
            key.reset();
        } else if (key->isSpace()) {
            key.reset();
            focusTo(EntryField::VelmPwr);
        }
    }

    void txtSec_KeyPress(WorkingKey& key)
    {
        if (key->isDoubleQuote()) {
            key.reset();
            return;
        }
        if (m_row.advance == AdvanceState::CarryDigit)
            key = EntryKey::character(m_row.carried);
        if (key->isEnter()) {
            commit(key);
            return;
        }
        if (key->isSpace()) {
            key.reset();
            focusTo(EntryField::RstSnt);
            return;
        }
        key = capital(*key);
        if (m_row.advance == AdvanceState::CarryDigit)
            takeCarriedKey(EntryField::VelmPwr, key);
    }

    void txtRSTS_KeyPress(WorkingKey& key)
    {
        // CW operators send cut numbers: 5NN is 599 and 5TT 500. Any other letter is refused where it was
        // typed; the report stays digits only and the focus stays in the row.
        if (key->isAboveDigits()) {
            const int digit = cutNumber(key->code().unicode());
            if (digit == 0) {
                m_out.effects.append(Beep{});
                key.reset();
                return;
            }
            key = EntryKey::character(QChar(digit));
        }
        if (key->isEnter()) {
            commit(key);
            return;
        }
        if (key->isSpace())
            focusNext();
        key = onlyDigits(*key);
    }

    // The post-contest time takes digits and ":", the date digits and "/".
    void postContestKeyPress(EntryField field, WorkingKey& key)
    {
        const QLatin1Char separator(field == EntryField::PostConTime ? ':' : '/');
        if (key->isEnter()) {
            commit(key);
        } else if (key->isSpace()) {
            key.reset();
            focusNext();
        } else if (key->code() != separator) {
            key = onlyDigits(*key);
        }
    }

    void startCarry(AdvanceState state, QChar carried)
    {
        m_row.advance = state;
        m_row.carried = carried;
    }

    // The carried key becomes the field's whole text, caret after it; the advance is over.
    void takeCarriedKey(EntryField field, WorkingKey& key)
    {
        if (key)
            setField(field, FieldState::at(QString(key->code())));
        m_row.advance = AdvanceState::Idle;
        m_row.carried = QChar();
        key.reset();
    }

    void commit(WorkingKey& key)
    {
        key.reset();
        m_out.effects.append(Commit{});
    }

    void clearField(EntryField field)
    {
        m_row.field(field) = FieldState{};
        m_out.effects.append(ClearField{field});
    }

    void setField(EntryField field, const FieldState& state)
    {
        m_row.field(field) = state;
        m_out.effects.append(SetField{field, state});
    }

    void focusTo(EntryField field)
    {
        m_out.focus = field;
        m_out.effects.append(FocusTo{field});
    }

    void focusNext()
    {
        m_out.focus = std::nullopt;
        m_out.effects.append(FocusNext{});
    }

    const LogStore& m_store;
    const PrefixTable& m_prefixes;
    const EntryKeyContext& m_context;
    EntryKeyOutcome& m_out;
    EntryRowState& m_row;
};

} // namespace

int entryFieldMaxLength(EntryField field)
{
    switch (field) {
    case EntryField::Call:
        return 12;
    case EntryField::Spc:
        return 30;
    case EntryField::VelmPwr:
        return 20;
    case EntryField::PostConTime:
        return 5;
    case EntryField::PostConDate:
        return 10;
    case EntryField::RstRcvd:
    case EntryField::RstSnt:
        break;
    }
    return 32767;
}

FieldState FieldState::at(const QString& text)
{
    return at(text, int(text.size()));
}

FieldState FieldState::at(const QString& text, int cursor)
{
    const int caret = std::clamp(cursor, 0, int(text.size()));
    return FieldState{text, caret, caret, 0};
}

FieldState FieldState::selected(const QString& text, int start, int length)
{
    const int from = std::clamp(start, 0, int(text.size()));
    const int to = std::clamp(from + std::max(length, 0), from, int(text.size()));
    return FieldState{text, to, from, to - from};
}

FieldState& EntryRowState::field(EntryField which)
{
    return const_cast<FieldState&>(std::as_const(*this).field(which));
}

const FieldState& EntryRowState::field(EntryField which) const
{
    switch (which) {
    case EntryField::Call:
        return call;
    case EntryField::RstRcvd:
        return rstRcvd;
    case EntryField::Spc:
        return spc;
    case EntryField::VelmPwr:
        return velmPwr;
    case EntryField::RstSnt:
        return rstSnt;
    case EntryField::PostConTime:
        return postConTime;
    case EntryField::PostConDate:
        break;
    }
    return postConDate;
}

EntryKeyOutcome EntryKeys::press(const EntryRowState& row, EntryField field, EntryKey key,
                                 const EntryKeyContext& context) const
{
    EntryKeyOutcome outcome;
    outcome.row = row;
    outcome.focus = field;
    WorkingKey working = key;
    KeyPress(m_store, m_prefixes, context, outcome).run(field, working);

    FieldState& typedInto = outcome.row.field(field);
    const bool report = field == EntryField::RstRcvd || field == EntryField::RstSnt;
    if (!working)
        return outcome;
    // A report takes no more characters than the mode's report length.
    if (report && key.isCharacter() &&
        typedInto.text.size() - typedInto.selectionLength + 1 > context.reportLength)
        return outcome;
    outcome.disposition = *working == key ? KeyDisposition::ToField : KeyDisposition::Insert;
    if (outcome.disposition == KeyDisposition::Insert)
        outcome.inserted = working->code();
    applyToField(typedInto, *working, entryFieldMaxLength(field));
    return outcome;
}

} // namespace velm
