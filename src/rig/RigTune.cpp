#include "rig/RigTune.h"

#include <cmath>

namespace velm::rigtune {

bool isFrequencyText(const QString& text)
{
    int digits = 0, points = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

std::optional<double> frequencyValue(const QString& text)
{
    if (!isFrequencyText(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

const QList<Band>& bands()
{
    static const QList<Band> list = [] {
        const struct {
            const char *caption, *unit, *frequency;
        } rows[] = {{"160", "m", "1.9"},   {"80", "m", "3.75"},   {"60", "m", "5.3585"}, {"40", "m", "7.15"},
                    {"30", "m", "10.13"},  {"20", "m", "14.175"}, {"17", "m", "18.118"}, {"15", "m", "21.225"},
                    {"12", "m", "24.94"},  {"10", "m", "28.5"},   {"6", "m", "52"},      {"2", "m", "146"},
                    {"1.25", "m", "223.5"}, {"70", "cm", "435"},   {"33", "cm", "915"},   {"23", "cm", "1270"}};
        QList<Band> bands;
        for (const auto& row : rows)
            bands.append({QString::fromLatin1(row.caption),
                          QStringLiteral("%1 %2 band").arg(QLatin1String(row.caption), QLatin1String(row.unit)),
                          QString::fromLatin1(row.frequency)});
        return bands;
    }();
    return list;
}

const QList<Step>& steps()
{
    static const QList<Step> list = {{QStringLiteral("10 Hz"), 0.00001},
                                     {QStringLiteral("1 MHz"), 1},
                                     {QStringLiteral("5 KHz"), 0.005},
                                     {QStringLiteral("1 KHz"), 0.001},
                                     {QStringLiteral("100 Hz"), 0.0001}};
    return list;
}

const QList<Step>& scanSteps()
{
    static const QList<Step> list = {{QStringLiteral("500 Hz"), 0.0005},
                                     {QStringLiteral("100 Hz"), 0.0001},
                                     {QStringLiteral("30 Hz"), 0.00003},
                                     {QStringLiteral("10 Hz"), 0.00001},
                                     {QStringLiteral("2.5 KHz"), 0.0025}};
    return list;
}

namespace {

QString withoutTrailingZeros(QString text, bool keepPoint)
{
    if (!text.contains(QLatin1Char('.')))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (!keepPoint && text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

std::optional<QString> steppedText(const QString& text, double step)
{
    const std::optional<double> value = frequencyValue(text);
    if (!value)
        return std::nullopt;
    const double stepped = *value + step;
    // 15 significant digits, written without an exponent.
    const int whole = std::abs(stepped) < 1 ? 1 : int(std::floor(std::log10(std::abs(stepped)))) + 1;
    return withoutTrailingZeros(QString::number(stepped, 'f', qMax(0, 15 - whole)), false);
}

std::optional<QString> scanText(const QString& frequency, const QString& from, const QString& to, double step)
{
    const std::optional<double> f = frequencyValue(frequency);
    const std::optional<double> low = frequencyValue(from);
    const std::optional<double> high = frequencyValue(to);
    if (!f || !low || !high)
        return std::nullopt;
    // In double: a single-precision sum would lose the 10 Hz step above 256 MHz and never move.
    double next = *f + step;
    if (next > *high)
        next = *low;
    return withoutTrailingZeros(QString::number(next, 'f', 5), true);
}

} // namespace velm::rigtune
