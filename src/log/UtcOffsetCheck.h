#pragma once
// Responsibilities: the start-up check of the stored UTC offset against the system clock: the recommended
// offset, whether to ask, the input box's texts, and which answers change the offset.

#include <QDateTime>
#include <QString>

#include <optional>

namespace velm {

struct UtcOffsetQuestion {
    double recommended = 0; // minutes from local to UTC / 60, rounded to 2 decimals
    bool differs = false;   // the stored offset differs from the recommendation: ask
    QString title;          // "Update the Local Time / UTC Offset?"
    QString prompt;         // the prompt, lines separated by CR LF
    QString defaultAnswer;  // the recommendation in shortest form ("4", "-5.5")
};

// Compares the local wall clock with the UTC wall clock, both to the second, as plain date-times, so the
// answer does not depend on how the two readings carry their zones. A reading taken a second after the
// other moves the recommendation by less than the rounding.
UtcOffsetQuestion checkUtcOffset(const QDateTime& utcNow, const QDateTime& localNow, float currentOffset);

// The input box's answer: a text that reads as a number becomes the new offset; Cancel (nullopt), an empty
// text or anything else keeps the current one (nullopt).
std::optional<float> acceptedUtcOffset(const std::optional<QString>& answer);

} // namespace velm
