#include "spots/BandScale.h"

#include "log/WriteFormat.h"
#include "spots/SpotStore.h"

#include <cmath>

namespace velm {

BandEdges BandScale(const QString& band)
{
    struct Row {
        const char* band;
        BandEdges edges;
    };
    static constexpr Row kRows[] = {
        {"160", {1.8, 2}},  {"80", {3.5, 4}}, {"40", {7, 7.3}},  {"20", {14, 14.35}},  {"15", {21, 21.45}},
        {"10", {28, 29.7}}, {"6", {50, 54}},  {"2", {144, 148}}, {"1.25", {219, 225}}, {"440", {420, 450}}};
    for (const Row& row : kRows) {
        if (band == QLatin1String(row.band))
            return row.edges;
    }
    return {};
}

const std::array<SpectrumBand, kSpectrumBands>& spectrumBands()
{
    static constexpr std::array<SpectrumBand, kSpectrumBands> kBands = {{{"160 m", {1.8, 2}},
                                                                         {"80 m", {3.5, 4}},
                                                                         {"40 m", {7, 7.3}},
                                                                         {"30 m", {10.1, 10.15}},
                                                                         {"20 m", {14, 14.35}},
                                                                         {"17 m", {18.068, 18.168}},
                                                                         {"15 m", {21, 21.45}},
                                                                         {"12 m", {24.89, 24.99}},
                                                                         {"10 m", {28, 29.7}},
                                                                         {"6 m", {50, 54}},
                                                                         {"2 m", {144, 148}}}};
    return kBands;
}

SpotScale zoomedScale(BandEdges edges, const SpotStore& store)
{
    // Slot 0 is left out of the zoom, as it always was; the views then leave out a slot 0 spot that falls
    // outside the zoomed scale.
    float lowest = 0, highest = 0;
    bool any = false;
    for (int slot = 1; slot < SpotStore::kSlots; ++slot) {
        const float f = store.spot(slot).frequency;
        if (!edges.encloses(f))
            continue;
        lowest = any ? std::min(lowest, f) : f;
        highest = any ? std::max(highest, f) : f;
        any = true;
    }
    BandEdges shown = edges;
    if (any && highest > lowest)
        shown = {double(lowest) - 0.001, double(highest) + 0.001};
    SpotScale scale;
    for (int i = 0; i < 5; ++i)
        scale.labels[std::size_t(i)] = scaleText(shown.low + i * 0.25 * (shown.high - shown.low));
    scale.range = {scaleValue(scale.labels[0]), scaleValue(scale.labels[4])};
    return scale;
}

QString scaleText(double megahertz)
{
    const double rounded = std::round(megahertz * 1000) / 1000;
    QString text = QString::number(rounded, 'f', 3);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

double scaleValue(const QString& text)
{
    QString whole = text.trimmed();
    if (whole.startsWith(QLatin1Char('.')))
        whole.prepend(QLatin1Char('0'));
    return parseNumber(whole).value_or(0);
}

} // namespace velm
