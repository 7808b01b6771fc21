// Every portable run made once more for each of its port calls, that call failing as
// its port reports a failure. The tables of calls by outcome go to fault-tables/ in
// the build tree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cleaners/CleanupRun.h"
#include "cleaners/HistoryPurge.h"
#include "cleaners/RegistryCleaner.h"
#include "gauges/Gauges.h"
#include "history/HistoryReport.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/fakes/FaultSweep.h"

namespace quillmere {
namespace {

using ::testing::IsEmpty;
using namespace quillmere::testing;

const std::string kHistoryFolder = "C:\\Users\\me\\History";

// The status lines of a run, each placed among the port calls, and its error lines.
class PlanReport final : public RunReport {
 public:
  PlanReport(const FaultPlan& plan, FaultRun& run) : plan_(plan), run_(run) {}
  void ShowStatus(std::string_view message) override {
    run_.lines.push_back({plan_.calls().size(), std::string(message)});
  }
  void ShowError(std::string_view message) override {
    run_.errors.push_back("line: " + std::string(message));
    ShowStatus(message);
  }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}

 private:
  const FaultPlan& plan_;
  FaultRun& run_;
};

// A machine with traces for every task, each of its ports a fake in the one plan.
struct World {
  explicit World(FaultPlan& plan) {
    plan.Attach({&files, &registry, &store, &locale, &cache, &shell});
    registry.SetText(kTypedUrlsKey, "url1", "http://typed.test/");
    registry.SetText(kTypedUrlsKey, "url2", "http://typed2.test/");
    registry.SetText(kMediaPlayerRecentKey, "File0", "C:\\song.mp3");
    registry.SetText(kRunMruKey, "a", "notepad\\1");
    registry.SetText(kRunMruKey, "MRUList", "a");
    registry.SetText("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     "History", kHistoryFolder);

    const FileTime visited = FileTimeOf({2024, 6, 1, 14, 30, 0});
    const FileTime expires = FileTimeOf({2024, 8, 1, 9, 15, 10});
    for (const char* name : {"beta", "alpha", "gamma"})
      store.Add(std::string("http://") + name + ".test/", name, visited, visited, expires);
    store.failAfter = 2;  // each pass ends after two, so the purge's second pass finds the third

    cache.Add("http://page.test/index.html", 0x1);
    cache.entries.back().entry.size = 3000;
    cache.Add("Cookie:me@cookie.test/");
    cache.entries.back().entry.size = 200;

    shell.version = DllVersionInfo{.major = 6};
    shell.recycleBinSize = 2'000'000;
    shell.recycled = {{"C:\\old.txt", 2'000'000}};
    shell.recent = {{"C:\\Recent\\old.txt.lnk", 300}};
    shell.folders[UserFolder::kLocalAppData] = "C:\\Users\\me\\AppData\\Local";
    shell.folders[UserFolder::kRoamingAppData] = "C:\\Users\\me\\AppData\\Roaming";
    files.driveSpace = {50'000'000'000, 200'000'000'000};

    for (const char* folder : {"C:\\Users", "C:\\Users\\me", "C:\\Program Files",
                               "C:\\Program Files\\Netscape", "C:\\AOL30"})
      files.AddFolder(folder);
    files.AddFolder(kHistoryFolder, kAttributeDirectory | kAttributeSystem);
    files.AddFile(kHistoryFolder + "\\desktop.ini");
    files.AddFolder(kHistoryFolder + "\\Today");
    files.AddFile(kHistoryFolder + "\\Today\\index.dat");
    files.AddFile("C:\\Users\\me\\notes.txt");
    files.AddFolder("C:\\Program Files\\Netscape\\Navigator");
    files.AddFolder("C:\\Program Files\\Netscape\\Navigator\\Cache");
    files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Cache\\n1.htm");
    files.AddFile("C:\\Program Files\\Netscape\\Navigator\\cookies.txt");
    files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Netscape.hst");
    files.AddFolder("C:\\AOL30\\CACHE");
    files.AddFile("C:\\AOL30\\CACHE\\page.htm");
    files.AddFolder("C:\\AOL30\\CACHE\\img");
    files.AddFile("C:\\AOL30\\CACHE\\img\\logo.gif");
    files.AddFile("C:\\AOL30\\CACHE\\last.htm");
  }

  FakeFiles files;
  FakeRegistry registry;
  FakeHistoryStore store;
  FakeLocaleTime locale;
  FakeUrlCache cache;
  FakeShell shell;
  FakeDesktop desktop;
  TUrlHistory history{store, locale};
  Ports ports{locale, shell, files, registry, store, cache, desktop};
};

// The message box of the application's top-level handler, for an error that escapes.
void ShowingEscapes(FaultRun& seen, const std::function<void()>& run) {
  try {
    run();
  } catch (const std::exception& error) {
    seen.errors.push_back("box: " + std::string(error.what()));
  }
}

class FaultInjectionTest : public ::testing::Test {
 protected:
  using Body = std::function<void(World& world, RunReport& report, FaultRun& seen)>;

  // The sweep of `body`, each run over a fresh world, written to its table.
  FaultSweep Sweep(const std::string& title, const std::string& table, const Body& body) {
    const FaultSweep sweep = SweepFaults(title, plan, [&](std::size_t failAt) {
      World world(plan);
      FaultRun seen;
      PlanReport report(plan, seen);
      plan.Start(failAt);
      body(world, report, seen);
      if (world.files.openSearches) seen.problems.push_back("a directory search left open");
      if (world.registry.openKeys) seen.problems.push_back("a registry key left open");
      if (world.cache.openSearches) seen.problems.push_back("a cache enumeration left open");
      return seen;
    });
    WriteFaultTable("fault-tables/" + table + ".md", sweep);
    EXPECT_FALSE(sweep.faulted.empty());
    return sweep;
  }

  FaultPlan plan;
};

class TaskFaultTest : public FaultInjectionTest, public ::testing::WithParamInterface<int> {};

// Each task alone, and the run over all: a shell library that does not load is said
// in a box and the run goes on; every other failure is one the tasks ride out. Today's
// browsers are not installed on this machine (their profiles are real files and
// databases, tested over the browsers' own), so their tasks look and find nothing.
TEST_P(TaskFaultTest, EveryCallFailingInTurnIsRiddenOutAsTheTaskSays) {
  const int task = GetParam();
  const bool all = task == kCleanupTaskCount;
  const FaultSweep sweep = Sweep(
      all ? "Clean Up over all tasks" : "Task " + std::to_string(task) + ", " + kTaskCaptions[task],
      all ? "task-run" : "task-" + std::to_string(task),
      [&](World& world, RunReport& report, FaultRun& seen) {
        world.history.OnDelete = [&report](const std::string&, const std::string& Url, TDateTime,
                                           TDateTime, TDateTime, bool& Delete) {
          ApproveHistoryDeletion(report, Url, Delete);
        };
        const CleanupServices services{.ports = world.ports,
                                       .history = world.history,
                                       .report = report,
                                       .ownerWindow = 1,
                                       .showMessage = [&seen](const std::string& text) {
                                         seen.errors.push_back("box: " + text);
                                       }};
        // The run asks for each task's tick right before it runs the task.
        const auto isTicked = [&](int index) {
          plan.SetPhase("task " + std::to_string(index));
          return all || index == task;
        };
        ShowingEscapes(seen, [&] { RunTickedTasks(isTicked, services); });
      });
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  if (all || task < kChromiumCacheTask) {
    EXPECT_THAT(sweep.clean.deletions, ::testing::Not(IsEmpty()));
  }
  EXPECT_THAT(SweepProblems(sweep,
                            [](const FaultPlan::Call& call) -> FaultExpectation {
                              if (call.name == "Shell.EmptyRecycleBin")
                                return {{"box: Failed to load Shell32.dll."}, false};
                              return {};
                            }),
              IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryTaskAndAll, TaskFaultTest,
                         ::testing::Range(0, kCleanupTaskCount + 1));

TEST_F(FaultInjectionTest, TheIndexReport) {
  const FaultSweep sweep =
      Sweep("Index Report", "index-report", [](World& world, RunReport& report, FaultRun& seen) {
        ReportUrlHistory(world.history, world.locale, report);
        seen.state = std::to_string(seen.lines.size()) + " lines";
      });
  EXPECT_EQ(sweep.clean.lines.back().text, "Index.dat Report Finished!");
  // A date the regional formats cannot write ends the report with its error line.
  EXPECT_THAT(SweepProblems(sweep,
                            [](const FaultPlan::Call& call) -> FaultExpectation {
                              if (call.name.starts_with("LocaleTime.Format"))
                                return {{"line: Failed to Create Index.dat Report!"}, true};
                              return {};
                            }),
              IsEmpty());
}

// The task list and the pie as the gauges see them.
class Board final : public GaugeBoard {
 public:
  void FillTaskList() override { captions.assign(kCleanupTaskCount, ""); }
  void AppendToTask(int index, std::string_view text) override { captions.at(index) += text; }
  void SetPiePosition(int position) override { pie = position; }
  std::vector<std::string> captions = std::vector<std::string>(kCleanupTaskCount);
  int pie = 64;
};

TEST_F(FaultInjectionTest, TheGauges) {
  const FaultSweep sweep =
      Sweep("The gauges", "gauges", [](World& world, RunReport& report, FaultRun& seen) {
        Board board;
        ShowingEscapes(seen, [&] {
          RefreshGauges(board, {world.shell, world.history, world.cache, world.files}, report);
        });
        for (const int task : {kHistoryTask, kCachePagesTask, kRecycleBinTask}) {
          const std::string& caption = board.captions[task];
          seen.state +=
              "[" + caption.substr(std::min(caption.size(), caption.find_first_not_of(' '))) + "] ";
        }
        seen.state += "pie " + std::to_string(board.pie);
      });
  EXPECT_EQ(sweep.clean.state, "[2 Entries] [3 KB] [1 MB] pie 75");
  // Every failure shows in a figure as the gauges' own rules say.
  EXPECT_THAT(SweepProblems(sweep, [](const FaultPlan::Call&) { return FaultExpectation{}; }),
              IsEmpty());
  // The cache's search failing at once: shown as an empty cache.
  const auto search =
      std::ranges::find(sweep.clean.calls, "UrlCache.Search", &FaultPlan::Call::name);
  ASSERT_NE(search, sweep.clean.calls.end());
  EXPECT_EQ(sweep.faulted[search - sweep.clean.calls.begin()].state,
            "[2 Entries] [0 KB] [1 MB] pie 75");
}

}  // namespace
}  // namespace quillmere
