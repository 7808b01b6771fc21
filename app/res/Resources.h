#pragma once

#include "common/ProgramCursors.h"
#include "common/ProgramIcon.h"

#define IDB_TOOLBAR 100
