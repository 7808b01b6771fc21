#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "common/Json.h"
#include "console/Commands.h"
#include "console/TargetRun.h"
#include "console/Targets.h"
#include "cookies/BrowserCookieStore.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/cookies/BrowserStoreWorld.h"
#include "tests/console/BrowserConsole.h"
#include "tests/support/FileContents.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

// 2020-01-01 and 2040-01-01 as FILETIMEs: every time the test browsers wrote lies between.
constexpr FileTime k2020 = 132223104000000000ull;
constexpr FileTime k2040 = 138534624000000000ull;

std::map<std::string, BrowserProfile> ByName(const std::vector<BrowserProfile>& profiles) {
  std::map<std::string, BrowserProfile> named;
  for (const BrowserProfile& profile : profiles) named.emplace(profile.Name(), profile);
  return named;
}

std::vector<StoreCookie> List(CookieStore& store) {
  std::vector<StoreCookie> cookies;
  store.ForEachCookie([&](const StoreCookie& cookie) { cookies.push_back(cookie); });
  return cookies;
}

std::vector<std::string> Names(const std::vector<StoreCookie>& cookies) {
  std::vector<std::string> names;
  for (const StoreCookie& cookie : cookies) names.push_back(cookie.name + "@" + cookie.host);
  return names;
}

TEST(BrowserDiscovery, FindsEveryInstalledBrowsersProfilesListedOrNot) {
  BrowserStoreWorld world;
  EXPECT_THAT(FindChromiumProfiles(world.files, world.shell), IsEmpty());
  EXPECT_THAT(FindFirefoxProfiles(world.files, world.shell), IsEmpty());

  world.InstallBrowsers();
  std::filesystem::create_directories(world.Path("Local/Google/Chrome/User Data/Profile 3"));
  std::filesystem::create_directories(world.Path("Local/Google/Chrome/User Data/Crashpad"));
  world.Copy("edge-cases/local-state-gone-profile/User Data", "Local/Vivaldi/User Data");
  auto chromium = ByName(FindChromiumProfiles(world.files, world.shell));
  EXPECT_EQ(chromium.at("Chrome (Zoë)").cookies,
            world.Path("Local/Google/Chrome/User Data/Default/Network/Cookies"));
  EXPECT_EQ(chromium.at("Chrome (Work)").cookies,
            world.Path("Local/Google/Chrome/User Data/Profile 1/Network/Cookies"));
  // A profile folder no "Local State" lists still counts, with no store yet.
  EXPECT_EQ(chromium.at("Chrome (Profile 3)").cookies, "");
  // Before version 96 the cookies lay in the profile folder itself.
  const auto edge = std::find_if(chromium.begin(), chromium.end(),
                                 [](const auto& p) { return p.second.browser == "Edge"; });
  ASSERT_NE(edge, chromium.end());
  EXPECT_EQ(edge->second.cookies, world.Path("Local/Microsoft/Edge/User Data/Default/Cookies"));
  // Opera keeps its one profile in its user data folder.
  EXPECT_EQ(chromium.at("Opera (Default)").cookies,
            world.Path("Roaming/Opera Software/Opera Stable/Network/Cookies"));
  // "Local State" lists a profile whose folder is gone: it is passed over.
  std::vector<std::string> vivaldi;
  for (const auto& [name, profile] : chromium)
    if (profile.browser == "Vivaldi") vivaldi.push_back(profile.folder);
  EXPECT_THAT(vivaldi, ElementsAre(world.Path("Local/Vivaldi/User Data/Default")));
  EXPECT_EQ(chromium.size(), 6u);

  const auto firefox = ByName(FindFirefoxProfiles(world.files, world.shell));
  EXPECT_EQ(firefox.at("Firefox (work)").cookies,
            world.Path("Roaming/Mozilla/Firefox/Profiles/w7b2c9df.work/cookies.sqlite"));
  EXPECT_EQ(firefox.size(), 2u);
}

TEST(BrowserDiscovery, TakesAnAbsoluteFirefoxProfilePathAsItIs) {
  BrowserStoreWorld world;
  world.Copy("edge-cases/profiles-ini-absolute/elsewhere", "Other drive/elsewhere");
  std::string ini =
      Bytes(std::string(QUILLMERE_BROWSER_DATA) + "/edge-cases/profiles-ini-absolute/profiles.ini");
  ini.replace(ini.find("@ABSOLUTE_PROFILE@"), 18, world.Path("Other drive/elsewhere"));
  std::filesystem::create_directories(world.Path("Roaming/Mozilla/Firefox"));
  std::ofstream(world.Path("Roaming/Mozilla/Firefox/profiles.ini")) << ini;
  const auto firefox = FindFirefoxProfiles(world.files, world.shell);
  ASSERT_EQ(firefox.size(), 1u);
  EXPECT_EQ(firefox[0].Name(), "Firefox (elsewhere)");
  EXPECT_EQ(firefox[0].cookies, world.Path("Other drive/elsewhere/cookies.sqlite"));
}

TEST(BrowserCookieStore, ListsChromiumCookiesWithTheirTimesAndRows) {
  BrowserStoreWorld world;
  world.InstallBrowsers();
  const auto profiles = ByName(FindChromiumProfiles(world.files, world.shell));
  BrowserCookieStore chrome(profiles.at("Chrome (Zoë)"));
  const std::vector<StoreCookie> cookies = List(chrome);
  EXPECT_EQ(cookies.size(), 11u);
  EXPECT_THAT(Names(cookies), Contains("café@news.example"));
  int sessions = 0;
  for (const StoreCookie& cookie : cookies) {
    EXPECT_GT(cookie.modified, k2020) << cookie.name;
    EXPECT_LT(cookie.modified, k2040) << cookie.name;
    if (cookie.expires == 0) ++sessions;
    EXPECT_TRUE(cookie.expires == 0 || cookie.expires > cookie.modified) << cookie.name;
  }
  EXPECT_GT(sessions, 0);

  FakeLocaleTime locale;
  const auto acct = std::find_if(cookies.begin(), cookies.end(),
                                 [](const StoreCookie& c) { return c.name == "acct"; });
  ASSERT_NE(acct, cookies.end());
  const CookieRow row = chrome.Row(locale, *acct);
  EXPECT_EQ(row.address, "www.example.org/account");
  EXPECT_EQ(row.hits, "");
  EXPECT_EQ(row.fullAddress, "Chrome (Zoë): acct@www.example.org/account");
  const auto sid = std::find_if(cookies.begin(), cookies.end(),
                                [](const StoreCookie& c) { return c.host == ".example.org"; });
  ASSERT_NE(sid, cookies.end());
  EXPECT_EQ(chrome.Host(*sid), "example.org");

  // The older layout lists too.
  const auto edge = FindChromiumProfiles(world.files, world.shell);
  for (const BrowserProfile& profile : edge) {
    if (profile.browser != "Edge") continue;
    BrowserCookieStore store(profile);
    EXPECT_FALSE(List(store).empty());
  }
}

TEST(BrowserCookieStore, ReadsFirefoxsWriteAheadLogAndBothExpiryUnits) {
  BrowserStoreWorld world;
  world.InstallBrowsers();
  const auto profiles = ByName(FindFirefoxProfiles(world.files, world.shell));
  BrowserCookieStore work(profiles.at("Firefox (work)"));
  // "late" was written on the run that was killed: only the -wal has it.
  EXPECT_THAT(Names(List(work)), Contains("late@badexample.org"));

  // Schema 15 counts the expiry in seconds, 17 in milliseconds: the same cookie
  // expires at the same second either way.
  world.Copy("edge-cases/firefox-schema15", "Old/p");
  BrowserProfile old = profiles.at("Firefox (default-release)");
  old.cookies = world.Path("Old/p/cookies.sqlite");
  BrowserCookieStore current(profiles.at("Firefox (default-release)"));
  BrowserCookieStore older(old);
  std::map<std::string, FileTime> expiry;
  for (const StoreCookie& cookie : List(current))
    expiry[cookie.name + cookie.host] = cookie.expires;
  const auto oldCookies = List(older);
  ASSERT_FALSE(oldCookies.empty());
  for (const StoreCookie& cookie : oldCookies) {
    const FileTime now = expiry.at(cookie.name + cookie.host);
    EXPECT_LT(now > cookie.expires ? now - cookie.expires : cookie.expires - now, 10'000'000u)
        << cookie.name;
    EXPECT_GT(cookie.expires, k2020);
  }
}

TEST(BrowserCookieStore, DeletesTheGivenCookiesInPlaceKeepingTheRestAndTheJournals) {
  BrowserStoreWorld world;
  world.InstallBrowsers();
  const auto profiles = ByName(FindChromiumProfiles(world.files, world.shell));
  BrowserCookieStore chrome(profiles.at("Chrome (Zoë)"));
  std::vector<StoreCookie> doomed;
  for (const StoreCookie& cookie : List(chrome))
    if (cookie.host.find("badexample.org") != std::string::npos) doomed.push_back(cookie);
  ASSERT_EQ(doomed.size(), 2u);
  StoreCookie stranger = doomed[0];
  stranger.name = "not-this-one";  // a row id the browser gave to another cookie since
  doomed.push_back(stranger);
  EXPECT_THAT(chrome.Delete(doomed), ElementsAre(true, true, false));
  EXPECT_THAT(Names(List(chrome)), Not(Contains(HasSubstr("badexample.org"))));
  EXPECT_EQ(CountRows(chrome.profile().cookies, "cookies"), 9);

  const auto firefox = ByName(FindFirefoxProfiles(world.files, world.shell));
  BrowserCookieStore work(firefox.at("Firefox (work)"));
  std::vector<StoreCookie> late;
  for (const StoreCookie& cookie : List(work))
    if (cookie.name == "late") late.push_back(cookie);
  EXPECT_THAT(work.Delete(late), ElementsAre(true));
  EXPECT_THAT(Names(List(work)), Not(Contains("late@badexample.org")));
  // SQLite wrote through the log as it does; the log is still the browser's file.
  EXPECT_TRUE(std::filesystem::exists(work.profile().cookies + "-wal"));
  Database check(work.profile().cookies);
  check.CheckIntegrity();
}

TEST(BrowserCookieStore, RefusesAStoreOfAnotherShapeOrDamagedAndLeavesItAsItIs) {
  BrowserStoreWorld world;
  world.Copy("edge-cases/missing-table", "missing");
  world.Copy("edge-cases/corrupt", "corrupt");
  for (const char* folder : {"missing", "corrupt"}) {
    BrowserProfile profile;
    profile.browser = "Chrome";
    profile.profile = folder;
    profile.cookies = world.Path(std::string(folder) + "/Cookies");
    const std::string before = Bytes(profile.cookies);
    BrowserCookieStore store(profile);
    EXPECT_THROW(List(store), std::runtime_error) << folder;
    StoreCookie any;
    any.host = "x";
    any.key = "1";
    try {
      store.Delete(std::vector<StoreCookie>{any});
      ADD_FAILURE() << folder << " was written to";
    } catch (const StoreHeld&) {
      ADD_FAILURE() << folder << " counted as held";
    } catch (const std::runtime_error& error) {
      EXPECT_THAT(error.what(), HasSubstr(profile.cookies));
    }
    EXPECT_EQ(Bytes(profile.cookies), before) << folder;
  }
}

TEST(BrowserCookieStore, AStoreItsBrowserHoldsIsNamedAndLeftAlone) {
  BrowserStoreWorld world;
  world.InstallBrowsers();
  const auto firefox = ByName(FindFirefoxProfiles(world.files, world.shell));
  BrowserCookieStore work(firefox.at("Firefox (work)"));
  const RunningFirefox running(work.profile().cookies);
  try {
    List(work);
    ADD_FAILURE() << "a held store was read";
  } catch (const StoreHeld& held) {
    EXPECT_EQ(held.storeName(), "Firefox (work)");
    EXPECT_THAT(held.what(), HasSubstr("close Firefox"));
  }
}

TEST(BrowserCookieTargets, ListPreviewAndCleanEveryProfileKeepingTheKeptDomains) {
  BrowserConsole console;
  console.world.InstallBrowsers();
  FakeConsole out;
  EXPECT_EQ(
      RunCommand(ParseArguments({"list", "chromium-cookies", "firefox-cookies"}), out, console),
      kExitDone);
  EXPECT_THAT(out.out, Contains(HasSubstr("11 items")));
  EXPECT_THAT(out.out, Contains(HasSubstr("Chrome (Zoë)")));
  EXPECT_THAT(out.out, Contains(HasSubstr("Firefox (work)")));

  const std::string chrome =
      console.world.Path("Local/Google/Chrome/User Data/Default/Network/Cookies");
  out = {};
  EXPECT_EQ(RunCommand(ParseArguments({"preview", "chromium-cookies", "--keep-cookie",
                                       "example.org", "--json"}),
                       out, console),
            kExitDone);
  EXPECT_THAT(out.out, Contains(HasSubstr("Chrome (Zoë): tracker@badexample.org/")));
  EXPECT_THAT(out.out, Not(Contains(HasSubstr("@www.example.org"))));
  EXPECT_EQ(CountRows(chrome, "cookies"), 11);

  out = {};
  EXPECT_EQ(RunCommand(ParseArguments({"clean", "chromium-cookies", "firefox-cookies",
                                       "--keep-cookie", "example.org"}),
                       out, console),
            kExitDone);
  Database db(chrome);
  Statement left = db.Prepare("SELECT DISTINCT host_key FROM cookies ORDER BY 1");
  std::vector<std::string> hosts;
  while (left.Step()) hosts.push_back(left.Text(0));
  EXPECT_THAT(hosts, ElementsAre(".example.org", "www.example.org"));
  db.CheckIntegrity();
}

TEST(BrowserCookieTargets, AHeldStoreFailsItsTargetByNameWhileTheOthersAreCleaned) {
  BrowserConsole console;
  console.world.InstallBrowsers();
  const std::string work =
      console.world.Path("Roaming/Mozilla/Firefox/Profiles/w7b2c9df.work/cookies.sqlite");
  const std::string release = console.world.Path(
      "Roaming/Mozilla/Firefox/Profiles/k3x8a1qz.default-release/cookies.sqlite");
  const std::int64_t heldRows = CountRows(work, "moz_cookies");
  FakeConsole out;
  {
    const RunningFirefox running(work);
    EXPECT_EQ(
        RunCommand(ParseArguments({"clean", "firefox-cookies", "cookies", "--json"}), out, console),
        kExitFailed);
  }
  EXPECT_THAT(out.out, Contains(AllOf(HasSubstr("\"error\""), HasSubstr("Firefox (work)"))));
  EXPECT_THAT(out.err, Contains(HasSubstr("Firefox (work)")));
  EXPECT_EQ(CountRows(release, "moz_cookies"), 0);
  EXPECT_EQ(CountRows(work, "moz_cookies"), heldRows);
  EXPECT_THAT(out.out, Contains(HasSubstr("\"target\":\"cookies\",\"items\"")));
}

TEST(Json, ReadsWhatBrowsersWriteAndRefusesTheRest) {
  const auto value = ParseJson(
      R"({"profile":{"info_cache":{"Default":{"name":"Zo\u00eb \ud83d\ude00"}}},"n":[1,-2.5e3,true,null]})");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Member("profile")->Member("info_cache")->Member("Default")->Member("name")->text,
            "Zoë \xF0\x9F\x98\x80");
  EXPECT_EQ(value->Member("n")->items.size(), 4u);
  for (const char* bad : {"", "{", R"({"a":})", R"(["\ud800"])", "[1] x", R"({"a" 1})"})
    EXPECT_FALSE(ParseJson(bad)) << bad;
  EXPECT_FALSE(ParseJson(std::string(1000, '[') + std::string(1000, ']')));
}

}  // namespace
}  // namespace quillmere
