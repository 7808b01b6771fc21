// The runs that only the window pages make, over fakes in one fault plan: start-up,
// the cookie list read again, and the cookie deletion, each made once more for every
// port call it makes, that call failing. The tables of calls by outcome go to
// fault-tables\ beside the test program.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/FuncUnit.h"
#include "cookies/CookieRow.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FaultSweep.h"
#include "tests/support/MainWindowTest.h"
#include "toolkit/Controls.h"

namespace quillmere {
namespace {

using ::testing::IsEmpty;
using namespace quillmere::testing;

// The machine behind the window: four cookies and a page in the cache, a visit in the
// history, a drive and a recycle bin, every port a fake in the one plan.
struct Machine {
  explicit Machine(FaultPlan& plan) {
    plan.Attach({&locale, &shell, &files, &registry, &history, &cache});
    cache.Add("Cookie:jane@a.test/", kCookieCacheEntry, 3, FileTimeOf({2026, 12, 8, 19, 4, 30}),
              FileTimeOf({2030, 1, 1, 5, 0, 0}));
    cache.Add("http://page.test/index.html", 0x1);
    for (const char* host : {"b", "c", "d"})
      cache.Add(std::string("Cookie:jane@") + host + ".test/");
    history.Add("http://visited.test/", "", FileTimeOf({2024, 6, 1, 14, 30, 0}));
    shell.version = DllVersionInfo{.major = 6};
    shell.recycleBinSize = 4096;
    files.driveSpace = {50'000'000'000, 200'000'000'000};
  }

  FakeLocaleTime locale;
  FakeShell shell;
  FakeFiles files;
  FakeRegistry registry;
  FakeHistoryStore history;
  FakeUrlCache cache;
};

// Reading the cookie list (made, or read again): a cache that cannot be read is shown
// by the top-level handler with the rows read so far. The gauges ride it out; every
// other failure is ridden out, a date that cannot be written showing the fallback text.
FaultExpectation Expectation(const FaultPlan::Call& call) {
  if (call.name == "UrlCache.Search" && (call.phase == "create" || call.phase == "refresh"))
    return {{"box: The URL cache could not be read (error 5)."}, true};
  return {};
}

class FaultInjectionWinTest : public MainWindowTest {
 protected:
  void SetUp() override {
    win32::SetTopLevelErrorHandler([this](const std::string& message) {
      if (seen_) seen_->errors.push_back("box: " + message);
    });
  }
  void TearDown() override {
    Close();
    win32::SetTopLevelErrorHandler(nullptr);
  }

  // The sweep of `run`, each over a fresh machine that `run` opens its window on; what
  // the top-level handler shows goes to the run's errors.
  FaultSweep Sweep(const std::string& title,
                   const std::function<void(std::size_t failAt, FaultRun& seen)>& run) {
    return SweepFaults(title, plan, [&](std::size_t failAt) {
      FaultRun seen;
      seen_ = &seen;
      run(failAt, seen);
      Finish(seen);
      return seen;
    });
  }
  void Open() {
    ShlwapiMajorVersion = 0;
    machine = std::make_unique<Machine>(plan);
    OpenMainWindow(Ports{machine->locale, machine->shell, machine->files, machine->registry,
                         machine->history, machine->cache, desktop});
    // The timer's first tick reads the list again a second after start; that reading is
    // the refresh swept on its own, and no part of these runs.
    KillTimer(form->hwnd(), 1);
  }
  // What the window shows once the run is over; the window and machine then go.
  void Finish(FaultRun& seen) {
    PumpMessages();
    for (const std::string& line : activity->Lines())
      seen.lines.push_back({FaultRun::kUnstamped, line});
    TAdvListView& list = form->CookiePage().CookieList();
    seen.state = "listed:";
    for (int i = 0; i < list.ItemCount(); ++i) seen.state += " " + list.Item(i).Caption();
    const std::string count = win32::WindowText(form->CookiePage().CookieCountEdit());
    if (count != std::to_string(list.ItemCount()))
      seen.problems.push_back("the count says " + count + " of " + seen.state);
    for (const int id : {ToolButton1, ToolButton2, ToolButton5}) {
      if (form->CookiePage().ToolBar().IsEnabled(id) != (list.ItemCount() > 0))
        seen.problems.push_back("button " + std::to_string(id) + " does not follow the rows");
    }
    if (machine->cache.openSearches) seen.problems.push_back("a cache enumeration left open");
    Close();
  }
  void Close() {
    CloseMainWindow();
    machine.reset();
    seen_ = nullptr;
  }
  void Click(int id) { SendMessageA(form->hwnd(), WM_COMMAND, id, 0); }
  static std::string TablePath(const std::string& name) {
    return TestProgramFolder() + "fault-tables\\" + name + ".md";
  }
  // The rows of a run whose reading ended early are the first rows of the clean run's;
  // every other run lists them all.
  static void ExpectRowsReadSoFar(const FaultSweep& sweep) {
    for (std::size_t k = 1; k <= sweep.faulted.size(); ++k) {
      const FaultRun& run = sweep.faulted[k - 1];
      EXPECT_TRUE(run.errors.empty() ? run.state == sweep.clean.state
                                     : sweep.clean.state.starts_with(run.state))
          << "call " << k << ": " << run.state;
    }
  }

  FaultPlan plan;
  std::unique_ptr<Machine> machine;

 private:
  FaultRun* seen_ = nullptr;
};

TEST_F(FaultInjectionWinTest, StartUpRidesOutEveryFailureAndShowsWhatItCannot) {
  const FaultSweep sweep = Sweep("Start-up", [&](std::size_t failAt, FaultRun&) {
    plan.Start(failAt);
    plan.SetPhase("create");
    Open();
    // What showing the window runs, without the wait of mapping it on the display.
    plan.SetPhase("show");
    SendMessageA(form->hwnd(), WM_SHOWWINDOW, TRUE, 0);
    plan.SetPhase("activate");
    SendMessageA(form->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  });
  WriteFaultTable(TablePath("startup"), sweep);
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  EXPECT_EQ(sweep.clean.state, "listed: a.test b.test c.test d.test");
  EXPECT_THAT(SweepProblems(sweep, Expectation), IsEmpty());
  ExpectRowsReadSoFar(sweep);
}

TEST_F(FaultInjectionWinTest, RefreshKeepsTheRowsReadAndCountsThem) {
  const FaultSweep sweep = Sweep("Refresh of the cookie list", [&](std::size_t failAt, FaultRun&) {
    Open();
    plan.Start(failAt);
    plan.SetPhase("refresh");
    Click(ToolButton3);
  });
  WriteFaultTable(TablePath("cookie-refresh"), sweep);
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  EXPECT_THAT(SweepProblems(sweep, Expectation), IsEmpty());
  ExpectRowsReadSoFar(sweep);
}

TEST_F(FaultInjectionWinTest, TheCookieDeletionCountsOnlyWhatWentAndNamesWhatStayed) {
  FaultSweep sweep = Sweep("Cookie Clean Up", [&](std::size_t failAt, FaultRun& seen) {
    Open();
    TAdvListView& list = form->CookiePage().CookieList();
    list.Item(0).SetChecked(true);
    list.Item(2).SetChecked(true);
    plan.Start(failAt);
    Click(ToolButton5);

    // What the run says against what the cache did.
    int deleted = 0;
    for (const std::string address : {"Cookie:jane@a.test/", "Cookie:jane@c.test/"}) {
      const bool gone = std::ranges::count(machine->cache.deleted, address) == 1;
      deleted += gone;
      if (gone == (std::ranges::count(activity->Lines(), "Could Not Delete : " + address) == 1))
        seen.problems.push_back(address + (gone ? " named" : " not named"));
    }
    if (std::ranges::count(activity->Lines(), "Deleted " + std::to_string(deleted) + " Cookies") !=
        1)
      seen.problems.push_back("no line of the " + std::to_string(deleted) + " deleted");
    // A run that ends on an error leaves the activity window up; one that does not puts
    // it away with the bar back at 0, and the list, read again in full, shows what the
    // cache kept.
    const bool failed = !seen.errors.empty();
    if ((IsWindowVisible(activity->hwnd()) != 0) != failed)
      seen.problems.push_back("the activity window is not as the run ended");
    if (failed) return;
    if (SendMessageA(form->ProgressBarWindow(), PBM_GETPOS, 0, 0) != 0)
      seen.problems.push_back("the bar is not back at 0");
    if (list.ItemCount() != std::ranges::count_if(machine->cache.entries,
                                                  [](const auto& e) { return IsCookie(e.entry); }))
      seen.problems.push_back("rows other than the cache's");
  });
  // The deletions, then the list read again, then the gauges.
  const auto first = [&](const std::string& name) {
    std::size_t at = 0;
    while (sweep.clean.calls.at(at).name != name) ++at;
    return at;
  };
  const std::size_t refresh = first("UrlCache.Search");
  const std::size_t gauges = first("Shell.QueryRecycleBinSize");
  for (std::size_t at = 0; at < sweep.clean.calls.size(); ++at)
    sweep.clean.calls[at].phase = at < refresh ? "delete" : at < gauges ? "refresh" : "gauges";
  WriteFaultTable(TablePath("cookie-cleanup"), sweep);
  EXPECT_THAT(sweep.clean.errors, IsEmpty());
  EXPECT_EQ(sweep.clean.state, "listed: b.test d.test");
  EXPECT_THAT(SweepProblems(sweep, Expectation), IsEmpty());
}

}  // namespace
}  // namespace quillmere
