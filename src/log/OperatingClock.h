#pragma once
// Responsibilities: the clock texts of the main window (UTC and local time) and the operating clock, which
// accumulates on-air time over "Time On"/"Time Off" periods and formats it for display.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace velm {

struct ClockTexts {
    QString utc;   // "hh:mm:ss", 24-hour
    QString local; // "h:mm:ss", 12-hour, no leading zero on the hour (midnight and noon read 12)
    QString amPm;  // "AM" or "PM"
};

// The texts of the clock tick. The UTC time is the local time of day plus utcOffsetHours * 60 minutes
// (rounded to whole minutes), wrapping around midnight; only the time of day is used, so a daylight-saving
// change of the local zone does not shift it.
ClockTexts clockTexts(const QDateTime& localNow, float utcOffsetHours);

// Operating time as "hh:mm:ss". Hours are shown modulo 100 (100 h reads "00:00:00"), each field with two
// digits. Fractions of a second are dropped; a negative value is shown by its magnitude (the clock adds
// the magnitude of the stored value too) and a value that is not a number reads "00:00:00".
QString formatOperatingTime(double seconds);

class OperatingClock {
public:
    bool LoggedOn() const { return m_loggedOn; }

    // Seconds accumulated before the current on-period.
    float OperatingSeconds() const { return m_operatingSeconds; }
    // From the preferences at start-up; a new log sets 0.
    void setOperatingSeconds(float seconds) { m_operatingSeconds = seconds; }

    // Starts an on-period at localNow. While one already runs this does nothing, so that a second start
    // (the commit starting the clock as the button is pressed) cannot drop the time already run.
    void timeOn(const QDateTime& localNow);

    // Ends the on-period: OperatingSeconds becomes the current seconds. Returns the message-line text
    // "Logged Off at <date> <hh:mm:ss>" for the instant localNow + utcOffsetHours rounded to whole hours
    // (halves to the even neighbour: 5.5 -> 6, 4.5 -> 4), the date in the locale's short form. When the
    // clock is not running, OperatingSeconds is left as it is.
    QString timeOff(const QDateTime& localNow, float utcOffsetHours,
                    const QLocale& locale = QLocale::system());

    // |OperatingSeconds| plus the whole seconds since time on (none when the clock is not running). The
    // elapsed part is counted by the seconds of the clock crossed, and never goes below 0: a clock set
    // back while logged on does not eat into time already accumulated.
    float currentSeconds(const QDateTime& localNow) const;

    // What the operating-time label shows now: the running total while logged on, the stored total
    // otherwise.
    QString display(const QDateTime& localNow) const;

private:
    bool m_loggedOn = false;
    float m_operatingSeconds = 0.0f;
    QDateTime m_timeOn;
};

} // namespace velm
