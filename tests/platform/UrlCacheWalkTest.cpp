#include "platform/UrlCacheWalk.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/FakeUrlCache.h"

namespace quillmere {
namespace {

using testing::FakeUrlCache;
using testing::FaultPlan;

class UrlCacheWalkTest : public ::testing::Test {
 protected:
  std::vector<std::string> Walk() {
    std::vector<std::string> seen;
    ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { seen.push_back(e.sourceUrl); });
    return seen;
  }
  void ExpectEveryFetchExactlyAsAsked() {
    for (const auto& f : cache.fetches) EXPECT_EQ(f.buffer, f.asked);
  }

  FakeUrlCache cache;
};

TEST_F(UrlCacheWalkTest, AnEmptyCacheGivesNothingAndLeavesNothingOpen) {
  EXPECT_TRUE(Walk().empty());
  EXPECT_EQ(cache.findFirstCalls, 1);
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, GivesEveryEntryInCacheOrderEachInABufferOfTheSizeAsked) {
  cache.Add("Cookie:a@one.test/");
  cache.Add("http://two.test/page.html", 0);
  cache.Add("Visited:a@http://three.test/", kUrlHistoryCacheEntry);
  cache.entries[1].entry.size = 1234;
  std::vector<UrlCacheEntry> seen;
  ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { seen.push_back(e); });
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].sourceUrl, "Cookie:a@one.test/");
  EXPECT_EQ(seen[1].size, 1234u);
  EXPECT_EQ(seen[2].entryType, kUrlHistoryCacheEntry);
  EXPECT_EQ(cache.fetches.size(), 3u);
  ExpectEveryFetchExactlyAsAsked();
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, AnEntryThatGrowsBetweenItsSizeAndItsFetchIsReadOnceAtItsNewSize) {
  for (const char* url : {"Cookie:a@first.test/", "Cookie:a@second.test/", "Cookie:a@third.test/"})
    cache.Add(url);
  cache.entries[0].growsBy = 16;
  cache.entries[1].growsBy = 300;
  EXPECT_EQ(Walk(), (std::vector<std::string>{"Cookie:a@first.test/", "Cookie:a@second.test/",
                                              "Cookie:a@third.test/"}));
  ExpectEveryFetchExactlyAsAsked();
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, ACacheThatKeepsFailingIsGivenUpAfterTheBoundAndClosed) {
  cache.Add("Cookie:a@kept.test/");
  cache.Add("Cookie:a@never.test/");
  cache.failWith = 1;  // an error that is neither 122, 259 nor 87
  cache.failFrom = 1;
  std::vector<std::string> seen;
  EXPECT_THROW(
      ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { seen.push_back(e.sourceUrl); }),
      std::runtime_error);
  EXPECT_EQ(seen, (std::vector<std::string>{"Cookie:a@kept.test/"}));
  EXPECT_EQ(cache.nextCalls, kMaxFailedPasses);
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, AFirstEntryThatFailsOtherwiseThanForAnEmptyCacheIsAnError) {
  cache.Add("Cookie:a@one.test/");
  FaultPlan plan;
  cache.faults = &plan;
  for (const std::size_t call : {1, 2}) {  // the size query, then the fetch
    plan.Start(call);
    std::string error;
    try {
      Walk();
    } catch (const std::runtime_error& e) {
      error = e.what();
    }
    EXPECT_EQ(error, "The URL cache could not be read (error 5).") << call;
    EXPECT_EQ(cache.openSearches, 0);
  }
}

TEST_F(UrlCacheWalkTest, InvalidParameterAndNoMoreItemsEndTheWalkQuietly) {
  cache.Add("Cookie:a@one.test/");
  cache.Add("Cookie:a@two.test/");
  cache.failWith = kErrorInvalidParameter;
  cache.failFrom = 1;
  EXPECT_EQ(Walk(), (std::vector<std::string>{"Cookie:a@one.test/"}));
  EXPECT_EQ(cache.nextCalls, 1);
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, AnErrorOfTheVisitorEndsTheWalkAndClosesTheEnumeration) {
  for (const char* url : {"Cookie:a@one.test/", "Cookie:a@two.test/", "Cookie:a@three.test/"})
    cache.Add(url);
  int visits = 0;
  const auto failOnSecond = [&](const UrlCacheEntry&) {
    if (++visits == 2) throw std::runtime_error("out of memory");
  };
  EXPECT_THROW(ForEachUrlCacheEntry(cache, failOnSecond), std::runtime_error);
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(cache.openSearches, 0);
  visits = 5;  // the first entry fails too: still closed
  const auto failAtOnce = [&](const UrlCacheEntry&) { throw std::runtime_error("x"); };
  EXPECT_THROW(ForEachUrlCacheEntry(cache, failAtOnce), std::runtime_error);
  EXPECT_EQ(cache.openSearches, 0);
}

}  // namespace
}  // namespace quillmere
