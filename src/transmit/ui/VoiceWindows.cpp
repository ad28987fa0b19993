#include "transmit/ui/VoiceWindows.h"

#include "transmit/PhoneKeyer.h"
#include "transmit/ui/BlindFrm.h"
#include "transmit/ui/PhoneFrm.h"

#include <QAction>

namespace velm {

VoiceWindows::VoiceWindows(PhoneKeyer& keyer, VoiceNavigation& navigation, Prompts& prompts,
                           const SerialPortCatalog& catalog, QWidget* mainWindow,
                           std::function<void()> backToMainWindow)
    : QObject(mainWindow), m_phone(new PhoneFrm(keyer, prompts, catalog, mainWindow)),
      m_blind(new BlindFrm(navigation, mainWindow))
{
    m_phone->setWindowFlag(Qt::Window);
    m_blind->setWindowFlag(Qt::Window);
    connect(&keyer, &PhoneKeyer::setupWindowWanted, m_phone, [this] {
        if (!m_phone->isVisible())
            m_phone->showNormalRaised();
    });
    for (QDialog* window : {static_cast<QDialog*>(m_phone), static_cast<QDialog*>(m_blind)})
        connect(window, &QDialog::rejected, this, backToMainWindow); // Escape or the close box
    connect(m_phone, &PhoneFrm::done, this, backToMainWindow);
    connect(m_blind, &BlindFrm::done, this, backToMainWindow);
}

void VoiceWindows::connectMenus(const VoiceMenuItems& items)
{
    items.voiceKeyer->setEnabled(true);
    connect(items.voiceKeyer, &QAction::triggered, m_phone, &PhoneFrm::showNormalRaised);
    items.blind->setEnabled(true);
    connect(items.blind, &QAction::triggered, m_blind, &BlindFrm::showNormalRaised);
}

void VoiceWindows::windowRequested(WindowShortcut window)
{
    if (window == WindowShortcut::VoiceKeyer)
        m_phone->showNormalRaised();
}

} // namespace velm
