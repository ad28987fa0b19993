// The main window's contact list: rows, last 20 or all, sorting, and the edit and delete buttons.

#include "log/ui/Form1.h"

#include <QTreeWidget>

namespace velm {

void Form1::RefreshContactList()
{
}

} // namespace velm
