#include "cleaners/RegistryCleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

class ClearRegistryListTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeRunReport report;
};

TEST_F(ClearRegistryListTest, DeletesEveryValueLastToFirstAndLeavesKeyAndSubkeys) {
  registry.SetText(kTypedUrlsKey, "A", "http://a.example/");
  registry.SetValue(kTypedUrlsKey, "Bee", {4, std::string("\x01\0\0\0", 4)});
  registry.SetText(kTypedUrlsKey, "C", "http://c.example/");
  registry.SetText(std::string(kTypedUrlsKey) + "\\Sub", "kept", "x");

  ClearRegistryList(registry, report, kTypedUrlsKey);

  EXPECT_THAT(registry.deleted, ElementsAre("C", "Bee", "A"));
  EXPECT_THAT(report.maxima, ElementsAre(3));
  EXPECT_THAT(report.positions, ElementsAre(2, 1, 0, 0));
  EXPECT_TRUE(registry.HasKey(kTypedUrlsKey));
  EXPECT_THAT(registry.ValueNames(kTypedUrlsKey), IsEmpty());
  EXPECT_THAT(registry.ValueNames(std::string(kTypedUrlsKey) + "\\Sub"), ElementsAre("kept"));
  EXPECT_EQ(registry.openKeys, 0);
  EXPECT_THAT(report.lines, IsEmpty());
}

TEST_F(ClearRegistryListTest, TheUnnamedDefaultValueGoesToo) {
  registry.SetText(kRunMruKey, "", "default");
  registry.SetText(kRunMruKey, "MRUList", "a");
  ClearRegistryList(registry, report, kRunMruKey);
  EXPECT_THAT(registry.deleted, ElementsAre("MRUList", ""));
}

TEST_F(ClearRegistryListTest, AKeyWithoutValuesOrThatDoesNotOpenDeletesNothing) {
  registry.AddKey(kMediaPlayerRecentKey);
  ClearRegistryList(registry, report, kMediaPlayerRecentKey);
  EXPECT_THAT(report.maxima, ElementsAre(0));
  EXPECT_THAT(report.positions, ElementsAre(0));

  // Missing: asked for, never created.
  ClearRegistryList(registry, report, kRunMruKey);
  EXPECT_FALSE(registry.HasKey(kRunMruKey));
  EXPECT_THAT(report.maxima, ElementsAre(0, 0));

  // Present but not openable, or its value count cannot be read: the values stay.
  registry.SetText(kTypedUrlsKey, "url1", "http://a.example/");
  registry.unopenable.insert("software\\microsoft\\internet explorer\\typedurls");
  ClearRegistryList(registry, report, kTypedUrlsKey);
  registry.unopenable.clear();
  registry.infoFails = true;
  ClearRegistryList(registry, report, kTypedUrlsKey);
  EXPECT_THAT(registry.ValueNames(kTypedUrlsKey), ElementsAre("url1"));
  EXPECT_THAT(registry.deleted, IsEmpty());
  EXPECT_EQ(report.progressPosition, 0);
  EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(ClearRegistryListTest, AValueThatWillNotGoStaysAndTheRestGo) {
  registry.SetText(kTypedUrlsKey, "url1", "a");
  registry.SetText(kTypedUrlsKey, "url2", "b");
  registry.SetText(kTypedUrlsKey, "url3", "c");
  registry.undeletable.insert("url2");
  ClearRegistryList(registry, report, kTypedUrlsKey);
  EXPECT_THAT(registry.ValueNames(kTypedUrlsKey), ElementsAre("url2"));
  EXPECT_THAT(report.positions, ElementsAre(2, 1, 0, 0));
}

}  // namespace
}  // namespace quillmere
