#include "log/BandMode.h"

namespace velm {

namespace {
const QString kCw = QStringLiteral("CW");
const QString kPhone = QStringLiteral("PH");
} // namespace

const QStringList& bandTexts()
{
    static const QStringList bands = {QStringLiteral("160"), QStringLiteral("80"), QStringLiteral("40"),
                                      QStringLiteral("20"),  QStringLiteral("15"), QStringLiteral("10"),
                                      QStringLiteral("6")};
    return bands;
}

bool isBand(const QString& text)
{
    return bandTexts().contains(text);
}

QString nextBand(const QString& band)
{
    const QStringList& bands = bandTexts();
    const qsizetype index = bands.indexOf(band);
    return index < 0 ? bands.front() : bands.at((index + 1) % bands.size());
}

int reportLengthForMode(const QString& mode)
{
    return mode == kPhone ? 2 : 3;
}

QString toggledMode(const QString& mode)
{
    return mode == kCw ? kPhone : kCw;
}

} // namespace velm
