#pragma once

#include "common/ProgramIcon.h"

#define IDB_TOOLBAR 100
