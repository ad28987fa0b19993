#pragma once
// Responsibilities: one logged contact (QSO) as held in memory and written as one line of log.txt;
// every field is text as typed except Points.

#include <QString>
#include <QtGlobal>

namespace velm {

// Which texts of a record were read from log.txt in Windows-1252 (lines written by an older program), so that
// a rewrite of the file gives them back their own bytes. Bit i stands for the i-th text in file order (Call 0
// ... Band 8, Frequency 9). It says how the record was stored, not what the contact is: it never makes two
// records unequal. A record typed in the window has none, and is written in UTF-8.
struct StoredEncoding {
    quint16 windows1252Texts = 0;

    bool windows1252(int text) const { return (windows1252Texts >> text) & 1U; }
    friend bool operator==(const StoredEncoding&, const StoredEncoding&) { return true; }
};

struct QsoRecord {
    QString Call;      // other station's call sign, upper case
    QString RstRcvd;   // report received
    QString VelmPwr;   // club member number, or power for non-members ("5W")
    QString RstSnt;    // report sent
    QString Spc;       // state/province code, DX country name, or any other text typed
    QString QsoDate;   // UTC "yyyy/mm/dd"
    QString QsoTime;   // UTC "hh:mm:ss", or "hh:mm" for contacts entered after the contest
    QString Mode;      // "CW" or "PH"
    QString Band;      // "160", "80", "40", "20", "15", "10" or "6"
    double Points = 0; // as computed at commit; any number after an edit
    QString Frequency; // rig frequency in MHz as the rig interface formats it; empty when none was reported
    StoredEncoding stored = {};

    friend bool operator==(const QsoRecord&, const QsoRecord&) = default;
};

} // namespace velm
