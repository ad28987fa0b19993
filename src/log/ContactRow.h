#pragma once
// Responsibilities: one logged contact as a row of the main window's contact list: the ten column texts in
// the list's order, so the list, the duplicate check's listing and the clipboard copy show the same thing.

#include "log/LogStore.h"

#include <QStringList>

namespace velm {

// Columns: "Rec#", Call, RstRcvd, Spc, VelmPwr, RstSnt, "mm/dd hh:nn", Mode, Band, Points.
struct ContactRow {
    QStringList columns;
    int recordNumber = 0; // the row's key
};

// The row of record number 1..QsoCount(). The date and time column reads "03/05 14:05" for a record of
// 2011/03/05 at 14:05:33; a date or time that is not in the log's form ("yyyy/mm/dd", "hh:mm[:ss]", as an
// edit may leave it) is shown as stored. Points in the shortest form ("5", "2.5"). A number out of range
// gives an empty row (no columns, recordNumber 0).
ContactRow contactRow(const LogStore& store, int recordNumber);

} // namespace velm
