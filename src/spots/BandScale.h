#pragma once
// Responsibilities: the frequency scales of the band map and the spectrum map: the band tables, the zoom to
// the spots on a band, the five scale texts ("#.000") and the range read back from them.

#include <QString>

#include <array>

namespace velm {

class SpotStore;

struct BandEdges {
    double low = 0, high = 0; // MHz; 0 and 0 for a band not in the table
    // f lies strictly between the edges, compared as the 32-bit float the store holds.
    bool encloses(float frequency) const { return frequency > float(low) && frequency < float(high); }
};

// The main window's band map: the edges of a band of the log ("20"); a band not in the table gives 0 to 0.
BandEdges BandScale(const QString& band);

// The spectrum map's eleven strips, 160 m down to 2 m.
struct SpectrumBand {
    const char* name; // "20 m"
    BandEdges edges;
};
inline constexpr int kSpectrumBands = 11;
const std::array<SpectrumBand, kSpectrumBands>& spectrumBands();

// One drawn scale: the five label texts and the range read back from the first and the last.
struct SpotScale {
    std::array<QString, 5> labels;
    BandEdges range;
};

// The scale of a band: its edges, zoomed to 0.001 MHz around the spots of store slots 1 to 49 that lie
// strictly inside them when they hold at least two different frequencies.
SpotScale zoomedScale(BandEdges edges, const SpotStore& store);

// A scale value rounded to 3 decimals as "#.000" writes it: "14.025", ".000" for 0.
QString scaleText(double megahertz);
// A scale text read back; anything unreadable gives 0.
double scaleValue(const QString& text);

} // namespace velm
