#include "log/CallFileStem.h"
