#include "log/ui/Form5.h"
