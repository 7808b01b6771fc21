#include "console/TargetRun.h"

#include <exception>

#include "cleaners/CleanupRun.h"
#include "cleaners/HistoryPurge.h"
#include "console/RecordingPorts.h"
#include "console/Targets.h"
#include "console/RecordingBatchRemoval.h"
#include "console/RecordingCookieStore.h"
#include "cookies/BrowserCookieStore.h"
#include "cookies/CookieDeletion.h"
#include "cookies/UrlCacheCookieStore.h"
#include "history/UrlHistory.h"

namespace quillmere {
namespace {

// The run report of a console run: lines go to the listener under the target that
// writes them; there is no progress bar.
class TargetReport final : public RunReport {
 public:
  explicit TargetReport(RunListener& listener) : listener_(listener) {}

  void Start(std::string target) {
    target_ = std::move(target);
    failed_ = false;
  }
  bool failed() const { return failed_; }

  void ShowStatus(std::string_view message) override { listener_.Activity(target_, message); }
  void ShowError(std::string_view message) override {
    failed_ = true;
    listener_.Error(target_, message);
  }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}

 private:
  RunListener& listener_;
  std::string target_;
  bool failed_ = false;
};

// Deletes every cookie of `store` that the run does not keep; a store that is held
// or cannot be written fails the target with a line naming it.
void CleanCookieStore(CookieStore& store, Ledger& ledger, const CookieKeepList& keep,
                      RunReport& report) {
  RecordingCookieStore recording(store, ledger, keep);
  try {
    for (const StoreFailure& failure : DeleteEveryCookie(recording, report).failures)
      report.ShowError(failure.message);
  } catch (const std::exception& error) {
    report.ShowError(error.what());
  }
}

// Every profile of the family's browsers, one after another: one that fails does
// not keep the others from being cleaned. A browser that is not installed has none.
void CleanBrowserCookies(BrowserFamily family, const Ports& ports, Ledger& ledger,
                         const CookieKeepList& keep, RunReport& report, RunListener& listener,
                         const std::string& target) {
  for (const auto& store : BrowserCookieStores(FindProfiles(family, ports.files, ports.shell))) {
    listener.StoreStarted(target, store->Name());
    CleanCookieStore(*store, ledger, keep, report);
  }
}

}  // namespace

bool RunTargets(const Ports& ports, const std::vector<std::size_t>& targets, Ledger::Mode mode,
                const CookieKeepList& keep, RunListener& listener) {
  Totals totals;
  Ledger ledger(mode, [&](const LedgerItem& item) {
    totals.Add(item);
    listener.Item(item);
  });
  RecordingPorts recording(ports, ledger, keep);
  RecordingBatchRemoval databases(ledger);
  const Ports traced = recording.ports();
  TargetReport report(listener);
  TUrlHistory history(traced.historyStore, traced.localeTime);
  history.OnDelete = [&report](const std::string&, const std::string& Url, TDateTime, TDateTime,
                               TDateTime,
                               bool& Delete) { ApproveHistoryDeletion(report, Url, Delete); };
  const CleanupServices services{
      .ports = traced,
      .history = history,
      .report = report,
      .ownerWindow = 0,
      .showMessage = [&report](const std::string& message) { report.ShowError(message); },
      .databases = &databases};

  bool allWell = true;
  for (const std::size_t index : targets) {
    const std::string id = kTargets[index].id;
    ledger.SetTarget(id);
    report.Start(id);
    totals = {};
    try {
      if (index == kCookiesTarget) {
        UrlCacheCookieStore cache(traced.urlCache);
        for (const StoreFailure& failure : DeleteEveryCookie(cache, report).failures)
          report.ShowError(failure.message);
      } else if (index == kChromiumCookiesTarget || index == kFirefoxCookiesTarget) {
        CleanBrowserCookies(
            index == kChromiumCookiesTarget ? BrowserFamily::kChromium : BrowserFamily::kFirefox,
            traced, ledger, keep, report, listener, id);
      } else {
        RunCleanupTask(kTargets[index].task, services);
      }
    } catch (const std::exception& error) {
      report.ShowError(error.what());
    } catch (...) {
      report.ShowError("An unknown error ended the target.");
    }
    allWell = allWell && !report.failed();
    listener.TargetDone(id, totals);
  }
  return allWell;
}

}  // namespace quillmere
