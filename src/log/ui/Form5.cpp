#include "log/ui/Form5.h"

#include "log/WriteFormat.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velm {

const QString Form5::Title = QStringLiteral("Help Page");

Form5::Form5(ProgramFolder programFolder, QWidget* parent)
    : QDialog(parent), m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(Title);
    setModal(false);

    txtHelp = new QPlainTextEdit(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setReadOnly(true);
    txtHelp->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtHelp->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtHelp->setAccessibleName(Title);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp);
    layout->addWidget(cmdClose, 0, Qt::AlignHCenter);
    resize(760, 560);
}

void Form5::reload()
{
    const QString path = m_programFolder.filePath(QStringLiteral("readqrp.txt"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        txtHelp->setPlainText(QStringLiteral("The help file could not be read: %1 (%2).").arg(path, file.errorString()));
        return;
    }
    txtHelp->setPlainText(decodeText(file.readAll()));
    txtHelp->moveCursor(QTextCursor::Start);
    txtHelp->setFocus();
}

} // namespace velm
