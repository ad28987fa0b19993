#include "rig/ui/RigWindows.h"

#include "platform/Prompts.h"
#include "rig/Rig.h"
#include "rig/ui/RigControlfrm.h"

#include <QAction>

namespace velm {

RigWindows::RigWindows(Rig& rig, Prompts& prompts, RigMenuItems items, QWidget* parent)
    : QObject(parent), m_rig(rig), m_prompts(prompts), m_items(std::move(items)), m_parent(parent),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    connect(&m_rig, &Rig::failure, this, &RigWindows::rigFailed);
    if (m_items.rigInterface) {
        m_items.rigInterface->setEnabled(true);
        connect(m_items.rigInterface, &QAction::triggered, this, &RigWindows::showRigInterface);
    }
}

RigControlfrm& RigWindows::rigControl()
{
    if (!m_window) {
        // A window of its own (not a child drawn inside the main window), kept for the whole run.
        m_window = new RigControlfrm(m_rig, m_prompts, m_parent);
        m_window->setWindowFlag(Qt::Window);
    }
    return *m_window;
}

void RigWindows::showRigInterface()
{
    RigControlfrm& window = rigControl();
    window.show();
    window.raise();
    window.activateWindow();
}

void RigWindows::windowRequested(WindowShortcut window)
{
    if (window == WindowShortcut::RigInterface)
        showRigInterface();
}

void RigWindows::rigFailed(const RigFailure& failure)
{
    if (failure.kind == RigFailure::Kind::PortLost) {
        if (m_items.showMessage)
            m_items.showMessage(failure.text);
        return;
    }
    m_prompts.beep();
    m_prompts.detailedMessage(failure.text, failure.details, Rig::InvalidCommTitle, MessageIcon::Information);
    // At start-up the window is not open yet: it comes up so that the operator can choose another port.
    RigControlfrm& window = rigControl();
    if (!window.isVisible())
        m_runModal(window);
}

RigWindows* connectRigMenus(const RigMenuItems& items, Rig& rig, Prompts& prompts, QWidget* parent)
{
    return new RigWindows(rig, prompts, items, parent);
}

} // namespace velm
