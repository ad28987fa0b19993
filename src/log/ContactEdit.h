#pragma once
// Responsibilities: correcting a logged contact: the edit window's field texts, key rules and checks, the
// duplicate and S/P/C tests of Done and the record Done stores; which records the contact list shows.

#include "log/LogStore.h"

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

namespace velm {

class CountrySource;

// The edit window's texts, named as its fields: call, report received ("Ck"), S/P/C ("Pre"), member number
// or power ("Sec"), report sent ("Num"), date, time, mode ("Bnd"), band (Text1) and points (Text2).
struct ContactEditFields {
    QString txtEditCall, txtEditCk, txtEditPre, txtEditSec, txtEditNum, txtEditDate, txtEditTime, txtEditBnd,
        Text1, Text2;

    friend bool operator==(const ContactEditFields&, const ContactEditFields&) = default;
};

// The texts the window opens with; points in their shortest form ("5", "2.5").
ContactEditFields contactEditFieldsFrom(const QsoRecord& record);

enum class EditKeyRule {
    UpperCase, // any character but a double quote; letters upper-cased
    AnyCase,   // any character but a double quote (the S/P/C field, where completion decides the case)
    Date,      // "/" and digits
    Time,      // ":" and digits
    Points,    // as UpperCase, but of the digits only 0, 2, 4 and 5
};

// The character a typed character leaves in the field, or std::nullopt when the key is discarded.
// Backspace and other editing keys carry no character and are not asked about.
std::optional<QChar> editFieldKey(EditKeyRule rule, QChar typed);

// A date as the operator may type it: "yyyy/m/d", "m/d/yyyy" (or d/m/yyyy when only that reading is a
// date), "m/d/yy" (00-29 are 2000s) or "m/d" (any year, so 2/29 passes); digits and "/" only.
bool readsAsDate(const QString& text);
// "h:mm" or "h:mm:ss" (one or two digits each) within a day.
bool readsAsTime(const QString& text);
// Exactly "CW" or "PH".
bool isContactMode(const QString& text);

// Leaving the S/P/C field: a text shorter than 3 characters is upper-cased.
QString spcOnLeave(const QString& text);
// Leaving the points field: a text that does not read as a number becomes "0".
QString pointsOnLeave(const QString& text);
// A two-character S/P/C must be one of the 62 grid codes, letter case exact; other lengths always pass.
bool spcPasses(const QString& text);

// What a typed character does to the S/P/C field with country completion.
struct SpcKeyResult {
    QString text;
    int selectionStart = 0;  // the caret when selectionLength is 0
    int selectionLength = 0; // the completed rest of the country name
};
// caret is the selection start (or the cursor when nothing is selected). At the start of the field, or
// in an empty one, the field is emptied and the character upper-cased; then the countries are searched
// for one beginning with the text left of the caret plus the character, letter case exact. std::nullopt:
// nothing to do, the field takes the key itself. countries may be null (no completion).
std::optional<SpcKeyResult> editSpcKey(const QString& text, int caret, QChar typed,
                                       const CountrySource* countries);

// A field that stops Done; the window beeps, warns and puts the focus there.
enum class EditStop { None, Time, Date, Mode, Band, Points };

struct EditDoneResult {
    EditStop stop = EditStop::None;
    QList<int> duplicates;           // other records with the same call on the same band
    bool spcInvalid = false;         // the S/P/C warning shows
    QString spc;                     // the S/P/C text as checked (short texts upper-cased)
    std::optional<QsoRecord> record; // the record to store; only when nothing above stops it
};

// Done for record number (1..QsoCount) of the store. Time, date, mode and band must read; then the
// duplicate and S/P/C tests. The record keeps its frequency; points that do not read are 0; texts are
// made writable (see writableText). Points that would carry PointsTotal out of its range stop Done at the
// points field, as the file could not be reloaded afterwards.
EditDoneResult contactEditDone(const LogStore& store, int number, const ContactEditFields& fields);

// The oldest record the contact list shows: 1 when it lists all or holds fewer than 20, otherwise the
// 20th newest. The list runs from QsoCount down to it.
int firstListedRecord(int qsoCount, bool listAll);

// The record number of a list row from its first column; 0 when the text names no record of the store.
int listedRecordNumber(const QString& firstColumn, int qsoCount);

} // namespace velm
