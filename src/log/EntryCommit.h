#pragma once
// Responsibilities: the rules of the entry row that need no window: the key filters, the completeness and
// section checks, the points of a contact, the post-contest date and time, and the record a commit builds.

#include "log/QsoRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace velm {

// Key codes as the entry fields see them: the character typed, or one of these.
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyDoubleQuote = 34;

// a..z become A..Z; every other code (Tab included) is returned unchanged.
int Capital(int keyCode);
// Digits and Backspace are kept; every other code becomes 0 (the key is discarded).
int number(int keyCode);

// The cut numbers of a CW report typed into the report-sent field: N (or n) is 9, T (or t) is 0; every other
// code becomes 0 (refused).
int cutNumber(int keyCode);

// Whether a digit typed at the end of the call field's text starts the report instead: the text is longer
// than two characters and, from its second character on, holds a digit with at least one character after the
// last digit and nothing below "0" ("/", "-", ".", a blank). So DL1ABC advances; DL1 and DL1ABC/P do not.
bool advancesToReport(const QString& callText);

enum class EntryField { Call, RstRcvd, Spc, VelmPwr, RstSnt, PostConTime, PostConDate };

// The character a typed character leaves in an entry field by the per-key filters alone (no advance between
// fields): the call and member number upper-case letters; the S/P/C takes any character as typed (its case
// follows the position, see spcCase); the reports take digits (the sent report also the cut numbers N and T);
// the post-contest time digits and ":", the date digits and "/". A double quote is never taken.
std::optional<QChar> entryFieldCharacter(EntryField field, QChar typed);

// The S/P/C field's letter case as typing leaves it: the first two characters capitals, a longer text (a
// country name) in mixed case, GERMANY as Germany.
QString spcCase(const QString& text);

// A commit refused: the message-line text (with a beep) and, when there is one, the field to go to.
struct Refusal {
    QString message;
    std::optional<EntryField> focus;
    friend bool operator==(const Refusal&, const Refusal&) = default;
};

// The five entry fields' texts.
struct EntryTexts {
    QString call, rstRcvd, spc, velmPwr, rstSnt;
};

// The completeness check: every test that fails, in the order made (member number, report received, call,
// S/P/C, report sent). Empty when the entry is complete. The window beeps for each and shows the last.
QList<Refusal> frmcmp(const EntryTexts& entry);

// The section check of a two-character S/P/C: one of the 62 grid codes, ignoring case ("NU" is not one).
bool isValidSection(const QString& spc);
Refusal invalidSection();

// Points of a contact. A member number (reads as a number as a whole and has more than one character) scores
// 5; otherwise the continent decides: the own continent 2, none known 0, any other 4 (case ignored).
double contactPoints(const QString& velmPwr, const QString& continent, const QString& ownContinent);

// The post-contest date and time fields checked and rewritten: date as "yyyy/mm/dd" (year first, month and
// day of one or two digits), time as "hh:mm" ("930" reads 9:30). date and time are the texts the fields
// should show afterwards, also after a refusal (a refused time keeps its inserted colon).
struct PostContestCheck {
    QString date, time;
    std::optional<Refusal> refusal;
};
PostContestCheck checkPostContest(const QString& date, const QString& time);

struct CommitInput {
    EntryTexts entry;
    QDateTime localNow;
    float utcOffset = 0; // hours added to the local time to give UTC
    // The checked post-contest texts while those fields are shown; they replace the clock's date and time.
    std::optional<QString> postContestDate, postContestTime;
    QString mode, band, frequency;
    QString continent, ownContinent; // for the points
};

// The record a commit appends. Date and time are the local clock plus utcOffset * 60 minutes (rounded to
// whole minutes), cut to whole seconds.
QsoRecord buildQsoRecord(const CommitInput& input);

} // namespace velm
