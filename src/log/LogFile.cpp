#include "log/LogFile.h"
