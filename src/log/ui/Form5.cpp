#include "log/ui/Form5.h"

#include "platform/ui/FormScaling.h"
#include "log/FileIo.h"
#include "log/WriteFormat.h"

#include <QPlainTextEdit>

namespace velm {

const QString Form5::Title = QStringLiteral("Help Page");

Form5::Form5(ProgramFolder programFolder, QWidget* parent)
    : TextPageWindow(QStringLiteral("Form5"), Title, Title, Font::Fixed, parent), txtHelp(m_page),
      m_programFolder(std::move(programFolder))
{
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    applyFormScaling(*this, FormVariant::B);
}

void Form5::reload()
{
    const QString path = m_programFolder.filePath(QStringLiteral("readqrp.txt"));
    QByteArray bytes;
    if (const QString unreadable = readWholeFile(path, bytes); !unreadable.isEmpty()) {
        setPage(QStringLiteral("The help file could not be read: %1 (%2).").arg(path, unreadable));
        return;
    }
    setPage(decodeText(bytes));
}

} // namespace velm
