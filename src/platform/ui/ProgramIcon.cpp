#include "platform/ui/ProgramIcon.h"

#include <QApplication>

namespace velm {

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/velmlog/icons/velmlog-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/velmlog/icons/velmlog-128.png"), QSize(128, 128));
    return icon;
}

void applyProgramIcon()
{
    QApplication::setWindowIcon(programIcon());
}

} // namespace velm
