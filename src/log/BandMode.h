#pragma once
// Responsibilities: the bands and modes a contact can take, the order the band label cycles through, and
// what the mode means for the report fields.

#include <QString>
#include <QStringList>

namespace velm {

// "160", "80", "40", "20", "15", "10", "6", in the order of the band menu.
const QStringList& bandTexts();

bool isBand(const QString& text);

// The band after band in the label-click cycle; "6" wraps to "160", and anything that is not a band
// starts the cycle again at "160".
QString nextBand(const QString& band);

// Longest report the report fields take: 2 for phone ("PH"), 3 otherwise (CW).
int reportLengthForMode(const QString& mode);

// The mode a click on the mode label selects: "CW" when the mode is not "CW", phone ("PH") when it is.
QString toggledMode(const QString& mode);

} // namespace velm
