#include "log/ui/TextPageWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velm {

TextPageWindow::TextPageWindow(const QString& objectName, const QString& title, const QString& textName,
                               Font font, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(false);

    m_page = new QPlainTextEdit(this);
    m_page->setReadOnly(true);
    m_page->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    if (font == Font::Fixed)
        m_page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_page->setAccessibleName(textName);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    layout->addWidget(cmdClose, 0, Qt::AlignHCenter);
    resize(760, 560);
}

void TextPageWindow::setPage(const QString& text)
{
    m_page->setPlainText(text);
    m_page->moveCursor(QTextCursor::Start);
    m_page->setFocus();
}

} // namespace velm
