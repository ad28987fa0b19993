#pragma once
// Responsibilities: the spot views as main wires them: the main window's spot area and the spectrum map
// (made on request, run modally, destroyed after its loop returns), both redrawn at most once per
// event-loop pass after stored and removed spots, the idle timer, band changes and activation.

#include "spots/SpotTuning.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QDialog;
class QWidget;

namespace velm {

class Clock;
class ContestSession;
class EntryRowPort;
class RigPort;
class SpectrumMap;
class SpotArea;
class SpotConnection;
class SpotStore;

struct SpotViewsContext {
    SpotStore& store;
    SpotConnection& spots;
    ContestSession& session;
    const Clock& clock;
    RigPort& rig;
    EntryRowPort& entryRow;
};

class SpotViews final : public QObject {
    Q_OBJECT
public:
    // mainWindow: the window whose layout takes the area (through its own hook) and over which the map opens.
    SpotViews(SpotViewsContext context, QWidget* mainWindow);
    ~SpotViews() override;

    SpotArea* area() const;
    // The open spectrum map, or nullptr.
    SpectrumMap* spectrumMap() const;
    // "&View Spectrum Map", Ctrl+B, a double click on the band map or the list: shown modally.
    void showSpectrumMap();
    void connectSpectrumMap(QAction* mnuSpectrumMap);

Q_SIGNALS:
    void hovered(const QString& tooltip);
    void callFieldWanted();
    void configureWanted();

private:
    void redraw();

    SpotViewsContext m_context;
    QWidget* m_mainWindow;
    SpotTuning m_tuning;
    SpotRedraw m_redraw;
    QPointer<SpotArea> m_area; // in the main window's layout, gone with these views
    QPointer<SpectrumMap> m_map;
};

} // namespace velm
