#include "spots/SpotLine.h"

#include "log/WriteFormat.h"

namespace velm {

namespace {

constexpr double kMaxKhz = 300e6; // 300 GHz
constexpr qsizetype kMaxFrequencyText = 32;

bool isBlankChar(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The next whitespace-separated token at or after from; from moves past it.
QStringView nextToken(QStringView text, qsizetype& from)
{
    while (from < text.size() && isBlankChar(text[from]))
        ++from;
    const qsizetype start = from;
    while (from < text.size() && !isBlankChar(text[from]))
        ++from;
    return text.mid(start, from - start);
}

} // namespace

bool beginsWithDx(QStringView text, bool skipBlank)
{
    if (skipBlank && text.startsWith(QLatin1Char(' ')))
        text = text.mid(1);
    return text.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
}

SpotFields spotFields(QStringView line)
{
    // Columns and tokens count from the "DX", so data with a leading blank reads like any other line.
    const qsizetype dx = line.indexOf(QLatin1String("DX"), 0, Qt::CaseInsensitive);
    if (dx > 0 && dx <= 1)
        line = line.mid(dx);
    qsizetype pos = 0;
    for (int token = 0; token < 3; ++token)
        nextToken(line, pos);
    const qsizetype colon = line.left(pos).indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        qsizetype after = colon + 1;
        SpotFields fields;
        fields.frequency = nextToken(line, after).toString();
        fields.call = nextToken(line, after).toString();
        return fields;
    }
    return {line.mid(15, 9).trimmed().toString(), line.mid(26, 13).trimmed().toString()};
}

std::optional<double> spotFrequencyKhz(QStringView text)
{
    if (text.isEmpty() || text.size() > kMaxFrequencyText)
        return std::nullopt;
    int digits = 0, points = 0;
    for (const QChar c : text) {
        if (isDigit(c))
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    const std::optional<double> value = parseNumber(text);
    if (!value || *value <= 0 || *value >= kMaxKhz)
        return std::nullopt;
    return value;
}

QString CallPrefix(QStringView call)
{
    const qsizetype length = call.size();
    if (length < 3)
        return {};
    qsizetype lastDigit = 0, slash = 0, firstDigit = 0; // 1-based positions, 0 for none
    for (qsizetype i = 0; i < length; ++i) {
        if (isDigit(call[i])) {
            lastDigit = i + 1;
            if (firstDigit == 0)
                firstDigit = i + 1;
        } else if (call[i] == QLatin1Char('/')) {
            slash = i + 1;
        }
    }
    if (slash == 0)
        return (lastDigit == 0 ? call : call.left(lastDigit)).toString();
    // The slash in the first half: a prefix written before the home call ("DL/K1ABC", "VP2V/W1ABC").
    if (double(slash) < double(length) / 2 + 1)
        return call.left(slash - 1).toString();
    const QStringView after = call.mid(slash, lastDigit);
    bool number = !after.isEmpty();
    for (const QChar c : after)
        number = number && isDigit(c);
    if (number) // a new call area: "K1ABC/2" is worked as K2
        return call.left(firstDigit == 0 ? 0 : firstDigit - 1).toString() + after.toString();
    return after.toString();
}

} // namespace velm
