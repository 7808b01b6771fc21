#pragma once

#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// The program's icon at `size` x `size` pixels, from the running program's
// resources; null when it has none.
UniqueIcon LoadProgramIcon(int size);

}  // namespace quillmere::win32
