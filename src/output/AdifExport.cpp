#include "output/AdifExport.h"
