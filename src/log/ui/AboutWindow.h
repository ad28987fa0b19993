#pragma once
// Responsibilities: the "About velmlog" window: the licences of the program, of Qt and of the shipped data,
// and the data versions of the program folder, read-only, from the keyboard and named for screen readers.

#include "log/ProgramFolder.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace velm {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    explicit AboutWindow(ProgramFolder programFolder, QWidget* parent = nullptr);

    // Reads the data versions again, so a replaced band plan shows without a restart.
    void reload();

    QPlainTextEdit* txtAbout = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    ProgramFolder m_programFolder;
};

} // namespace velm
