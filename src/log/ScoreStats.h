#pragma once
// Responsibilities: the texts of the main window's score block, and the two operating rates counted from the
// newest records back.

#include "log/LogStore.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace velm {

// lblTotCon, lblsectogo, lblTotSec, lblTotScore.
struct ScoreTexts {
    QString contacts, multipliers, points, score;
};

// Contacts and points with "," between thousands whatever the locale, the multipliers plain, and the score
// (points × multipliers) computed in 64 bits, so a large log cannot wrap it.
ScoreTexts Labeldisplay(int qsoCount, int pointsTotal, int totalMultipliers);

// Thousands grouped with ",", no leading zeros; "-" in front of a negative number.
QString groupedNumber(qint64 value);

struct Rates {
    int last60 = 0;   // contacts in the last 60 minutes
    int last20x3 = 0; // contacts in the last 20 minutes, times 3
};

// The rates at localNow, taken to UTC by adding utcOffsetHours (rounded to whole minutes) and cut to whole
// seconds. Records are read from the newest down, and the scan stops at the first one an hour old or older,
// so only the last hour is ever read; records dated after now count in both rates. nullopt, when a record
// reached by the scan has a date ("yyyy/mm/dd") or time ("hh:mm:ss", or "hh:mm" for contacts entered after
// the contest) that does not read, or when the offset is no usable number.
std::optional<Rates> TimeStats(const LogStore& store, const QDateTime& localNow, float utcOffsetHours);

} // namespace velm
