#include "console/TargetRun.h"

#include <exception>

#include "cleaners/CleanupRun.h"
#include "cleaners/HistoryPurge.h"
#include "console/RecordingPorts.h"
#include "console/Targets.h"
#include "cookies/CookieEraser.h"
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

}  // namespace

bool RunTargets(const Ports& ports, const std::vector<std::size_t>& targets, Ledger::Mode mode,
                const CookieKeepList& keep, RunListener& listener) {
  Totals totals;
  Ledger ledger(mode, [&](const LedgerItem& item) {
    totals.Add(item);
    listener.Item(item);
  });
  RecordingPorts recording(ports, ledger, keep);
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
      .showMessage = [&report](const std::string& message) { report.ShowError(message); }};

  bool allWell = true;
  for (const std::size_t index : targets) {
    const std::string id = kTargets[index].id;
    ledger.SetTarget(id);
    report.Start(id);
    totals = {};
    try {
      if (index == kCookiesTarget) {
        DeleteEveryCookie(traced.urlCache, report);
      } else {
        RunCleanupTask(static_cast<int>(index), services);
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
