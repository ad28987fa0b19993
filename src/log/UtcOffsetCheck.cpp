#include "log/UtcOffsetCheck.h"

#include "log/WriteFormat.h"

#include <QStringList>

#include <cmath>

namespace velm {

namespace {

// The date and time as a clock on the wall shows them, whole seconds, with no zone attached.
QDateTime wallClock(const QDate& date, const QTime& time)
{
    return QDateTime(date, QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

QString clockText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

} // namespace

UtcOffsetQuestion checkUtcOffset(const QDateTime& utcNow, const QDateTime& localNow, float currentOffset)
{
    const QDateTime utc = utcNow.toUTC();
    const QDateTime utcWall = wallClock(utc.date(), utc.time());
    const QDateTime localWall = wallClock(localNow.date(), localNow.time());
    const double minutes = double(localWall.secsTo(utcWall)) / 60.0;

    UtcOffsetQuestion question;
    question.recommended = std::round(minutes / 60.0 * 100.0) / 100.0;
    if (question.recommended == 0)
        question.recommended = 0; // no "-0"
    // The stored offset is a float: compare in float, or 0.1-like offsets would always differ.
    question.differs = float(question.recommended) != currentOffset;
    question.title = QStringLiteral("Update the Local Time / UTC Offset?");
    question.defaultAnswer = QString::fromLatin1(formatNumber(question.recommended));
    question.prompt =
        QStringList{
            QStringLiteral("Would you like to adjust the UTC offset in this program for your local time "
                           "setting?"),
            QString(),
            QStringLiteral("Current System Time: ") + clockText(utc.time()),
            QString(),
            QStringLiteral("Current Local Time: ") + clockText(localNow.time()),
            QString(),
            QStringLiteral("Recommended Offset Setting: ") + question.defaultAnswer,
            QString(),
            QStringLiteral("Current Offset Setting: ") + QString::fromLatin1(formatSingle(currentOffset)),
            QString(),
            QStringLiteral("Please click OK to accept the recommended change or Cancel to keep the current "
                           "setting."),
        }
            .join(QStringLiteral("\r\n"));
    return question;
}

std::optional<float> acceptedUtcOffset(const std::optional<QString>& answer)
{
    if (!answer)
        return std::nullopt;
    return parseSingle(QStringView(*answer));
}

} // namespace velm
