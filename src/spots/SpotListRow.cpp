#include "spots/SpotListRow.h"

#include "log/WriteFormat.h"
#include "spots/SpotStore.h"

namespace velm {

namespace {

bool isTimeToken(QStringView token)
{
    if (token.size() != 5 || token.back().toUpper() != QLatin1Char('Z'))
        return false;
    for (int i = 0; i < 4; ++i) {
        if (token[i] < QLatin1Char('0') || token[i] > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

QStringList spotListRow(const DxSpot& spot, const QString& country)
{
    const QString& record = spot.record;
    const QString comments = record.mid(0, 11).trimmed() + QLatin1String("  ") + record.mid(34, 25).trimmed();
    const QString prefix = record.mid(61, 5).trimmed();
    QString time, from;
    const QStringList tokens = record.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = tokens.size() - 1; i >= 0; --i) {
        if (isTimeToken(tokens[i])) {
            time = tokens[i].left(4);
            from = i + 1 < tokens.size() ? tokens[i + 1] : QString();
            break;
        }
    }
    return {spot.call, spotListFrequency(spot.frequency), country, QString(), comments, prefix, time, from};
}

QString spotListFrequency(float megahertz)
{
    return QString::fromLatin1(formatSingle(megahertz));
}

std::optional<float> readSpotListFrequency(const QString& text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return float(*value);
}

} // namespace velm
