#pragma once
// Responsibilities: the privileges window as the main window reaches it: "&Privileges" and Ctrl+F open it
// modally, sized to the desktop's work area, and it is deleted when it closes, so each opening reads
// BandPlan.txt anew.

#include "log/KeyRouter.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class QWidget;

namespace velm {

class Prompts;

class BandPlanMenu final : public QObject {
    Q_OBJECT
public:
    // Enables the menu item and connects it; lives as long as parent.
    BandPlanMenu(QAction* privileges, QString programFolder, Prompts& prompts, QWidget* parent);

    void showBandPlan();
    void windowRequested(velm::WindowShortcut window);
    void setModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }

private:
    QString m_folder;
    Prompts& m_prompts;
    QWidget* m_parent;
    std::function<int(QDialog&)> m_runModal;
};

} // namespace velm
