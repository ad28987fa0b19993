#pragma once
// Responsibilities: paints a computed rate graph: reference lines, the blue rate curve, the band strip and
// the rate and time labels, from the design units to the widget's size in one transform.

#include "views/RateGraph.h"

#include <QColor>
#include <QWidget>

namespace velm {

class RatePlot : public QWidget {
    Q_OBJECT
public:
    explicit RatePlot(QWidget* parent = nullptr);

    void setGraph(const RateGraph& graph);
    // Black background with white lines and labels, or white with black.
    void setBlackBackground(bool black);
    bool blackBackground() const { return m_black; }
    QColor background() const;
    QColor foreground() const;

    QSize sizeHint() const override { return {640, 440}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RateGraph m_graph;
    RateGraphShape m_shape;
    bool m_black = true;
};

} // namespace velm
