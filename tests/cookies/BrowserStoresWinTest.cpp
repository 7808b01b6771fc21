// The browsers' cookie stores in the sandbox user's profile, through the real ports:
// their discovery, the console's targets and the cookie page.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/EraserForm.h"
#include "console/Commands.h"
#include "cookies/BrowserProfiles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "tests/console/ConsoleWorld.h"
#include "tests/support/BrowserProfilesSupport.h"
#include "tests/support/HeldByAnotherProcess.h"
#include "tests/support/MainWindowTest.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using Texts = std::vector<std::string>;

struct RealPorts final : public PortsSource {
  Ports Open() override { return platform.ports(); }
  win32::Win32Platform platform;
};

int RunConsole(const Texts& args, FakeConsole& lines) {
  RealPorts ports;
  return RunCommand(ParseArguments(args), lines, ports);
}

TEST(BrowserDiscoveryWin, FindsTheProfilesInTheUsersAppData) {
  const InstalledBrowsers browsers;
  const win32::Win32Files files;
  const win32::Win32Shell shell;
  std::map<std::string, std::string> found;
  for (const BrowserProfile& p : FindChromiumProfiles(files, shell)) found[p.Name()] = p.cookies;
  for (const BrowserProfile& p : FindFirefoxProfiles(files, shell)) found[p.Name()] = p.cookies;
  EXPECT_EQ(found["Chrome (Zoë)"], browsers.ChromeCookies());
  EXPECT_EQ(found["Edge (Work)"], browsers.EdgeCookies("Profile 1"));
  EXPECT_EQ(found["Firefox (work)"], browsers.FirefoxCookies("w7b2c9df.work"));
  EXPECT_EQ(found.size(), 6u);
}

// The program itself lists, previews and cleans these stores with every other target
// (tests/console); here a keep-list goes through each of them on Windows' SQLite.
TEST(BrowserCookieTargetsWin, CleanEveryProfileButTheKeptDomainsAndLeaveTheRestOfTheProfile) {
  const InstalledBrowsers browsers;
  const std::string canary = browsers.Local("Google\\Chrome\\User Data\\Default\\Preferences");
  std::ofstream(std::filesystem::path(win32::Widen(canary))) << "{}";
  FakeConsole clean;
  ASSERT_EQ(RunConsole({"clean", "chromium-cookies", "firefox-cookies", "--keep-cookie",
                        "example.org", "--json"},
                       clean),
            kExitDone);
  for (const std::string& store : {browsers.ChromeCookies(), browsers.EdgeCookies()}) {
    EXPECT_THAT(ChromiumHosts(store), ElementsAre(".example.org", "www.example.org")) << store;
    Database(store).CheckIntegrity();
  }
  const std::string work = browsers.FirefoxCookies("w7b2c9df.work");
  EXPECT_EQ(CookieRows(work, "moz_cookies"), 1);  // .example.org's "sid"
  EXPECT_TRUE(std::filesystem::exists(win32::Widen(work + "-wal")));
  EXPECT_TRUE(std::filesystem::exists(win32::Widen(canary)));
}

TEST(BrowserCookieTargetsWin, AStoreItsBrowserHoldsIsNamedAndTheOthersAreCleaned) {
  const InstalledBrowsers browsers;
  FakeConsole lines;
  int status = 0;
  {
    const HeldByAnotherProcess chrome(browsers.ChromeCookies(), true);
    ASSERT_TRUE(chrome.Holding());
    status = RunConsole({"clean", "chromium-cookies", "firefox-cookies", "--json"}, lines);
  }
  EXPECT_EQ(status, kExitFailed);
  EXPECT_THAT(lines.out, Contains(AllOf(HasSubstr("\"target\":\"chromium-cookies\""),
                                        HasSubstr("\"error\""), HasSubstr("Chrome (Zoë)"))));
  EXPECT_THAT(lines.err, Contains(HasSubstr("close Chrome")));
  EXPECT_EQ(CookieRows(browsers.ChromeCookies(), "cookies"), 11);
  EXPECT_EQ(CookieRows(browsers.ChromeCookies("Profile 1"), "cookies"), 0);
  EXPECT_EQ(CookieRows(browsers.EdgeCookies(), "cookies"), 0);
  EXPECT_EQ(CookieRows(browsers.FirefoxCookies("w7b2c9df.work"), "moz_cookies"), 0);
}

class BrowserCookiePageTest : public FakePortsMainWindowTest {
 protected:
  void SetUp() override {
    const win32::Win32Shell real;
    for (const UserFolder folder : {UserFolder::kLocalAppData, UserFolder::kRoamingAppData})
      shell.folders[folder] = real.FolderPath(folder).value_or("");
    cache.Add("Cookie:jane@cache.test/");
  }
  TAdvListView& List() { return form->CookiePage().CookieList(); }
  Texts FullAddresses() {
    Texts texts;
    for (int i = 0; i < List().ItemCount(); ++i) texts.push_back(List().Item(i).Cell(4));
    return texts;
  }
  void Click(int id) { SendMessageA(form->hwnd(), WM_COMMAND, id, 0); }

  InstalledBrowsers browsers;
};

TEST_F(BrowserCookiePageTest, ListsEveryStoresCookiesAndDeletesTheTickedOnesFromTheirStores) {
  MakeForm();
  // 11 and 3 in each Chromium profile, 8 and 5 in Firefox's, and the cache's one.
  EXPECT_EQ(List().ItemCount(), 1 + 2 * (11 + 3) + 8 + 5);
  EXPECT_THAT(FullAddresses(), Contains("Chrome (Zoë): acct@www.example.org/account"));
  EXPECT_THAT(FullAddresses(), Contains("Firefox (work): late@badexample.org/"));
  for (int i = 0; i < List().ItemCount(); ++i) {
    const std::string& address = List().Item(i).Cell(4);
    if (address.find("@badexample.org") != std::string::npos ||
        address == "Cookie:jane@cache.test/")
      List().Item(i).SetChecked(true);
  }
  Click(ToolButton5);
  EXPECT_THAT(FullAddresses(), Not(Contains(HasSubstr("badexample.org"))));
  EXPECT_THAT(cache.deleted, ElementsAre("Cookie:jane@cache.test/"));
  EXPECT_THAT(ChromiumHosts(browsers.ChromeCookies()), Not(Contains(HasSubstr("badexample"))));
  Database(browsers.ChromeCookies()).CheckIntegrity();
}

// Stores their browsers hold. One held as the window opens is named in no box before
// the window, once by the first tick's reading, and not again by another reading the
// program makes itself. At Refresh one message names every held store, and the
// stores that were listed keep their rows.
TEST_F(BrowserCookiePageTest, StoresTheirBrowsersHoldAreNamedOnceAndKeepTheirRows) {
  const HeldByAnotherProcess firefox(browsers.FirefoxCookies("w7b2c9df.work"), true);
  ASSERT_TRUE(firefox.Holding());
  // A reader waits for every box that may come, so that one coming early fails the
  // test rather than waiting for a press.
  UINT_PTR reader = ReadNextMessageBox();
  MakeForm();
  EXPECT_FALSE(seenBox.found);
  KillTimer(nullptr, reader);
  ReadNextMessageBox();
  SendMessageA(form->hwnd(), WM_TIMER, 1, 0);
  EXPECT_TRUE(seenBox.found);
  EXPECT_THAT(seenBox.text, HasSubstr("These browsers are running: Firefox (work)."));
  reader = ReadNextMessageBox();
  form->CookiePage().TimerTimer();
  EXPECT_FALSE(seenBox.found);
  KillTimer(nullptr, reader);

  const int rows = List().ItemCount();
  {
    const HeldByAnotherProcess chrome(browsers.ChromeCookies(), true);
    const HeldByAnotherProcess edge(browsers.EdgeCookies("Profile 1"), true);
    ASSERT_TRUE(chrome.Holding() && edge.Holding());
    ReadNextMessageBox();
    Click(ToolButton3);
  }
  EXPECT_TRUE(seenBox.found);
  EXPECT_THAT(seenBox.text, HasSubstr("Chrome (Zoë), Edge (Work), Firefox (work)."));
  EXPECT_EQ(List().ItemCount(), rows);
  EXPECT_THAT(FullAddresses(), Contains("Chrome (Zoë): acct@www.example.org/account"));
}

}  // namespace
}  // namespace quillmere
