#include "log/ScoreStats.h"

#include <cmath>

namespace velm {

namespace {

// Digits of an unsigned decimal field: one or two for times, day and month, four for the year.
std::optional<int> readNumber(QStringView text, qsizetype minDigits, qsizetype maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// "yyyy/mm/dd" and "hh:mm:ss" or "hh:mm" as a wall-clock time; an invalid QDateTime when either does not
// read. Parsed by hand: this runs over every record of the last hour once a minute.
QDateTime recordTime(const QString& dateText, const QString& timeText)
{
    const QList<QStringView> dateParts = QStringView(dateText).trimmed().split(QLatin1Char('/'));
    const QList<QStringView> timeParts = QStringView(timeText).trimmed().split(QLatin1Char(':'));
    if (dateParts.size() != 3 || (timeParts.size() != 2 && timeParts.size() != 3))
        return {};
    const auto year = readNumber(dateParts[0], 4, 4);
    const auto month = readNumber(dateParts[1], 1, 2);
    const auto day = readNumber(dateParts[2], 1, 2);
    const auto hour = readNumber(timeParts[0], 1, 2);
    const auto minute = readNumber(timeParts[1], 1, 2);
    const auto second = timeParts.size() == 3 ? readNumber(timeParts[2], 1, 2) : std::optional<int>(0);
    if (!year || !month || !day || !hour || !minute || !second)
        return {};
    const QDate date(*year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

QString groupedNumber(qint64 value)
{
    // Digits of the magnitude, built without negating (the lowest qint64 has no positive counterpart).
    QString digits;
    int count = 0;
    qint64 rest = value;
    do {
        if (count > 0 && count % 3 == 0)
            digits.prepend(QLatin1Char(','));
        const int digit = int(rest % 10);
        digits.prepend(QLatin1Char(char('0' + (digit < 0 ? -digit : digit))));
        rest /= 10;
        ++count;
    } while (rest != 0);
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

ScoreTexts Labeldisplay(int qsoCount, int pointsTotal, int totalMultipliers)
{
    return {groupedNumber(qsoCount), QString::number(totalMultipliers), groupedNumber(pointsTotal),
            groupedNumber(qint64(pointsTotal) * qint64(totalMultipliers))};
}

std::optional<Rates> TimeStats(const LogStore& store, const QDateTime& localNow, float utcOffsetHours)
{
    // Offsets are hours and minutes; anything far beyond a day is a broken setting, not a zone, and
    // would overflow the arithmetic below.
    if (!std::isfinite(utcOffsetHours) || std::fabs(utcOffsetHours) > 48.0f || !localNow.isValid())
        return std::nullopt;
    // Wall-clock arithmetic, as the records hold UTC wall-clock texts: the local reading's zone (and any
    // daylight-saving change) plays no part.
    const QTime local = localNow.time();
    const QDateTime now =
        QDateTime(localNow.date(), QTime(local.hour(), local.minute(), local.second()), Qt::UTC)
            .addSecs(std::llround(double(utcOffsetHours) * 60.0) * 60);

    int c20 = 0;
    int c60 = 0;
    for (int number = store.QsoCount(); number >= 1; --number) {
        const QsoRecord& record = store.record(number);
        const QDateTime t = recordTime(record.QsoDate, record.QsoTime);
        if (!t.isValid())
            return std::nullopt;
        const qint64 age = t.secsTo(now);
        if (age < 1200)
            ++c20;
        if (age >= 3600)
            break;
        ++c60;
    }
    return Rates{c60, 3 * c20};
}

} // namespace velm
