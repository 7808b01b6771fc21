#include "toolkit/ProgramCursors.h"

#include "common/ProgramCursors.h"

namespace quillmere::win32 {

HCURSOR LinkCursor() {
  if (const HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_HAND)))
    return own;
  return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

}  // namespace quillmere::win32
