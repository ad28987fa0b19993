#include "log/ui/Form1.h"
