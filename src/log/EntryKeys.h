#pragma once
// Responsibilities: the entry row's per-key rules as logic: a key typed into one field of the row, with its
// texts, carets and selections, gives the ordered effects (automatic advance included) the window renders.

#include "log/DupCheck.h"
#include "log/EntryCommit.h"
#include "log/PrefixTable.h"

#include <QChar>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace velm {

// The longest text each entry field takes. The report fields take any length here: their limit follows the
// mode and is checked per key, so a shorter limit after a mode change never cuts a report already typed.
int entryFieldMaxLength(EntryField field);

// One line edit as the rules see it. With a selection, cursor is at one of its ends.
struct FieldState {
    QString text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;

    // Caret after the text, nothing selected.
    static FieldState at(const QString& text);
    static FieldState at(const QString& text, int cursor);
    // text with [start, start + length) selected, the cursor after the selection.
    static FieldState selected(const QString& text, int start, int length);

    bool hasSelection() const { return selectionLength > 0; }
    // Where a typed character goes: the selection's start, else the cursor.
    int caret() const { return hasSelection() ? selectionStart : cursor; }
    friend bool operator==(const FieldState&, const FieldState&) = default;
};

// A key carried from the field it was typed in into the next field during the same key press.
enum class AdvanceState {
    Idle,
    CarryDigit, // a digit after a complete call goes to the report, a digit in the S/P/C to the member number
    CarryLetter, // a letter in the report received goes to the S/P/C
};

struct EntryRowState {
    FieldState call, rstRcvd, spc, velmPwr, rstSnt, postConTime, postConDate;
    // Every advance starts and ends within one key, so between keys this is Idle.
    AdvanceState advance = AdvanceState::Idle;
    QChar carried; // the key being carried while advance is not Idle

    FieldState& field(EntryField which);
    const FieldState& field(EntryField which) const;
};

// A key as the entry fields take it: one printable character (Space among them), Enter or Backspace.
// Keys that type nothing there (arrows, Tab, Delete, shortcuts) never reach the rules.
class EntryKey {
public:
    static EntryKey character(QChar c) { return EntryKey(Kind::Character, c); }
    static EntryKey space() { return character(QLatin1Char(' ')); }
    static EntryKey enter() { return EntryKey(Kind::Enter, QChar(u'\r')); }
    static EntryKey backspace() { return EntryKey(Kind::Backspace, QChar(u'\b')); }

    bool isCharacter() const { return m_kind == Kind::Character; }
    bool isEnter() const { return m_kind == Kind::Enter; }
    bool isBackspace() const { return m_kind == Kind::Backspace; }
    bool isSpace() const { return isCharacter() && m_char == QLatin1Char(' '); }
    bool isDigit() const { return isCharacter() && m_char >= QLatin1Char('0') && m_char <= QLatin1Char('9'); }
    bool isDoubleQuote() const { return isCharacter() && m_char == QLatin1Char('"'); }
    // Above "9" in character order: the letters, and a few signs such as ":" and "@".
    bool isAboveDigits() const { return isCharacter() && m_char > QLatin1Char('9'); }
    // The character typed; "\r" for Enter and "\b" for Backspace, as the duplicate scan takes them.
    QChar code() const { return m_char; }
    friend bool operator==(const EntryKey&, const EntryKey&) = default;

private:
    enum class Kind { Character, Enter, Backspace };
    EntryKey(Kind kind, QChar c) : m_kind(kind), m_char(c) {}
    Kind m_kind;
    QChar m_char;
};

// What the window does, in this order. Effects on fields are written before a focus move that follows them,
// so the rules the window runs when the focus moves (the call field's duplicate check and default reports)
// see the carried key already in place.
namespace entry_effect {
struct ClearField { // empty the field (as its Clear would: the operator can undo it)
    EntryField field;
    friend bool operator==(const ClearField&, const ClearField&) = default;
};
struct SetField { // replace the field's text, then put the caret or selection as in state
    EntryField field;
    FieldState state;
    friend bool operator==(const SetField&, const SetField&) = default;
};
struct ClearLookup { // empty the continent, bearing and miles labels
    friend bool operator==(const ClearLookup&, const ClearLookup&) = default;
};
struct ShowLookup { // continent, bearing and miles of a completed country
    QString continent, bearing, miles;
    friend bool operator==(const ShowLookup&, const ShowLookup&) = default;
};
struct FocusTo {
    EntryField field;
    friend bool operator==(const FocusTo&, const FocusTo&) = default;
};
struct FocusNext { // the next control in the window's tab order
    friend bool operator==(const FocusNext&, const FocusNext&) = default;
};
struct ShowMessage { // message line text, normal colour
    QString text;
    friend bool operator==(const ShowMessage&, const ShowMessage&) = default;
};
struct Beep {
    friend bool operator==(const Beep&, const Beep&) = default;
};
struct ShowPossibleDupes { // the possible-duplicates scan of a call-field key
    PartialDupeResult result;
    friend bool operator==(const ShowPossibleDupes& a, const ShowPossibleDupes& b)
    {
        return a.result.messageToTeal == b.result.messageToTeal && a.result.list == b.result.list &&
               a.result.listOnTeal == b.result.listOnTeal && a.result.message == b.result.message &&
               a.result.beep == b.result.beep;
    }
};
struct Commit { // run the commit of the entry row
    friend bool operator==(const Commit&, const Commit&) = default;
};
} // namespace entry_effect

using EntryEffect = std::variant<entry_effect::ClearField, entry_effect::SetField, entry_effect::ClearLookup,
                                 entry_effect::ShowLookup, entry_effect::FocusTo, entry_effect::FocusNext,
                                 entry_effect::ShowMessage, entry_effect::Beep,
                                 entry_effect::ShowPossibleDupes, entry_effect::Commit>;

// What becomes of the key itself in the field it was typed in, after the effects.
enum class KeyDisposition {
    Consumed, // the field never sees it
    ToField,  // the field takes the key as typed (inserts it, or deletes for Backspace)
    Insert,   // the field gets inserted instead
};

struct EntryKeyOutcome {
    QList<EntryEffect> effects;
    KeyDisposition disposition = KeyDisposition::Consumed;
    QChar inserted; // for Insert
    // The row as the rules leave it, the key's own edit included. Whatever the window runs on the effects
    // (a commit, the focus rules, the lookup on a change of the call) comes on top of this.
    EntryRowState row;
    // The field with the focus afterwards; std::nullopt after FocusNext.
    std::optional<EntryField> focus;
};

// What the rules read besides the row.
struct EntryKeyContext {
    bool loggedOn = false;
    int reportLength = 3; // the report fields' limit: 3 in CW, 2 in phone
    QString band;         // the possible-duplicates scan looks at this band's contacts
    bool partialDupesOn = true;
    float ownLatitude = 0, ownLongitude = 0; // for the bearing of a completed country
};

// Rules per field, for the key typed and each key carried on:
// - Call: a call of fewer than two characters empties the S/P/C and the lookup labels first. A double quote
//   is refused. A digit typed at the end of a complete call (advancesToReport) goes to the report received,
//   which takes it as its whole text, and the focus follows. With fewer than three characters and logged on
//   the message line is blanked; logged off every key shows "Click Log "Time On"!" and beeps. Enter commits;
//   Space moves to the report received. Letters are upper-cased and the possible duplicates scanned.
// - Report received: a letter (anything above "9") goes upper-cased to the S/P/C, which takes it as its
//   whole text, and the focus follows. Enter commits, Space moves on, only digits and Backspace are taken,
//   and no more characters than the report length.
// - S/P/C: a double quote is refused; Enter commits; Space at the start moves on; a digit goes to the member
//   number as its whole text and the focus follows. A character typed at the start replaces the contents;
//   the first two characters are capitals, a third turns the text after the first character to lower case
//   (GE then r gives Ger). From two characters on, a country of the prefix table that begins with the text
//   up to the caret and the key completes it (the rest selected) and takes the key; a Space that completes
//   nothing moves on.
// - Member number: a double quote is refused; Enter commits; Space moves on; letters are upper-cased.
// - Report sent: the CW cut numbers N and T give 9 and 0; any other letter is refused with a beep, the focus
//   stays. Enter commits, Space moves to the next control, only digits and Backspace are taken, and no more
//   characters than the report length.
// - Post-contest time and date: Enter commits, Space moves to the next control; the time takes digits and
//   ":", the date digits and "/".
class EntryKeys {
public:
    EntryKeys(const LogStore& store, const PrefixTable& prefixes) : m_store(store), m_prefixes(prefixes) {}

    EntryKeyOutcome press(const EntryRowState& row, EntryField field, EntryKey key,
                          const EntryKeyContext& context) const;

private:
    const LogStore& m_store;
    const PrefixTable& m_prefixes;
};

} // namespace velm
