#include "log/ContactEdit.h"

#include "log/LogFile.h"

#include "log/BandMode.h"
#include "log/SpcTable.h"
#include "log/StationProfile.h"
#include "log/WriteFormat.h"

#include <QDate>
#include <QStringList>

#include <algorithm>

namespace velm {

namespace {

// One to four ASCII digits; -1 otherwise.
int digitsValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool isDate(int year, int month, int day)
{
    return QDate(year, month, day).isValid();
}

} // namespace

ContactEditFields contactEditFieldsFrom(const QsoRecord& record)
{
    return {record.Call,    record.RstRcvd,
            record.Spc,     record.VelmPwr,
            record.RstSnt,  record.QsoDate,
            record.QsoTime, record.Mode,
            record.Band,    QString::fromLatin1(formatNumber(record.Points))};
}

std::optional<QChar> editFieldKey(EditKeyRule rule, QChar typed)
{
    const bool digit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    switch (rule) {
    case EditKeyRule::Date:
        return digit || typed == QLatin1Char('/') ? std::optional(typed) : std::nullopt;
    case EditKeyRule::Time:
        return digit || typed == QLatin1Char(':') ? std::optional(typed) : std::nullopt;
    case EditKeyRule::Points:
        if (digit && !QStringLiteral("0245").contains(typed))
            return std::nullopt;
        [[fallthrough]];
    case EditKeyRule::UpperCase:
    case EditKeyRule::AnyCase:
        if (typed == QLatin1Char('"'))
            return std::nullopt;
        return rule == EditKeyRule::AnyCase ? typed : typed.toUpper();
    }
    return std::nullopt;
}

bool readsAsDate(const QString& text)
{
    const QList<QStringView> parts = QStringView(text).split(QLatin1Char('/'));
    int values[3] = {-1, -1, -1};
    for (qsizetype i = 0; i < parts.size() && i < 3; ++i) {
        values[i] = digitsValue(parts[i]);
        if (values[i] < 0)
            return false;
    }
    if (parts.size() == 2) {
        // Month and day of any year, or month and year.
        return isDate(2000, values[0], values[1]) ||
               (parts[1].size() == 4 && isDate(values[1], values[0], 1));
    }
    if (parts.size() != 3)
        return false;
    if (parts[0].size() == 4)
        return isDate(values[0], values[1], values[2]);
    int year = values[2];
    if (parts[2].size() <= 2)
        year += year < 30 ? 2000 : 1900;
    else if (parts[2].size() != 4)
        return false;
    return isDate(year, values[0], values[1]) || isDate(year, values[1], values[0]);
}

bool readsAsTime(const QString& text)
{
    const QList<QStringView> parts = QStringView(text).split(QLatin1Char(':'));
    if (parts.size() != 2 && parts.size() != 3)
        return false;
    const int limits[3] = {23, 59, 59};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const int value = parts[i].size() <= 2 ? digitsValue(parts[i]) : -1;
        if (value < 0 || value > limits[i])
            return false;
    }
    return true;
}

bool isContactMode(const QString& text)
{
    return modeFromText(text).has_value();
}

QString spcOnLeave(const QString& text)
{
    return text.size() < 3 ? text.toUpper() : text;
}

QString pointsOnLeave(const QString& text)
{
    return parseNumber(QStringView(text)) ? text : QStringLiteral("0");
}

bool spcPasses(const QString& text)
{
    if (text.size() != 2)
        return true;
    for (int number = 1; number <= kGridSpcCount; ++number) {
        if (spcEntry(number).code == text)
            return true;
    }
    return false;
}

std::optional<SpcKeyResult> editSpcKey(const QString& text, int caret, QChar typed,
                                       const CountrySource* countries)
{
    const bool restart = text.isEmpty() || caret <= 0;
    const QChar character = restart ? typed.toUpper() : typed;
    const QString typedText = (restart ? QString() : text.left(caret)) + character;
    if (countries) {
        if (const std::optional<CountryMatch> match = countries->completeCountry(typedText)) {
            const QString rest = match->country.mid(typedText.size());
            return SpcKeyResult{typedText + rest, int(typedText.size()), int(rest.size())};
        }
    }
    if (!restart)
        return std::nullopt;
    return SpcKeyResult{typedText, int(typedText.size()), 0};
}

EditDoneResult contactEditDone(const LogStore& store, int number, const ContactEditFields& fields)
{
    EditDoneResult result;
    if (number < 1 || number > store.QsoCount())
        return result; // nothing to store into
    if (!readsAsTime(fields.txtEditTime))
        result.stop = EditStop::Time;
    else if (!readsAsDate(fields.txtEditDate))
        result.stop = EditStop::Date;
    // Enter in the mode or band field runs Done without leaving it, so their checks are repeated here.
    else if (!isContactMode(fields.txtEditBnd))
        result.stop = EditStop::Mode;
    else if (!isBand(fields.Text1))
        result.stop = EditStop::Band;
    if (result.stop != EditStop::None)
        return result;

    for (int other = 1; other <= store.QsoCount(); ++other) {
        const QsoRecord& record = store.record(other);
        if (other != number && record.Band == fields.Text1 && record.Call == fields.txtEditCall)
            result.duplicates.append(other);
    }
    // The field is normally left (and so upper-cased) before Done; Enter in it must not judge otherwise.
    result.spc = spcOnLeave(fields.txtEditPre);
    result.spcInvalid = !spcPasses(result.spc);
    if (!result.duplicates.isEmpty() || result.spcInvalid)
        return result;

    QsoRecord record = store.record(number);
    record.Call = fields.txtEditCall;
    record.RstRcvd = fields.txtEditCk;
    record.Spc = result.spc;
    record.VelmPwr = fields.txtEditSec;
    record.RstSnt = fields.txtEditNum;
    record.QsoDate = fields.txtEditDate;
    record.QsoTime = fields.txtEditTime;
    record.Mode = fields.txtEditBnd;
    record.Band = fields.Text1;
    record.Points = parseNumber(QStringView(fields.Text2)).value_or(0.0);
    record = writableRecord(record);

    LogStore trial = store;
    if (!trial.replace(number, record)) {
        result.stop = EditStop::Points;
        return result;
    }
    result.record = record;
    return result;
}

int firstListedRecord(int qsoCount, bool listAll)
{
    return listAll || qsoCount < 20 ? 1 : qsoCount - 19;
}

int listedRecordNumber(const QString& firstColumn, int qsoCount)
{
    bool ok = false;
    const int number = firstColumn.toInt(&ok);
    return ok && number >= 1 && number <= qsoCount ? number : 0;
}

} // namespace velm
