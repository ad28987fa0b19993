#include "log/LogLifecycle.h"
