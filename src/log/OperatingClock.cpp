#include "log/OperatingClock.h"

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Round to the nearest whole number, halves to the even neighbour, as the classic date arithmetic does.
double roundHalfEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

// The wall-clock reading of a date-time, detached from its zone, so that adding the operator's UTC offset
// is plain arithmetic on the reading.
QDateTime wallClock(const QDateTime& dateTime)
{
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC);
}

} // namespace

ClockTexts clockTexts(const QDateTime& localNow, float utcOffsetHours)
{
    const QTime local = localNow.time();

    double offsetMinutes = std::isfinite(utcOffsetHours) ? std::round(double(utcOffsetHours) * 60.0) : 0.0;
    offsetMinutes = std::fmod(offsetMinutes, double(kMinutesPerDay)); // time of day only: whole days drop out
    const QTime utc = local.addSecs(qint64(offsetMinutes) * 60);

    const int hour = local.hour();
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    ClockTexts texts;
    texts.utc = utc.toString(QStringLiteral("hh:mm:ss"));
    texts.local = QString::number(hour12) + QLatin1Char(':') + twoDigits(local.minute()) + QLatin1Char(':') +
                  twoDigits(local.second());
    texts.amPm = hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    return texts;
}

QString formatOperatingTime(double seconds)
{
    if (!std::isfinite(seconds))
        seconds = 0.0;
    const double whole = std::floor(std::fabs(seconds));
    // Computed in doubles with fmod so that even absurd stored values cannot overflow an integer.
    const auto hours = qint64(std::fmod(std::floor(whole / 3600.0), 100.0));
    const auto minutes = qint64(std::fmod(std::floor(whole / 60.0), 60.0));
    const auto secs = qint64(std::fmod(whole, 60.0));
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') + twoDigits(secs);
}

void OperatingClock::timeOn(const QDateTime& localNow)
{
    if (m_loggedOn)
        return;
    m_timeOn = localNow;
    m_loggedOn = true;
}

QString OperatingClock::timeOff(const QDateTime& localNow, float utcOffsetHours, const QLocale& locale)
{
    if (m_loggedOn) {
        m_operatingSeconds = currentSeconds(localNow);
        m_loggedOn = false;
    }

    double hours = std::isfinite(utcOffsetHours) ? roundHalfEven(double(utcOffsetHours)) : 0.0;
    hours = std::clamp(hours, -1.0e6, 1.0e6); // keeps the seconds inside qint64 for nonsense offsets
    const QDateTime instant = wallClock(localNow).addSecs(qint64(hours) * 3600);
    return QStringLiteral("Logged Off at ") + locale.toString(instant.date(), QLocale::ShortFormat) +
           QLatin1Char(' ') + instant.time().toString(QStringLiteral("hh:mm:ss"));
}

float OperatingClock::currentSeconds(const QDateTime& localNow) const
{
    const float stored = std::fabs(m_operatingSeconds);
    if (!m_loggedOn)
        return stored;
    // Count the second boundaries crossed, as the classic date difference does; both instants are in
    // their own zone, so a daylight-saving change in between is neither counted nor lost.
    const qint64 elapsed = localNow.toSecsSinceEpoch() - m_timeOn.toSecsSinceEpoch();
    return stored + float(std::max<qint64>(elapsed, 0));
}

QString OperatingClock::display(const QDateTime& localNow) const
{
    return formatOperatingTime(m_loggedOn ? currentSeconds(localNow) : m_operatingSeconds);
}

} // namespace velm
