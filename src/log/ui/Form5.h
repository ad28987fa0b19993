#pragma once
// Responsibilities: the help window: the whole text of readqrp.txt from the program folder in a scrolling,
// read-only box with a Close button.

#include "log/ProgramFolder.h"
#include "log/ui/TextPageWindow.h"

namespace velm {

class Form5 : public TextPageWindow {
    Q_OBJECT
public:
    static const QString Title;

    explicit Form5(ProgramFolder programFolder, QWidget* parent = nullptr);

    // Reads readqrp.txt again, so an edited help file shows without a restart.
    void reload();

    QPlainTextEdit* const txtHelp;

private:
    ProgramFolder m_programFolder;
};

} // namespace velm
