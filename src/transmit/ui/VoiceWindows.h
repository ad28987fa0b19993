#pragma once
// Responsibilities: the voice windows as main wires them: the voice keyer window and the voice navigation
// window made at start-up and kept hidden, the menu items that show them, Ctrl+P, and the voice keyer's
// "Invalid port." showing its window.

#include "log/KeyRouter.h"

#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace velm {

class BlindFrm;
class PhoneFrm;
class PhoneKeyer;
class Prompts;
class SerialPortCatalog;
class VoiceNavigation;

struct VoiceMenuItems {
    QAction* voiceKeyer; // "&Voice Keyer"
    QAction* blind;      // "&Voice Navigation"
};

class VoiceWindows final : public QObject {
    Q_OBJECT
public:
    // backToMainWindow: a window's "Done" hands the focus back to the call field.
    VoiceWindows(PhoneKeyer& keyer, VoiceNavigation& navigation, Prompts& prompts,
                 const SerialPortCatalog& catalog, QWidget* mainWindow, std::function<void()> backToMainWindow);

    void connectMenus(const VoiceMenuItems& items);
    // The main window's Ctrl shortcuts: Ctrl+P shows the voice keyer window.
    void windowRequested(velm::WindowShortcut window);

    PhoneFrm* phoneWindow() const { return m_phone; }
    BlindFrm* blindWindow() const { return m_blind; }

private:
    PhoneFrm* m_phone;
    BlindFrm* m_blind;
};

} // namespace velm
