// The console program's commands as a user runs them, over a machine of fakes.
#include "console/Commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "QuillmereVersion.h"
#include "console/OutputLines.h"
#include "tests/console/ConsoleWorld.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using ::testing::StartsWith;
using namespace quillmere::testing;

class ConsoleCommandsTest : public ::testing::Test {
 protected:
  struct CountingSource final : public PortsSource {
    explicit CountingSource(TraceWorld& world) : world_(world) {}
    Ports Open() override {
      ++opened;
      return world_.ports;
    }
    int opened = 0;

   private:
    TraceWorld& world_;
  };

  int Run(const std::vector<std::string>& args) {
    console = {};
    return RunCommand(ParseArguments(args), console, source);
  }

  TraceWorld world;
  CountingSource source{world};
  FakeConsole console;
};

TEST_F(ConsoleCommandsTest, ABadCommandLineIsRefusedOnTheErrorStreamBeforeAnythingIsTouched) {
  EXPECT_EQ(Run({"clean", "typed-url"}), kExitUsage);
  EXPECT_THAT(console.err, ElementsAre(StartsWith("quillmere-cli: unknown target 'typed-url'; the "
                                                  "targets are typed-urls, "),
                                       "Try 'quillmere-cli --help'."));
  EXPECT_THAT(console.out, IsEmpty());
  EXPECT_EQ(Run({"--help"}), kExitDone);
  EXPECT_THAT(console.out.front(), StartsWith("Usage: quillmere-cli COMMAND"));
  // A version asked for in the middle of a clean answers and cleans nothing.
  EXPECT_EQ(Run({"clean", "--version"}), kExitDone);
  EXPECT_THAT(console.out, ElementsAre(std::string("quillmere-cli ") + QUILLMERE_VERSION));
  EXPECT_THAT(console.err, IsEmpty());
  EXPECT_EQ(source.opened, 0);
}

TEST_F(ConsoleCommandsTest, ListShowsEachTargetWithItsFiguresAndChangesNothing) {
  EXPECT_EQ(Run({"list"}), kExitDone);
  ASSERT_EQ(console.out.size(), kTargets.size());
  EXPECT_EQ(console.out[0],
            "typed-urls        2 items               Clear Internet Explorer URL Drop Down Cache");
  EXPECT_EQ(console.out[2],
            "cached-pages      5 items     2 KB      Clear Internet Explorer Cached Pages");
  // Each target as its clean alone would find it: the cookies too.
  EXPECT_EQ(console.out[9], "cookies           3 items     0 KB      Cookies Eraser");
  const std::vector<std::string> first = console.out;
  EXPECT_EQ(Run({"list", "--json", "aol"}), kExitDone);
  EXPECT_THAT(console.out,
              ElementsAre("{\"target\":\"aol\",\"caption\":\"Clear AOL (2 - 6)  Browser Cache\","
                          "\"items\":1,\"size\":900}"));
  EXPECT_EQ(Run({"list"}), kExitDone);
  EXPECT_EQ(console.out, first);
}

TEST_F(ConsoleCommandsTest, PreviewListsTheItemsThenATotalPerTarget) {
  EXPECT_EQ(
      Run({"preview", "url-history", "recycle-bin", "cookies", "--keep-cookie", "example.org"}),
      kExitDone);
  EXPECT_THAT(console.out,
              ElementsAre("url-history  http://visited.example/",
                          "url-history  C:\\Users\\me\\History\\Today\\index.dat  2 KB",
                          "url-history  C:\\Users\\me\\History\\link  left alone: a folder is "
                          "never entered",
                          "url-history  2 items, 2 KB", "recycle-bin  C:\\tmp\\old.txt  0 KB",
                          "recycle-bin  1 item, 0 KB", "cookies  Cookie:me@badexample.org/  0 KB",
                          "cookies  1 item, 0 KB"));
  EXPECT_THAT(console.err, IsEmpty());
}

TEST_F(ConsoleCommandsTest, CleanPrintsTheActivityLinesAndExitsWithZeroWhenAllWent) {
  EXPECT_EQ(Run({"clean", "aol", "typed-urls"}), kExitDone);
  EXPECT_THAT(console.out,
              ElementsAre("typed-urls  removed 2 items", "Clearing AOL 2.0 History Files...",
                          "AOL 2.0 Clean!", "Clearing AOL 3.0 History Files...", "AOL 3.0 Clean!",
                          "Clearing AOL 4.0 History Files...", "Deleting : aolpage.htm",
                          "Deleted !", "AOL 4.0 Clean!", "Clearing AOL 5.0 History Files...",
                          "AOL 5.0 Clean!", "AOL 6.0 Clean!", "aol  removed 1 item, 0 KB"));
  EXPECT_FALSE(world.files.Exists("C:\\AOL40\\CACHE\\aolpage.htm"));
  EXPECT_EQ(Run({"clean", "aol"}), kExitDone);
  EXPECT_EQ(console.out.back(), "aol  nothing to remove");
}

TEST_F(ConsoleCommandsTest, WhatCouldNotBeRemovedHasItsOwnLineAndExitsWithOne) {
  world.files.undeletable.insert("c:\\aol40\\cache\\aolpage.htm");
  world.files.AddFile("C:\\AOL40\\CACHE\\second.htm");
  EXPECT_EQ(Run({"clean", "aol"}), kExitFailed);
  EXPECT_THAT(console.out, Contains("aol  C:\\AOL40\\CACHE\\aolpage.htm  could not be removed"));
  EXPECT_THAT(console.out, Contains("Could Not Delete : aolpage.htm"));
  EXPECT_EQ(console.out.back(), "aol  removed 1 of 2 items, 0 KB; 1 could not be removed");
  EXPECT_FALSE(world.files.Exists("C:\\AOL40\\CACHE\\second.htm"));
}

TEST_F(ConsoleCommandsTest, ATargetThatFailsIsNamedOnTheErrorStreamAndFailsEvenAPreview) {
  world.registry.SetText(kShellFolders, "History", "C:\\");
  EXPECT_EQ(Run({"preview", "url-history"}), kExitFailed);
  EXPECT_THAT(console.err,
              ElementsAre("quillmere-cli: url-history: Error Removing Data From Index.Dat"));
  EXPECT_EQ(Run({"clean", "url-history", "--json"}), kExitFailed);
  EXPECT_THAT(console.out,
              Contains("{\"target\":\"url-history\",\"error\":\"Error Removing Data From "
                       "Index.Dat\"}"));
  EXPECT_TRUE(world.files.Exists("C:\\Users\\me\\notes.txt"));
}

TEST_F(ConsoleCommandsTest, JsonCarriesEveryItemWithItsOutcomeAndTheActivityAsMessages) {
  EXPECT_EQ(Run({"clean", "--json", "netscape"}), kExitDone);
  EXPECT_THAT(
      console.out,
      ElementsAre("{\"target\":\"netscape\",\"message\":\"Clearing Netscape History Files...\"}",
                  "{\"target\":\"netscape\",\"message\":\"Deleting : page.htm\"}",
                  "{\"target\":\"netscape\",\"item\":\"c:\\\\Program Files\\\\Netscape\\\\Users"
                  "\\\\default\\\\cache\\\\page.htm\",\"size\":5000,\"outcome\":\"removed\"}",
                  "{\"target\":\"netscape\",\"message\":\"Deleted !\"}",
                  "{\"target\":\"netscape\",\"item\":\"c:\\\\Program Files\\\\Netscape\\\\Users"
                  "\\\\default\\\\cookies.txt\",\"size\":70,\"outcome\":\"removed\"}",
                  "{\"target\":\"netscape\",\"message\":\"NetScape Clean!\"}",
                  "{\"target\":\"netscape\",\"items\":2,\"size\":5070,\"removed\":2,"
                  "\"failed\":0}"));
  // UTF-8 passes whole; a byte that starts no character, or a lone surrogate
  // carried as WTF-8 (three bytes, none a character), comes out as U+FFFD.
  EXPECT_EQ(
      JsonString("say \"hi\"\\\n\t\x01 \xd0\x9f\xe6\x97\xa5\xf0\x9f\x98\x80 \xe9 \xed\xa0\x80"),
      "\"say \\\"hi\\\"\\\\\\u000a\\u0009\\u0001 \xd0\x9f\xe6\x97\xa5\xf0\x9f\x98\x80 "
      "\xef\xbf\xbd \xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\"");
}

TEST_F(ConsoleCommandsTest, ANameNotInUtf8IsShownWithReplacementsAndRemovedByItsRealName) {
  // A file name with an unpaired surrogate, as the file search gives it (WTF-8).
  const std::string real = "C:\\AOL40\\CACHE\\bad-\xED\xA0\x80.htm";
  world.files.AddFile(real);
  ASSERT_EQ(Run({"clean", "aol", "--json"}), kExitDone);
  for (const std::string& line : console.out) EXPECT_EQ(line.find('\xED'), std::string::npos);
  EXPECT_THAT(console.out,
              Contains(::testing::HasSubstr("bad-\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.htm")));
  EXPECT_THAT(world.files.removed, Contains(real));
  EXPECT_FALSE(world.files.Exists(real));
}

}  // namespace
}  // namespace quillmere
