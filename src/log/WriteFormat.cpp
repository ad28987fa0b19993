#include "log/WriteFormat.h"
