#include "output/ContestEntry.h"
