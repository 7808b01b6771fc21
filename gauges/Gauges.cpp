#include "gauges/Gauges.h"

#include "cleaners/BrowserCaches.h"
#include "cleaners/BrowserHistory.h"
#include "cleaners/CleanupRun.h"
#include "common/SizeFigure.h"
#include "history/UrlHistory.h"
#include "platform/UrlCacheWalk.h"

namespace quillmere {

namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// The recycle bin of drive C: is the one this path selects.
const char* const kRecycleBinRoot = "C:\\WINDOWS\\SYSTEM32";

}  // namespace

void SizeRecycleBin(GaugeBoard& board, const Shell& shell) {
  const std::int64_t size = shell.QueryRecycleBinSize(kRecycleBinRoot).value_or(0);
  const std::string figure = size < 0 ? "0 KB" : SizeFigure(static_cast<std::uint64_t>(size));
  board.AppendToTask(kRecycleBinTask, Blanks(44) + figure);
}

void CountHistory(GaugeBoard& board, TUrlHistory& history) {
  board.AppendToTask(kHistoryTask, Blanks(17) + std::to_string(history.Refresh()) + " Entries");
}

std::uint64_t CacheBytes(UrlCache& cache) {
  // Summed in 64 bits: a cache past 4 GB must not wrap round to a small figure.
  std::uint64_t total = 0;
  ForEachUrlCacheEntryUntilFailure(cache, [&](const UrlCacheEntry& entry) { total += entry.size; });
  return total;
}

void SizeCache(GaugeBoard& board, UrlCache& cache, RunReport& report) {
  report.ShowStatus("Sizing IE Cache");
  board.AppendToTask(kCachePagesTask, Blanks(21) + SizeFigure(CacheBytes(cache)));
  report.ShowStatus("Finished Sizing IE Cache");
}

std::optional<int> UsedPercent(const DriveSpace& space) {
  const std::int64_t part = space.totalBytes / 100;
  if (part <= 0 || space.freeBytes < 0) return std::nullopt;
  return static_cast<int>((space.totalBytes - space.freeBytes) / part);
}

void ShowDiskSpace(GaugeBoard& board, const Files& files, RunReport& report) {
  const DriveSpace space = files.CurrentDriveSpace();
  const auto used = UsedPercent(space);
  if (!used) {
    report.ShowStatus("Hard Disk Space Could Not Be Read. ");
    return;
  }
  board.SetPiePosition(*used);
  const std::int64_t free = space.freeBytes;
  const std::string head = "Hard Disk Is " + std::to_string(100 - *used) + " % Free   :   ";
  if (free / 1024 <= 1024) {
    report.ShowStatus(head + std::to_string(free / 1024) + " KBytes Free Space. ");
  } else {
    report.ShowStatus(head + std::to_string(free / 1048576) + " MBytes Free Space. ");
  }
}

void MeasureBrowsers(GaugeBoard& board, const Files& files, const Shell& shell) {
  constexpr std::size_t kGap = 4;  // the captions are long; the figure follows closely
  struct Browsers {
    BrowserFamily family;
    int cacheTask;
    int historyTask;
  };
  for (const Browsers& browsers :
       {Browsers{BrowserFamily::kChromium, kChromiumCacheTask, kChromiumHistoryTask},
        Browsers{BrowserFamily::kFirefox, kFirefoxCacheTask, kFirefoxHistoryTask}}) {
    board.AppendToTask(browsers.cacheTask,
                       Blanks(kGap) + SizeFigure(BrowserCacheBytes(browsers.family, files, shell)));
    board.AppendToTask(browsers.historyTask,
                       Blanks(kGap) +
                           std::to_string(CountBrowserHistoryPages(browsers.family, files, shell)) +
                           " Entries");
  }
}

void RefreshGauges(GaugeBoard& board, const GaugeSources& sources, RunReport& report) {
  board.FillTaskList();
  SizeRecycleBin(board, sources.shell);
  CountHistory(board, sources.history);
  SizeCache(board, sources.cache, report);
  MeasureBrowsers(board, sources.files, sources.shell);
  ShowDiskSpace(board, sources.files, report);
}

}  // namespace quillmere
