#pragma once
// Responsibilities: the spectrum map " HF Spectrum Map": eleven band strips (lblHFSpots, lineHF, five scale
// labels lblFreqSpot each) over the desktop work area and the spot labels lblDXSpot placed on them
// (BandMapLabelDisplay); mouse and keyboard: tune and close, remove, move among the spots, Esc.

#include "spots/SpotMapPlan.h"

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;

namespace velm {

class Clock;
class ContestSession;
class SpotLabel;
class SpotStore;
class SpotTuning;

class SpectrumMap final : public QDialog {
    Q_OBJECT
public:
    SpectrumMap(SpotStore& store, const ContestSession& session, const Clock& clock, SpotTuning& tuning,
                QWidget* parent = nullptr);

    QList<QLabel*> lblHFSpots;   // 0 to 10
    QList<QFrame*> lineHF;       // 0 to 10
    QList<QLabel*> lblFreqSpot;  // 0 to 54: 5b to 5b + 4 on band b
    QList<SpotLabel*> lblDXSpot; // 0 to 49, label 49 on top

    // Rebuilds the eleven scales and places the spot labels.
    void BandMapLabelDisplay();
    // A spot was tuned: the main window's call field takes the focus.
    bool tuned() const { return m_tuned; }
    // The slot the keyboard selection is on, or -1.
    int selectedSlot() const { return m_selected; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutStrips();
    void spotPressed(int slot, Qt::MouseButton button);
    void tune(int slot);
    void select(int slot);
    void moveSelection(int key);

    SpotStore& m_store;
    const ContestSession& m_session;
    const Clock& m_clock;
    SpotTuning& m_tuning;
    SpectrumPlan m_plan;
    int m_selected = -1;
    bool m_tuned = false;
    bool m_busy = false;
};

} // namespace velm
