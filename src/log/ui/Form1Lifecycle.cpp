// The main window's start-up sequence, new log, backups, archive and restore, and closing.

#include "log/ui/Form1.h"

namespace velm {

} // namespace velm
