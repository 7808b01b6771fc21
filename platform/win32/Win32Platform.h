#pragma once

#include "platform/Ports.h"
#include "platform/win32/Win32LocaleTime.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32UrlCache.h"

namespace quillmere::win32 {

// The real operating system behind every port.
class Win32Platform {
 public:
  Ports ports() { return Ports{localeTime_, shell_, urlCache_}; }

 private:
  Win32LocaleTime localeTime_;
  Win32Shell shell_;
  Win32UrlCache urlCache_;
};

}  // namespace quillmere::win32
