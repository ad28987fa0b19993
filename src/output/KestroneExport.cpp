#include "output/KestroneExport.h"
