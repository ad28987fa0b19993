#include "rig/ui/RigWindows.h"

#include "platform/Prompts.h"
#include "rig/Rig.h"
#include "rig/ui/RigControlfrm.h"
#include "rig/ui/frmFrequencyTest.h"
#include "rig/ui/frmRigTune.h"

#include <QAction>
#include <QPointer>

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
    if (m_items.rigTune) {
        m_items.rigTune->setEnabled(true);
        connect(m_items.rigTune, &QAction::triggered, this, &RigWindows::showRigTune);
    }
}

RigControlfrm& RigWindows::rigControl()
{
    if (!m_window) {
        // A window of its own (not a child drawn inside the main window), kept for the whole run.
        m_window = new RigControlfrm(m_rig, m_prompts, m_parent);
        m_window->setWindowFlag(Qt::Window);
        connect(m_window, &RigControlfrm::frequencyTestRequested, this, &RigWindows::showFrequencyTest);
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

void RigWindows::showRigTune()
{
    // The band plan's mode comes with every change: the table is read with the rig settings.
    m_rig.LoadRigSettings();
    const QPointer<frmRigTune> window = new frmRigTune(m_rig, m_parent);
    m_runModal(*window);
    // Hidden by "&Done" (or closed, its deletion still pending): made anew the next time.
    delete window.data();
}

void RigWindows::showFrequencyTest()
{
    QWidget* over = m_window ? static_cast<QWidget*>(m_window) : m_parent;
    const QPointer<frmFrequencyTest> window = new frmFrequencyTest(m_rig, over);
    m_runModal(*window);
    delete window.data();
}

void RigWindows::windowRequested(WindowShortcut window)
{
    if (window == WindowShortcut::RigInterface)
        showRigInterface();
    if (window == WindowShortcut::RigTune)
        showRigTune();
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
