#include "spots/ui/SpotWindows.h"

#include "spots/SpotConnection.h"
#include "spots/ui/PacketSpotfrm.h"

#include <QAction>
#include <QLineEdit>

namespace velm {

SpotWindows::SpotWindows(SpotConnection& spots, QWidget* parent)
    : QObject(parent), m_spots(spots), m_parent(parent)
{
}

PacketSpotfrm* SpotWindows::window()
{
    if (!m_window) {
        m_window = new PacketSpotfrm(m_spots, m_parent);
        if (!m_spots.loaded())
            m_spots.LoadSpotSettings();
    }
    return m_window;
}

void SpotWindows::showPacketSpotfrm()
{
    PacketSpotfrm* shown = window();
    shown->showInFront();
    shown->txtSent->setFocus();
}

void SpotWindows::connectConfigure(QAction* mnuSpotConfigure)
{
    mnuSpotConfigure->setEnabled(true);
    connect(mnuSpotConfigure, &QAction::triggered, this, &SpotWindows::showPacketSpotfrm);
}

} // namespace velm
