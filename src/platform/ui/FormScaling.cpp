#include "platform/ui/FormScaling.h"

#include "platform/Prompts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLayout>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace velm {

namespace {

const char* const kDesignSize = "velmDesignSize";
const char* const kDesignFont = "velmDesignFont";

double pointSize(const QFont& font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : QApplication::font().pointSizeF();
}

// The font a widget was designed with, recorded the first time it is scaled.
QFont designFont(QWidget& widget)
{
    const QVariant recorded = widget.property(kDesignFont);
    if (recorded.isValid())
        return recorded.value<QFont>();
    widget.setProperty(kDesignFont, widget.font());
    return widget.font();
}

void scaleFont(QWidget& widget, const QFont& design, double factor, double smallest)
{
    QFont font = design;
    font.setPointSizeF(std::max(pointSize(design) * factor, smallest));
    if (widget.font() != font)
        widget.setFont(font);
}

void scaleFonts(QWidget& window, const QList<QWidget*>& ownFonts, double windowFactor, double controlFactor)
{
    const double smallest = pointSize(QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont));
    scaleFont(window, designFont(window), windowFactor, smallest);
    for (QWidget* child : ownFonts)
        scaleFont(*child, designFont(*child), controlFactor, smallest);
}

bool fits(const QWidget& window, QSize size)
{
    const QSize needed = window.layout() ? window.layout()->totalMinimumSize() : window.minimumSizeHint();
    return needed.width() <= size.width() && needed.height() <= size.height();
}

} // namespace

ScreenAreas screenAreasOf(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {screen->geometry(), screen->availableGeometry()};
}

QSizeF designUnitsOf(QWidget& window)
{
    QVariant recorded = window.property(kDesignSize);
    if (!recorded.isValid()) {
        const QSize size = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
        recorded = QSizeF(size) * formsize::UnitsPerPixel;
        window.setProperty(kDesignSize, recorded);
    }
    return recorded.toSizeF();
}

void applyFormFit(QWidget& window, const FormFit& fit)
{
    // The controls that set a font of their own, found before the window's own font is set.
    QList<QWidget*> ownFonts;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->isWindow())
            continue;
        if (child->property(kDesignFont).isValid() || child->testAttribute(Qt::WA_SetFont))
            ownFonts << child;
    }
    designFont(window);
    double windowFactor = fit.windowFont;
    double controlFactor = fit.controlFont;
    scaleFonts(window, ownFonts, windowFactor, controlFactor);
    // The largest factor whose layout still fits the window's size.
    for (int step = 0; step < 20 && fit.scaled && !fits(window, fit.window.size()); ++step) {
        windowFactor *= 0.95;
        controlFactor *= 0.95;
        scaleFonts(window, ownFonts, windowFactor, controlFactor);
    }
    window.resize(fit.window.size());
    if (fit.scaled)
        window.move(fit.window.topLeft());
}

bool applyFormScaling(QWidget& window, FormVariant variant, Prompts* prompts)
{
    const QSizeF design = designUnitsOf(window);
    if (design.isEmpty()) {
        if (prompts)
            prompts->message(QStringLiteral("The window %1 has no size to scale from.").arg(window.objectName()),
                             QStringLiteral("Form Resize Error"));
        return false;
    }
    applyFormFit(window, scaleFormVariant(variant, design, screenAreasOf(window)));
    return true;
}

} // namespace velm
