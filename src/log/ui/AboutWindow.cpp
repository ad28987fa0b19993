#include "log/ui/AboutWindow.h"

#include "log/AboutText.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace velm {

const QString AboutWindow::Title = QStringLiteral("About velmlog");

AboutWindow::AboutWindow(ProgramFolder programFolder, QWidget* parent)
    : QDialog(parent), m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(Title);
    setModal(false);

    // A read-only text that still takes the focus: the arrows and page keys read it line by line.
    txtAbout = new QPlainTextEdit(this);
    txtAbout->setObjectName(QStringLiteral("txtAbout"));
    txtAbout->setReadOnly(true);
    txtAbout->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtAbout->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtAbout->setAccessibleName(QStringLiteral("Licences and data versions"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtAbout);
    layout->addWidget(cmdClose, 0, Qt::AlignHCenter);
    resize(780, 560);
}

void AboutWindow::reload()
{
    txtAbout->setPlainText(aboutText(readDataVersions(m_programFolder), QStringLiteral(VELMLOG_VERSION),
                                     QString::fromLatin1(qVersion())));
    txtAbout->moveCursor(QTextCursor::Start);
    txtAbout->setFocus();
}

} // namespace velm
