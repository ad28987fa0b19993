#include "log/UserFolderSetup.h"
