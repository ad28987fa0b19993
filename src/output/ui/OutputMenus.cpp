#include "output/ui/OutputMenus.h"

#include "output/ui/ExportActions.h"
#include "output/ui/Form2.h"

#include <QAction>

namespace velm {

void connectOutputMenus(const OutputMenuItems& items, const ContestSession& session,
                        const ShownContacts& list, const QString& programTitle, const Services& services,
                        SharedPreferences& shared, QWidget* parent)
{
    for (QAction* item : {items.writeSummary, items.adif, items.kestrone, items.clipboard})
        item->setEnabled(true);
    QObject::connect(items.writeSummary, &QAction::triggered, parent,
                     [&session, programTitle, services, &shared, parent] {
                         Form2::open(session, programTitle, services, shared, parent);
                     });
    QObject::connect(items.adif, &QAction::triggered, parent,
                     [&session, programTitle, services] { ExportAdif(session, programTitle, services); });
    QObject::connect(items.kestrone, &QAction::triggered, parent,
                     [&session, services] { ExportForKestrone(session, services); });
    QObject::connect(items.clipboard, &QAction::triggered, parent, [&list] { CopyListToClipboard(list); });
}

} // namespace velm
