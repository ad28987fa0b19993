#pragma once
// Responsibilities: one logged contact (QSO) as held in memory and written as one line of log.txt;
// every field is text as typed except Points.

#include <QString>

namespace velm {

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

    friend bool operator==(const QsoRecord&, const QsoRecord&) = default;
};

} // namespace velm
