#include "log/ui/frmEditCon.h"
