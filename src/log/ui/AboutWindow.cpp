#include "log/ui/AboutWindow.h"

#include "log/AboutText.h"

#include <QPlainTextEdit>
#include <QtGlobal>

namespace velm {

const QString AboutWindow::Title = QStringLiteral("About velmlog");

AboutWindow::AboutWindow(ProgramFolder programFolder, QWidget* parent)
    : TextPageWindow(QStringLiteral("AboutWindow"), Title, QStringLiteral("Licences and data versions"),
                     Font::Proportional, parent),
      txtAbout(m_page), m_programFolder(std::move(programFolder))
{
    txtAbout->setObjectName(QStringLiteral("txtAbout"));
    resize(780, 560);
}

void AboutWindow::reload()
{
    setPage(aboutText(readDataVersions(m_programFolder), QStringLiteral(VELMLOG_VERSION),
                      QString::fromLatin1(qVersion())));
}

} // namespace velm
