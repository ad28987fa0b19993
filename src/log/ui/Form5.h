#pragma once
// Responsibilities: the help window: the whole text of readqrp.txt from the program folder in a scrolling,
// read-only box with a Close button.

#include "log/ProgramFolder.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace velm {

class Form5 : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    explicit Form5(ProgramFolder programFolder, QWidget* parent = nullptr);

    // Reads readqrp.txt again, so an edited help file shows without a restart.
    void reload();

    QPlainTextEdit* txtHelp = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    ProgramFolder m_programFolder;
};

} // namespace velm
