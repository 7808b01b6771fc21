#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/RunReport.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/UrlCache.h"

namespace quillmere {

class TUrlHistory;

// The tasks whose captions carry a gauge figure.
inline constexpr int kHistoryTask = 1;
inline constexpr int kCachePagesTask = 2;
inline constexpr int kRecycleBinTask = 6;

// Where the gauges show: the task list's captions and the pie, both of the main
// window, which measures into them.
class GaugeBoard {
 public:
  virtual ~GaugeBoard() = default;
  // The nine base captions anew, every tick cleared.
  virtual void FillTaskList() = 0;
  virtual void AppendToTask(int index, std::string_view text) = 0;
  virtual void SetPiePosition(int position) = 0;
};

// What the gauges measure.
struct GaugeSources {
  const Shell& shell;
  TUrlHistory& history;
  UrlCache& cache;
  const Files& files;
};

void SizeRecycleBin(GaugeBoard& board, const Shell& shell);
void CountHistory(GaugeBoard& board, TUrlHistory& history);
void SizeCache(GaugeBoard& board, UrlCache& cache, RunReport& report);
void ShowDiskSpace(GaugeBoard& board, const Files& files, RunReport& report);
// The size of today's browsers' caches and the pages in their histories.
void MeasureBrowsers(GaugeBoard& board, const Files& files, const Shell& shell);

// Every gauge, in the order the captions and the status line build up.
void RefreshGauges(GaugeBoard& board, const GaugeSources& sources, RunReport& report);

// The total size of every entry of the cache, whatever its type.
std::uint64_t CacheBytes(UrlCache& cache);

// The used share of a drive in whole per cent; nullopt when its size is unknown
// or too small to divide into a hundred parts.
std::optional<int> UsedPercent(const DriveSpace& space);

}  // namespace quillmere
