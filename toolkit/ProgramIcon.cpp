#include "toolkit/ProgramIcon.h"

#include "common/ProgramIcon.h"

namespace quillmere::win32 {

UniqueIcon LoadProgramIcon(int size) {
  return UniqueIcon(static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLMERE), IMAGE_ICON, size, size, 0)));
}

}  // namespace quillmere::win32
