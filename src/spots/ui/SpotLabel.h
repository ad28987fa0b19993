#pragma once
// Responsibilities: the labels of the band map and the spectrum map: a spot label (caption, tooltip that is
// also its accessible name, age colour) reporting hover and clicks by its slot, and the navy background
// that reports clicks and double clicks. The font and colours they share.

#include "spots/SpotMapPlan.h"

#include <QLabel>

class QSize;

namespace velm {

class SpotLabel final : public QLabel {
    Q_OBJECT
public:
    // index: the store slot the label shows, or -1 for a background.
    SpotLabel(int index, QWidget* parent);
    int index() const { return m_index; }
    void showSpot(const PlacedSpot& spot);

Q_SIGNALS:
    void hovered(int index, const QString& tooltip);
    void pressed(int index, Qt::MouseButton button);
    void doubleClicked(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_index;
};

// White text in the small serif face of the maps, sized for the window.
QFont spotLabelFont(const QSize& window);
// The width a spot label is designed with (a long prefix, or a scale text): the band map's line stops half
// of it short of each end, so that labels at the ends stay inside.
int designSpotLabelWidth(const QFont& font);
// A navy panel (band map background, spectrum strip) or white text on it.
void paintNavy(QWidget* widget);
void paintText(QWidget* widget, SpotRgb colour);

} // namespace velm
