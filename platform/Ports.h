#pragma once

#include "platform/LocaleTime.h"
#include "platform/Shell.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The operating-system services the program's logic is written against. The real
// ones come from platform/win32; tests pass fakes.
struct Ports {
  const LocaleTime& localeTime;
  const Shell& shell;
  UrlCache& urlCache;
};

}  // namespace quillmere
