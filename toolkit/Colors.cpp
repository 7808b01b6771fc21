#include "toolkit/Colors.h"

namespace quillmere::win32 {

COLORREF ColorToRGB(TColor color) {
  if ((color >> 24) == 0x80) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

}  // namespace quillmere::win32
