#pragma once
// Responsibilities: the "About velmlog" window: the licences of the program, of Qt and of the shipped data,
// and the data versions of the program folder, read-only, from the keyboard and named for screen readers.

#include "log/ProgramFolder.h"
#include "log/ui/TextPageWindow.h"

namespace velm {

class AboutWindow : public TextPageWindow {
    Q_OBJECT
public:
    static const QString Title;

    explicit AboutWindow(ProgramFolder programFolder, QWidget* parent = nullptr);

    // Reads the data versions again, so a replaced band plan shows without a restart.
    void reload();

    QPlainTextEdit* const txtAbout;

private:
    ProgramFolder m_programFolder;
};

} // namespace velm
