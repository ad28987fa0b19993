#include "spots/SpotMapPlan.h"

#include "spots/SpotStore.h"

namespace velm {

namespace {

constexpr qint64 kFreshMs = 600 * 1000;
constexpr qint64 kRecentMs = 1800 * 1000;
constexpr qint64 kOldMs = 3600 * 1000;

// Where f stands on a scale, or a negative value when it is not strictly inside it.
double along(const BandEdges& range, float f)
{
    if (!range.encloses(f) || range.high <= range.low)
        return -1;
    const double position = (double(f) - range.low) / (range.high - range.low);
    return position > 0 && position < 1 ? position : -1;
}

PlacedSpot placed(const DxSpot& spot, int slot, int band, double position, SpotAge age, float utcOffset)
{
    return {slot, band, position, age, spot.prefix, spotTooltip(spot, utcOffset)};
}

} // namespace

SpotAge spotAge(qint64 ageMs)
{
    if (ageMs < kFreshMs)
        return SpotAge::Fresh;
    if (ageMs < kRecentMs)
        return SpotAge::Recent;
    if (ageMs < kOldMs)
        return SpotAge::Old;
    return SpotAge::Gone;
}

SpotRgb spotAgeColour(SpotAge age)
{
    switch (age) {
    case SpotAge::Fresh:
        return {255, 255, 128};
    case SpotAge::Recent:
        return {255, 255, 255};
    case SpotAge::Old:
        return {192, 192, 192};
    case SpotAge::Gone:
        break;
    }
    return {};
}

QString spotTooltip(const DxSpot& spot, float utcOffsetHours)
{
    const QDateTime utc = spot.received.addSecs(qint64(double(utcOffsetHours) * 3600));
    return spot.call + QLatin1String("  ") + scaleText(double(spot.frequency)) + QLatin1String("  ") +
           utc.toString(QStringLiteral("hh:mm:ss"));
}

BandMapPlan planBandMap(const SpotStore& store, const QString& band, qint64 nowMs, float utcOffsetHours)
{
    BandMapPlan plan;
    plan.scale = zoomedScale(BandScale(band), store);
    for (int slot = SpotStore::kNewest; slot >= 0; --slot) {
        const DxSpot& spot = store.spot(slot);
        const double position = along(plan.scale.range, spot.frequency);
        if (position < 0)
            continue;
        const SpotAge age = spotAge(nowMs - spot.receivedMs);
        if (age == SpotAge::Gone)
            break; // every older slot is older still
        plan.spots.append(placed(spot, slot, 0, position, age, utcOffsetHours));
    }
    return plan;
}

SpectrumPlan planSpectrumMap(const SpotStore& store, qint64 nowMs, float utcOffsetHours)
{
    SpectrumPlan plan;
    const auto& bands = spectrumBands();
    for (int b = 0; b < kSpectrumBands; ++b)
        plan.scales[std::size_t(b)] = zoomedScale(bands[std::size_t(b)].edges, store);
    for (int slot = SpotStore::kNewest; slot >= 0; --slot) {
        const DxSpot& spot = store.spot(slot);
        if (!spot.shown())
            continue;
        const SpotAge age = spotAge(nowMs - spot.receivedMs);
        if (age == SpotAge::Gone)
            break;
        for (int b = 0; b < kSpectrumBands; ++b) {
            if (!bands[std::size_t(b)].edges.encloses(spot.frequency))
                continue;
            const double position = along(plan.scales[std::size_t(b)].range, spot.frequency);
            if (position >= 0)
                plan.spots.append(placed(spot, slot, b, position, age, utcOffsetHours));
            break;
        }
    }
    return plan;
}

} // namespace velm
