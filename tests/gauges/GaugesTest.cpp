#include "gauges/Gauges.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "cleaners/CleanupRun.h"
#include "history/UrlHistory.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeUrlCache.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using namespace quillmere::testing;

// The task list and the pie as the gauges see them.
class Board final : public GaugeBoard {
 public:
  void FillTaskList() override {
    captions = std::vector<std::string>(kCleanupTaskCount, "base");
    events.push_back("fill");
  }
  void AppendToTask(int index, std::string_view text) override {
    captions.at(index) += text;
    events.push_back("task " + std::to_string(index));
  }
  void SetPiePosition(int position) override {
    pie = position;
    events.push_back("pie");
  }
  std::vector<std::string> captions = std::vector<std::string>(kCleanupTaskCount, "base");
  std::vector<std::string> events;
  int pie = 64;
};

std::string Blanks(int n) { return std::string(n, ' '); }

class GaugesTest : public ::testing::Test {
 protected:
  void Sizes(std::initializer_list<std::uint64_t> sizes) {
    cache.entries.clear();
    int n = 0;
    for (const std::uint64_t size : sizes) {
      // Entries of every type count.
      cache.Add("http://cache.example/" + std::to_string(n), n % 2 ? kCookieCacheEntry : 0);
      cache.entries.back().entry.size = size;
      ++n;
    }
  }
  std::string CacheCaption() {
    SizeCache(board, cache, report);
    return board.captions[kCachePagesTask];
  }
  std::string BinCaption() {
    SizeRecycleBin(board, shell);
    return board.captions[kRecycleBinTask];
  }
  std::string DiskLine() {
    report.lines.clear();
    ShowDiskSpace(board, files, report);
    return report.lines.at(0);
  }

  Board board;
  FakeUrlCache cache;
  FakeShell shell;
  FakeFiles files;
  FakeRunReport report;
  FakeLocaleTime locale;
  FakeHistoryStore store;
  TUrlHistory history{store, locale};
};

TEST_F(GaugesTest, TheCacheSumsEveryEntry) {
  Sizes({1'000'000, 49'599, 0});
  EXPECT_EQ(CacheCaption(), "base" + Blanks(21) + "1024 KB");
  EXPECT_THAT(report.lines, ElementsAre("Sizing IE Cache", "Finished Sizing IE Cache"));
  EXPECT_EQ(cache.openSearches, 0);
  Sizes({1'049'600});
  board.FillTaskList();
  EXPECT_EQ(CacheCaption(), "base" + Blanks(21) + "1 MB");
}

TEST_F(GaugesTest, ACacheBeyondFourGigabytesIsNotWrappedRound) {
  Sizes({0xFFFF'FFFFull, 0xFFFF'FFFFull, 3ull << 32});
  EXPECT_EQ(CacheBytes(cache), 0x4'FFFF'FFFEull);
  EXPECT_EQ(CacheCaption(), "base" + Blanks(21) + "20479 MB");
}

TEST_F(GaugesTest, AnEmptyCacheShowsZeroAndOpensNothing) {
  EXPECT_EQ(CacheCaption(), "base" + Blanks(21) + "0 KB");
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(GaugesTest, TheCacheSumStopsAtTheFirstFetchThatFails) {
  Sizes({1000 * 1024, 24 * 1024, 5'000'000});
  cache.failWith = 5;  // access denied from the third entry on
  cache.failFrom = 2;
  EXPECT_EQ(CacheCaption(), "base" + Blanks(21) + "1024 KB");
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(GaugesTest, TheRecycleBinOfDriveCIsSized) {
  shell.recycleBinSize = 2'000'000;
  EXPECT_EQ(BinCaption(), "base" + Blanks(44) + "1 MB");
  EXPECT_EQ(shell.lastRecycleBinRoot, "C:\\WINDOWS\\SYSTEM32");
  board.FillTaskList();
  shell.recycleBinSize = 1'048'576;
  EXPECT_EQ(BinCaption(), "base" + Blanks(44) + "1024 KB");
  board.FillTaskList();
  shell.recycleBinSize = std::nullopt;  // no shell32 query
  EXPECT_EQ(BinCaption(), "base" + Blanks(44) + "0 KB");
}

TEST_F(GaugesTest, TheHistoryCountIsReadAnew) {
  store.Add("http://a/", "a");
  store.Add("http://b/", "b");
  CountHistory(board, history);
  EXPECT_EQ(board.captions[kHistoryTask], "base" + Blanks(17) + "2 Entries");
  EXPECT_EQ(store.passes, 1);
}

TEST_F(GaugesTest, DiskSpaceSetsThePieAndWritesTheFreeShare) {
  files.driveSpace = {.freeBytes = 50'000'000'000, .totalBytes = 200'000'000'000};
  EXPECT_EQ(DiskLine(), "Hard Disk Is 25 % Free   :   47683 MBytes Free Space. ");
  EXPECT_EQ(board.pie, 75);
  files.driveSpace = {.freeBytes = 1'048'576, .totalBytes = 100'000'000};
  EXPECT_EQ(DiskLine(), "Hard Disk Is 2 % Free   :   1024 KBytes Free Space. ");
  EXPECT_EQ(board.pie, 98);
  files.driveSpace = {.freeBytes = 1'049'600, .totalBytes = 100'000'000};
  EXPECT_EQ(DiskLine(), "Hard Disk Is 2 % Free   :   1 MBytes Free Space. ");
}

TEST_F(GaugesTest, AnUnreadableOrTinyDriveLeavesThePieAndSaysSo) {
  for (const DriveSpace space : {DriveSpace{}, DriveSpace{.freeBytes = 10, .totalBytes = 99},
                                 DriveSpace{.freeBytes = -1, .totalBytes = 1000}}) {
    files.driveSpace = space;
    EXPECT_EQ(DiskLine(), "Hard Disk Space Could Not Be Read. ");
    EXPECT_EQ(board.pie, 64);
  }
  files.driveSpace = {.freeBytes = 0, .totalBytes = 100};
  EXPECT_EQ(DiskLine(), "Hard Disk Is 0 % Free   :   0 KBytes Free Space. ");
  EXPECT_EQ(board.pie, 100);
}

TEST_F(GaugesTest, RefreshRebuildsTheCaptionsThenMeasuresInOrder) {
  store.Add("http://a/", "a");
  shell.recycleBinSize = 4096;
  Sizes({2048});
  files.driveSpace = {.freeBytes = 50'000'000'000, .totalBytes = 200'000'000'000};
  const GaugeSources sources{shell, history, cache, files};
  for (int run = 0; run < 2; ++run) {
    board.events.clear();
    report.lines.clear();
    RefreshGauges(board, sources, report);
    EXPECT_THAT(board.events, ElementsAre("fill", "task 6", "task 1", "task 2", "task 9", "task 10",
                                          "task 11", "task 12", "pie"));
    EXPECT_EQ(board.captions[1], "base" + Blanks(17) + "1 Entries");
    EXPECT_EQ(board.captions[2], "base" + Blanks(21) + "2 KB");
    EXPECT_EQ(board.captions[6], "base" + Blanks(44) + "4 KB");
    EXPECT_THAT(report.lines,
                ElementsAre("Sizing IE Cache", "Finished Sizing IE Cache",
                            "Hard Disk Is 25 % Free   :   47683 MBytes Free Space. "));
  }
}

}  // namespace
}  // namespace quillmere
