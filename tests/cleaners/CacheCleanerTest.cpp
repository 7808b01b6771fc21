#include "cleaners/CacheCleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/FakeUrlCache.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using testing::FakeUrlCache;
using ::testing::IsEmpty;

TEST(DeleteCachedPages, DeletesEveryEntryOfEveryTypeEachBeforeTheNextIsRead) {
  FakeUrlCache cache;
  cache.Add("Cookie:user@example.com/");
  cache.Add("http://example.com/page.htm", 0);
  cache.Add("http://example.com/logo.gif", kUrlHistoryCacheEntry);
  std::vector<std::string> deletedBeforeNextRead;
  cache.onDelete = [&](const std::string& url) {
    deletedBeforeNextRead.push_back(url + " after " + std::to_string(cache.nextCalls));
  };

  DeleteCachedPages(cache);

  EXPECT_THAT(cache.deleted, ElementsAre("Cookie:user@example.com/", "http://example.com/page.htm",
                                         "http://example.com/logo.gif"));
  EXPECT_THAT(deletedBeforeNextRead,
              ElementsAre("Cookie:user@example.com/ after 0", "http://example.com/page.htm after 1",
                          "http://example.com/logo.gif after 2"));
  EXPECT_EQ(cache.openSearches, 0);
}

TEST(DeleteCachedPages, AnEmptyCacheIsStillClosedAndAFailureEndsTheLoop) {
  FakeUrlCache empty;
  DeleteCachedPages(empty);
  EXPECT_THAT(empty.deleted, IsEmpty());
  EXPECT_EQ(empty.openSearches, 0);

  FakeUrlCache failing;
  failing.Add("http://a.example/", 0);
  failing.Add("http://b.example/", 0);
  failing.Add("http://c.example/", 0);
  failing.undeletable = {"http://a.example/", "http://b.example/"};
  failing.failWith = 6;  // an invalid handle, say
  failing.failFrom = 2;
  DeleteCachedPages(failing);
  // Both refusals were passed over; the failure ended the walk before the third.
  EXPECT_THAT(failing.deleted, IsEmpty());
  EXPECT_EQ(failing.nextCalls, 2);
  EXPECT_EQ(failing.entries.size(), 3u);
  EXPECT_EQ(failing.openSearches, 0);
}

}  // namespace
}  // namespace quillmere
