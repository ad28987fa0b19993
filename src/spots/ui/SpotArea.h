#pragma once
// Responsibilities: the main window's spot area, a bottom row of its layout: the spot list txtDX or the band
// map of the current band (background lblDX, line LineDX, scale labels lblFreqSpot, spot labels lblDXSpot),
// opened and switched by PacketResize; its mouse actions go to SpotTuning. It never takes the focus.

#include <QList>
#include <QTreeWidget>
#include <QWidget>

class QFrame;
class QLabel;

namespace velm {

class ContestSession;
class SpotConnection;
class SpotLabel;
class SpotStore;
class SpotTuning;
class Clock;
struct DxSpot;

// The spot list: a click reports the row under the mouse (nullptr over empty space).
class SpotListView final : public QTreeWidget {
    Q_OBJECT
public:
    explicit SpotListView(QWidget* parent);

Q_SIGNALS:
    void rowClicked(QTreeWidgetItem* row);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

struct SpotAreaContext {
    SpotStore& store;
    SpotConnection& spots;
    ContestSession& session;
    const Clock& clock;
    SpotTuning& tuning;
};

class SpotArea final : public QWidget {
    Q_OBJECT
public:
    SpotArea(SpotAreaContext context, QWidget* parent = nullptr);

    SpotListView* txtDX = nullptr;
    SpotLabel* lblDX = nullptr;
    QFrame* LineDX = nullptr;
    QList<QLabel*> lblFreqSpot;  // 0 to 4
    QList<SpotLabel*> lblDXSpot; // 0 to 49, label i for store slot i

    bool isOpen() const { return m_open; }
    bool listShown() const { return m_open && m_list; }
    bool bandMapShown() const { return m_open && !m_list; }

    // The spotting window's "&Done": switch between list and band map, open the area for a chosen source,
    // close it for "None".
    void PacketResize();
    // Rebuilds the scale and places the spot labels while the band map is shown.
    void DisplayBandMapLabels();
    // The last step of storing a spot: a new row at the top, at most 200 rows.
    void insertSpot(const DxSpot& spot);

    QSize sizeHint() const override;

Q_SIGNALS:
    void hovered(const QString& tooltip);
    void callFieldWanted();
    void configureWanted();
    void spectrumMapWanted();
    // The main window was activated: the views redraw.
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showView();
    void layoutArea();
    void spotPressed(int slot, Qt::MouseButton button);
    void rowClicked(QTreeWidgetItem* row);
    QSize windowSize() const;

    SpotAreaContext m_context;
    bool m_open = false;
    bool m_list = true;
    bool m_busy = false;
};

} // namespace velm
