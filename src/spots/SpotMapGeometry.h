#pragma once
// Responsibilities: where the labels of the band map and the spectrum map go: the scale line inside its
// area, the five scale labels under it, a spot label above it at its place along the line, the spectrum
// map's strips from the 9600 x 7200 design, and the label font size.

#include <QRect>
#include <QSize>

namespace velm {

struct ScaleLine {
    int x1 = 0, x2 = 0, y = 0;
    friend bool operator==(const ScaleLine&, const ScaleLine&) = default;
};

// The band map: the line across the area at its vertical middle, inset by half the width of a spot label.
ScaleLine bandMapLine(const QRect& area, int spotLabelWidth);
// Scale label i (0 to 4): its left edge, centred on its quarter of the line.
int scaleLabelLeft(const ScaleLine& line, int index, int labelWidth);
// A spot label's left edge, centred on its place (0 to 1) along the line.
int spotLabelLeft(const ScaleLine& line, double position, int labelWidth);
// The gap between the line and its labels: 0.004 of the window height.
int lineGap(int windowHeight);

// The spectrum map scaled from its design (9600 x 7200 units) to a window of the given size.
struct SpectrumStrip {
    QRect strip;
    ScaleLine line;
};
SpectrumStrip spectrumStrip(int band, const QSize& window);

// The labels' point size: 6.75 points grown with the window from its design size (640 x 480 pixels), by
// at most 1.5 and never below the design size.
double spotFontPoints(const QSize& window);

} // namespace velm
