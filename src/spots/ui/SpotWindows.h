#pragma once
// Responsibilities: the spotting windows as the main window reaches them: the spotting window made on first
// request (which loads its settings and opens the saved source), and the "&DX Spotting" → "&Configure" item.

#include <QObject>

class QAction;
class QWidget;

namespace velm {

class PacketSpotfrm;
class SpotConnection;

class SpotWindows final : public QObject {
    Q_OBJECT
public:
    // parent: the main window, over which the spotting window opens.
    SpotWindows(SpotConnection& spots, QWidget* parent);

    // "&Configure", Ctrl+D, a click on the band map: the window, made and loaded the first time.
    void showPacketSpotfrm();
    // The window when it has been made, else nullptr.
    PacketSpotfrm* packetSpotfrm() const { return m_window; }

    // Enables "&Configure" and opens the window from it.
    void connectConfigure(QAction* mnuSpotConfigure);

private:
    PacketSpotfrm* window();

    SpotConnection& m_spots;
    QWidget* m_parent;
    PacketSpotfrm* m_window = nullptr;
};

} // namespace velm
