#include "log/EntryCommit.h"

#include "log/SpcTable.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

bool allDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Digits with an optional sign, decimal point and exponent, nothing else ("5W" and " 5" do not read).
bool readsAsNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return pattern.match(text).hasMatch();
}

} // namespace

int Capital(int keyCode)
{
    return keyCode >= 'a' && keyCode <= 'z' ? keyCode - ('a' - 'A') : keyCode;
}

int number(int keyCode)
{
    return (keyCode >= '0' && keyCode <= '9') || keyCode == kKeyBackspace ? keyCode : 0;
}

std::optional<QChar> entryFieldCharacter(EntryField field, QChar typed)
{
    const int code = typed.unicode();
    if (code == kKeyDoubleQuote || !typed.isPrint())
        return std::nullopt;
    int kept = code;
    switch (field) {
    case EntryField::Call:
    case EntryField::VelmPwr:
        kept = Capital(code);
        break;
    case EntryField::Spc:
        break;
    case EntryField::RstRcvd:
        kept = number(code);
        break;
    case EntryField::RstSnt:
        kept = code > '9' ? cutNumber(code) : number(code);
        break;
    case EntryField::PostConTime:
        kept = code == ':' ? code : number(code);
        break;
    case EntryField::PostConDate:
        kept = code == '/' ? code : number(code);
        break;
    }
    if (kept == 0)
        return std::nullopt;
    return QChar(kept);
}

QString spcCase(const QString& text)
{
    if (text.size() <= 2)
        return text.toUpper();
    return text.left(1).toUpper() + text.mid(1).toLower();
}

int cutNumber(int keyCode)
{
    switch (keyCode) {
    case 'N':
    case 'n':
        return '9';
    case 'T':
    case 't':
        return '0';
    default:
        return 0;
    }
}

bool advancesToReport(const QString& callText)
{
    if (callText.size() <= 2)
        return false;
    qsizetype lastDigit = -1;
    for (qsizetype i = 1; i < callText.size(); ++i) {
        const QChar c = callText.at(i);
        if (c < QLatin1Char('0'))
            return false;
        if (c <= QLatin1Char('9'))
            lastDigit = i;
    }
    return lastDigit > 0 && lastDigit < callText.size() - 1;
}

QList<Refusal> frmcmp(const EntryTexts& entry)
{
    QList<Refusal> failed;
    if (entry.velmPwr.isEmpty())
        failed.append({QStringLiteral("Need VELM or Power!"), EntryField::VelmPwr});
    if (entry.rstRcvd.isEmpty())
        failed.append({QStringLiteral("Report Received!"), EntryField::RstRcvd});
    if (entry.call.size() < 3)
        failed.append({QStringLiteral("Need Call Sign!"), EntryField::Call});
    if (entry.spc.isEmpty())
        failed.append({QStringLiteral("Need Country!"), EntryField::Spc});
    if (entry.rstSnt.isEmpty())
        failed.append({QStringLiteral("Need Report Sent!"), EntryField::RstSnt});
    return failed;
}

bool isValidSection(const QString& spc)
{
    return spc.size() == 2 && findGridSpc(spc) != 0;
}

Refusal invalidSection()
{
    return {QStringLiteral("Invald Section!"), EntryField::Spc};
}

double contactPoints(const QString& velmPwr, const QString& continent, const QString& ownContinent)
{
    if (velmPwr.size() > 1 && readsAsNumber(velmPwr))
        return 5;
    if (continent.compare(ownContinent, Qt::CaseInsensitive) == 0)
        return 2;
    return continent.isEmpty() ? 0 : 4;
}

PostContestCheck checkPostContest(const QString& date, const QString& time)
{
    PostContestCheck check{date, time, std::nullopt};
    static const QRegularExpression datePattern(QStringLiteral(R"(^(\d{4})/(\d{1,2})/(\d{1,2})$)"));
    const QRegularExpressionMatch dateMatch = datePattern.match(date);
    const QDate day = dateMatch.hasMatch()
                          ? QDate(dateMatch.captured(1).toInt(), dateMatch.captured(2).toInt(),
                                  dateMatch.captured(3).toInt())
                          : QDate();
    if (!day.isValid()) {
        check.refusal = Refusal{QStringLiteral("Invalid date format!"), std::nullopt};
        return check;
    }
    check.date = day.toString(QStringLiteral("yyyy/MM/dd"));

    if ((time.size() == 3 || time.size() == 4) && allDigits(time))
        check.time = time.left(time.size() - 2) + QLatin1Char(':') + time.right(2);
    static const QRegularExpression timePattern(QStringLiteral(R"(^(\d{1,2}):(\d{1,2})$)"));
    const QRegularExpressionMatch timeMatch = timePattern.match(check.time);
    const QTime clock =
        timeMatch.hasMatch() ? QTime(timeMatch.captured(1).toInt(), timeMatch.captured(2).toInt()) : QTime();
    if (!clock.isValid()) {
        check.refusal = Refusal{QStringLiteral("Invalid time format!"), std::nullopt};
        return check;
    }
    check.time = clock.toString(QStringLiteral("hh:mm"));
    return check;
}

QsoRecord buildQsoRecord(const CommitInput& input)
{
    QsoRecord record;
    record.RstSnt = input.entry.rstSnt;
    record.Spc = input.entry.spc;
    record.Call = input.entry.call;
    record.RstRcvd = input.entry.rstRcvd;
    record.VelmPwr = input.entry.velmPwr;

    // The wall-clock reading shifted by whole minutes; no time zone takes part, so a daylight-saving change
    // of the local zone cannot move it. An absurd offset is bounded rather than overflowing.
    double minutes = std::isfinite(input.utcOffset) ? std::round(double(input.utcOffset) * 60.0) : 0.0;
    minutes = std::clamp(minutes, -1.0e6, 1.0e6);
    const QTime local = input.localNow.time();
    const QDateTime utc =
        QDateTime(input.localNow.date(), QTime(local.hour(), local.minute(), local.second()), Qt::UTC)
            .addSecs(qint64(minutes) * 60);
    record.QsoDate = input.postContestDate.value_or(utc.date().toString(QStringLiteral("yyyy/MM/dd")));
    record.QsoTime = input.postContestTime.value_or(utc.time().toString(QStringLiteral("hh:mm:ss")));

    record.Mode = input.mode;
    record.Band = input.band;
    record.Frequency = input.frequency;
    record.Points = contactPoints(record.VelmPwr, input.continent, input.ownContinent);
    return record;
}

} // namespace velm
