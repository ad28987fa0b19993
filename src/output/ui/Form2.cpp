#include "output/ui/Form2.h"
