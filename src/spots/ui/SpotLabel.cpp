#include "spots/ui/SpotLabel.h"

#include "spots/SpotMapGeometry.h"

#include <QMouseEvent>

#include <algorithm>

namespace velm {

namespace {
QColor toColor(SpotRgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}
} // namespace

SpotLabel::SpotLabel(int index, QWidget* parent) : QLabel(parent), m_index(index)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setTextInteractionFlags(Qt::NoTextInteraction);
    hide();
}

void SpotLabel::showSpot(const PlacedSpot& spot)
{
    setText(spot.caption);
    setToolTip(spot.tooltip);
    setAccessibleName(spot.tooltip);
    paintText(this, spotAgeColour(spot.age));
    adjustSize();
}

void SpotLabel::mouseMoveEvent(QMouseEvent* event)
{
    // Taken here: the main window empties its possible-duplicates line on moves that reach its background.
    event->accept();
    Q_EMIT hovered(m_index, toolTip());
}

void SpotLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT pressed(m_index, event->button());
}

void SpotLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT doubleClicked(m_index);
}

QFont spotLabelFont(const QSize& window)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(spotFontPoints(window));
    return font;
}

int designSpotLabelWidth(const QFont& font)
{
    const QFontMetrics metrics(font);
    return std::max(metrics.horizontalAdvance(QStringLiteral("WWWW")),
                    metrics.horizontalAdvance(QStringLiteral("000.000"))) +
           4;
}

void paintNavy(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toColor(kSpotBackground));
    palette.setColor(QPalette::Base, toColor(kSpotBackground));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintText(QWidget* widget, SpotRgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toColor(colour));
    widget->setPalette(palette);
}

} // namespace velm
