#include "cleaners/CleanupRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "cleaners/RegistryCleaner.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

// Everything a run reports and asks of the shell, in one sequence.
class EventLog final : public RunReport {
 public:
  void ShowStatus(std::string_view message) override { events.push_back(std::string(message)); }
  void SetProgressMax(int max) override { events.push_back("max " + std::to_string(max)); }
  void SetProgressPosition(int) override {}
  std::vector<std::string> events;
};

class LoggingShell final : public Shell {
 public:
  explicit LoggingShell(EventLog& log) : log_(log) {}
  std::optional<DllVersionInfo> GetDllVersion(const char*) const override { return {}; }
  std::optional<std::int64_t> QueryRecycleBinSize(const char*) const override { return 0; }
  EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t owner, std::uint32_t) override {
    log_.events.push_back("empty bin, owner " + std::to_string(owner));
    return result;
  }
  std::vector<ShellItem> RecycleBinItems() const override { return {}; }
  void ClearRecentDocuments() override { log_.events.push_back("clear recent"); }
  std::vector<ShellItem> RecentDocuments() const override { return {}; }
  std::optional<std::string> FolderPath(UserFolder) const override { return std::nullopt; }
  EmptyRecycleBinResult result = EmptyRecycleBinResult::kCalled;

 private:
  EventLog& log_;
};

class CleanupRunTest : public ::testing::Test {
 protected:
  CleanupRunTest() : history(store, locale) {
    registry.SetText(kTypedUrlsKey, "url1", "a");
    registry.SetText(kMediaPlayerRecentKey, "File0", "a");
    registry.SetText(kMediaPlayerRecentKey, "File1", "b");
    registry.SetText(kRunMruKey, "a", "x");
    registry.SetText(kRunMruKey, "b", "y");
    registry.SetText(kRunMruKey, "c", "z");
  }

  void Run(std::set<int> ticked) {
    RunTickedTasks([&](int index) { return ticked.count(index) != 0; },
                   CleanupServices{.ports = ports,
                                   .history = history,
                                   .report = log,
                                   .ownerWindow = 42,
                                   .showMessage = [this](const std::string& text) {
                                     log.events.push_back("box: " + text);
                                   }});
  }

  EventLog log;
  LoggingShell shell{log};
  FakeFiles files;
  FakeRegistry registry;
  FakeHistoryStore store;
  FakeLocaleTime locale;
  TUrlHistory history;
  FakeUrlCache cache;
  FakeDesktop desktop;
  Ports ports{locale, shell, files, registry, store, cache, desktop};
};

TEST_F(CleanupRunTest, EveryTaskRunsInTableOrder) {
  cache.Add("http://example.com/page.htm", 0);
  cache.onDelete = [this](const std::string& url) { log.events.push_back("delete " + url); };
  Run({0, 1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_THAT(log.events,
              ElementsAre("max 1", "Enumerating History Files...", "max 0",
                          "Removed : 0  Entries From Index.Dat", "Deleting History Files...",
                          "delete http://example.com/page.htm", "max 2", "max 3", "clear recent",
                          "empty bin, owner 42", "Clearing Netscape History Files...",
                          "NetScape Clean!", "Clearing AOL 2.0 History Files...", "AOL 2.0 Clean!",
                          "Clearing AOL 3.0 History Files...", "AOL 3.0 Clean!",
                          "Clearing AOL 4.0 History Files...", "AOL 4.0 Clean!",
                          "Clearing AOL 5.0 History Files...", "AOL 5.0 Clean!", "AOL 6.0 Clean!"));
  EXPECT_EQ(store.clears, 1);
  EXPECT_THAT(registry.ValueNames(kRunMruKey), IsEmpty());
}

TEST_F(CleanupRunTest, TheTickOrderPlaysNoPartAndUntickedTasksDoNotRun) {
  Run({8, 4, 0});
  ASSERT_GE(log.events.size(), 3u);
  EXPECT_EQ(log.events[0], "max 1");
  EXPECT_EQ(log.events[1], "max 3");
  EXPECT_EQ(log.events[2], "Clearing AOL 2.0 History Files...");
  EXPECT_THAT(registry.ValueNames(kMediaPlayerRecentKey), ElementsAre("File0", "File1"));
  EXPECT_EQ(cache.searches, 0);
  EXPECT_EQ(store.clears, 0);

  log.events.clear();
  Run({});
  EXPECT_THAT(log.events, IsEmpty());
}

TEST_F(CleanupRunTest, AShellLibraryThatDoesNotLoadIsShownAndTheRunGoesOn) {
  shell.result = EmptyRecycleBinResult::kLibraryMissing;
  Run({6, 7});
  EXPECT_THAT(log.events, ElementsAre("empty bin, owner 42", "box: Failed to load Shell32.dll.",
                                      "Clearing Netscape History Files...", "NetScape Clean!"));
  log.events.clear();
  shell.result = EmptyRecycleBinResult::kFunctionMissing;
  Run({6});
  EXPECT_THAT(log.events, ElementsAre("empty bin, owner 42"));
}

}  // namespace
}  // namespace quillmere
