#include "log/ContactEdit.h"
