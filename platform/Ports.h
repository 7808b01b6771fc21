#pragma once

#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/HistoryStore.h"
#include "platform/LocaleTime.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The operating-system services the program's logic is written against. The real
// ones come from platform/win32; tests pass fakes.
struct Ports {
  const LocaleTime& localeTime;
  Shell& shell;
  Files& files;
  Registry& registry;
  HistoryStore& historyStore;
  UrlCache& urlCache;
  Desktop& desktop;
};

}  // namespace quillmere
