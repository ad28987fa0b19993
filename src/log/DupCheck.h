#pragma once
// Responsibilities: the duplicate check on leaving the call field and at commit, the possible-duplicates
// scan on every key in the call field, and the hold that keeps keys back for 3 s after a refusal.

#include "log/ContactRow.h"
#include "log/LogStore.h"

#include <QList>
#include <QString>

#include <optional>

namespace velm {

// Calls and bands are compared ignoring letter case; the mode never is (CW on 40 m dupes phone on 40 m).

struct DupCheckInput {
    QString call;    // the call field's text
    QString band;    // CurrentBand
    QString velmPwr; // the member-number field's text
    QString spc;     // the S/P/C field's text
    bool listPrevious = false;
};

struct DupCheckResult {
    // The first earlier contact of the call with a value fills an empty field (text selected whole). Never
    // set on a duplicate: the entry is cleared then.
    std::optional<QString> fillVelmPwr;
    std::optional<QString> fillSpc;
    // With listPrevious: the contact list is emptied first (listCleared), then shows the call's earlier
    // contacts in record order, all bands; the listing ends at the duplicate when there is one.
    QList<ContactRow> previousRows;
    bool listCleared = false;
    // Non-zero when the call was worked on the current band: the number of that (oldest) record. Then the
    // window shows message on red, sets the possible-duplicates line to button face, beeps, speaks "Dupe",
    // starts the hold (DupeHold::refused), focuses the call field and empties the five entry fields and the
    // continent, bearing and miles labels.
    int duplicateRecord = 0;
    QString message; // "Duplicate K1ABC 2011/03/05 14:05:33  Rec# 17"; empty when no duplicate
};

// The window clears the duplicate flag (DupeHold::release) before running it. An empty call matches nothing.
DupCheckResult DupCheck(const LogStore& store, const DupCheckInput& input);

struct PartialDupeResult {
    bool messageToTeal = true; // the message line's colour goes back to teal on every key
    // The possible-duplicates line: calls of the current band beginning with the call as it will read,
    // newest first, each followed by a blank ("K1ABD K1ABC "); "" when none or the check is off.
    QString list;
    bool listOnTeal = false; // teal when list is not empty, else button face
    // "Possible Duplicate!", " ", "The second or third character is not numeric!", or nullopt: leave the
    // message line's text as it is.
    std::optional<QString> message;
    bool beep = false;
};

// callText: the call field's text before the key; key: the typed character, already upper-cased (Backspace
// and other control keys included; only "." to "Z" in character order scan the log or check the prefix).
// The window should pass the text as it reads once any selection has been removed, since the key replaces
// the selection.
PartialDupeResult PartialDupeCheck(const LogStore& store, const QString& callText, QChar key,
                                   const QString& band, bool partialDupesOn, bool loggedOn);

// The duplicate flag and the hold after a refusal: keys typed in the call field wait until 3 s after the
// refusal. Times are the monotonic Clock::milliseconds(), so a change of the wall clock cannot stretch the
// hold.
class DupeHold {
public:
    static constexpr qint64 HoldMs = 3000;

    void refused(qint64 nowMs);       // a duplicate was refused at this time; sets the duplicate flag
    bool holding(qint64 nowMs) const; // the flag is set and the 3 s have not run yet
    qint64 releaseAtMs() const;       // when the held keys may go
    void release();                   // clears the duplicate flag
    bool duplicateFlag() const { return m_duplicate; }

private:
    bool m_duplicate = false;
    qint64 m_refusedAtMs = 0;
};

} // namespace velm
