#include "spots/ui/SpotViews.h"

#include "log/ContestSession.h"
#include "spots/SpotConnection.h"
#include "spots/SpotStore.h"
#include "spots/ui/SpectrumMap.h"
#include "spots/ui/SpotArea.h"

#include <QAction>

namespace velm {

SpotViews::SpotViews(SpotViewsContext context, QWidget* mainWindow)
    : QObject(mainWindow), m_context(context), m_mainWindow(mainWindow),
      m_tuning(context.store, context.rig, context.entryRow), m_redraw(this)
{
    m_area =
        new SpotArea({context.store, context.spots, context.session, context.clock, m_tuning}, mainWindow);
    SpotArea* area = m_area;
    connect(&context.store, &SpotStore::spotStored, area, &SpotArea::insertSpot);
    connect(&context.store, &SpotStore::spotStored, &m_redraw, &SpotRedraw::request);
    connect(&context.store, &SpotStore::spotRemoved, &m_redraw, &SpotRedraw::request);
    connect(&context.spots, &SpotConnection::bandMapRedrawDue, &m_redraw, &SpotRedraw::request);
    connect(&context.spots, &SpotConnection::PacketResize, area, &SpotArea::PacketResize);
    connect(&context.session, &ContestSession::changed, &m_redraw, [this](SessionChanges what) {
        if (what & SessionChange::BandMode)
            m_redraw.request();
    });
    connect(area, &SpotArea::activated, area, &SpotArea::DisplayBandMapLabels);
    connect(&m_redraw, &SpotRedraw::due, this, &SpotViews::redraw);
    connect(area, &SpotArea::hovered, this, &SpotViews::hovered);
    connect(area, &SpotArea::callFieldWanted, this, &SpotViews::callFieldWanted);
    connect(area, &SpotArea::configureWanted, this, &SpotViews::configureWanted);
    connect(area, &SpotArea::spectrumMapWanted, this, &SpotViews::showSpectrumMap, Qt::QueuedConnection);
}

SpotViews::~SpotViews()
{
    delete m_area.data(); // it reaches the tuning these views own
}

SpotArea* SpotViews::area() const
{
    return m_area.data();
}

SpectrumMap* SpotViews::spectrumMap() const
{
    return m_map.data();
}

void SpotViews::redraw()
{
    if (m_area)
        m_area->DisplayBandMapLabels();
    if (m_map)
        m_map->BandMapLabelDisplay();
}

void SpotViews::showSpectrumMap()
{
    if (m_map)
        return; // one at a time
    int result = 0;
    bool tuned = false;
    {
        SpectrumMap map(m_context.store, m_context.session, m_context.clock, m_tuning, m_mainWindow);
        m_map = &map;
        result = map.exec();
        tuned = map.tuned();
    } // destroyed here, after its loop has returned
    Q_UNUSED(result);
    if (tuned) {
        m_mainWindow->activateWindow();
        Q_EMIT callFieldWanted();
    }
}

void SpotViews::connectSpectrumMap(QAction* mnuSpectrumMap)
{
    mnuSpectrumMap->setEnabled(true);
    connect(mnuSpectrumMap, &QAction::triggered, this, &SpotViews::showSpectrumMap);
}

} // namespace velm
