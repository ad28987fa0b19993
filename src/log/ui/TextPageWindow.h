#pragma once
// Responsibilities: a window that shows one page of text, read-only but selectable and scrollable from the
// keyboard, named for screen readers, opened at its top, with a Close button; the help page and About use it.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace velm {

class TextPageWindow : public QDialog {
    Q_OBJECT
public:
    enum class Font { Proportional, Fixed };

    TextPageWindow(const QString& objectName, const QString& title, const QString& textName, Font font,
                   QWidget* parent);

    QPushButton* cmdClose = nullptr;

protected:
    // Shows text from its first line, with the focus in it so the arrows read on from there.
    void setPage(const QString& text);

    QPlainTextEdit* m_page = nullptr;
};

} // namespace velm
