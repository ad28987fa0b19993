#include "log/SharedPreferences.h"
