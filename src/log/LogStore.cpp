#include "log/LogStore.h"
