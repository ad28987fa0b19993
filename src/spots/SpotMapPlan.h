#pragma once
// Responsibilities: what the band map and the spectrum map draw from the spot store: which slots, on which
// scale, where along it, in which age colour, with which caption and tooltip. Ages come from the monotonic
// stamp, so a clock or daylight-saving change never hides or revives a spot; the tooltip shows UTC.

#include "spots/BandScale.h"

#include <QList>
#include <QString>

namespace velm {

struct DxSpot;

// A spot's age band: pale yellow under 10 minutes, white under 30, grey under 60, then not drawn.
enum class SpotAge { Fresh, Recent, Old, Gone };
SpotAge spotAge(qint64 ageMs);

struct SpotRgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const SpotRgb&, const SpotRgb&) = default;
};
// The text colour of a spot label of that age (Gone: none, given as black).
SpotRgb spotAgeColour(SpotAge age);
inline constexpr SpotRgb kSpotBackground{0, 0, 128}; // navy

// "CALL  14.025  hh:mm:ss": the call, the frequency and the stored local time plus the UTC offset.
QString spotTooltip(const DxSpot& spot, float utcOffsetHours);

struct PlacedSpot {
    int slot = 0;
    int band = 0;        // spectrum map: the strip; band map: 0
    double position = 0; // 0 to 1 along the scale line (low to high), never on an end
    SpotAge age = SpotAge::Fresh;
    QString caption; // the prefix
    QString tooltip;
};

struct BandMapPlan {
    SpotScale scale;
    QList<PlacedSpot> spots; // newest first
};

struct SpectrumPlan {
    std::array<SpotScale, kSpectrumBands> scales;
    QList<PlacedSpot> spots; // newest first
};

// The main window's band map for the log's current band.
BandMapPlan planBandMap(const SpotStore& store, const QString& band, qint64 nowMs, float utcOffsetHours);
// The spectrum map: each spot on the strip whose fixed edges enclose it, and only when it also lies inside
// that strip's (zoomed) scale.
SpectrumPlan planSpectrumMap(const SpotStore& store, qint64 nowMs, float utcOffsetHours);

} // namespace velm
