#pragma once

#include "tests/console/ConsoleWorld.h"
#include "tests/cookies/BrowserStoreWorld.h"

namespace quillmere::testing {

// The console's ports over the browsers' stores in a temporary folder.
struct BrowserConsole final : public PortsSource {
  Ports Open() override { return ports; }
  BrowserStoreWorld world;
  FakeLocaleTime locale;
  FakeRegistry registry;
  FakeUrlCache cache;
  CacheHistory history{cache};
  FakeDesktop desktop;
  Ports ports{locale, world.shell, world.files, registry, history, cache, desktop};
};

}  // namespace quillmere::testing
