#include "output/ui/OutputMenus.h"

#include "log/ui/Form1.h"
#include "output/ui/ExportActions.h"
#include "output/ui/Form2.h"

#include <QAction>

namespace velm {

void connectOutputMenus(Form1& mainWindow, const Services& services, SharedPreferences& shared)
{
    for (QAction* item : {mainWindow.mnuWriteSumm, mainWindow.mnuADIF, mainWindow.mnuKestroneImport,
                          mainWindow.mnuCopyListtoClipboard})
        item->setEnabled(true);
    QObject::connect(mainWindow.mnuWriteSumm, &QAction::triggered, &mainWindow,
                     [&mainWindow, services, &shared] { Form2::open(mainWindow, services, shared); });
    QObject::connect(mainWindow.mnuADIF, &QAction::triggered, &mainWindow,
                     [&mainWindow, services] { ExportAdif(mainWindow, services); });
    QObject::connect(mainWindow.mnuKestroneImport, &QAction::triggered, &mainWindow,
                     [&mainWindow, services] { ExportForKestrone(mainWindow, services); });
    QObject::connect(mainWindow.mnuCopyListtoClipboard, &QAction::triggered, &mainWindow,
                     [&mainWindow] { CopyListToClipboard(mainWindow); });
}

} // namespace velm
