#pragma once
// Responsibilities: connects the main window's output menu items (summary and Cabrillo, ADIF, general-logger
// export, clipboard copy) to the output windows and actions.

namespace velm {

class Form1;
class SharedPreferences;
struct Services;

void connectOutputMenus(Form1& mainWindow, const Services& services, SharedPreferences& shared);

} // namespace velm
