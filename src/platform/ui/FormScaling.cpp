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
    // Never below the smallest readable font, unless the desktop's own font is smaller still.
    const double smallest =
        std::min(pointSize(QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont)),
                 pointSize(QApplication::font()));
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
    scaleFonts(window, ownFonts, fit.windowFont, fit.controlFont);
    // A layout that needs more than the window gets: the largest share of the factors that still fits.
    if (fit.scaled && !fits(window, fit.window.size())) {
        double fitting = 0;
        double tooLarge = 1;
        for (int step = 0; step < 8; ++step) {
            const double share = (fitting + tooLarge) / 2;
            scaleFonts(window, ownFonts, fit.windowFont * share, fit.controlFont * share);
            (fits(window, fit.window.size()) ? fitting : tooLarge) = share;
        }
        scaleFonts(window, ownFonts, fit.windowFont * fitting, fit.controlFont * fitting);
    }
    QSize size = fit.window.size();
    if (fit.coversArea && window.isWindow()) {
        // The frame the window system adds stays inside the area.
        const QSize frame = window.frameGeometry().size() - window.geometry().size();
        size = (size - frame).expandedTo(QSize(1, 1));
    }
    window.resize(size);
    if (fit.scaled)
        window.move(fit.window.topLeft());
}

bool applyFormScaling(QWidget& window, FormVariant variant, Prompts* prompts)
{
    const QSizeF design = designUnitsOf(window);
    if (design.isEmpty()) {
        if (prompts)
            prompts->message(
                QStringLiteral("The window %1 has no size to scale from.").arg(window.objectName()),
                QStringLiteral("Form Resize Error"));
        return false;
    }
    applyFormFit(window, scaleFormVariant(variant, design, screenAreasOf(window)));
    return true;
}

} // namespace velm
