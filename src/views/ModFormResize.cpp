#include "views/ModFormResize.h"

#include <algorithm>
#include <cmath>

namespace velm {

using namespace formsize;

namespace {

bool usable(const QRect& area)
{
    return area.width() > 0 && area.height() > 0;
}

QSize pixels(QSizeF units)
{
    return {int(std::lround(units.width() / UnitsPerPixel)),
            int(std::lround(units.height() / UnitsPerPixel))};
}

// No window larger than its area, nor its top above the work area's top (a lift or a top panel would hide
// the title bar).
QRect placed(QSize size, const QRect& area, double lift, const QRect& workArea)
{
    size = size.boundedTo(area.size());
    const int left = area.x() + (area.width() - size.width()) / 2;
    int top = area.y() + (area.height() - size.height()) / 2 - int(std::lround(lift));
    if (usable(workArea))
        top = std::max(top, workArea.top());
    return {QPoint(left, top), size};
}

FormFit unscaled(QSizeF designUnits)
{
    return {QRect(QPoint(0, 0), pixels(designUnits)), 1, 1, false};
}

} // namespace

FormFit ScaleFormToScreen(QSizeF designUnits, const ScreenAreas& areas)
{
    return scaleFormVariant(FormVariant::A, designUnits, areas);
}

FormFit scaleFormVariant(FormVariant variant, QSizeF designUnits, const ScreenAreas& areas)
{
    const bool workAreaVariant = variant == FormVariant::E || variant == FormVariant::F;
    const QRect area = workAreaVariant && usable(areas.workArea) ? areas.workArea : areas.screen;
    if (!usable(area) || designUnits.isEmpty())
        return unscaled(designUnits);
    if (variant == FormVariant::G)
        return FitFormToArea(designUnits,
                             {area, QSizeF(area.width() * UnitsPerPixel, area.height() * UnitsPerPixel),
                              QSizeF(DesignWidth, DesignHeight), false, 1.0});
    const double sx = areas.screen.width() * UnitsPerPixel / DesignWidth;
    const double sy = areas.screen.height() * UnitsPerPixel / DesignHeight;
    const double ax = area.width() * UnitsPerPixel / DesignWidth;
    const double ay = area.height() * UnitsPerPixel / DesignHeight;
    // Controls inherit the window's font here, so where no window font is given it follows the controls.
    const QSizeF grown(designUnits.width() * ax, designUnits.height() * ay);
    FormFit fit;
    fit.scaled = true;
    if (variant == FormVariant::F) {
        fit.window = area;
        fit.coversArea = true;
    } else {
        fit.window = placed(pixels(grown), area, variant == FormVariant::A ? Lift / UnitsPerPixel : 0.0,
                            areas.workArea);
    }
    switch (variant) {
    case FormVariant::A:
    case FormVariant::B:
        fit.windowFont = sy;
        fit.controlFont = std::min(sx, sy);
        break;
    case FormVariant::C:
        fit.windowFont = sx;
        fit.controlFont = sx;
        break;
    case FormVariant::D:
    case FormVariant::E:
    case FormVariant::F:
        fit.windowFont = variant == FormVariant::F
                             ? std::min(sx, FontCap)
                             : std::min(grown.width(), area.width() * UnitsPerPixel) / DesignWidth;
        fit.controlFont = std::min(sx, FontCap);
        break;
    case FormVariant::G:
        break;
    }
    return fit;
}

FormFit FitFormToArea(QSizeF designUnits, const FitRequest& request)
{
    if (!usable(request.area) || designUnits.isEmpty() || request.designSize.isEmpty())
        return unscaled(designUnits);
    const QSizeF grown =
        request.exactSize
            ? request.newSize
            : QSizeF(designUnits.width() * request.newSize.width() / request.designSize.width(),
                     designUnits.height() * request.newSize.height() / request.designSize.height());
    FormFit fit;
    fit.scaled = true;
    fit.window = placed(pixels(grown), request.area, 0.0, QRect());
    const double rx = fit.window.width() * UnitsPerPixel / designUnits.width();
    const double ry = fit.window.height() * UnitsPerPixel / designUnits.height();
    const double r = std::min(rx, ry);
    fit.windowFont = r > 1 ? 1 + (r - 1) * request.growth : r;
    fit.controlFont = fit.windowFont;
    return fit;
}

FormFit mainWindowFit(QSizeF designUnits, const ScreenAreas& areas, int formSizePercent, bool taskbarMode)
{
    const QRect& screen = areas.screen;
    if (!usable(screen) || designUnits.isEmpty())
        return unscaled(designUnits);
    const double sx = screen.width() * UnitsPerPixel / DesignWidth;
    const double sy = screen.height() * UnitsPerPixel / DesignHeight;
    FormFit fit;
    fit.scaled = true;
    fit.windowFont = sy;
    fit.controlFont = std::min(sx, sy);
    const int percent = clampFormSizePercent(formSizePercent);
    if (percent < MaxPercent) {
        const double share = percent / 100.0;
        fit.window =
            placed(QSize(int(std::lround(screen.width() * share)), int(std::lround(screen.height() * share))),
                   screen, 0.0, areas.workArea);
        fit.windowFont *= share;
        fit.controlFont *= share;
    } else if (taskbarMode && usable(areas.workArea)) {
        fit.window = areas.workArea;
        fit.coversArea = true;
    } else {
        fit.window = screen;
        fit.coversArea = true;
    }
    return fit;
}

int clampFormSizePercent(double percent)
{
    if (!std::isfinite(percent))
        return MaxPercent;
    return int(std::clamp(std::nearbyint(percent), double(MinPercent), double(MaxPercent)));
}

FormSizeAnswer readFormSizeAnswer(const std::optional<QString>& answer)
{
    if (!answer)
        return {};
    bool ok = false;
    const double value = answer->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return {FormSizeAnswer::NotNumeric, 0};
    return {FormSizeAnswer::Percent, clampFormSizePercent(value)};
}

std::optional<FormVariant> formVariantOf(const QString& windowName)
{
    static const struct {
        const char* name;
        FormVariant variant;
    } table[] = {
        {"frmStationID", FormVariant::A},    {"Form2", FormVariant::A},
        {"frmLogo", FormVariant::A},         {"Form5", FormVariant::B},
        {"frmEditCon", FormVariant::C},      {"Form6", FormVariant::C},
        {"BlindFrm", FormVariant::D},        {"frmCWStrings", FormVariant::D},
        {"SpectrumMap", FormVariant::D},     {"frmFrequencyTest", FormVariant::D},
        {"frmRigTune", FormVariant::D},      {"PacketSpotfrm", FormVariant::D},
        {"CWFrm", FormVariant::E},           {"PhoneFrm", FormVariant::E},
        {"GraphQSO", FormVariant::E},        {"RigControlfrm", FormVariant::E},
        {"frmCodePractice", FormVariant::E}, {"frmBandPlan", FormVariant::F},
        {"frmWinKey", FormVariant::G},
    };
    for (const auto& row : table) {
        if (windowName == QLatin1String(row.name))
            return row.variant;
    }
    return std::nullopt;
}

} // namespace velm
