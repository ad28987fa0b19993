#pragma once
// Responsibilities: BandPlan.txt, the shipped US band plan: its effective date and its rows (band, licence
// class, mode, lower and upper edge in MHz), read item by item in the write format, at most 200 rows. The
// privileges window draws it; the rig link takes its Extra-class rows for the mode of a frequency.

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace velm {

struct BandPlanRow {
    QString band;         // "160", "80", ... "70cm", "23cm"
    QString licenceClass; // "O" the band's overall row; "N", "T", "P", "G", "A", "E"
    QString mode;         // "CW"; anything else is phone ("PH")
    float lower = 0, upper = 0;
};

struct BandPlan {
    QString EffectiveDate;
    QList<BandPlanRow> rows; // file order; on a failure the rows read before it
    bool ok = false;
    QString error; // why it failed, for the log
};

namespace bandplan {
inline const QString FileName = QStringLiteral("BandPlan.txt");
constexpr int kMaxRows = 200;
// A plan is a few kilobytes; a larger file is not the plan and is not read.
constexpr qint64 kMaxBytes = 64 * 1024;
inline const QString UnavailableText = QStringLiteral("Band data not available.");
inline const QString UnavailableTitle = QStringLiteral("Band Data Not Available.");
} // namespace bandplan

// The file's bytes: the first item the date (quoted text, a #date# or a number, shown as its text), then
// five values per row whatever the line breaks. A value that is not of its type, a row cut short, more than
// kMaxRows rows or a line that breaks the format fails, keeping the rows before it.
BandPlan parseBandPlan(QByteArrayView bytes);
// BandPlan.txt in folder, its name in any letter case; a missing, unreadable or oversized file fails with
// no rows.
BandPlan readBandPlan(const QString& folder);

} // namespace velm
