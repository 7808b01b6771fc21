// quillmere-cli.exe itself, started as a scheduled task starts it, over the
// sandbox's real cookies, cache, history, registry, files and recycle bin.
#include <windows.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cleaners/RegistryCleaner.h"
#include "platform/Utf8.h"
#include "platform/win32/Handles.h"
#include "tests/support/BrowserProfilesSupport.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/CookieStoreSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/Matchers.h"
#include "tests/support/StartedProgram.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using UniqueHandle = win32::UniqueKernelHandle;

// Made, with the link to "Outside" in the History folder, by make-cleaner-links.sh.
const std::string kBase = "C:\\quillmere-cli-test";
const std::string kLink = "quillmere-cli-link";
const std::string kNetscape = "C:\\Program Files\\Netscape\\Users\\default";
const std::string kAol = "C:\\AOL30";
// Names in Cyrillic, Japanese and emoji, a host in Cyrillic and a page named in the two
// others, and a value name of 100 letters: the registry counts its length in UTF-16
// units, and in UTF-8 it takes twice as many bytes.
const std::string kNames[] = {
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80.htm",
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8.html",
    "emoji-\xF0\x9F\x98\x80.gif"};
const std::string kForeignHost = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.test";
const std::string kForeignPage =
    "http://" + kForeignHost + "/\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80.htm";
const std::string kLongName = [] {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "\xD0\xB4";
  return name;
}();

// Runs quillmere-cli.exe with `arguments`.
Finished RunCli(const std::string& arguments) {
  return RunForOutput("\"" + TestProgramFolder() + QUILLMERE_CLI_FROM_TESTS + "\" " + arguments);
}

// The text of a string field or the digits of a number field of a JSON line the
// program wrote; "" when the line has no such field.
std::string Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  std::size_t at = line.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  if (line[at] != '"') return line.substr(at, line.find_first_of(",}", at) - at);
  std::string text;
  for (++at; at < line.size() && line[at] != '"'; ++at) {
    if (line[at] == '\\') ++at;  // the program escapes only quotes, backslashes, controls
    text += line[at];
  }
  return text;
}

// "target  item  outcome" for each item line of a JSON run.
std::vector<std::string> Items(const Finished& run, bool withOutcome) {
  std::vector<std::string> items;
  for (const std::string& line : run.out) {
    if (Field(line, "item").empty()) continue;
    items.push_back(Field(line, "target") + "  " + Field(line, "item") +
                    (withOutcome ? "  " + Field(line, "outcome") : ""));
  }
  return items;
}

// Every target's count and size from `list --json`.
std::map<std::string, std::string> Figures(const Finished& run) {
  std::map<std::string, std::string> figures;
  for (const std::string& line : run.out) {
    if (line.find("\"caption\"") == std::string::npos) continue;  // a browser profile's line
    figures[Field(line, "target")] = Field(line, "items") + " items, " + Field(line, "size");
  }
  return figures;
}

void SetCookies(std::initializer_list<std::string> hosts) {
  for (const std::string& host : hosts) {
    ASSERT_EQ(RunCookieTool(
                  {"set", "http://" + host + "/", "k=1; expires=Sat, 01-Jan-2039 00:00:00 GMT"}),
              0u)
        << host;
  }
}

class CliProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { EmptyCache(); }
  void TearDown() override {
    EmptyCache();
    for (const std::string& tree :
         {std::string("C:\\Program Files\\Netscape"), kAol, historyFolder + "\\Quillmere Today",
          kBase + "\\Sibling", kBase + "\\recycled.txt"}) {
      RemoveTree(tree);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kTypedUrlsKey) + "\\Quillmere Sub").c_str());
    browsers.reset();
  }

  // Traces for every target, and canaries beside them and behind the link.
  void SeedEveryTarget() {
    ASSERT_TRUE(PathExists(historyFolder + "\\" + kLink + "\\canary.txt"))
        << "run through ctest, whose set-up makes the link in " << historyFolder;
    browsers.emplace();  // Chrome's, Edge's and Firefox's profiles with their cookies
    SetRegistryText(kTypedUrlsKey, "url1", "http://typed.example/");
    SetRegistryText(kTypedUrlsKey, "url2", "http://typed2.example/");
    SetRegistryText(std::string(kTypedUrlsKey) + "\\Quillmere Sub", "kept", "canary");
    SetRegistryText(kMediaPlayerRecentKey, "File0", "C:\\music\\song.mp3");
    SetRegistryText(kRunMruKey, "a", "notepad\\1");
    SetRegistryText(kRunMruKey, "MRUList", "a");
    Visit("http://cli-visited.example/");
    MakeFolders(historyFolder + "\\Quillmere Today");
    WriteFile(historyFolder + "\\Quillmere Today\\visits.dat", "visits");
    MakeFolders(kBase + "\\Sibling");
    WriteFile(kBase + "\\Sibling\\canary.txt");
    CachePage("http://cli.test/page.htm");
    SetCookies({"example.org", "www.example.org", "badexample.org"});
    WriteFile(kBase + "\\recycled.txt", "to the bin");
    Recycle(kBase + "\\recycled.txt");
    WriteFile(RecentFolder() + "\\Quillmere cli.lnk");
    WriteFile(RecentFolder() + "\\Quillmere cli notes.txt");
    MakeFolders(kNetscape + "\\Cache");
    WriteFile(kNetscape + "\\Cache\\page.htm", "netscape page");
    WriteFile(kNetscape + "\\cookies.txt");
    WriteFile(kNetscape + "\\prefs.js");
    MakeFolders(kAol + "\\CACHE");
    WriteFile(kAol + "\\CACHE\\aolpage.htm", "aol page");
    WriteFile(kAol + "\\canary.txt");
    for (const std::string& name : kNames) {
      WriteFile(kAol + "\\CACHE\\" + name);
      WriteFile(kNetscape + "\\Cache\\" + name);
      WriteFile(kBase + "\\" + name, "to the bin");
      Recycle(kBase + "\\" + name);
      WriteFile(kBase + "\\Sibling\\" + name);  // a look-alike outside every target
      WriteFile(historyFolder + "\\Quillmere Today\\" + name);
      WriteFile(RecentFolder() + "\\" + name + ".lnk");
      WriteFile(RecentFolder() + "\\" + name + ".txt");  // beside the shortcuts
    }
    CachePage(kForeignPage);
    Visit(kForeignPage);
    ASSERT_TRUE(CommitCookie(foreignCookie, DaysFromNow(0), DaysFromNow(30), 1));
    SetRegistryText(kTypedUrlsKey, kLongName.c_str(), kForeignPage);
    SetRegistryText(kMediaPlayerRecentKey, "File1", "C:\\" + kNames[2]);
    SetRegistryText(kRunMruKey, "b", "notepad " + kNames[0] + "\\1");
  }

  const std::string historyFolder = HistoryFolder();
  const std::string foreignCookie = CookieSource(kForeignHost + "/\xE6\x97\xA5\xE6\x9C\xAC/");
  std::optional<InstalledBrowsers> browsers;
};

// Every target, with names in any language, written as UTF-8.
TEST_F(CliProgramTest, CleanRemovesExactlyWhatPreviewListedAndNothingElse) {
  SeedEveryTarget();
  const Finished before = RunCli("list --json");
  ASSERT_EQ(before.exitCode, 0u) << ::testing::PrintToString(before.err);
  const std::map<std::string, std::string> figures = Figures(before);
  ASSERT_EQ(figures.size(), 16u);
  for (const auto& [target, figure] : figures) EXPECT_FALSE(figure.starts_with("0 ")) << target;

  const Finished preview = RunCli("preview --json");
  ASSERT_EQ(preview.exitCode, 0u) << ::testing::PrintToString(preview.err);
  EXPECT_THAT(preview.err, IsEmpty());
  const std::vector<std::string> planned = Items(preview, false);
  for (const std::string& trace : std::vector<std::string>{
           "typed-urls  HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs\\url1 = "
           "http://typed.example/",
           "url-history  http://cli-visited.example/",
           "url-history  " + historyFolder + "\\Quillmere Today\\visits.dat",
           "cached-pages  http://cli.test/page.htm",
           "cached-pages  " + CookieSource("badexample.org/"),
           "recycle-bin  C:\\quillmere-cli-test\\recycled.txt",
           "netscape  c:\\Program Files\\Netscape\\Users\\default\\cookies.txt",
           "aol  C:\\AOL30\\CACHE\\aolpage.htm", "cached-pages  " + foreignCookie,
           "url-history  " + kForeignPage}) {
    EXPECT_THAT(planned, Contains(trace));
  }
  for (const std::string& name : kNames) {
    EXPECT_THAT(planned, Contains("aol  " + kAol + "\\CACHE\\" + name));
    EXPECT_THAT(planned, Contains("url-history  " + historyFolder + "\\Quillmere Today\\" + name));
    EXPECT_THAT(planned, Contains("recent-documents  " + RecentFolder() + "\\" + name + ".lnk"));
    EXPECT_THAT(planned, Contains("recycle-bin  " + kBase + "\\" + name));
  }
  EXPECT_THAT(planned, Contains(HasSubstr("TypedURLs\\" + kLongName + " = ")));
  EXPECT_THAT(Items(preview, true),
              Contains("url-history  " + historyFolder + "\\" + kLink + "  skipped"));
  // Nothing changed: the figures are the same, the traces still there.
  EXPECT_EQ(Figures(RunCli("list --json")), figures);
  EXPECT_TRUE(PathExists(kAol + "\\CACHE\\aolpage.htm"));

  const Finished clean = RunCli("clean --json");
  EXPECT_EQ(clean.exitCode, 0u) << ::testing::PrintToString(clean.out);
  EXPECT_THAT(clean.err, IsEmpty());
  EXPECT_EQ(Items(clean, false), planned);
  for (const std::string& item : Items(clean, true)) {
    EXPECT_TRUE(item.ends_with("  removed") ||
                item == "url-history  " + historyFolder + "\\" + kLink + "  skipped")
        << item;
  }
  EXPECT_THAT(clean.out, Contains(HasSubstr("\"message\":\"Could Not Delete : " + kLink)));
  for (const Finished* run : {&preview, &clean}) {
    for (const std::string& line : run->out) EXPECT_EQ(ValidUtf8(line), line) << "strict UTF-8";
  }

  // The traces are gone.
  EXPECT_EQ(ValueCount(kTypedUrlsKey), 0);
  EXPECT_EQ(ValueCount(kMediaPlayerRecentKey), 0);
  EXPECT_EQ(ValueCount(kRunMruKey), 0);
  EXPECT_THAT(CacheSources(), IsEmpty());
  for (const std::string& store : {browsers->ChromeCookies(), browsers->EdgeCookies("Profile 1")})
    EXPECT_EQ(CookieRows(store, "cookies"), 0) << store;
  EXPECT_EQ(CookieRows(browsers->FirefoxCookies("w7b2c9df.work"), "moz_cookies"), 0);
  EXPECT_EQ(RunCookieTool({"get", "http://example.org/", "http://badexample.org/"}), 0u);
  EXPECT_EQ(RecycleBinBytes(), 0);
  for (const std::string& gone :
       {historyFolder + "\\Quillmere Today\\visits.dat", RecentFolder() + "\\Quillmere cli.lnk",
        kNetscape + "\\Cache\\page.htm", kNetscape + "\\cookies.txt",
        kAol + "\\CACHE\\aolpage.htm"}) {
    EXPECT_FALSE(PathExists(gone)) << gone;
  }
  // And nothing else is.
  for (const std::string& kept :
       {historyFolder + "\\Quillmere Today", kBase + "\\Outside\\canary.txt",
        kBase + "\\Sibling\\canary.txt", RecentFolder() + "\\Quillmere cli notes.txt",
        kNetscape + "\\prefs.js", kAol + "\\canary.txt", kAol + "\\CACHE"}) {
    EXPECT_TRUE(PathExists(kept)) << kept;
  }
  HKEY sub = nullptr;
  EXPECT_EQ(
      RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kTypedUrlsKey) + "\\Quillmere Sub").c_str(), 0,
                    KEY_READ, &sub),
      ERROR_SUCCESS);
  if (sub) RegCloseKey(sub);
  DeleteFileA((RecentFolder() + "\\Quillmere cli notes.txt").c_str());
  for (const std::string& name : kNames) {
    for (const std::string& gone :
         {kAol + "\\CACHE\\" + name, kNetscape + "\\Cache\\" + name,
          historyFolder + "\\Quillmere Today\\" + name, RecentFolder() + "\\" + name + ".lnk"})
      EXPECT_FALSE(PathExists(gone)) << gone;
    EXPECT_TRUE(PathExists(kBase + "\\Sibling\\" + name)) << name;
    const std::string kept = RecentFolder() + "\\" + name + ".txt";
    EXPECT_TRUE(PathExists(kept)) << kept;
    DeleteFileA(kept.c_str());
  }

  // The text of a second clean: the activity lines, then what each target did.
  const Finished again = RunCli("clean aol typed-urls");
  EXPECT_EQ(again.exitCode, 0u);
  EXPECT_EQ(again.out.front(), "typed-urls  nothing to remove");
  EXPECT_EQ(again.out.back(), "aol  nothing to remove");
  EXPECT_THAT(again.out, Contains("AOL 3.0 Clean!"));
}

TEST_F(CliProgramTest, AFileHeldOpenIsNamedAndFailsTheRunWhileTheRestGoes) {
  MakeFolders(kAol + "\\CACHE");
  WriteFile(kAol + "\\CACHE\\held.htm");
  WriteFile(kAol + "\\CACHE\\free.htm");
  // Open as a browser holds its cache files: without sharing the deletion.
  const UniqueHandle held(CreateFileA((kAol + "\\CACHE\\held.htm").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);

  const Finished clean = RunCli("clean aol");

  EXPECT_EQ(clean.exitCode, 1u);
  EXPECT_THAT(clean.out, Contains("aol  C:\\AOL30\\CACHE\\held.htm  could not be removed"));
  EXPECT_THAT(clean.out, Contains("Could Not Delete : held.htm"));
  EXPECT_EQ(clean.out.back(), "aol  removed 1 of 2 items, 0 KB; 1 could not be removed");
  EXPECT_TRUE(PathExists(kAol + "\\CACHE\\held.htm"));
  EXPECT_FALSE(PathExists(kAol + "\\CACHE\\free.htm"));
}

TEST_F(CliProgramTest, KeepCookieKeepsExactlyTheCookiesOfThatDomainAndItsSubdomains) {
  SetCookies(
      {"example.org", "www.example.org", "shop.example.org", "badexample.org", "example.com"});
  const Finished clean = RunCli("clean cookies --keep-cookie example.org");
  EXPECT_EQ(clean.exitCode, 0u) << ::testing::PrintToString(clean.err);
  EXPECT_THAT(clean.out, Contains("Deleted 2 Cookies"));
  // Bit i stands for the i-th address: the three of example.org stay.
  EXPECT_EQ(
      RunCookieTool({"get", "http://example.org/", "http://www.example.org/",
                     "http://shop.example.org/", "http://badexample.org/", "http://example.com/"}),
      0b00111u);
}

TEST_F(CliProgramTest, ABadCommandLineExitsWithTwoAndSaysWhyOnTheErrorStream) {
  for (const char* arguments : {"clean bogus", "--frobnicate", "", "preview --keep-cookie"}) {
    const Finished run = RunCli(arguments);
    EXPECT_EQ(run.exitCode, 2u) << arguments;
    EXPECT_THAT(run.out, IsEmpty()) << arguments;
    ASSERT_EQ(run.err.size(), 2u) << arguments;
    EXPECT_THAT(run.err[0], ::testing::StartsWith("quillmere-cli: ")) << arguments;
    EXPECT_EQ(run.err[1], "Try 'quillmere-cli --help'.");
  }
  EXPECT_THAT(RunCli("clean bogus").err[0], HasSubstr("the targets are typed-urls, "));
  const Finished help = RunCli("--help");
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_THAT(help.out, Contains("  cookies           Cookies Eraser"));
}

}  // namespace
}  // namespace quillmere
