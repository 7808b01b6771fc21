// Every portable run made once more for each of its port calls, that call failing as
// its port reports a failure. The tables of calls by outcome go to fault-tables/ in
// the build tree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <exception>
#include <set>
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

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kHistoryFolder = "C:\\Users\\me\\History";
const std::string kCacheEntryCutShort = "box: A URL cache entry is cut short.";

// The status lines of a run, each placed among the port calls, and its error lines.
class PlanReport final : public RunReport {
 public:
  PlanReport(const FaultPlan& plan, FaultRun& run) : plan_(plan), run_(run) {}
  void ShowStatus(std::string_view message) override {
    run_.lines.push_back({plan_.callCount(), std::string(message)});
  }
  void ShowError(std::string_view message) override {
    run_.errors.push_back("line: " + std::string(message));
    ShowStatus(message);
  }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int position) override { position_ = position; }
  int position() const { return position_; }

 private:
  const FaultPlan& plan_;
  FaultRun& run_;
  int position_ = 0;
};

// A machine with traces for every task, each of its ports a fake in the one plan.
struct World {
  explicit World(FaultPlan& plan) {
    for (Faultable* fake :
         std::initializer_list<Faultable*>{&files, &registry, &store, &locale, &cache, &shell})
      fake->faults = &plan;
    registry.SetText(kTypedUrlsKey, "url1", "http://typed.test/");
    registry.SetText(kTypedUrlsKey, "url2", "http://typed2.test/");
    registry.SetText(kMediaPlayerRecentKey, "File0", "C:\\song.mp3");
    registry.SetText(kRunMruKey, "a", "notepad\\1");
    registry.SetText(kRunMruKey, "MRUList", "a");
    registry.SetText(kShellFolders, "History", kHistoryFolder);

    const FileTime visited = FileTimeOf({2024, 6, 1, 14, 30, 0});
    const FileTime expires = FileTimeOf({2024, 8, 1, 9, 15, 10});
    store.Add("http://beta.test/", "Beta", visited, visited, expires);
    store.Add("http://alpha.test/", "Alpha", visited, visited, expires);
    // Each pass ends after two, so the purge's second pass finds the third.
    store.Add("http://gamma.test/", "Gamma", visited, visited, expires);
    store.failAfter = 2;

    cache.Add("http://page.test/index.html", 0x1);
    cache.entries.back().entry.size = 3000;
    cache.Add("Cookie:me@cookie.test/");
    cache.entries.back().entry.size = 200;

    shell.version = DllVersionInfo{.major = 6};
    shell.recycleBinSize = 2'000'000;
    shell.recycled = {{"C:\\old.txt", 2'000'000}};
    shell.recent = {{"C:\\Recent\\old.txt.lnk", 300}};
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

  // What the fakes hold open at the end of a run.
  void CheckClosed(FaultRun& run) const {
    if (files.openSearches) run.problems.push_back("a directory search left open");
    if (registry.openKeys) run.problems.push_back("a registry key left open");
    if (cache.openSearches) run.problems.push_back("a cache enumeration left open");
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
template <typename Run>
void ShowingEscapes(FaultRun& seen, Run&& run) {
  try {
    run();
  } catch (const std::exception& error) {
    seen.errors.push_back("box: " + std::string(error.what()));
  }
}

std::string TablePath(const std::string& name) { return "fault-tables/" + name + ".md"; }

class FaultInjectionTest : public ::testing::Test {
 protected:
  // Every call of the sweep failing as `expect` says it may.
  static void ExpectEveryFailureSound(const FaultSweep& sweep,
                                      FaultExpectation (*expect)(const FaultPlan::Call&)) {
    ASSERT_FALSE(sweep.faulted.empty());
    EXPECT_THAT(
        SweepProblems(sweep, [&](std::size_t, const FaultPlan::Call& c) { return expect(c); }),
        IsEmpty());
  }

  FaultPlan plan;
};

// The tasks of the run: the cache's entry cut short escapes the cached-pages task
// and ends the run; a shell library that does not load is said in a box and the run
// goes on; every other failure is one the tasks ride out.
FaultExpectation TaskExpectation(const FaultPlan::Call& call) {
  if (call.name == "UrlCache.ReadEntry") return {{kCacheEntryCutShort}, true};
  if (call.name == "Shell.EmptyRecycleBin") return {{"box: Failed to load Shell32.dll."}, false};
  return {};
}

FaultRun RunTasks(FaultPlan& plan, std::size_t failAt, const std::set<int>& ticked) {
  World world(plan);
  FaultRun seen;
  PlanReport report(plan, seen);
  world.history.OnDelete = [&report](const std::string&, const std::string& Url, TDateTime,
                                     TDateTime, TDateTime,
                                     bool& Delete) { ApproveHistoryDeletion(report, Url, Delete); };
  const CleanupServices services{
      .ports = world.ports,
      .history = world.history,
      .report = report,
      .ownerWindow = 1,
      .showMessage = [&seen](const std::string& text) { seen.errors.push_back("box: " + text); }};
  plan.Start(failAt);
  // The run asks for each task's tick right before it runs the task.
  const auto isTicked = [&](int index) {
    plan.SetPhase("task " + std::to_string(index));
    return ticked.contains(index);
  };
  ShowingEscapes(seen, [&] { RunTickedTasks(isTicked, services); });
  world.CheckClosed(seen);
  return seen;
}

class TaskFaultTest : public FaultInjectionTest, public ::testing::WithParamInterface<int> {};

TEST_P(TaskFaultTest, EveryCallOfTheTaskFailingInTurnIsRiddenOutAsTheTaskSays) {
  const int task = GetParam();
  const FaultSweep sweep =
      SweepFaults("Task " + std::to_string(task) + ", " + kTaskCaptions[task], plan,
                  [&](std::size_t failAt) { return RunTasks(plan, failAt, {task}); });
  WriteFaultTable(TablePath("task-" + std::to_string(task)), sweep);
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  EXPECT_THAT(sweep.clean.deletions, ::testing::Not(IsEmpty()));
  ExpectEveryFailureSound(sweep, TaskExpectation);
}

INSTANTIATE_TEST_SUITE_P(NineTasks, TaskFaultTest, ::testing::Range(0, kCleanupTaskCount));

TEST_F(FaultInjectionTest, TheRunOverEveryTickedTask) {
  const FaultSweep sweep = SweepFaults("Clean Up over all nine tasks", plan, [&](std::size_t k) {
    return RunTasks(plan, k, {0, 1, 2, 3, 4, 5, 6, 7, 8});
  });
  WriteFaultTable(TablePath("task-run"), sweep);
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  ExpectEveryFailureSound(sweep, TaskExpectation);
}

TEST_F(FaultInjectionTest, TheIndexReport) {
  const FaultSweep sweep = SweepFaults("Index Report", plan, [&](std::size_t failAt) {
    World world(plan);
    FaultRun seen;
    PlanReport report(plan, seen);
    plan.Start(failAt);
    ReportUrlHistory(world.history, world.locale, report);
    seen.state = std::to_string(seen.lines.size()) + " lines";
    world.CheckClosed(seen);
    return seen;
  });
  WriteFaultTable(TablePath("index-report"), sweep);
  EXPECT_EQ(sweep.clean.lines.back().text, "Index.dat Report Finished!");
  // A date the regional formats cannot write ends the report with its error line.
  ExpectEveryFailureSound(sweep, [](const FaultPlan::Call& call) -> FaultExpectation {
    if (call.name == "LocaleTime.FormatShortDate" || call.name == "LocaleTime.FormatLongTime")
      return {{"line: Failed to Create Index.dat Report!"}, true};
    return {};
  });
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
  const FaultSweep sweep = SweepFaults("The gauges", plan, [&](std::size_t failAt) {
    World world(plan);
    FaultRun seen;
    PlanReport report(plan, seen);
    Board board;
    plan.Start(failAt);
    ShowingEscapes(seen, [&] {
      RefreshGauges(board, {world.shell, world.history, world.cache, world.files}, report);
    });
    for (const int task : {kHistoryTask, kCachePagesTask, kRecycleBinTask}) {
      const std::string& caption = board.captions[task];
      seen.state +=
          "[" + caption.substr(std::min(caption.size(), caption.find_first_not_of(' '))) + "] ";
    }
    seen.state += "pie " + std::to_string(board.pie);
    world.CheckClosed(seen);
    return seen;
  });
  WriteFaultTable(TablePath("gauges"), sweep);
  EXPECT_EQ(sweep.clean.state, "[2 Entries] [3 KB] [1 MB] pie 75");
  // A record cut short escapes the cache's sizing; every other failure shows in a
  // figure as the gauges' own rules say.
  ExpectEveryFailureSound(sweep, [](const FaultPlan::Call& call) -> FaultExpectation {
    if (call.name == "UrlCache.ReadEntry") return {{kCacheEntryCutShort}, true};
    return {};
  });
  const auto stateWhen = [&](const std::string& name) {
    for (std::size_t k = 1; k <= sweep.faulted.size(); ++k)
      if (sweep.clean.calls[k - 1].name == name) return sweep.faulted[k - 1].state;
    return std::string("not called");
  };
  EXPECT_EQ(stateWhen("Shell.QueryRecycleBinSize"), "[2 Entries] [3 KB] [0 KB] pie 75");
  EXPECT_EQ(stateWhen("HistoryStore.EnumUrls"), "[0 Entries] [3 KB] [1 MB] pie 75");
  EXPECT_EQ(stateWhen("UrlCache.FindFirstEntry"), "[2 Entries] [0 KB] [1 MB] pie 75");
  EXPECT_EQ(stateWhen("Files.CurrentDriveSpace"), "[2 Entries] [3 KB] [1 MB] pie 64");
}

}  // namespace
}  // namespace quillmere
