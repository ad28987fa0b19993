#pragma once
// Responsibilities: the rig subsystem's windows as the main window's menus and shortcuts reach them: the rig
// window made on first use and kept, "&Rig Interface" and Ctrl+R, the tune window (Ctrl+G) and the command
// test window made for each opening, and the rig's failures shown where the
// operator looks (the "Invalid Comm Settings." box, then the rig window modally when it was hidden; a lost
// port on the main window's message line).

#include "log/KeyRouter.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class QWidget;

namespace velm {

class Prompts;
class Rig;
class RigControlfrm;
struct RigFailure;

struct RigMenuItems {
    QAction* rigInterface; // "&Rig Interface"
    // Writes a line on the main window's message line.
    std::function<void(const QString&)> showMessage;
    QAction* rigTune = nullptr; // "Rig &Tune": the tune window, as Ctrl+G
};

class RigWindows final : public QObject {
    Q_OBJECT
public:
    RigWindows(Rig& rig, Prompts& prompts, RigMenuItems items, QWidget* parent);

    // The rig window, made (and its settings read) on first use.
    RigControlfrm& rigControl();
    void showRigInterface();
    // The tune window, made anew and shown modally each time.
    void showRigTune();
    // The command test window, modally over the rig window ("Change Frequency" while polling).
    void showFrequencyTest();
    void windowRequested(velm::WindowShortcut window);
    // How modal windows run; tests answer without a nested event loop.
    void setModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }

private:
    void rigFailed(const RigFailure& failure);

    Rig& m_rig;
    Prompts& m_prompts;
    RigMenuItems m_items;
    QWidget* m_parent;
    RigControlfrm* m_window = nullptr;
    std::function<int(QDialog&)> m_runModal;
};

// Enables the rig menu item and connects it; the returned object lives as long as parent.
RigWindows* connectRigMenus(const RigMenuItems& items, Rig& rig, Prompts& prompts, QWidget* parent);

} // namespace velm
