#include "views/ui/RatePlot.h"

#include <QPainter>
#include <QTransform>

namespace velm {

using namespace rategraph;

RatePlot::RatePlot(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RatePlot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    setMinimumSize(320, 220);
    m_shape = rateGraphShape(m_graph);
}

void RatePlot::setGraph(const RateGraph& graph)
{
    m_graph = graph;
    m_shape = rateGraphShape(m_graph);
    update();
}

void RatePlot::setBlackBackground(bool black)
{
    m_black = black;
    update();
}

QColor RatePlot::background() const
{
    return m_black ? Qt::black : Qt::white;
}

QColor RatePlot::foreground() const
{
    return m_black ? Qt::white : Qt::black;
}

void RatePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background());
    const QTransform toWidget = QTransform::fromScale(width() / DesignWidth, height() / DesignHeight);
    painter.setTransform(toWidget);

    QPen pen(foreground());
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(QLineF(Left, Top, Left, Bottom));
    painter.drawLine(QLineF(Right, Top, Right, Bottom));
    painter.drawLine(QLineF(Left, Top, Right, Top));
    painter.drawLine(QLineF(Left, Bottom, Right, Bottom));
    painter.drawLine(QLineF(Left, Strip1, Right, Strip1));
    painter.drawLine(QLineF(Left, Strip2, Right, Strip2));

    painter.setBrush(Qt::NoBrush);
    const quint32 backgroundRgb = background().rgb() & 0xFFFFFF;
    for (const RateGraphShape::StripBox& box : m_shape.strip) {
        pen.setColor(QColor::fromRgb(box.band < 0 ? backgroundRgb : graphBandColour(box.band)));
        painter.setPen(pen);
        painter.drawRect(box.box);
    }
    pen.setColor(QColor::fromRgb(0x0000FF));
    painter.setPen(pen);
    painter.drawLines(m_shape.curve);

    // Text keeps the window's font: positions go through the transform, glyphs do not.
    painter.resetTransform();
    pen.setColor(foreground());
    painter.setPen(pen);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    for (int i = 0; i < int(m_graph.rateLabels.size()) && i < int(m_shape.rateLabelY.size()); ++i) {
        const QPointF at = toWidget.map(QPointF(0, m_shape.rateLabelY[i]));
        painter.drawText(QRectF(2, at.y(), toWidget.map(QPointF(Left, 0)).x() - 4, lineHeight),
                         Qt::AlignLeft | Qt::AlignTop, m_graph.rateLabels[i]);
    }
    const double labelTop = toWidget.map(QPointF(0, Strip2 + 40)).y();
    for (int i = 0; i < int(m_graph.timeLabels.size()) && i < int(m_shape.timeLabelX.size()); ++i) {
        const double x = toWidget.map(QPointF(m_shape.timeLabelX[i], 0)).x();
        const double half = metrics.horizontalAdvance(QStringLiteral("00:00")) / 2.0 + 1;
        painter.drawText(QRectF(x - half, labelTop, 2 * half, lineHeight), Qt::AlignCenter,
                         m_graph.timeLabels[i]);
        painter.drawText(QRectF(x - half, labelTop + lineHeight, 2 * half, lineHeight), Qt::AlignCenter,
                         m_graph.dateLabels[i]);
    }
}

} // namespace velm
