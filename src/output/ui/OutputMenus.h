#pragma once
// Responsibilities: connects the main window's output menu items (summary and Cabrillo, ADIF, general-logger
// export, clipboard copy) to the output windows and actions.

#include <QString>

class QAction;
class QWidget;

namespace velm {

class ContestSession;
class SharedPreferences;
class ShownContacts;
struct Services;

struct OutputMenuItems {
    QAction* writeSummary; // "&Write Summary and Log Files"
    QAction* adif;         // "Export &ADIF File"
    QAction* kestrone;     // "E&xport for Kestrone Import"
    QAction* clipboard;    // "&Copy Listed Items to Clipboard"
};

// programTitle heads the files; the windows open over parent.
void connectOutputMenus(const OutputMenuItems& items, const ContestSession& session,
                        const ShownContacts& list, const QString& programTitle, const Services& services,
                        SharedPreferences& shared, QWidget* parent);

} // namespace velm
