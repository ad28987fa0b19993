#include "output/ui/ExportActions.h"
