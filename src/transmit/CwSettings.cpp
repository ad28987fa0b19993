#include "transmit/CwSettings.h"

#include "log/WriteFormat.h"

#include "transmit/MorseTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velm {

std::optional<int> messageIndexOfKeyCode(int keyCode)
{
    if (keyCode >= kF1Code && keyCode <= kF9Code)
        return keyCode - kF1Code;
    if (keyCode == kF10Code)
        return 9;
    if (keyCode == kF11Code)
        return 10;
    return std::nullopt;
}

int keyCodeOfMessageIndex(int index)
{
    if (index == 9)
        return kF10Code;
    if (index == 10)
        return kF11Code;
    return kF1Code + index;
}

KeyingMethod keyingMethodOf(int value)
{
    switch (value) {
    case 1:
        return KeyingMethod::Rts;
    case 2:
        return KeyingMethod::Dtr;
    case 3:
        return KeyingMethod::Printer;
    case 5:
        return KeyingMethod::WinKey;
    default:
        return KeyingMethod::None;
    }
}

std::optional<int> wholeNumber(const QString& text)
{
    const std::optional<double> value = parseNumber(QStringView(text));
    if (!value || *value != std::trunc(*value) || std::abs(*value) > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*value);
}

QString numberOrZero(const QString& text)
{
    return parseNumber(QStringView(text)) ? text : QStringLiteral("0");
}

QString wordSpaceRule(const QString& text)
{
    const std::optional<double> value = parseNumber(QStringView(text));
    if (!value)
        return QStringLiteral("0");
    if (*value < kLowestWordSpaceAdjustment)
        return QString::number(kLowestWordSpaceAdjustment);
    return text;
}

int wordSpaceOf(const QString& text)
{
    const std::optional<double> value = parseNumber(QStringView(text));
    if (!value)
        return 0;
    // Far beyond any useful space; keeps the pattern length sane.
    constexpr double kLongest = 1000;
    return int(std::nearbyint(std::clamp(*value, double(kLowestWordSpaceAdjustment), kLongest)));
}

int speedOf(const QString& text)
{
    const std::optional<double> value = parseNumber(QStringView(text));
    if (!value || *value < 0 || *value > 10000)
        return 0;
    return int(std::nearbyint(*value));
}

std::optional<double> repeatSecondsOf(const QString& text)
{
    const std::optional<double> value = parseNumber(QStringView(text));
    if (!value || *value < 0 || *value >= 60)
        return std::nullopt;
    return *value;
}

double loopFaster(double offset)
{
    return std::nearbyint(offset * 0.9);
}

double loopSlower(double offset)
{
    return std::nearbyint(offset * 1.111111111111);
}

QString timingMethodText(TimingMethod method)
{
    switch (method) {
    case TimingMethod::Loop:
        return QStringLiteral("Loop");
    case TimingMethod::Sleep:
        return QStringLiteral("Sleep");
    case TimingMethod::Timer:
        break;
    }
    return QStringLiteral("Timer");
}

TimingMethod timingMethodOf(const QString& text)
{
    if (text == QLatin1String("Loop"))
        return TimingMethod::Loop;
    if (text == QLatin1String("Sleep"))
        return TimingMethod::Sleep;
    return TimingMethod::Timer;
}

} // namespace velm
