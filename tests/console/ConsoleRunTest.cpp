// The recording ports under a preview and a clean of every target.
#include "console/TargetRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "console/RecordingUrlCache.h"
#include "console/Targets.h"
#include "tests/console/ConsoleWorld.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

struct Collector final : public RunListener {
  void Activity(const std::string&, std::string_view line) override { lines.emplace_back(line); }
  void Error(const std::string& target, std::string_view message) override {
    errors.push_back(target + ": " + std::string(message));
  }
  void Item(const LedgerItem& item) override { items.push_back(item); }
  void TargetDone(const std::string&, const Totals&) override {}
  void StoreStarted(const std::string&, const std::string& store) override {
    stores.push_back(store);
  }

  // Each item as "target  name".
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const LedgerItem& item : items) names.push_back(item.target + "  " + item.name);
    return names;
  }
  std::vector<Outcome> Outcomes() const {
    std::vector<Outcome> outcomes;
    for (const LedgerItem& item : items) outcomes.push_back(item.outcome);
    return outcomes;
  }

  std::vector<std::string> lines;
  std::vector<std::string> errors;
  std::vector<LedgerItem> items;
  std::vector<std::string> stores;
};

std::vector<std::size_t> Every() {
  std::vector<std::size_t> all(kTargets.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  return all;
}

Collector RunAll(TraceWorld& world, Ledger::Mode mode, const std::vector<std::size_t>& targets,
                 const CookieKeepList& keep = {}) {
  Collector collector;
  EXPECT_TRUE(RunTargets(world.ports, targets, mode, keep, collector));
  return collector;
}

std::size_t Target(std::string_view id) { return *FindTarget(id); }

const std::vector<std::string> kEveryTrace = {
    "typed-urls  HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs\\url2 = "
    "http://typed2.example/",
    "typed-urls  HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs\\url1 = "
    "http://typed.example/",
    "url-history  http://visited.example/",
    "url-history  C:\\Users\\me\\History\\Today\\index.dat",
    "url-history  C:\\Users\\me\\History\\link",
    "cached-pages  http://cleanup.test/page.htm",
    "cached-pages  Cookie:me@example.org/",
    "cached-pages  Cookie:me@www.example.org/",
    "cached-pages  Cookie:me@badexample.org/",
    "media-player  HKCU\\Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList\\File0 = "
    "C:\\music\\song.mp3",
    "run-history  HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU\\a = "
    "notepad\\1",
    "recent-documents  C:\\Users\\me\\Recent\\letter.lnk",
    "recycle-bin  C:\\tmp\\old.txt",
    "netscape  c:\\Program Files\\Netscape\\Users\\default\\cache\\page.htm",
    "netscape  c:\\Program Files\\Netscape\\Users\\default\\cookies.txt",
    "aol  C:\\AOL40\\CACHE\\aolpage.htm",
};

TEST(ConsoleRun, ACleanRemovesExactlyWhatThePreviewListedAndNothingElse) {
  TraceWorld world;
  const Collector preview = RunAll(world, Ledger::Mode::kPreview, Every());
  // Every trace once: the visit goes with the history, so the cached pages do not
  // list it again, and the cookies are gone with the cached pages.
  EXPECT_EQ(preview.Names(), kEveryTrace);
  EXPECT_EQ(preview.items[3].size, 3000u);
  EXPECT_EQ(preview.items[4].outcome, Outcome::kSkipped);  // the link is never entered
  EXPECT_THAT(world.files.removed, IsEmpty());
  EXPECT_THAT(world.cache.deleted, IsEmpty());
  EXPECT_THAT(world.registry.deleted, IsEmpty());
  EXPECT_EQ(world.shell.emptyCalls + world.shell.clearRecentCalls, 0);

  const Collector clean = RunAll(world, Ledger::Mode::kClean, Every());
  EXPECT_EQ(clean.Names(), preview.Names());
  for (std::size_t i = 0; i < clean.items.size(); ++i) {
    EXPECT_EQ(clean.items[i].size, preview.items[i].size) << i;
    EXPECT_EQ(clean.items[i].outcome, i == 4 ? Outcome::kSkipped : Outcome::kRemoved)
        << clean.Names()[i];
  }
  EXPECT_THAT(clean.lines, Contains("Could Not Delete : link"));  // as the window says it
  EXPECT_THAT(clean.lines, Contains("Deleted 0 Cookies"));
  EXPECT_THAT(world.cache.entries, IsEmpty());
  EXPECT_THAT(world.registry.ValueNames(kTypedUrlsKey), IsEmpty());
  EXPECT_THAT(world.registry.ValueNames(std::string(kTypedUrlsKey) + "\\Sub"), ElementsAre("kept"));
  EXPECT_THAT(world.shell.recycled, IsEmpty());
  EXPECT_THAT(world.shell.recent, IsEmpty());
  for (const char* kept :
       {"C:\\Users\\me\\History\\Today", "C:\\Users\\me\\History\\link\\canary.txt",
        "C:\\Users\\me\\notes.txt", "C:\\AOL40\\canary.txt",
        "C:\\Program Files\\Netscape\\Users\\default\\cache"}) {
    EXPECT_TRUE(world.files.Exists(kept)) << kept;
  }
  EXPECT_EQ(world.files.removed.size(), 4u);
  EXPECT_THAT(preview.errors, IsEmpty());
  EXPECT_THAT(clean.errors, IsEmpty());
}

TEST(ConsoleRun, WhatStaysIsAFailureOfTheItemThatStayed) {
  TraceWorld world;
  world.files.undeletable.insert("c:\\aol40\\cache\\aolpage.htm");
  world.cache.undeletable.insert("Cookie:me@badexample.org/");
  world.shell.stuck.insert("C:\\tmp\\old.txt");
  const std::vector<std::size_t> targets = {Target("cached-pages"), Target("recycle-bin"),
                                            Target("aol")};
  const Collector preview = RunAll(world, Ledger::Mode::kPreview, targets);
  const Collector clean = RunAll(world, Ledger::Mode::kClean, targets);
  EXPECT_EQ(clean.Names(), preview.Names());
  EXPECT_THAT(preview.Outcomes(), Not(Contains(Outcome::kFailed)));
  EXPECT_THAT(clean.Outcomes(),
              ElementsAre(Outcome::kRemoved, Outcome::kRemoved, Outcome::kRemoved, Outcome::kFailed,
                          Outcome::kRemoved, Outcome::kFailed, Outcome::kFailed));
  EXPECT_THAT(clean.lines, Contains("Could Not Delete : aolpage.htm"));
}

TEST(ConsoleRun, KeptCookiesAreInNoTargetAndCannotBeDeleted) {
  TraceWorld world;
  CookieKeepList keep;
  ASSERT_TRUE(keep.Add("Example.org"));
  const std::vector<std::size_t> targets = {Target("cached-pages"), Target("cookies")};
  const Collector preview = RunAll(world, Ledger::Mode::kPreview, targets, keep);
  const Collector clean = RunAll(world, Ledger::Mode::kClean, targets, keep);
  EXPECT_EQ(clean.Names(), preview.Names());
  EXPECT_THAT(clean.Names(), ElementsAre("cached-pages  http://cleanup.test/page.htm",
                                         "cached-pages  Cookie:me@badexample.org/",
                                         "cached-pages  Visited: me@http://visited.example/"));
  EXPECT_THAT(world.cache.deleted,
              ElementsAre("http://cleanup.test/page.htm", "Cookie:me@badexample.org/",
                          "Visited: me@http://visited.example/"));
  EXPECT_THAT(clean.lines, Contains("Deleted 0 Cookies"));

  // Not even a deletion by name reaches a kept cookie, listed or not.
  Ledger ledger(Ledger::Mode::kClean);
  std::set<std::string> goneVisits;
  world.cache.Add("Cookie:me@shop.example.org/");
  RecordingUrlCache cache(world.cache, ledger, keep, goneVisits);
  EXPECT_FALSE(cache.DeleteEntry("Cookie:me@shop.example.org/"));
  EXPECT_FALSE(cache.DeleteEntry("Cookie:me@example.org/"));
  EXPECT_THAT(ledger.Items(), IsEmpty());
  EXPECT_EQ(world.cache.entries.size(), 3u);
}

TEST(ConsoleRun, AUrlVisitedUnderTwoNamesIsOneItemThatGoesAtOnce) {
  TraceWorld world;
  world.cache.Add("Visited: you@http://visited.example/", kUrlHistoryCacheEntry);
  const Collector preview = RunAll(world, Ledger::Mode::kPreview, {Target("url-history")});
  const Collector clean = RunAll(world, Ledger::Mode::kClean, {Target("url-history")});
  EXPECT_EQ(clean.Names(), preview.Names());
  EXPECT_EQ(clean.Names().front(), "url-history  http://visited.example/");
  EXPECT_THAT(clean.Outcomes(), Not(Contains(Outcome::kFailed)));
  EXPECT_EQ(world.cache.deleted.size(), 2u);
}

TEST(ConsoleRun, AnErrorEndsItsTargetAndTheRunGoesOn) {
  TraceWorld world;
  world.registry.SetText(kShellFolders, "History", "C:\\");
  Collector collector;
  EXPECT_FALSE(RunTargets(world.ports, {Target("url-history"), Target("aol")}, Ledger::Mode::kClean,
                          {}, collector));
  EXPECT_THAT(collector.errors, ElementsAre("url-history: Error Removing Data From Index.Dat"));
  EXPECT_THAT(collector.Names(), ElementsAre("url-history  http://visited.example/",
                                             "aol  C:\\AOL40\\CACHE\\aolpage.htm"));
  EXPECT_TRUE(world.files.Exists("C:\\Users\\me\\notes.txt"));

  world.cache.Add("http://two.test/", 0);
  world.cache.failWith = 5;  // the cache stops answering after its first entry
  world.cache.failFrom = 1;
  collector = {};
  EXPECT_FALSE(RunTargets(world.ports, {Target("cached-pages"), Target("recycle-bin")},
                          Ledger::Mode::kPreview, {}, collector));
  EXPECT_THAT(collector.errors,
              ElementsAre("cached-pages: The URL cache could not be read to its end (error 5)."));
  EXPECT_THAT(collector.Names(), ElementsAre("recycle-bin  C:\\tmp\\old.txt"));
}

}  // namespace
}  // namespace quillmere
