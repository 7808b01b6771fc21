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
using Sources = std::vector<std::string>;

class UrlCacheWalkTest : public ::testing::Test {
 protected:
  Sources Walk() {
    Sources seen;
    ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { seen.push_back(e.sourceUrl); });
    return seen;
  }
  Sources WalkUntilFailure() {
    Sources seen;
    ForEachUrlCacheEntryUntilFailure(cache,
                                     [&](const UrlCacheEntry& e) { seen.push_back(e.sourceUrl); });
    return seen;
  }
  void AddThree() {
    for (const char* url : {"Cookie:a@one.test/", "Cookie:a@two.test/", "Cookie:a@three.test/"})
      cache.Add(url);
  }

  FakeUrlCache cache;
};

TEST_F(UrlCacheWalkTest, AnEmptyCacheGivesNothingToEitherWalkAndLeavesNothingOpen) {
  EXPECT_TRUE(Walk().empty());
  EXPECT_TRUE(WalkUntilFailure().empty());
  EXPECT_EQ(cache.searches, 2);
  EXPECT_EQ(cache.openSearches, 0);
}

// The cookie list's walk asks again for an entry that changed under it; the sizing
// and clean-up walk ends there.
TEST_F(UrlCacheWalkTest, AnEntryThatChangesIsAskedAgainByOneWalkAndEndsTheOther) {
  AddThree();
  cache.entries[0].changesOnce = true;
  cache.entries[1].changesOnce = true;
  EXPECT_EQ(Walk(), (Sources{"Cookie:a@one.test/", "Cookie:a@two.test/", "Cookie:a@three.test/"}));
  cache.entries[2].changesOnce = true;
  EXPECT_EQ(WalkUntilFailure(), (Sources{"Cookie:a@one.test/", "Cookie:a@two.test/"}));
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, ACacheThatKeepsFailingIsGivenUpAfterTheBoundAndClosed) {
  cache.Add("Cookie:a@kept.test/");
  cache.Add("Cookie:a@never.test/");
  cache.failWith = 1;  // an error that is neither 122, 259 nor 87
  cache.failFrom = 1;
  Sources seen;
  EXPECT_THROW(
      ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { seen.push_back(e.sourceUrl); }),
      std::runtime_error);
  EXPECT_EQ(seen, (Sources{"Cookie:a@kept.test/"}));
  EXPECT_EQ(cache.nextCalls, kMaxFailedPasses);
  EXPECT_EQ(cache.openSearches, 0);
  EXPECT_EQ(WalkUntilFailure(), (Sources{"Cookie:a@kept.test/"}));
}

TEST_F(UrlCacheWalkTest, AFirstEntryThatFailsOtherwiseThanForAnEmptyCacheIsAnError) {
  cache.Add("Cookie:a@one.test/");
  FaultPlan plan;
  cache.faults = &plan;
  plan.Start(1);
  std::string error;
  try {
    Walk();
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "The URL cache could not be read (error 5).");
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, InvalidParameterAndNoMoreItemsEndTheWalkQuietly) {
  cache.Add("Cookie:a@one.test/");
  cache.Add("Cookie:a@two.test/");
  cache.failWith = kErrorInvalidParameter;
  cache.failFrom = 1;
  EXPECT_EQ(Walk(), (Sources{"Cookie:a@one.test/"}));
  EXPECT_EQ(cache.nextCalls, 1);
  EXPECT_EQ(cache.openSearches, 0);
}

TEST_F(UrlCacheWalkTest, AnErrorOfTheVisitorEndsTheWalkAndClosesTheEnumeration) {
  AddThree();
  int visits = 0;
  const auto failOnSecond = [&](const UrlCacheEntry&) {
    if (++visits == 2) throw std::runtime_error("out of memory");
  };
  EXPECT_THROW(ForEachUrlCacheEntry(cache, failOnSecond), std::runtime_error);
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(cache.openSearches, 0);
  const auto failAtOnce = [&](const UrlCacheEntry&) { throw std::runtime_error("x"); };
  EXPECT_THROW(ForEachUrlCacheEntry(cache, failAtOnce), std::runtime_error);
  EXPECT_THROW(ForEachUrlCacheEntryUntilFailure(cache, failAtOnce), std::runtime_error);
  EXPECT_EQ(cache.openSearches, 0);
}

}  // namespace
}  // namespace quillmere
