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
    m_area = new SpotArea({context.store, context.spots, context.session, context.clock, m_tuning}, mainWindow);
    connect(&context.store, &SpotStore::spotStored, m_area, &SpotArea::insertSpot);
    connect(&context.store, &SpotStore::spotStored, &m_redraw, &SpotRedraw::request);
    connect(&context.store, &SpotStore::spotRemoved, &m_redraw, &SpotRedraw::request);
    connect(&context.spots, &SpotConnection::bandMapRedrawDue, &m_redraw, &SpotRedraw::request);
    connect(&context.spots, &SpotConnection::PacketResize, m_area, &SpotArea::PacketResize);
    connect(&context.session, &ContestSession::changed, &m_redraw, [this](SessionChanges what) {
        if (what & SessionChange::BandMode)
            m_redraw.request();
    });
    connect(m_area, &SpotArea::activated, m_area, &SpotArea::DisplayBandMapLabels);
    connect(&m_redraw, &SpotRedraw::due, this, &SpotViews::redraw);
    connect(m_area, &SpotArea::hovered, this, &SpotViews::hovered);
    connect(m_area, &SpotArea::callFieldWanted, this, &SpotViews::callFieldWanted);
    connect(m_area, &SpotArea::configureWanted, this, &SpotViews::configureWanted);
    connect(m_area, &SpotArea::spectrumMapWanted, this, &SpotViews::showSpectrumMap, Qt::QueuedConnection);
}

SpotViews::~SpotViews() = default;

SpectrumMap* SpotViews::spectrumMap() const
{
    return m_map.data();
}

void SpotViews::redraw()
{
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
