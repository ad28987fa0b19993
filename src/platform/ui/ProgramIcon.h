#pragma once
// Responsibilities: the program's icon, built into the program, as every window of it shows it in its title
// bar and the desktop's task switcher.

#include <QIcon>

namespace velm {

// The icon at 48 and 128 pixels.
QIcon programIcon();

// Makes programIcon() the window icon of every window the application opens.
void applyProgramIcon();

} // namespace velm
