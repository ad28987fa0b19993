#include "log/EntryCommit.h"
