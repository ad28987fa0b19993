#include "log/ContactRow.h"

#include "log/WriteFormat.h"

#include <QDate>
#include <QTime>

namespace velm {

namespace {

// Reads 1 or 2 (or exactly 4 for a year) ASCII digits; -1 otherwise.
int smallNumber(QStringView text, qsizetype minDigits, qsizetype maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits)
        return -1;
    int value = 0;
    for (QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return -1;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "yyyy/mm/dd" (one-digit month and day accepted) as "mm/dd"; anything else as it stands.
QString monthDay(const QString& date)
{
    const QList<QStringView> parts = QStringView(date).split(QLatin1Char('/'));
    if (parts.size() == 3) {
        const QDate read(smallNumber(parts[0], 4, 4), smallNumber(parts[1], 1, 2),
                         smallNumber(parts[2], 1, 2));
        if (read.isValid())
            return twoDigits(read.month()) + QLatin1Char('/') + twoDigits(read.day());
    }
    return date;
}

// "hh:mm:ss" or "hh:mm" (one-digit hour accepted) as "hh:mm"; anything else as it stands.
QString hourMinute(const QString& time)
{
    const QList<QStringView> parts = QStringView(time).split(QLatin1Char(':'));
    if (parts.size() == 2 || parts.size() == 3) {
        const int second = parts.size() == 3 ? smallNumber(parts[2], 2, 2) : 0;
        const QTime read(smallNumber(parts[0], 1, 2), smallNumber(parts[1], 2, 2), second);
        if (read.isValid())
            return twoDigits(read.hour()) + QLatin1Char(':') + twoDigits(read.minute());
    }
    return time;
}

} // namespace

ContactRow contactRow(const LogStore& store, int recordNumber)
{
    if (recordNumber < 1 || recordNumber > store.QsoCount())
        return {};
    const QsoRecord& record = store.record(recordNumber);
    ContactRow row;
    row.recordNumber = recordNumber;
    row.columns = {QString::number(recordNumber),
                   record.Call,
                   record.RstRcvd,
                   record.Spc,
                   record.VelmPwr,
                   record.RstSnt,
                   monthDay(record.QsoDate) + QLatin1Char(' ') + hourMinute(record.QsoTime),
                   record.Mode,
                   record.Band,
                   QString::fromLatin1(formatNumber(record.Points))};
    return row;
}

} // namespace velm
