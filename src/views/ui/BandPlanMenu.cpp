#include "views/ui/BandPlanMenu.h"

#include "views/ui/frmBandPlan.h"

#include <QAction>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace velm {

BandPlanMenu::BandPlanMenu(QAction* privileges, QString programFolder, Prompts& prompts, QWidget* parent)
    : QObject(parent), m_folder(std::move(programFolder)), m_prompts(prompts), m_parent(parent),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    if (privileges) {
        privileges->setEnabled(true);
        connect(privileges, &QAction::triggered, this, &BandPlanMenu::showBandPlan);
    }
}

void BandPlanMenu::showBandPlan()
{
    QScreen* screen = m_parent && m_parent->screen() ? m_parent->screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QPointer<frmBandPlan> window = new frmBandPlan(m_folder, m_prompts, workArea, m_parent);
    m_runModal(*window);
    delete window.data();
}

void BandPlanMenu::windowRequested(WindowShortcut window)
{
    if (window == WindowShortcut::BandPlan)
        showBandPlan();
}

} // namespace velm
