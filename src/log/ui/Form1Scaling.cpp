// The main window's size: the share of the screen it covers, the fit to the work area, and the menu items
// that set them.

#include "log/ui/Form1.h"

#include "platform/Prompts.h"
#include "platform/ui/FormScaling.h"
#include "views/ModFormResize.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace velm {

namespace {

const QString kFormSizePrompt =
    QStringLiteral("Enter the % of the screen you would like the form to cover.  Try "
                   "between 90 and 100 for best results.  Values below 75 do not "
                   "display well.");
const QString kFormSizeTitle = QStringLiteral("Please enter screen percentage.");
const QString kRestartText =
    QStringLiteral("This program must be closed and restarted for this setting to take effect.");
const QString kRestartTitle = QStringLiteral("For this setting to take effect please restart this program.");
const QString kNumericText = QStringLiteral("Please enter only numeric values.");
const QString kNumericTitle = QStringLiteral("Numeric Values Required");
const QString kTaskbarText =
    QStringLiteral("The form size must be set to 100% to use the taskbar display option.");
const QString kTaskbarTitle = QStringLiteral("Please set your form size to 100% to use this option.");

} // namespace

void Form1::fitMainWindow()
{
    const ProgramPreferences& prefs = m_session.preferences();
    applyFormFit(*this, mainWindowFit(QSizeF(formsize::DesignWidth, formsize::DesignHeight),
                                      screenAreasOf(*this), prefs.FormSizePercent, prefs.TaskbarMode != 0));
    if (mnuTaskbar)
        mnuTaskbar->setChecked(prefs.TaskbarMode != 0);
}

// Moved to another screen, or the screen changed size or panels: the 100 % fit is made again. A smaller
// form size keeps its place until the next start, as a changed form size does.
void Form1::followScreenChanges()
{
    const auto refit = [this] {
        if (clampFormSizePercent(m_session.preferences().FormSizePercent) == formsize::MaxPercent)
            fitMainWindow();
    };
    const auto watch = [this, refit](QScreen* screen) {
        if (!screen)
            return;
        connect(screen, &QScreen::geometryChanged, this, refit, Qt::UniqueConnection);
        connect(screen, &QScreen::availableGeometryChanged, this, refit, Qt::UniqueConnection);
    };
    winId(); // the native window exists, so its screen changes can be followed
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, [watch, refit](QScreen* screen) {
            watch(screen);
            refit();
        });
        watch(window->screen());
    }
}

void Form1::mnuFormSize_Click()
{
    const int current = clampFormSizePercent(m_session.preferences().FormSizePercent);
    const FormSizeAnswer answer = readFormSizeAnswer(
        m_services.prompts.input(kFormSizePrompt, kFormSizeTitle, QString::number(current)));
    switch (answer.kind) {
    case FormSizeAnswer::Cancelled:
        return;
    case FormSizeAnswer::NotNumeric:
        m_services.prompts.message(kNumericText, kNumericTitle);
        return;
    case FormSizeAnswer::Percent:
        m_session.setFormSizePercent(answer.percent);
        m_services.prompts.message(kRestartText, kRestartTitle);
        return;
    }
}

void Form1::mnuTaskbar_Click()
{
    const ProgramPreferences& prefs = m_session.preferences();
    if (clampFormSizePercent(prefs.FormSizePercent) < formsize::MaxPercent) {
        mnuTaskbar->setChecked(prefs.TaskbarMode != 0);
        m_services.prompts.message(kTaskbarText, kTaskbarTitle);
        return;
    }
    m_session.setTaskbarMode(prefs.TaskbarMode == 0);
    fitMainWindow();
}

} // namespace velm
