#include "console/Arguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/Targets.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

Command Parsed(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args);
  EXPECT_TRUE(std::holds_alternative<Command>(parsed));
  return std::holds_alternative<Command>(parsed) ? std::get<Command>(parsed) : Command{};
}

std::string Refusal(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args);
  EXPECT_TRUE(std::holds_alternative<UsageError>(parsed));
  return std::holds_alternative<UsageError>(parsed) ? std::get<UsageError>(parsed).message : "";
}

TEST(ConsoleArguments, TargetsRunInTaskListOrderOnceEachAndAllWhenNoneIsNamed) {
  const Command all = Parsed({"clean"});
  EXPECT_EQ(all.kind, CommandKind::kClean);
  EXPECT_THAT(all.targets,
              ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, kCookiesTarget, kChromiumCookiesTarget,
                          kFirefoxCookiesTarget, 12, 13, 14, 15));
  EXPECT_FALSE(all.json);
  EXPECT_TRUE(all.keep.empty());

  const Command some = Parsed({"preview", "cookies", "aol", "typed-urls", "aol", "--json"});
  EXPECT_EQ(some.kind, CommandKind::kPreview);
  EXPECT_THAT(some.targets, ElementsAre(0, 8, kCookiesTarget));
  EXPECT_TRUE(some.json);
  EXPECT_EQ(Parsed({"list"}).kind, CommandKind::kList);
}

TEST(ConsoleArguments, KeepCookieTakesADomainInEitherSpelling) {
  const Command command =
      Parsed({"clean", "--keep-cookie", "example.org", "cookies", "--keep-cookie=.Other.NET"});
  for (const char* kept : {"Cookie:me@www.example.org/", "Cookie:me@other.net/"})
    EXPECT_TRUE(command.keep.Keeps({.sourceUrl = kept, .entryType = kCookieCacheEntry})) << kept;
  EXPECT_THAT(command.targets, ElementsAre(kCookiesTarget));
}

TEST(ConsoleArguments, HelpWinsWhereverItStandsAndThenVersion) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"clean", "--bogus", "-h"}, {"/?"}, {"--version", "--help"}}) {
    EXPECT_EQ(Parsed(args).kind, CommandKind::kHelp);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--version"}, {"clean", "cookies", "--version"}, {"--bogus", "--version"}}) {
    EXPECT_EQ(Parsed(args).kind, CommandKind::kVersion);
  }
  EXPECT_THAT(UsageText(), HasSubstr("  recent-documents  Clear Start / Recent Documents\n"));
}

TEST(ConsoleArguments, WhatDoesNotReadIsRefusedWithTheValidChoices) {
  EXPECT_THAT(Refusal({}), HasSubstr("the commands are list, preview and clean"));
  EXPECT_EQ(Refusal({"wipe"}), "unknown command 'wipe'; the commands are list, preview and clean");
  EXPECT_EQ(Refusal({"clean", "cookie"}),
            "unknown target 'cookie'; the targets are typed-urls, url-history, cached-pages, "
            "media-player, run-history, recent-documents, recycle-bin, netscape, aol, cookies, "
            "chromium-cookies, firefox-cookies, chromium-cache, chromium-history, firefox-cache, "
            "firefox-history");
  EXPECT_EQ(Refusal({"clean", "--force"}),
            "unknown option '--force'; the options are --json, --keep-cookie DOMAIN, --help and "
            "--version");
  EXPECT_THAT(Refusal({"--json"}), HasSubstr("unknown option '--json'"));
  EXPECT_THAT(Refusal({"clean", "--keep-cookie"}), HasSubstr("needs a domain"));
  for (const char* domain : {"", ".", "exa mple.org", "example..org", "example.org/", "*.org"}) {
    EXPECT_THAT(Refusal({"clean", "--keep-cookie", domain}), HasSubstr("is not a domain name"))
        << domain;
  }
}

}  // namespace
}  // namespace quillmere
