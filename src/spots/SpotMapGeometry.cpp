#include "spots/SpotMapGeometry.h"

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

constexpr double kDesignWidth = 9600, kDesignHeight = 7200;
constexpr double kDesignPixelsWide = 640, kDesignPixelsHigh = 480;

int scaled(double units, int pixels, double design)
{
    return int(std::lround(units * pixels / design));
}

} // namespace

ScaleLine bandMapLine(const QRect& area, int spotLabelWidth)
{
    const int half = spotLabelWidth / 2;
    return {area.left() + half, area.left() + area.width() - half, area.top() + area.height() / 2};
}

int scaleLabelLeft(const ScaleLine& line, int index, int labelWidth)
{
    return spotLabelLeft(line, index * 0.25, labelWidth);
}

int spotLabelLeft(const ScaleLine& line, double position, int labelWidth)
{
    return line.x1 + int(std::lround(position * (line.x2 - line.x1))) - labelWidth / 2;
}

int lineGap(int windowHeight)
{
    return int(std::lround(0.004 * windowHeight));
}

SpectrumStrip spectrumStrip(int band, const QSize& window)
{
    const int w = window.width(), h = window.height();
    const double top = 120 + 600.0 * band;
    SpectrumStrip strip;
    strip.strip = QRect(scaled(120, w, kDesignWidth), scaled(top, h, kDesignHeight),
                        scaled(9255, w, kDesignWidth), scaled(495, h, kDesignHeight));
    strip.line = {scaled(360, w, kDesignWidth), scaled(9120, w, kDesignWidth),
                  scaled(360 + 600.0 * band, h, kDesignHeight)};
    return strip;
}

double spotFontPoints(const QSize& window)
{
    const double grow = std::min(window.width() / kDesignPixelsWide, window.height() / kDesignPixelsHigh);
    return 6.75 * std::clamp(grow, 1.0, 1.5);
}

} // namespace velm
